// The transfers from the GUI against the virtual terminal over Wi-Fi: the waiting dialog, the
// progress window, the messages and the received file, with the dialogs answered by the test.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <set>

#include "generator/image.h"
#include "gui_support.h"
#include "model/normalise.h"
#include "model/settings.h"
#include "shell/clientwindow.h"
#include "shell/commands.h"
#include "shell/connectionwaitingdlg.h"
#include "shell/mainwindow.h"
#include "shell/progressdlg.h"
#include "shell/qttransferui.h"

namespace fw {
namespace {

using test::DialogScript;
using test::WaitFor;

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

class TransferTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        home_ = std::filesystem::path(dir_.path().toStdString()) / "program";
        received_ = std::filesystem::path(dir_.path().toStdString()) / "terminal";
        std::filesystem::create_directories(home_);
        std::filesystem::create_directories(received_);
        QTcpServer probe;
        ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
        port_ = probe.serverPort();
        probe.close();
        Settings s;
        s.downloadLinkType = kLinkWifi;
        s.uploadLinkType = kLinkWifi;
        s.networkPort = port_;
        ASSERT_TRUE(WriteSettings(s, home_));
        window_ = std::make_unique<MainWindow>(ShellOptions{home_, {}});
        window_->setCommandHandler(kCmdEdit, [this](QWidget*) { ++sheetsOpened_; });
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    }
    void TearDown() override {
        if (sim_.state() != QProcess::NotRunning) {
            sim_.kill();
            sim_.waitForFinished(5000);
        }
    }

    // The terminal connects to the PC as a Wi-Fi terminal does.
    void StartTerminal(QStringList extra = {}) {
        QStringList args = {"--tcp",      QStringLiteral("127.0.0.1:%1").arg(port_),
                            "--out",      QString::fromStdString(received_.string()),
                            "--sessions", "1"};
        args << extra;
        sim_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        sim_.start(QStringLiteral(FW_SIM_PATH), args);
    }

    // Answers the waiting dialog: checks its texts, lets the dots run, then connects the
    // terminal. The texts it showed are collected in waitingTexts_.
    void ConnectWhenWaiting(DialogScript& script, QStringList extra = {}) {
        script.Expect("CONNECTION_WAITING_DLG", [this, extra](QWidget* d) {
            auto* dialog = qobject_cast<ConnectionWaitingDlg*>(d);
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->windowTitle(), "Ожидание подключения");
            EXPECT_EQ(dialog->CancelButton()->text(), "Отмена");
            auto* sampler = new QTimer(dialog);
            QObject::connect(sampler, &QTimer::timeout, dialog,
                             [this, dialog] { waitingTexts_.insert(dialog->Text()); });
            sampler->start(50);
            QTimer::singleShot(1200, dialog, [this, extra] { StartTerminal(extra); });
        });
    }

    QTemporaryDir dir_;
    std::filesystem::path home_;
    std::filesystem::path received_;
    quint16 port_ = 0;
    std::unique_ptr<MainWindow> window_;
    int sheetsOpened_ = 0;
    QProcess sim_;
    std::set<QString> waitingTexts_;
};

TEST_F(TransferTest, DownloadApplicationReachesTheTerminal) {
    PaintCounter paints(window_->client(), *window_);
    QTimer repaint;
    QObject::connect(&repaint, &QTimer::timeout, window_->client(),
                     [this] { window_->client()->update(); });
    repaint.start(20);

    DialogScript script;
    ConnectWhenWaiting(script);
    std::set<int> progressValues;
    script.Expect("ProgressDlg", [&](QWidget* d) {
        auto* progress = qobject_cast<ProgressDlg*>(d);
        ASSERT_NE(progress, nullptr);
        EXPECT_EQ(progress->windowTitle(), "Progress");
        EXPECT_EQ(progress->Text(), "Downloading...");
        EXPECT_EQ(progress->findChild<QWidget*>("870")->objectName(), "870");
        auto* sampler = new QTimer(progress);
        QObject::connect(sampler, &QTimer::timeout, progress,
                         [&, progress] { progressValues.insert(progress->Value()); });
        sampler->start(5);
        // No second command while the transfer runs.
        window_->command(kCmdNew);
        window_->command(kCmdAbout);
        EXPECT_EQ(sheetsOpened_, 0);
    });
    script.Answer(QMessageBox::Ok);

    window_->command(kCmdDownloadApplication);
    EXPECT_TRUE(script.Done());
    EXPECT_EQ(script.Messages(), QStringList{"Download|Downloaded completely!"});
    EXPECT_FALSE(window_->transferRunning());

    // The dots ran: the text alone and then with one and two dots.
    const QString base = "Ожидание подключения терминала";
    EXPECT_TRUE(waitingTexts_.count(base));
    EXPECT_TRUE(waitingTexts_.count(base + "."));
    EXPECT_TRUE(waitingTexts_.count(base + ".."));
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
    const std::string stored = test::ReadBytes(received_ / "image-1.bin");
    ASSERT_EQ(stored.size(), kProgramImageSize);
    EXPECT_TRUE(std::equal(image.begin(), image.end(),
                           reinterpret_cast<const std::uint8_t*>(stored.data())));
}

