// formwright-cli stopped by SIGINT or SIGTERM in every phase of a transfer against m740-sim:
// it ends at once, says "cancelled", leaves no received file and exits 1.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QProcess>
#include <QThread>

#include <csignal>
#include <functional>

#include "harness.h"

namespace fw::test {
namespace {

std::size_t Count(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

// Polls until the condition holds; false after ms milliseconds.
bool Eventually(const std::function<bool()>& condition, int ms = 15000) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > ms) return false;
        QThread::msleep(20);
    }
    return true;
}

struct SignalCase {
    const char* name;
    int signal;
    bool wifi;
    const char* command;    // download or receive
    const char* simFaults;  // extra simulator options; nullptr: no terminal at all
    // The signal comes once the terminal received this text readyCount times and
    // readyBytes in all; nullptr: once the command waits for the terminal to connect.
    const char* readyInWire;
    std::size_t readyCount;
    std::size_t readyBytes;
};

void PrintTo(const SignalCase& c, std::ostream* os) {
    *os << c.name;
}

class CliCancel : public ::testing::TestWithParam<SignalCase> {};

TEST_P(CliCancel, SignalEndsTheTransferAtOnceWithoutAPartialFile) {
    const SignalCase& c = GetParam();
    TempFolder dir;
    const std::filesystem::path project = dir / "p.FWW";
    const std::filesystem::path received = dir / "got.txt";
    std::string records;
    for (int i = 0; i < 200; ++i)
        records += "4600" + std::to_string(i) + ";1\r\n";
    const std::filesystem::path recordsFile = dir.Write("records.txt", records);
    {
        QProcess make;
        make.start(QStringLiteral(FW_CLI_PATH), Args("new", project));
        ASSERT_TRUE(make.waitForFinished(20000));
        ASSERT_EQ(make.exitCode(), 0);
    }

    // Deadlines stretched to half a minute: only the signal can end these waits soon.
    const std::uint16_t port = c.wifi ? FreePort() : 0;
    std::unique_ptr<SimProcess> sim;
    if (c.simFaults != nullptr) {
        QStringList simArgs = Args("--wire-log", dir / "wire", "--records", recordsFile);
        simArgs += c.wifi ? Args("--tcp", TcpAddress(port)) : Args("--pty");
        simArgs += QString::fromUtf8(c.simFaults).split(' ', Qt::SkipEmptyParts);
        sim = std::make_unique<SimProcess>(simArgs);
        ASSERT_TRUE(sim->Started());
    }
    QStringList args = Args(c.command, std::string(c.command) == "receive" ? received : project,
                            "--extra-timeout", 30);
    args += c.wifi ? Args("--link", "wifi", "--net-port", port) : Args("--device", sim->PtyName());

    QProcess cli;
    cli.start(QStringLiteral(FW_CLI_PATH), args);
    ASSERT_TRUE(cli.waitForStarted(10000));
    cli.closeWriteChannel();
    std::string err;
    const bool ready = Eventually([&] {
        cli.waitForReadyRead(20);
        err += cli.readAllStandardError().toStdString();
        if (c.readyInWire == nullptr) return Has(err, "Ожидание подключения");
        const std::string wire = dir.Read("wire.in");
        return Count(wire, c.readyInWire) >= c.readyCount && wire.size() >= c.readyBytes;
    });
    ASSERT_TRUE(ready) << err;
    ASSERT_EQ(cli.state(), QProcess::Running) << err;

    QElapsedTimer sinceSignal;
    sinceSignal.start();
    ::kill(static_cast<pid_t>(cli.processId()), c.signal);
    ASSERT_TRUE(cli.waitForFinished(20000));
    const qint64 tookMs = sinceSignal.elapsed();
    err += cli.readAllStandardError().toStdString();

    EXPECT_EQ(cli.exitStatus(), QProcess::NormalExit) << err;
    EXPECT_EQ(cli.exitCode(), 1) << err;
    EXPECT_TRUE(Has(err, "formwright-cli: " + std::string(c.command) + ": cancelled")) << err;
    // Nothing more is reported than the cancel.
    for (const char* failure : {"not ready", "retry", "Time out", "No data"})
        EXPECT_FALSE(Has(err, failure)) << err;
    EXPECT_FALSE(std::filesystem::exists(received));
    // Far below the half-minute deadline it would otherwise have waited out.
    EXPECT_LT(tookMs, 10000);
    if (sim && c.wifi) {
        EXPECT_TRUE(sim->Finish());  // the PC closed the connection
    }
}

INSTANTIATE_TEST_SUITE_P(
    Phases, CliCancel,
    ::testing::Values(
        SignalCase{"DownloadHandshakeSigint", SIGINT, false, "download", "--ignore-hello 100",
                   "VORTEK\r", 1, 0},
        SignalCase{"DownloadWifiWaitSigterm", SIGTERM, true, "download", nullptr, nullptr, 0, 0},
        // Packet 3 goes unanswered: the signal comes while the PC waits for its answer.
        SignalCase{"DownloadPacketsSigterm", SIGTERM, true, "download",
                   "--sessions 1 --no-answer 3:100", "VORTEK\r", 1, 7 + 4 * 103},
        SignalCase{"ReceiveHandshakeSigint", SIGINT, true, "receive",
                   "--sessions 1 --ignore-hello 100", "READ\r", 1, 0},
        // Five records are in; the sixth does not come.
        SignalCase{"ReceiveRecordsSigterm", SIGTERM, false, "receive", "--no-answer 5:100", "ACK\r",
                   5, 0},
        SignalCase{"ReceiveWifiWaitSigint", SIGINT, true, "receive", nullptr, nullptr, 0, 0}),
    [](const ::testing::TestParamInfo<SignalCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace fw::test
