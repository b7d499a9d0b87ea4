// The Barcode page's work behind one user action: switching the engine and recomputing what
// the page shows, and the page's apply before the sheet commits.
#include <benchmark/benchmark.h>

#include <memory>

#include "editor/session.h"
#include "model/defaults.h"
#include "model/language.h"
#include "reader/barcodepage.h"

namespace {

using namespace fw;

struct Fixture {
    Language language;
    Definition definition;
    editor::EditingSession session;
    Fixture() {
        LoadDefaultTexts(definition, language);
        ResetReaderSettings(definition);
        NewDefinition(definition);
        session = editor::OpenSession(definition, language);
    }
};

void BM_SwitchEngineAndView(benchmark::State& state) {
    auto f = std::make_unique<Fixture>();
    int engine = 0;
    for (auto _ : state) {
        engine = (engine + 1) % 3;
        reader::SelectEngine(f->session, engine);
        benchmark::DoNotOptimize(reader::ViewBarcodePage(f->session));
    }
}
BENCHMARK(BM_SwitchEngineAndView)->Unit(benchmark::kMicrosecond);

void BM_ToggleSymbologyAndView(benchmark::State& state) {
    auto f = std::make_unique<Fixture>();
    bool on = false;
    for (auto _ : state) {
        on = !on;
        reader::SetSymbologyBox(f->session, 102, on);
        benchmark::DoNotOptimize(reader::ViewBarcodePage(f->session));
    }
}
BENCHMARK(BM_ToggleSymbologyAndView)->Unit(benchmark::kMicrosecond);

void BM_ApplyLongRange(benchmark::State& state) {
    auto f = std::make_unique<Fixture>();
    reader::SelectEngine(f->session, 2);
    for (auto _ : state) {
        reader::ApplyBarcodePage(f->session);
        benchmark::DoNotOptimize(f->session.working.symbologyOptions);
    }
}
BENCHMARK(BM_ApplyLongRange)->Unit(benchmark::kMicrosecond);

}  // namespace
