// The transfers from the GUI against the virtual terminal over Wi-Fi: the waiting dialog, the
// progress window, the messages and the received file, with the dialogs answered by the test.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QTcpServer>
#include <QTest>
#include <set>

#include "generator/image.h"
#include "gui_support.h"
#include "model/normalise.h"
#include "model/settings.h"
#include "shell/clientwindow.h"
#include "shell/connectionwaitingdlg.h"
#include "shell/progressdlg.h"
#include "shell/qttransferui.h"

namespace fw {
namespace {

using test::DialogScript;

// Counts the paints of a widget while a transfer runs.
class PaintCounter : public QObject {
  public:
    PaintCounter(QWidget* widget, const MainWindow& window) : window_(window) {
        widget->installEventFilter(this);
    }
    int paintsDuringTransfer = 0;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && window_.transferRunning()) ++paintsDuringTransfer;
        return false;
    }

  private:
    const MainWindow& window_;
};

class TransferTest : public test::WifiWindowTest {
  protected:
    TransferTest() { std::filesystem::create_directories(received_); }

    // Answers the waiting dialog: checks its texts, lets the dots run, then lets the terminal
    // connect to the PC as a Wi-Fi terminal does. The texts it showed go to waitingTexts_.
    DialogScript& ConnectWhenWaiting(DialogScript& script, QStringList extra = {}) {
        return script.Expect("CONNECTION_WAITING_DLG", [this, extra](QWidget* d) {
            auto* dialog = qobject_cast<ConnectionWaitingDlg*>(d);
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->windowTitle(), waitTitle_);
            EXPECT_EQ(dialog->CancelButton()->text(), waitCancel_);
            auto* sampler = new QTimer(dialog);
            QObject::connect(sampler, &QTimer::timeout, dialog,
                             [this, dialog] { waitingTexts_.insert(dialog->Text()); });
            sampler->start(50);
            QTimer::singleShot(1200, dialog, [this, extra] {
                StartTerminal(QStringList{"--out", QString::fromStdString(received_.string()),
                                          "--sessions", "1"} +
                              extra);
            });
        });
    }

    std::filesystem::path received_ = dir_ / "terminal";
    std::set<QString> waitingTexts_;
    QString waitTitle_ = "Ожидание подключения";
    QString waitCancel_ = "Отмена";
};

TEST_F(TransferTest, DownloadApplicationReachesTheTerminal) {
    PaintCounter paints(window_->client(), *window_);
    QTimer repaint;
    QObject::connect(&repaint, &QTimer::timeout, window_->client(),
                     [this] { window_->client()->update(); });
    repaint.start(20);

    DialogScript script;
    std::set<int> progressValues;
    bool triedDuringTransfer = false;
    ConnectWhenWaiting(script).Expect("ProgressDlg", [&](QWidget* d) {
        auto* progress = qobject_cast<ProgressDlg*>(d);
        ASSERT_NE(progress, nullptr);
        EXPECT_EQ(progress->windowTitle(), "Progress");
        EXPECT_EQ(progress->Text(), "Downloading...");
        auto* sampler = new QTimer(progress);
        QObject::connect(sampler, &QTimer::timeout, progress,
                         [&, progress] { progressValues.insert(progress->Value()); });
        sampler->start(5);
        // No second command while the transfer runs. They come from the event loop, as the
        // user's would: a window they wrongly opened is then closed by the script.
        QTimer::singleShot(0, progress, [&] {
            triedDuringTransfer = window_->transferRunning();
            window_->command(kCmdNew);
            window_->command(kCmdAbout);
        });
    });
    EXPECT_EQ(
        script.Answer(QMessageBox::Ok).Run([&] { window_->command(kCmdDownloadApplication); }),
        QStringList{"Download|Downloaded completely!"});
    EXPECT_FALSE(window_->transferRunning());
    EXPECT_TRUE(triedDuringTransfer);
    EXPECT_EQ(sheetsOpened_, 0);

    // The dots ran: the text alone and then with one and two dots.
    for (const char* dots : {"", ".", ".."})
        EXPECT_TRUE(waitingTexts_.count(QString("Ожидание подключения терминала") + dots)) << dots;
    // The bar moved on its way to 100, and the main window kept painting.
    EXPECT_GT(progressValues.size(), 5u);
    EXPECT_GT(paints.paintsDuringTransfer, 0);

    // The terminal holds the image of the definition.
    ASSERT_TRUE(sim_.waitForFinished(10000));
    EXPECT_EQ(sim_.exitCode(), 0);
    Definition d = window_->workspace().definition;
    NormaliseDefinition(d);
    ProgramImage image;
    GenerateProgramImage(d, image);
    EXPECT_TRUE(test::ReadFile(received_ / "image-1.bin") ==
                std::string(image.begin(), image.end()));
}

