// The definition sheet with its real widgets on the offscreen platform: opening it on the sample
// project until its first frame is painted, and one change on the Form page with the refresh of
// every page it causes.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <filesystem>
#include <memory>

#include "editor/ui/definitionsheet.h"
#include "model/projectfile.h"
#include "model/workspace.h"

namespace {

using namespace fw;
namespace fs = std::filesystem;

class NoPresenter : public MessagePresenter {
  public:
    int Show(const MessageRequest&) override { return kIdOk; }
};

// Notes the first paint of any widget of the sheet.
class PaintWatch : public QObject {
  public:
    bool painted = false;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) painted = true;
        return QObject::eventFilter(watched, event);
    }
};

// The sample project in a workspace of its own.
struct SampleWorkspace {
    SampleWorkspace() {
        StartWorkspace(ws, fs::temp_directory_path());
        ws.presenter = &presenter;
        ws.currentProjectPath = fs::path(FW_SOURCE_DIR) / "samples" / "stock-count.FWW";
        loaded = ReadProjectFile(ws) == 1;
    }
    NoPresenter presenter;
    Workspace ws;
    bool loaded = false;
};

void OpenSheetToFirstFrame(benchmark::State& state) {
    SampleWorkspace sample;
    if (!sample.loaded) {
        state.SkipWithError("the sample project did not open");
        return;
    }
    PaintWatch watch;
    for (auto _ : state) {
        watch.painted = false;
        auto sheet = std::make_unique<editor::ui::DefinitionSheet>(sample.ws, nullptr);
        sheet->installEventFilter(&watch);
        for (QWidget* child : sheet->findChildren<QWidget*>())
            child->installEventFilter(&watch);
        sheet->show();
        while (!watch.painted)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        state.PauseTiming();
        sheet.reset();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(OpenSheetToFirstFrame)->Unit(benchmark::kMillisecond);

// Line 1's type between "text" and "integer": the operation, then every page and the terminal
// preview read the working copy again.
void ChangeLineTypeAndRefresh(benchmark::State& state) {
    SampleWorkspace sample;
    if (!sample.loaded) {
        state.SkipWithError("the sample project did not open");
        return;
    }
    editor::ui::DefinitionSheet sheet(sample.ws, nullptr);
    sheet.show();
    QCoreApplication::processEvents();
    auto* type = sheet.findChild<QComboBox*>(QStringLiteral("lineType1"));
    if (type == nullptr) {
        state.SkipWithError("no type list on the Form page");
        return;
    }
    int index = 1;
    for (auto _ : state) {
        index = index == 1 ? 2 : 1;
        type->setCurrentIndex(index);
        if (type->currentIndex() != index) state.SkipWithError("the change was refused");
    }
}
BENCHMARK(ChangeLineTypeAndRefresh)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
