// The work the download command does before the first packet goes out, and what New does:
// reader defaults, a new definition, normalisation and the program image.
#include <benchmark/benchmark.h>

#include <memory>

#include "generator/image.h"
#include "model/codepage.h"
#include "model/defaults.h"
#include "model/language.h"
#include "model/normalise.h"

namespace {

using namespace fw;

std::unique_ptr<Definition> MakeNewDefinition() {
    auto d = std::make_unique<Definition>();
    WriteFormatTag(*d);
    LoadDefaultTexts(*d, Language{});
    ResetReaderSettings(*d);
    NewDefinition(*d);
    return d;
}

// A definition with every form, menu and database in use, so that each rule has work.
std::unique_ptr<Definition> MakeFullDefinition() {
    auto d = MakeNewDefinition();
    for (int db = 1; db <= kLookupCount; ++db) {
        Lookup(*d, db).MemberLength() = 40;
        Lookup(*d, db).FieldCount() = 4;
    }
    for (int n = 0; n < kFormCount; ++n) {
        FormRecord f = Form(*d, n);
        f.FormLookup() = static_cast<Byte>(n % 4);
        for (int i = 0; i < kLinesPerForm; ++i) {
            f.LineType(i) = static_cast<Byte>(1 + (i + n) % 16);
            StoreCellText(f.LinePrompt(i), u"Prompt");
            f.PrefixCodeNibbles(i)[0] = 0xB4;
        }
        FieldLink(*d, n).LinkLine(3) = 2;
        Menu(*d, n).HasCaption() = 1;
        StoreCellText(Menu(*d, n).Caption(), u"Menu");
        for (int k = 0; k < kMenuItems; k += 2)
            StoreCellText(Menu(*d, n).ItemText(k), u"Item");
    }
    return d;
}

void BM_ResetReaderSettings(benchmark::State& state) {
    auto d = MakeNewDefinition();
    for (auto _ : state) {
        ResetReaderSettings(*d);
        benchmark::DoNotOptimize(d->readerOptions.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ResetReaderSettings);

void BM_NewDefinition(benchmark::State& state) {
    auto d = MakeNewDefinition();
    for (auto _ : state) {
        NewDefinition(*d);
        benchmark::DoNotOptimize(d->formTable.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_NewDefinition);

void BM_NormaliseDefinition(benchmark::State& state) {
    auto d = state.range(0) ? MakeFullDefinition() : MakeNewDefinition();
    for (auto _ : state) {
        NormaliseDefinition(*d);
        benchmark::DoNotOptimize(d->formTable.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_NormaliseDefinition)->ArgName("full")->Arg(0)->Arg(1);

void BM_GenerateProgramImage(benchmark::State& state) {
    auto d = MakeFullDefinition();
    NormaliseDefinition(*d);
    auto image = std::make_unique<ProgramImage>();
    for (auto _ : state) {
        GenerateProgramImage(*d, *image);
        benchmark::DoNotOptimize(image->data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * kProgramImageSize);
}
BENCHMARK(BM_GenerateProgramImage);

// New, then the download's normalise-and-generate: the whole chain.
void BM_NewNormaliseGenerate(benchmark::State& state) {
    auto d = MakeNewDefinition();
    auto image = std::make_unique<ProgramImage>();
    for (auto _ : state) {
        ResetReaderSettings(*d);
        NewDefinition(*d);
        NormaliseDefinition(*d);
        GenerateProgramImage(*d, *image);
        benchmark::DoNotOptimize(image->data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_NewNormaliseGenerate);

}  // namespace
