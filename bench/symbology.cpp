// The symbology parameter dialogs with their real widgets on the offscreen platform: opening each
// dialog until it is shown, and its OK.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <memory>

#include "model/defaults.h"
#include "model/workspace.h"
#include "reader/ui/symbologydialog.h"

namespace {

using namespace fw;

struct Sheet {
    Sheet() {
        LoadDefaultTexts(ws.definition, ws.language);
        ResetReaderSettings(ws.definition);
        NewDefinition(ws.definition);
        session = editor::OpenSession(ws.definition, ws.language);
    }
    Workspace ws;
    editor::EditingSession session;
    editor::ui::SheetContext context{session, ws, [] {}};
};

// Argument: the dialog's place in the table.
void OpenDialogAndOk(benchmark::State& state) {
    Sheet sheet;
    const reader::DialogTemplate& dialog =
        reader::Templates()[static_cast<std::size_t>(state.range(0))];
    state.SetLabel(std::string(dialog.name));
    for (auto _ : state) {
        auto box = std::make_unique<reader::ui::SymbologyDialog>(dialog, sheet.context, nullptr);
        box->show();
        QCoreApplication::processEvents();
        box->accept();
        state.PauseTiming();
        box.reset();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(OpenDialogAndOk)
    ->DenseRange(0, static_cast<int>(reader::Templates().size()) - 1)
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
