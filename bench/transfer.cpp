// The transfer benchmark: the real download, lookup and upload flows over the real links
// against m740-sim, each timed against its floor, the least the protocol itself allows: its
// 1 ms sleeps after every answer and, on a serial line, the bits on the wire at the baud rate.
//
//   transfer_bench [--lines N] [--records N] [--style eventloop|blocking|both] [--only CASE]
//
// Time runs from the moment the link is open (the terminal connected) to the end of the run,
// the link's closing included. CPU time is this process's (user + system) over the same span.
#include <QProcess>
#include <QTcpServer>

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "comm/clock.h"
#include "comm/download.h"
#include "comm/links/linkopener.h"
#include "comm/upload.h"
#include "model/workspace.h"

namespace {

namespace fs = std::filesystem;
using namespace fw;
using BenchClock = std::chrono::steady_clock;

constexpr int kImagePackets = 209;
constexpr std::uint32_t kUploadStartDelayMs = 5;

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

long ResidentKiB() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    statm >> pages >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// Answers every question "No" and shows nothing.
class QuietUi final : public TransferUi {
  public:
    int Show(const MessageRequest& request) override {
        return request.buttons == MessageButtons::YesNo ? kIdNo : kIdOk;
    }
    bool ChooseFile(const FileDialogRequest&, fs::path& chosen) override {
        chosen = file;
        return true;
    }
    void OpenProgress(std::u16string_view, std::u16string_view) override {}
    void SetProgress(int) override {}
    void CloseProgress() override {}
    void OpenForViewing(const fs::path&) override {}

    fs::path file;
};

// Notes when the link is open, so that waiting for the terminal is not counted.
class TimedOpener final : public LinkOpener {
  public:
    explicit TimedOpener(LinkOpener& inner) : inner_(inner) {}
    std::unique_ptr<Link> OpenLink(LinkDirection direction) override {
        auto link = inner_.OpenLink(direction);
        opened = BenchClock::now();
        cpuAtOpen = CpuSeconds();
        return link;
    }
    BenchClock::time_point opened;
    double cpuAtOpen = 0;

  private:
    LinkOpener& inner_;
};

struct Case {
    std::string name;
    bool wifi = true;
    int lineSpeed = 0;  // bit/s the simulator emulates; 0 = none
    enum Kind { kImage, kLookup, kUpload } kind = kImage;
    int count = 0;  // lookup lines or upload records
};

struct Result {
    bool ok = false;
    double seconds = 0;
    double floorSeconds = 0;
    double cpuSeconds = 0;
    long rssBeforeKiB = 0;
    long rssAfterKiB = 0;
};

std::string MakeLines(int n, const char* prefix) {
    std::string out;
    char line[64];
    for (int i = 0; i < n; ++i) {
        std::snprintf(line, sizeof line, "%s%08d;Product %d;%d.%02d\r\n", prefix, i, i % 997,
                      i % 500, i % 100);
        out += line;
    }
    return out;
}

double BitsSeconds(std::uint64_t bytes, int baud) {
    return baud > 0 ? static_cast<double>(bytes) * 10.0 / baud : 0.0;
}

Result RunCase(const Case& c, LinkWaitStyle style, const fs::path& dir) {
    Result r;
    auto ws = std::make_unique<Workspace>();
    StartWorkspace(*ws, dir);
    QStringList args{
        QStringLiteral("--sessions"),     QStringLiteral("1"),
        QStringLiteral("--out"),          QString::fromStdString((dir / "out").string()),
        QStringLiteral("--upload-delay"), QString::number(kUploadStartDelayMs)};
    if (c.lineSpeed > 0) args << QStringLiteral("--line-speed") << QString::number(c.lineSpeed);
    const fs::path data = dir / "data.txt";
    if (c.kind == Case::kLookup) std::ofstream(data, std::ios::binary) << MakeLines(c.count, "");
    if (c.kind == Case::kUpload) {
        std::ofstream(data, std::ios::binary) << MakeLines(c.count, "R");
        args << QStringLiteral("--records") << QString::fromStdString(data.string());
    }

    Settings& s = ws->settings;
    QTcpServer probe;
    if (c.wifi) {
        probe.listen(QHostAddress::LocalHost, 0);
        const quint16 port = probe.serverPort();
        probe.close();
        args << QStringLiteral("--tcp") << QStringLiteral("127.0.0.1:%1").arg(port);
        s.downloadLinkType = s.uploadLinkType = kLinkWifi;
        s.networkPort = port;
    } else {
        args << QStringLiteral("--pty");
        s.downloadLinkType = s.uploadLinkType = kLinkSerial;
        s.baudRateIndex = 0;  // 115200
    }
    QProcess sim;
    sim.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    sim.start(QStringLiteral(FW_SIM_PATH), args);
    if (!sim.waitForStarted(10000)) return r;
    LinkOpenerConfig config;
    config.waitStyle = style;
    if (!c.wifi) {
        std::string out;
        while (out.find('\n') == std::string::npos && sim.waitForReadyRead(10000))
            out += sim.readAllStandardOutput().toStdString();
        const std::string marker = "pseudo-terminal ";
        const std::size_t at = out.find(marker);
        if (at == std::string::npos) return r;
        config.device = out.substr(at + marker.size(), out.find('\n', at) - at - marker.size());
    }

    QuietUi ui;
    TransferOutcome ended;
    SilentWaiter waiter;
    // Watched as the program and the command-line tool watch it, so that its cost is counted.
    config.cancel = &ui.Cancel();
    QtLinkOpener opener(*ws, ui, waiter, config);
    TimedOpener timed(opener);
    r.rssBeforeKiB = ResidentKiB();
    int outcome = 0;
    switch (c.kind) {
        case Case::kImage:
            outcome = RunDownload(*ws, timed, ui, SystemClock(), kDownloadProgram, &ended);
            r.ok = outcome == 1 && ended.end == TransferEnd::kCompleted;
            break;
        case Case::kLookup:
            ui.file = data;
            outcome = RunDownload(*ws, timed, ui, SystemClock(), kDownloadLookup, &ended);
            r.ok = outcome == 1 && ended.end == TransferEnd::kCompleted;
            break;
        case Case::kUpload:
            ui.file = dir / "received.txt";
            outcome = RunUpload(*ws, timed, ui, SystemClock(), &ended);
            r.ok = outcome == c.count && ended.end == TransferEnd::kCompleted;
            break;
    }
    const auto end = BenchClock::now();
    r.cpuSeconds = CpuSeconds() - timed.cpuAtOpen;
    r.rssAfterKiB = ResidentKiB();
    r.seconds = std::chrono::duration<double>(end - timed.opened).count();
    sim.waitForFinished(10000);

    // The floor: 1 ms after every answered packet or record, plus the bits of every byte both
    // ways on a serial line.
    std::uint64_t wireBytes = 0;
    int sleeps = 0;
    double turnaround = 0;
    switch (c.kind) {
        case Case::kImage:
            sleeps = kImagePackets;
            wireBytes = 7 + 4 + kImagePackets * (103 + 4);
            break;
        case Case::kLookup: {
            sleeps = c.count + 1;
            const std::uint64_t fileBytes = fs::file_size(data);
            // Each line loses its CR LF and gains two sum bytes and a CR; "OVER\r"; the answers.
            wireBytes = 7 + 4 + fileBytes + static_cast<std::uint64_t>(c.count) + 5 +
                        4ull * (static_cast<std::uint64_t>(c.count) + 1);
            break;
        }
        case Case::kUpload: {
            sleeps = c.count;
            const std::uint64_t fileBytes = fs::file_size(data);
            // Each record: sequence byte, data, two sum bytes, CR (its CR LF became 4 bytes).
            wireBytes = 5 + 4 + fileBytes + 2ull * static_cast<std::uint64_t>(c.count) + 5 +
                        4ull * static_cast<std::uint64_t>(c.count);
            // The simulated terminal's pause before its first record.
            turnaround = kUploadStartDelayMs / 1000.0;
            break;
        }
    }
    r.floorSeconds = sleeps / 1000.0 + BitsSeconds(wireBytes, c.lineSpeed) + turnaround;
    return r;
}

}  // namespace

