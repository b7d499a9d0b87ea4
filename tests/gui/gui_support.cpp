#include "gui_support.h"

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QTcpServer>
#include <QTest>
#include <memory>

#include "editor/ui/definitionsheet.h"
#include "model/codepage.h"
#include "model/normalise.h"
#include "model/projectfile.h"
#include "model/settings.h"
#include "model/workspace.h"

namespace fw::test {

namespace {

constexpr qint64 kStepTimeoutMs = 20000;

// One application object for the whole test program, on the offscreen platform unless the
// caller chose another.
class GuiEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
        app_ = std::make_unique<QApplication>(argc_, argv_);
        // Windows closed by a test must not end the application the next test uses.
        QApplication::setQuitOnLastWindowClosed(false);
    }
    void TearDown() override { app_.reset(); }

  private:
    int argc_ = 1;
    char name_[16] = "fw_gui_tests";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QApplication> app_;
};

[[maybe_unused]] ::testing::Environment* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new GuiEnvironment);

}  // namespace

DialogScript::DialogScript() {
    sinceLastStep_.start();
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
    timer_.start();
}

DialogScript& DialogScript::Expect(const QString& objectName, Action action) {
    steps_.push_back({objectName, std::move(action)});
    return *this;
}

DialogScript& DialogScript::Answer(int standardButton) {
    return Expect(QStringLiteral("MessageBox"), [this, standardButton](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        messages_ << box->windowTitle() + QLatin1Char('|') + box->text();
        QAbstractButton* button = box->button(QMessageBox::StandardButton(standardButton));
        ASSERT_NE(button, nullptr) << box->text().toStdString();
        button->click();
    });
}

DialogScript& DialogScript::Choose(const std::filesystem::path& path) {
    return Expect(QStringLiteral("FileDialog"), [path](QWidget* w) {
        auto* dialog = qobject_cast<QFileDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        dialog->selectFile(QString::fromStdU16String(path.u16string()));
        QMetaObject::invokeMethod(dialog, "accept");
    });
}

DialogScript& DialogScript::Cancel(const QString& objectName) {
    return Expect(objectName,
                  [](QWidget* w) { EXPECT_TRUE(QMetaObject::invokeMethod(w, "reject")); });
}

QStringList DialogScript::Run(const std::function<void()>& opener) {
    opener();
    EXPECT_TRUE(WaitFor([this] { return Done(); }, static_cast<int>(kStepTimeoutMs) + 5000))
        << "modal window \"" << steps_.front().objectName.toStdString() << "\" did not come";
    return messages_;
}

void DialogScript::Poll() {
    QWidget* modal = QApplication::activeModalWidget();
    const bool fresh = modal != nullptr && modal->isVisible() && !handled_.contains(modal);
    if (steps_.empty()) {
        // A window that no step expects would wait for an answer for ever.
        if (fresh) {
            ADD_FAILURE() << "unexpected modal window \"" << modal->objectName().toStdString()
                          << "\"; closing it";
            handled_ << modal;
            QMetaObject::invokeMethod(modal, "reject");
        }
        return;
    }
    if (sinceLastStep_.elapsed() > kStepTimeoutMs) {
        ADD_FAILURE() << "no modal window \"" << steps_.front().objectName.toStdString()
                      << "\" came; "
                      << (modal ? "closing \"" + modal->objectName().toStdString() + "\""
                                : std::string("none is open"));
        if (modal != nullptr) QMetaObject::invokeMethod(modal, "reject");
        sinceLastStep_.restart();
        return;
    }
    if (!fresh || modal->objectName() != steps_.front().objectName) return;
    Step step = std::move(steps_.front());
    steps_.pop_front();
    handled_ << modal;
    sinceLastStep_.restart();
    step.action(modal);
}

bool WaitFor(const std::function<bool()>& condition, int timeoutMs) {
    return QTest::qWaitFor(condition, timeoutMs);
}

std::unique_ptr<MainWindow> WindowTest::Start(const std::u16string& commandLine) {
    auto window = std::make_unique<MainWindow>(ShellOptions{home_, commandLine});
    window->setCommandHandler(kCmdEdit, [this](QWidget*) { ++sheetsOpened_; });
    QApplication::processEvents();
    return window;
}

void WifiWindowTest::SetUp() {
    QTcpServer probe;
    ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
    port_ = probe.serverPort();
    probe.close();
    Settings s;
    s.downloadLinkType = kLinkWifi;
    s.uploadLinkType = kLinkWifi;
    s.networkPort = port_;
    ASSERT_TRUE(WriteSettings(s, home_));
    window_ = Start();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
}

void WifiWindowTest::TearDown() {
    if (sim_.state() == QProcess::NotRunning) return;
    sim_.kill();
    sim_.waitForFinished(5000);
}

void WifiWindowTest::StartTerminal(const QStringList& options) {
    sim_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    sim_.start(QStringLiteral(FW_SIM_PATH),
               QStringList{"--tcp", QStringLiteral("127.0.0.1:%1").arg(port_)} + options);
}

void WindowTest::ChooseEnglish() {
    std::filesystem::copy_file(std::filesystem::path(FW_SOURCE_DIR) / "samples/English.lng",
                               home_ / "English.lng");
    Settings s;
    ReadSettings(s, home_);
    s.languageName = u"English";
    ASSERT_TRUE(WriteSettings(s, home_));
}

std::vector<MenuItem> ShownMenu(const MainWindow& window) {
    std::vector<MenuItem> items;
    for (QAction* a : window.popupMenu()->actions())
        items.push_back({a->data().toInt(), a->text().toStdU16String()});
    return items;
}

std::string WriteSampleProject(const std::filesystem::path& path) {
    Workspace ws;
    StartWorkspace(ws, path.parent_path() / "no-settings-here");
    Form(ws.definition, 0).LineType(0) = kLineText;
    StoreCellText(Form(ws.definition, 0).LinePrompt(0), u"Barcode:");
    NormaliseDefinition(ws.definition);
    const std::string bytes = SerialiseProject(ws.definition, IsExtendedName(path));
    WriteFile(path, bytes);
    return bytes;
}

std::unique_ptr<MainWindow> WindowTest::StartWithSheet(const std::filesystem::path& project) {
    WriteSampleProject(project);
    auto w = Start(project.u16string());
    // Opening a project from the command line opens the editor once; that one is counted.
    EXPECT_TRUE(WaitFor([&] { return sheetsOpened_ == 1; }));
    editor::ui::InstallDefinitionSheet(*w);
    w->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(w.get()));
    return w;
}

void WindowTest::PressCtrlE(MainWindow& w) {
    QTest::keyClick(&w, Qt::Key_E, Qt::ControlModifier);
}

}  // namespace fw::test
