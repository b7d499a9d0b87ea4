// formwright-cli's transfer commands against m740-sim: exit codes, the messages on stderr, the
// answers to the retry question in a script, and stop signals.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QProcess>
#include <QThread>

#include <csignal>
#include <functional>

#include "harness.h"
#include "model/settings.h"

namespace fw::test {
namespace {

struct CliRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

CliRun RunCli(const QStringList& args, const QString& program = QStringLiteral(FW_CLI_PATH)) {
    QProcess cli;
    cli.start(program, args);
    cli.closeWriteChannel();  // no one at the keyboard
    CliRun run;
    if (!cli.waitForFinished(60000)) {
        cli.kill();
        cli.waitForFinished();
    }
    run.exitCode = cli.exitStatus() == QProcess::NormalExit ? cli.exitCode() : -1;
    run.out = cli.readAllStandardOutput().toStdString();
    run.err = cli.readAllStandardError().toStdString();
    return run;
}

TEST(CliTransfer, DownloadOverWifiSucceedsAndUsageErrorsExitTwo) {
    TempFolder dir;
    const std::filesystem::path project = dir / "p.FWW";
    ASSERT_EQ(RunCli(Args("new", project)).exitCode, 0);
    const std::uint16_t port = FreePort();
    SimProcess sim(Args("--tcp", TcpAddress(port), "--sessions", 1, "--out", dir / "out"));
    ASSERT_TRUE(sim.Started());
    const CliRun run = RunCli(Args("download", project, "--link", "wifi", "--net-port", port));
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(Has(run.err, "Download: Downloaded completely!")) << run.err;
    EXPECT_TRUE(sim.Finish());
    EXPECT_EQ(std::filesystem::file_size(dir / "out" / "image-1.bin"), 20900u);

    const QStringList bad[] = {
        Args("download", project, "--baud", "1234"),
        Args("download", project, "--link", "usb"),
        Args("receive", "--com", "0", "x.txt"),
        Args("download-lookup", "a.txt", "--extra-timeout", "31"),
        Args("download", project, "--retry", "--no-retry"),
    };
    for (const QStringList& args : bad)
        EXPECT_EQ(RunCli(args).exitCode, 2) << args.join(' ').toStdString();
}

TEST(CliTransfer, FailedDownloadIsNotRetriedWithoutBeingAskedToAndExitsOne) {
    TempFolder dir;
    ASSERT_EQ(RunCli(Args("new", dir / "p.FWW")).exitCode, 0);
    SimProcess sim(Args("--pty", "--full", 5, "--sessions", 1, "--wire-log", dir / "wire"));
    ASSERT_TRUE(sim.Started());
    const CliRun run =
        RunCli(Args("download", dir / "p.FWW", "--device", sim.PtyName(), "--no-retry"));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(Has(run.err, "Error: Memory full for Terminal!")) << run.err;
    EXPECT_TRUE(Has(run.err, "Failed to download, would you like to retry?")) << run.err;
    EXPECT_TRUE(sim.Finish());
    // One handshake, packets 0..5, and no second run.
    EXPECT_EQ(dir.Read("wire.in").size(), 7u + 6u * 103u);
}

TEST(CliTransfer, ReceiveWritesTheRecordsAndAMissingPortExitsOne) {
    TempFolder dir;
    SimProcess sim(Args("--pty", "--records", dir.Write("records.txt", "first\r\nsecond\r\n"),
                        "--sessions", 1));
    ASSERT_TRUE(sim.Started());
    const CliRun run = RunCli(Args("receive", dir / "got.txt", "--device", sim.PtyName()));
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(Has(run.out, "2 records")) << run.out;
    EXPECT_EQ(dir.Read("got.txt"), "first\r\nsecond\r\n");
    EXPECT_TRUE(sim.Finish());

    const CliRun missing = RunCli(Args("receive", dir / "none.txt", "--device", dir / "no-port"));
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(Has(missing.err, "Error: Cannot open the COM port!")) << missing.err;
    EXPECT_FALSE(std::filesystem::exists(dir / "none.txt"));  // no empty file is left
}

TEST(CliTransfer, FailureExitsOneWhateverTheLanguageFileCallsIt) {
    // A copy of the tool in a folder of its own, whose settings choose a language file in which
    // the failures begin with the words of the completion message.
    TempFolder dir;
    std::filesystem::create_directory(dir / "bin");
    const std::filesystem::path cli = dir / "bin" / "formwright-cli";
    std::filesystem::copy_file(FW_CLI_PATH, cli);
    dir.Write("bin/Trap.lng",
              "Trap\r\n1132=Downloaded completely!\r\n"
              "1146=Downloaded completely! Or not: the terminal's memory is full\r\n"
              "1166=Downloaded completely? No. Once more?\r\n");
    Settings settings;
    settings.languageName = u"Trap";
    ASSERT_TRUE(WriteSettings(settings, dir / "bin"));
    ASSERT_EQ(RunCli(Args("new", dir / "p.FWW"), Q(cli)).exitCode, 0);

    SimProcess sim(Args("--pty", "--full", 5, "--sessions", 1));
    ASSERT_TRUE(sim.Started());
    const CliRun run =
        RunCli(Args("download", dir / "p.FWW", "--device", sim.PtyName(), "--no-retry"), Q(cli));
    EXPECT_EQ(run.exitCode, 1) << run.err;
    EXPECT_TRUE(Has(run.err, "Error: Downloaded completely! Or not")) << run.err;
    EXPECT_TRUE(sim.Finish());
}

TEST(CliTransfer, ReceiveReplacesAnExistingFileOnlyWhenForcedAndRecordsArrived) {
    TempFolder dir;
    const std::string old = "records of last week\r\n";
    dir.Write("got.txt", old);
    const CliRun refused = RunCli(Args("receive", dir / "got.txt", "--device", dir / "no-port"));
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(Has(refused.err, "exists; give --force")) << refused.err;

    {
        // Forced, but the terminal has nothing: the old records stay.
        SimProcess sim(Args("--pty", "--sessions", 1));
        ASSERT_TRUE(sim.Started());
        const CliRun run =
            RunCli(Args("receive", dir / "got.txt", "--force", "--device", sim.PtyName()));
        EXPECT_EQ(run.exitCode, 1) << run.err;
        EXPECT_TRUE(Has(run.err, "No data received!")) << run.err;
        EXPECT_TRUE(sim.Finish());
    }
    const CliRun noPort =
        RunCli(Args("receive", dir / "got.txt", "--force", "--device", dir / "no-port"));
    EXPECT_EQ(noPort.exitCode, 1);
    EXPECT_EQ(dir.Read("got.txt"), old);

    SimProcess sim(
        Args("--pty", "--records", dir.Write("records.txt", "new\r\n"), "--sessions", 1));
    ASSERT_TRUE(sim.Started());
    const CliRun run =
        RunCli(Args("receive", dir / "got.txt", "--force", "--device", sim.PtyName()));
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(dir.Read("got.txt"), "new\r\n");
    EXPECT_TRUE(sim.Finish());
    // Nothing of the transfers is left beside the file.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()),
                            std::filesystem::directory_iterator()),
              2);
}