int main(int argc, char** argv) {
    int lines = 100000;
    int records = 100000;
    std::string style = "eventloop";
    std::string only;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string a = argv[i];
        if (a == "--lines") lines = std::atoi(argv[i + 1]);
        if (a == "--records") records = std::atoi(argv[i + 1]);
        if (a == "--style") style = argv[i + 1];
        if (a == "--only") only = argv[i + 1];
    }
    EnsureQtApplication();
    const fs::path dir =
        fs::temp_directory_path() / ("fw-transfer-bench-" + std::to_string(std::random_device{}()));
    fs::create_directories(dir);

    const std::vector<Case> cases = {
        {"image, TCP 127.0.0.1", true, 0, Case::kImage, 0},
        {"image, pty at 115200 bit/s", false, 115200, Case::kImage, 0},
        {"lookup " + std::to_string(lines) + " lines, TCP", true, 0, Case::kLookup, lines},
        {"upload " + std::to_string(records) + " records, TCP", true, 0, Case::kUpload, records},
    };
    std::vector<std::pair<const char*, LinkWaitStyle>> styles;
    if (style == "eventloop" || style == "both")
        styles.emplace_back("event loop", LinkWaitStyle::kEventLoop);
    if (style == "blocking" || style == "both")
        styles.emplace_back("blocking", LinkWaitStyle::kBlocking);

    std::printf("%-34s %-10s %10s %10s %7s %9s %6s %15s\n", "case", "waits", "time s", "floor s",
                "ratio", "cpu s", "cpu %", "rss KiB");
    bool allOk = true;
    for (const auto& [styleName, waitStyle] : styles) {
        for (std::size_t i = 0; i < cases.size(); ++i) {
            if (!only.empty() && std::to_string(i + 1) != only) continue;
            const Case& c = cases[i];
            const Result r = RunCase(c, waitStyle, dir);
            allOk = allOk && r.ok;
            std::printf("%-34s %-10s %10.3f %10.3f %7.3f %9.3f %5.1f%% %7ld->%-7ld%s\n",
                        c.name.c_str(), styleName, r.seconds, r.floorSeconds,
                        r.floorSeconds > 0 ? r.seconds / r.floorSeconds : 0.0, r.cpuSeconds,
                        r.seconds > 0 ? 100.0 * r.cpuSeconds / r.seconds : 0.0, r.rssBeforeKiB,
                        r.rssAfterKiB, r.ok ? "" : "  FAILED");
            std::fflush(stdout);
        }
    }
    std::error_code ec;
    fs::remove_all(dir, ec);
    return allOk ? 0 : 1;
}
