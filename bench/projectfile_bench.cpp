// Saving and opening a project: the bytes alone, and the whole command with the file on disk
// (a save is written through to the disk and renamed over the old file; both update the
// recent-file list and its settings file).
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>

#include "model/codepage.h"
#include "model/defaults.h"
#include "model/normalise.h"
#include "model/projectfile.h"
#include "model/savefile.h"

namespace {

using namespace fw;
namespace fs = std::filesystem;

class NoPresenter : public MessagePresenter {
  public:
    int Show(const MessageRequest&) override { return kIdOk; }
};

// A workspace in a folder of its own, holding a definition with every form in use.
struct BenchWorkspace {
    BenchWorkspace() {
        folder = fs::temp_directory_path() /
                 ("fw-bench-" +
                  std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
        fs::create_directories(folder);
        ws = std::make_unique<Workspace>();
        StartWorkspace(*ws, folder);
        ws->presenter = &presenter;
        for (int n = 0; n < kFormCount; ++n) {
            FormRecord f = Form(ws->definition, n);
            for (int i = 0; i < kLinesPerForm; ++i) {
                f.LineType(i) = static_cast<Byte>(1 + (i + n) % 14);
                StoreCellText(f.LinePrompt(i), u"Количество:");
            }
        }
        NormaliseDefinition(ws->definition);
        ws->currentProjectPath = folder / "bench.FWW";
    }
    ~BenchWorkspace() {
        std::error_code ec;
        fs::remove_all(folder, ec);
    }
    fs::path folder;
    NoPresenter presenter;
    std::unique_ptr<Workspace> ws;
};

void BM_SerialiseProject(benchmark::State& state) {
    BenchWorkspace b;
    for (auto _ : state) {
        std::string bytes = SerialiseProject(b.ws->definition, true);
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(state.iterations() * kExtendedFileSize);
}
BENCHMARK(BM_SerialiseProject);

// Parsing with the version rules and the normalisation that follows every read.
void BM_ReadProjectBytes(benchmark::State& state) {
    BenchWorkspace b;
    const std::string bytes = SerialiseProject(b.ws->definition, true);
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadProjectBytes(*b.ws, bytes, true));
    state.SetBytesProcessed(state.iterations() * kExtendedFileSize);
}
BENCHMARK(BM_ReadProjectBytes);

void BM_WriteProjectFile(benchmark::State& state) {
    BenchWorkspace b;
    for (auto _ : state)
        benchmark::DoNotOptimize(WriteProjectFile(*b.ws));
}
BENCHMARK(BM_WriteProjectFile)->Unit(benchmark::kMicrosecond);

// The file alone: temporary file, write-through to the disk, rename. The disk sets this.
void BM_ReplaceFileBytes(benchmark::State& state) {
    BenchWorkspace b;
    const std::string bytes = SerialiseProject(b.ws->definition, true);
    for (auto _ : state)
        benchmark::DoNotOptimize(ReplaceFileBytes(b.ws->currentProjectPath, bytes));
}
BENCHMARK(BM_ReplaceFileBytes)->Unit(benchmark::kMicrosecond);

void BM_ReadProjectFile(benchmark::State& state) {
    BenchWorkspace b;
    WriteProjectFile(*b.ws);
    for (auto _ : state) {
        ResetReaderSettings(b.ws->definition);
        NewDefinition(b.ws->definition);
        benchmark::DoNotOptimize(ReadProjectFile(*b.ws));
    }
}
BENCHMARK(BM_ReadProjectFile)->Unit(benchmark::kMicrosecond);

}  // namespace