TEST(CliTransfer, KilledReceiveLeavesTheFileAndTheNextOneClearsUp) {
    TempFolder dir;
    dir.Write("got.txt", "old\r\n");
    std::string many;
    for (int i = 0; i < 40; ++i)
        many += "record " + std::to_string(i) + "\r\n";
    const auto records = dir.Write("records.txt", many);
    const auto count = [&] {
        return std::distance(std::filesystem::directory_iterator(dir.Path()),
                             std::filesystem::directory_iterator());
    };
    const auto received = [&] {  // what the run's temporary file holds so far
        for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
            if (entry.path().extension() == ".saving~") return ReadFile(entry.path());
        return std::string();
    };
    {
        SimProcess sim(Args("--pty", "--records", records, "--slow", 100, "--sessions", 1));
        ASSERT_TRUE(sim.Started());
        QProcess cli;
        cli.start(QStringLiteral(FW_CLI_PATH),
                  Args("receive", dir / "got.txt", "--force", "--device", sim.PtyName()));
        ASSERT_TRUE(cli.waitForStarted());
        // Killed once some records are in, far from all of them.
        for (int i = 0; i < 1000 && received().empty(); ++i)
            QThread::msleep(10);
        cli.kill();
        cli.waitForFinished();
    }
    EXPECT_EQ(dir.Read("got.txt"), "old\r\n");
    EXPECT_EQ(count(), 3);  // the killed run's temporary file, with what it had received
    EXPECT_EQ(many.substr(0, received().size()), received());

    SimProcess sim(Args("--pty", "--records", records, "--sessions", 1));
    ASSERT_TRUE(sim.Started());
    EXPECT_EQ(
        RunCli(Args("receive", dir / "got.txt", "--force", "--device", sim.PtyName())).exitCode, 0);
    EXPECT_EQ(dir.Read("got.txt"), many);
    EXPECT_EQ(count(), 2);
    EXPECT_TRUE(sim.Finish());
}

// A signal (SIGINT or SIGTERM) in any phase of a transfer ends it at once: "cancelled", no
// received file, exit 1.
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
    ASSERT_EQ(RunCli(Args("new", project)).exitCode, 0);

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
