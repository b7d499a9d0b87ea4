// formwright-cli's transfer commands against m740-sim: exit codes, the messages on stderr and
// the answers to the retry question in a script.
#include <gtest/gtest.h>

#include <QProcess>

#include "harness.h"

namespace fw::test {
namespace {

struct CliRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

CliRun RunCli(const QStringList& args) {
    QProcess cli;
    cli.start(QStringLiteral(FW_CLI_PATH), args);
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

bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

QString Q(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

TEST(CliTransfer, DownloadOverWifiSucceedsAndUsageErrorsExitTwo) {
    TempFolder dir;
    ASSERT_EQ(RunCli({QStringLiteral("new"), Q(dir.Path() / "p.FWW")}).exitCode, 0);
    const std::uint16_t port = FreePort();
    SimProcess sim({QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:%1").arg(port),
                    QStringLiteral("--sessions"), QStringLiteral("1"), QStringLiteral("--out"),
                    Q(dir.Path() / "out")});
    ASSERT_TRUE(sim.Started());
    const CliRun run =
        RunCli({QStringLiteral("download"), Q(dir.Path() / "p.FWW"), QStringLiteral("--link"),
                QStringLiteral("wifi"), QStringLiteral("--net-port"), QString::number(port)});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(Has(run.err, "Download: Downloaded completely!")) << run.err;
    EXPECT_TRUE(sim.Finish());
    EXPECT_EQ(std::filesystem::file_size(dir.Path() / "out" / "image-1.bin"), 20900u);

    const QStringList bad[] = {
        {QStringLiteral("download"), Q(dir.Path() / "p.FWW"), QStringLiteral("--baud"),
         QStringLiteral("1234")},
        {QStringLiteral("download"), Q(dir.Path() / "p.FWW"), QStringLiteral("--link"),
         QStringLiteral("usb")},
        {QStringLiteral("receive"), QStringLiteral("--com"), QStringLiteral("0"),
         QStringLiteral("x.txt")},
        {QStringLiteral("download-lookup"), QStringLiteral("a.txt"),
         QStringLiteral("--extra-timeout"), QStringLiteral("31")},
        {QStringLiteral("download"), Q(dir.Path() / "p.FWW"), QStringLiteral("--retry"),
         QStringLiteral("--no-retry")},
    };
    for (const QStringList& args : bad)
        EXPECT_EQ(RunCli(args).exitCode, 2) << args.join(' ').toStdString();
}

TEST(CliTransfer, FailedDownloadIsNotRetriedWithoutBeingAskedToAndExitsOne) {
    TempFolder dir;
    ASSERT_EQ(RunCli({QStringLiteral("new"), Q(dir.Path() / "p.FWW")}).exitCode, 0);
    SimProcess sim({QStringLiteral("--pty"), QStringLiteral("--full"), QStringLiteral("5"),
                    QStringLiteral("--sessions"), QStringLiteral("1"), QStringLiteral("--wire-log"),
                    Q(dir.Path() / "wire")});
    ASSERT_TRUE(sim.Started());
    const CliRun run =
        RunCli({QStringLiteral("download"), Q(dir.Path() / "p.FWW"), QStringLiteral("--device"),
                QString::fromStdString(sim.PtyName()), QStringLiteral("--no-retry")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(Has(run.err, "Error: Memory full for Terminal!")) << run.err;
    EXPECT_TRUE(Has(run.err, "Failed to download, would you like to retry?")) << run.err;
    EXPECT_TRUE(sim.Finish());
    // One handshake, packets 0..5, and no second run.
    EXPECT_EQ(ReadFile(dir.Path() / "wire.in").size(), 7u + 6u * 103u);
}

TEST(CliTransfer, ReceiveWritesTheRecordsAndAMissingPortExitsOne) {
    TempFolder dir;
    WriteFile(dir.Path() / "records.txt", "first\r\nsecond\r\n");
    SimProcess sim({QStringLiteral("--pty"), QStringLiteral("--records"),
                    Q(dir.Path() / "records.txt"), QStringLiteral("--sessions"),
                    QStringLiteral("1")});
    ASSERT_TRUE(sim.Started());
    const std::filesystem::path out = dir.Path() / "got.txt";
    const CliRun run = RunCli({QStringLiteral("receive"), Q(out), QStringLiteral("--device"),
                               QString::fromStdString(sim.PtyName())});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(Has(run.out, "2 records")) << run.out;
    EXPECT_EQ(ReadFile(out), "first\r\nsecond\r\n");
    EXPECT_TRUE(sim.Finish());

    const CliRun missing = RunCli({QStringLiteral("receive"), Q(dir.Path() / "none.txt"),
                                   QStringLiteral("--device"), Q(dir.Path() / "no-port")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(Has(missing.err, "Error: Cannot open the COM port!")) << missing.err;
}

}  // namespace
}  // namespace fw::test
