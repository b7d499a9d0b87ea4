// Cancel and Esc on the real progress window while a transfer waits for a slow or silent
// virtual terminal over Wi-Fi: the transfer ends at once, asks and says nothing more, closes
// the connection and leaves no received file.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QProgressBar>
#include <QTest>

#include "gui_support.h"
#include "shell/progressdlg.h"

namespace fw {
namespace {

using test::DialogScript;

struct CancelCase {
    const char* name;
    int command;
    QStringList simFaults;
    int pressAtValue;  // the bar's value at which the person gives up (-1: busy, an upload)
    bool escape;       // Esc instead of the Cancel button
};

class ProgressCancelTest : public test::WifiWindowTest,
                           public ::testing::WithParamInterface<CancelCase> {};

void PrintTo(const CancelCase& c, std::ostream* os) {
    *os << c.name;
}

TEST_P(ProgressCancelTest, TransferEndsAtOnceWithoutAQuestionOrAFile) {
    const CancelCase& c = GetParam();
    std::string records;
    for (int i = 0; i < 50; ++i)
        records += "4600" + std::to_string(i) + ";1\r\n";
    const auto collected = dir_.Write("collected.txt", records);
    const auto received = dir_ / "received.TXT";
    // The terminal connects as soon as the PC listens.
    StartTerminal(QStringList{"--sessions", "1", "--out",
                              QString::fromStdString((dir_ / "terminal").string()), "--records",
                              QString::fromStdString(collected.string())} +
                  c.simFaults);
    ASSERT_TRUE(sim_.waitForStarted(10000));

    QElapsedTimer sincePress;
    bool pressed = false;
    DialogScript script;
    if (c.command == kCmdReceiveData) script.Choose(received);
    script.Expect("ProgressDlg", [&](QWidget* d) {
        auto* progress = qobject_cast<ProgressDlg*>(d);
        ASSERT_NE(progress, nullptr);
        auto* cancel = progress->findChild<QAbstractButton*>(QStringLiteral("cancel"));
        ASSERT_NE(cancel, nullptr);
        EXPECT_TRUE(cancel->isVisible());
        // The person waits a little, as long as the bar says the transfer is under way.
        auto* watch = new QTimer(progress);
        QObject::connect(watch, &QTimer::timeout, progress, [&, progress, cancel, watch] {
            const bool busy = progress->findChild<QProgressBar*>()->maximum() == 0;
            if (c.pressAtValue < 0 ? !busy : progress->Value() < c.pressAtValue) return;
            watch->stop();
            QTimer::singleShot(300, progress, [&, progress, cancel] {
                pressed = true;
                sincePress.start();
                if (c.escape)
                    QTest::keyClick(progress, Qt::Key_Escape);
                else
                    cancel->click();
            });
        });
        watch->start(10);
    });
    EXPECT_TRUE(script.Run([&] { window_->command(c.command); }).isEmpty());
    ASSERT_TRUE(pressed);
    EXPECT_FALSE(window_->transferRunning());
    // The silent terminal would have held it for seconds more.
    EXPECT_LT(sincePress.elapsed(), 3000);
    // The PC closed the connection: the terminal's one session is over.
    EXPECT_TRUE(sim_.waitForFinished(5000));
    EXPECT_FALSE(std::filesystem::exists(received));
    EXPECT_TRUE(QTest::qWaitFor([] { return QApplication::activeModalWidget() == nullptr; }));
}

INSTANTIATE_TEST_SUITE_P(
    Phases, ProgressCancelTest,
    ::testing::Values(
        CancelCase{"DownloadHandshakeButton",
                   kCmdDownloadApplication,
                   {"--ignore-hello", "100"},
                   0,
                   false},
        CancelCase{
            "DownloadPacketsEscape", kCmdDownloadApplication, {"--no-answer", "3:100"}, 6, true},
        CancelCase{"UploadRecordsButton", kCmdReceiveData, {"--no-answer", "2:100"}, -1, false},
        CancelCase{"UploadHandshakeEscape", kCmdReceiveData, {"--ignore-hello", "100"}, -1, true}),
    [](const ::testing::TestParamInfo<CancelCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace fw