TEST_F(TransferTest, CancelledWaitEndsQuietly) {
    DialogScript script;
    script.Expect("CONNECTION_WAITING_DLG", [](QWidget* d) {
        qobject_cast<ConnectionWaitingDlg*>(d)->CancelButton()->click();
    });
    EXPECT_TRUE(script.Run([&] { window_->command(kCmdDownloadApplication); }).isEmpty());
    EXPECT_FALSE(window_->transferRunning());
    // The port is free again.
    QTcpServer again;
    EXPECT_TRUE(again.listen(QHostAddress::AnyIPv4, port_));
}

TEST_F(TransferTest, LookupFileGoesLineByLine) {
    const auto lookup = dir_.Write("goods.TXT", "4600001;Bread\r\n4600002;Milk\r\n4600003;Salt");
    DialogScript script;
    ConnectWhenWaiting(script.Choose(lookup)).Answer(QMessageBox::Ok);
    EXPECT_EQ(script.Run([&] { window_->command(kCmdDownloadLookupFile); }),
              QStringList{"Download|Downloaded completely!"});
    ASSERT_TRUE(sim_.waitForFinished(10000));
    EXPECT_EQ(test::ReadFile(received_ / "lookup-1.txt"),
              "4600001;Bread\r\n4600002;Milk\r\n4600003;Salt\r\n");
}

TEST_F(TransferTest, ReceivedDataIsStoredAndOfferedForViewing) {
    const std::string records = "4600001;3\r\n4600002;12\r\n4600003;1\r\n";
    const auto collected = dir_.Write("collected.txt", records);
    const auto data = dir_ / "received.TXT";
    std::vector<std::filesystem::path> viewed;
    QtTransferUi::SetViewer([&](const std::filesystem::path& file) {
        viewed.push_back(file);
        return true;
    });

    DialogScript script;
    ConnectWhenWaiting(script.Choose(data),
                       {"--records", QString::fromStdString(collected.string())})
        .Answer(QMessageBox::Yes);
    EXPECT_EQ(script.Run([&] { window_->command(kCmdReceiveData); }),
              QStringList{"Upload Data|Done : 3 records received.\nView the received data?"});
    EXPECT_EQ(test::ReadFile(data), records);
    ASSERT_EQ(viewed.size(), 1u);
    EXPECT_EQ(std::filesystem::canonical(viewed[0]), std::filesystem::canonical(data));
    QtTransferUi::SetViewer([](const std::filesystem::path&) { return true; });
}

// When no program can show the received file, the user is told so instead of nothing.
TEST_F(TransferTest, ReceivedDataThatNothingCanShowIsReported) {
    const auto collected = dir_.Write("collected.txt", "4600001;3\r\n");
    const auto data = dir_ / "received.TXT";
    QtTransferUi::SetViewer([](const std::filesystem::path&) { return false; });

    DialogScript script;
    ConnectWhenWaiting(script.Choose(data),
                       {"--records", QString::fromStdString(collected.string())})
        .Answer(QMessageBox::Yes)
        .Answer(QMessageBox::Ok);
    const QStringList messages = script.Run([&] { window_->command(kCmdReceiveData); });
    ASSERT_EQ(messages.size(), 2);
    EXPECT_EQ(messages[1], "Warning|Не найдена программа, которая может открыть:\r\n" +
                               QString::fromStdU16String(data.u16string()));
    QtTransferUi::SetViewer([](const std::filesystem::path&) { return true; });
}

// Under the English language file the transfer's windows speak English: the waiting dialog
// with its dots, the progress window and the messages.
TEST_F(TransferTest, TransferWindowsSpeakTheLanguageFile) {
    ASSERT_NO_FATAL_FAILURE(ChooseEnglish());
    window_ = Start();
    waitTitle_ = "Waiting for the connection";
    waitCancel_ = "Cancel";

    QString progressTitle, progressText;
    DialogScript script;
    ConnectWhenWaiting(script)
        .Expect("ProgressDlg",
                [&](QWidget* d) {
                    progressTitle = d->windowTitle();
                    progressText = qobject_cast<ProgressDlg*>(d)->Text();
                })
        .Answer(QMessageBox::Ok);
    EXPECT_EQ(script.Run([&] { window_->command(kCmdDownloadApplication); }),
              QStringList{"Download|Downloaded completely!"});
    EXPECT_EQ(progressTitle, "Progress");
    EXPECT_EQ(progressText, "Downloading...");
    EXPECT_TRUE(waitingTexts_.count("Waiting for the terminal to connect..")) << "dots go on";
    for (const QString& text : waitingTexts_)
        EXPECT_TRUE(text.startsWith("Waiting for the terminal to connect")) << text.toStdString();
}

// Cancel and Esc on the real progress window while a transfer waits for a slow or silent
// terminal: the transfer ends at once, asks and says nothing more, closes the connection and
// leaves no received file.
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