TEST_F(TransferTest, CancelledWaitEndsQuietly) {
    DialogScript script;
    script.Expect("CONNECTION_WAITING_DLG", [](QWidget* d) {
        qobject_cast<ConnectionWaitingDlg*>(d)->CancelButton()->click();
    });
    window_->command(kCmdDownloadApplication);
    EXPECT_TRUE(script.Done());
    EXPECT_TRUE(script.Messages().isEmpty());
    EXPECT_FALSE(window_->transferRunning());
    // The port is free again.
    QTcpServer again;
    EXPECT_TRUE(again.listen(QHostAddress::AnyIPv4, port_));
}

TEST_F(TransferTest, FailedDownloadOffersARetry) {
    DialogScript script;
    // The terminal answers "FULL" to packet 5; the user declines the retry.
    ConnectWhenWaiting(script, {"--full", "5"});
    script.Answer(QMessageBox::Ok).Answer(QMessageBox::No);
    window_->command(kCmdDownloadApplication);
    EXPECT_TRUE(script.Done());
    EXPECT_EQ(script.Messages(),
              QStringList({"Error|Memory full for Terminal!",
                           "Error|Failed to download, would you like to retry?"}));
}

TEST_F(TransferTest, LookupFileGoesLineByLine) {
    const auto lookup = std::filesystem::path(dir_.path().toStdString()) / "goods.TXT";
    test::WriteBytes(lookup, "4600001;Bread\r\n4600002;Milk\r\n4600003;Salt");
    DialogScript script;
    script.Choose(lookup);
    ConnectWhenWaiting(script);
    script.Answer(QMessageBox::Ok);
    window_->command(kCmdDownloadLookupFile);
    EXPECT_TRUE(script.Done());
    EXPECT_EQ(script.Messages(), QStringList{"Download|Downloaded completely!"});
    ASSERT_TRUE(sim_.waitForFinished(10000));
    EXPECT_EQ(test::ReadBytes(received_ / "lookup-1.txt"),
              "4600001;Bread\r\n4600002;Milk\r\n4600003;Salt\r\n");
}

TEST_F(TransferTest, ReceivedDataIsStoredAndOfferedForViewing) {
    const auto records = std::filesystem::path(dir_.path().toStdString()) / "collected.txt";
    test::WriteBytes(records, "4600001;3\r\n4600002;12\r\n4600003;1\r\n");
    const auto data = std::filesystem::path(dir_.path().toStdString()) / "received.TXT";
    std::vector<std::filesystem::path> viewed;
    QtTransferUi::SetViewer([&](const std::filesystem::path& file) { viewed.push_back(file); });

    DialogScript script;
    script.Choose(data);
    ConnectWhenWaiting(script, {"--records", QString::fromStdString(records.string())});
    script.Answer(QMessageBox::Yes);
    window_->command(kCmdReceiveData);
    EXPECT_TRUE(script.Done());
    EXPECT_EQ(script.Messages(),
              QStringList{"Upload Data|Done : 3 records received.\nView the received data?"});
    EXPECT_EQ(test::ReadBytes(data), "4600001;3\r\n4600002;12\r\n4600003;1\r\n");
    ASSERT_EQ(viewed.size(), 1u);
    EXPECT_EQ(std::filesystem::canonical(viewed[0]), std::filesystem::canonical(data));
    QtTransferUi::SetViewer([](const std::filesystem::path&) {});
}

}  // namespace
}  // namespace fw
