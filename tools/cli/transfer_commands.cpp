// Transfer commands: download, download-lookup, receive. They run the same flows as the
// program's menu commands over the link the settings (or the options) choose, with the
// questions asked on the terminal when someone is there and answered by flags otherwise.
#include <QSocketNotifier>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <string>

#include "cli.h"
#include "comm/clock.h"
#include "comm/download.h"
#include "comm/links/linkopener.h"
#include "comm/transfertexts.h"
#include "comm/upload.h"
#include "model/language.h"
#include "model/unicode.h"

#if defined(__unix__) || defined(__APPLE__)
#include <fcntl.h>
#include <unistd.h>
#include <cerrno>
#define FW_CLI_HAS_SIGNALS 1
#endif

namespace fw::cli {
namespace {

namespace fs = std::filesystem;

bool IsTerminal(FILE* stream) {
#ifdef FW_CLI_HAS_SIGNALS
    return ::isatty(::fileno(stream)) != 0;
#else
    (void)stream;
    return false;
#endif
}

// Messages go to stderr as the other commands print them; the progress window is one line
// that rewrites itself; the yes / no questions are asked when a person is at the terminal.
class ConsoleTransferUi final : public TransferUi {
  public:
    ConsoleTransferUi(Context& ctx, int retryAnswer, fs::path file)
        : ctx_(ctx), retryAnswer_(retryAnswer), file_(std::move(file)) {}

    int Show(const MessageRequest& request) override {
        EndProgressLine();
        const bool question = request.buttons == MessageButtons::YesNo ||
                              request.buttons == MessageButtons::YesNoCancel;
        ctx_.presenter.answerYes = false;
        const int shown = ctx_.presenter.Show(request);
        if (!question) return shown;
        // Only the retry question reaches here with a choice that matters; the records
        // question is answered "No": a shell has no viewer to open.
        if (request.textId != kTextRetryDownload) return kIdNo;
        if (retryAnswer_ != 0) return retryAnswer_;
        if (!IsTerminal(stdin)) return kIdNo;
        ctx_.err << "retry? [y/N] " << std::flush;
        std::string line;
        if (!std::getline(std::cin, line)) return kIdNo;
        return (!line.empty() && (line[0] == 'y' || line[0] == 'Y')) ? kIdYes : kIdNo;
    }

    bool ChooseFile(const FileDialogRequest&, fs::path& chosen) override {
        if (file_.empty()) return false;
        chosen = file_;
        return true;
    }

    void OpenProgress(std::u16string_view, std::u16string_view text) override {
        progressText_ = Utf16ToUtf8(std::u16string(text));
        progress_ = -1;
        SetProgress(0);
    }

    void SetProgress(int value) override {
        value = value == kProgressBusy ? kProgressBusy : std::clamp(value, 0, 100);
        if (value == progress_) return;
        progress_ = value;
        if (IsTerminal(stderr)) {
            ctx_.err << "\r" << progressText_;
            if (value != kProgressBusy) ctx_.err << " " << value << "%";
            ctx_.err << std::flush;
            lineOpen_ = true;
        } else if (value == 100) {
            ctx_.err << progressText_ << " 100%\n";
        }
    }

    void CloseProgress() override { EndProgressLine(); }

    void OpenForViewing(const fs::path&) override {}

  private:
    void EndProgressLine() {
        if (lineOpen_) ctx_.err << "\n";
        lineOpen_ = false;
    }

    Context& ctx_;
    int retryAnswer_;
    fs::path file_;
    std::string progressText_;
    int progress_ = -1;
    bool lineOpen_ = false;
};

// SIGINT and SIGTERM stop a transfer at any point: waiting for a Wi-Fi terminal, the
// handshake, the packets, the records, even the retry question. The handler only sets the
// request and writes a byte to a pipe; the pipe's notifier, which the link's event loop watches,
// then makes the request on the main thread and so ends the wait at once.
std::atomic<CancelSignal*> gStopRequest{nullptr};
#ifdef FW_CLI_HAS_SIGNALS
int gWakePipe[2] = {-1, -1};
#endif

extern "C" void OnStopSignal(int) {
#ifdef FW_CLI_HAS_SIGNALS
    const int savedErrno = errno;
#endif
    if (CancelSignal* cancel = gStopRequest.load()) cancel->RequestFromSignalHandler();
#ifdef FW_CLI_HAS_SIGNALS
    const char byte = 1;
    [[maybe_unused]] const auto n = ::write(gWakePipe[1], &byte, 1);
    errno = savedErrno;
#endif
}

class StopSignals {
  public:
    explicit StopSignals(CancelSignal& cancel) {
        gStopRequest = &cancel;
#ifdef FW_CLI_HAS_SIGNALS
        EnsureQtApplication();
        if (::pipe(gWakePipe) == 0) {
            for (const int fd : gWakePipe) {
                ::fcntl(fd, F_SETFD, FD_CLOEXEC);
                ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
            }
            notifier_ = std::make_unique<QSocketNotifier>(gWakePipe[0], QSocketNotifier::Read);
            QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(),
                             [&cancel] {
                                 char drained[16];
                                 while (::read(gWakePipe[0], drained, sizeof drained) > 0) {
                                 }
                                 cancel.Request();
                             });
        }
        // No SA_RESTART: a question read from the terminal is given up as well.
        struct sigaction action {};
        action.sa_handler = OnStopSignal;
        sigemptyset(&action.sa_mask);
        ::sigaction(SIGINT, &action, &previousInt_);
        ::sigaction(SIGTERM, &action, &previousTerm_);
#else
        previousInt_ = std::signal(SIGINT, OnStopSignal);
        previousTerm_ = std::signal(SIGTERM, OnStopSignal);
#endif
    }

    ~StopSignals() {
#ifdef FW_CLI_HAS_SIGNALS
        ::sigaction(SIGINT, &previousInt_, nullptr);
        ::sigaction(SIGTERM, &previousTerm_, nullptr);
        notifier_.reset();
        for (int& fd : gWakePipe) {
            if (fd >= 0) ::close(fd);
            fd = -1;
        }
#else
        std::signal(SIGINT, previousInt_);
        std::signal(SIGTERM, previousTerm_);
#endif
        gStopRequest = nullptr;
    }

    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

  private:
#ifdef FW_CLI_HAS_SIGNALS
    std::unique_ptr<QSocketNotifier> notifier_;
    struct sigaction previousInt_ {};
    struct sigaction previousTerm_ {};
#else
    void (*previousInt_)(int) = SIG_DFL;
    void (*previousTerm_)(int) = SIG_DFL;
#endif
};

// The Wi-Fi waiting step on stderr: the text and its dots; Ctrl-C cancels through StopSignals.
class ConsoleWaiter final : public ConnectionWaiter {
  public:
    ConsoleWaiter(Context& ctx, int port) : ctx_(ctx), port_(port) {}

    void Open(std::u16string_view title, std::u16string_view text, std::u16string_view,
              std::function<void()>) override {
        tty_ = IsTerminal(stderr);
        ctx_.err << Utf16ToUtf8(std::u16string(title)) << " (port " << port_
                 << "; Ctrl-C cancels)\n"
                 << std::flush;
        SetText(text);
    }

    void SetText(std::u16string_view text) override {
        if (!tty_) return;
        ctx_.err << "\r" << Utf16ToUtf8(std::u16string(text)) << "   " << std::flush;
    }

    void Close() override {
        if (tty_) ctx_.err << "\n";
    }

  private:
    Context& ctx_;
    int port_;
    bool tty_ = false;
};

constexpr std::string_view kLinkFlags[] = {"--retry", "--no-retry"};
constexpr std::string_view kReceiveFlags[] = {"--force"};
constexpr std::string_view kLinkValues[] = {"--link", "--com",      "--device",
                                            "--baud", "--net-port", "--extra-timeout"};

constexpr std::string_view kLinkHelp =
    "Link options (defaults from \"Formwright.ini\" beside the program):\n"
    "  --link serial|spp|wifi   RS-232/USB VCOM, Serial-SPP or Wi-Fi\n"
    "  --com N                  COM port 1..255 (dosdevices/comN in the program's folder,\n"
    "                           else /dev/ttyS<N-1>)\n"
    "  --device PATH            open this serial device instead of the COM port\n"
    "  --baud RATE              115200, 57600, 38400, 19200 or 9600\n"
    "  --net-port N             TCP port the terminal connects to (Wi-Fi), 1..65535\n"
    "  --extra-timeout S        seconds added to the answer deadlines, 0..30";

constexpr std::string_view kStopHelp =
    "\n\nCtrl-C (SIGINT) or SIGTERM stops the transfer at once, wherever it is: the link is\n"
    "closed, \"cancelled\" is printed, nothing received is kept, and the exit code is 1.";

bool ReadNumber(const std::string& text, long min, long max, long& value) {
    if (text.empty() || text.size() > 9) return false;
    for (const char c : text)
        if (c < '0' || c > '9') return false;
    value = std::stol(text);
    return value >= min && value <= max;
}

// Applies the link options over the settings; prints why and returns false on a bad value.
bool ApplyLinkOptions(Context& ctx, std::string_view command, const ParsedArgs& parsed, bool upload,
                      LinkOpenerConfig& config) {
    Settings& s = ctx.ws.settings;
    long n = 0;
    if (parsed.Has("--link")) {
        const std::string link = parsed.Value("--link");
        const std::uint8_t type = link == "serial" ? kLinkSerial
                                  : link == "spp"  ? kLinkSerialSpp
                                  : link == "wifi" ? kLinkWifi
                                                   : 0xFF;
        if (type == 0xFF) return UsageError(ctx, command, "--link is serial, spp or wifi"), false;
        (upload ? s.uploadLinkType : s.downloadLinkType) = type;
    }
    if (parsed.Has("--com")) {
        if (!ReadNumber(parsed.Value("--com"), 1, 255, n))
            return UsageError(ctx, command, "--com wants a port number 1..255"), false;
        s.comPort = static_cast<std::int32_t>(n);
    }
    if (parsed.Has("--baud")) {
        bool found = false;
        if (ReadNumber(parsed.Value("--baud"), 1, 999999, n)) {
            for (std::size_t i = 0; i < std::size(kBaudRates); ++i)
                if (kBaudRates[i] == n) {
                    s.baudRateIndex = static_cast<std::uint8_t>(i);
                    found = true;
                }
        }
        if (!found)
            return UsageError(ctx, command, "--baud is 115200, 57600, 38400, 19200 or 9600"), false;
    }
    if (parsed.Has("--net-port")) {
        if (!ReadNumber(parsed.Value("--net-port"), 1, 65535, n))
            return UsageError(ctx, command, "--net-port wants a port number 1..65535"), false;
        s.networkPort = static_cast<std::int32_t>(n);
    }
    if (parsed.Has("--extra-timeout")) {
        if (!ReadNumber(parsed.Value("--extra-timeout"), 0, 30, n))
            return UsageError(ctx, command, "--extra-timeout wants seconds 0..30"), false;
        s.extraTimeout = static_cast<std::int32_t>(n);
    }
    if (parsed.Has("--device")) config.device = PathArg(parsed.Value("--device"));
    // The links wait in an event loop, which a stop signal's pipe can wake.
    config.waitStyle = LinkWaitStyle::kEventLoop;
    return true;
}

struct TransferArgs {
    ParsedArgs parsed;
    LinkOpenerConfig config;
    int retryAnswer = 0;
};

int ParseTransferArgs(Context& ctx, std::string_view command, Args args, bool upload,
                      TransferArgs& t) {
    if (!ParseArgs(ctx, command, args,
                   upload ? std::span<const std::string_view>(kReceiveFlags) : kLinkFlags,
                   kLinkValues, t.parsed))
        return kExitUsage;
    if (t.parsed.positional.size() != 1) return UsageError(ctx, command, "one file is needed");
    if (t.parsed.Has("--retry") && t.parsed.Has("--no-retry"))
        return UsageError(ctx, command, "--retry and --no-retry exclude each other");
    if (t.parsed.Has("--retry")) t.retryAnswer = kIdYes;
    if (t.parsed.Has("--no-retry")) t.retryAnswer = kIdNo;
    if (!ApplyLinkOptions(ctx, command, t.parsed, upload, t.config)) return kExitUsage;
    return kExitOk;
}

int RunDownloadCommand(Context& ctx, Args args, DownloadMode mode) {
    const std::string_view command = mode == kDownloadProgram ? "download" : "download-lookup";
    TransferArgs t;
    if (const int usage = ParseTransferArgs(ctx, command, args, false, t); usage != kExitOk)
        return usage;
    const fs::path file = PathArg(t.parsed.positional[0]);
    if (mode == kDownloadProgram && !OpenProject(ctx, file)) return kExitFailed;

    ConsoleTransferUi ui(ctx, t.retryAnswer, mode == kDownloadLookup ? file : fs::path());
    const StopSignals stop(ui.Cancel());
    ConsoleWaiter waiter(ctx, ctx.ws.settings.networkPort);
    t.config.cancel = &ui.Cancel();
    QtLinkOpener opener(ctx.ws, ui, waiter, t.config);
    TransferOutcome outcome;
    RunDownload(ctx.ws, opener, ui, SystemClock(), mode, &outcome);
    if (outcome.end == TransferEnd::kCancelled)
        ctx.err << "formwright-cli: " << command << ": cancelled\n";
    return outcome.end == TransferEnd::kCompleted ? kExitOk : kExitFailed;
}

int RunDownloadProgram(Context& ctx, Args args) {
    return RunDownloadCommand(ctx, args, kDownloadProgram);
}

int RunDownloadLookup(Context& ctx, Args args) {
    return RunDownloadCommand(ctx, args, kDownloadLookup);
}

int RunReceive(Context& ctx, Args args) {
    TransferArgs t;
    if (const int usage = ParseTransferArgs(ctx, "receive", args, true, t); usage != kExitOk)
        return usage;
    const fs::path out = PathArg(t.parsed.positional[0]);
    // No one is asked before a file is replaced, so replacing one has to be asked for.
    std::error_code ec;
    if (!t.parsed.Has("--force") && fs::exists(fs::symlink_status(out, ec))) {
        ctx.err << "formwright-cli: receive: " << PathText(out)
                << " exists; give --force to replace it with the received records\n";
        return kExitFailed;
    }
    ConsoleTransferUi ui(ctx, kIdNo, out);
    const StopSignals stop(ui.Cancel());
    ConsoleWaiter waiter(ctx, ctx.ws.settings.networkPort);
    t.config.cancel = &ui.Cancel();
    QtLinkOpener opener(ctx.ws, ui, waiter, t.config);
    TransferOutcome outcome;
    const int count = RunUpload(ctx.ws, opener, ui, SystemClock(), &outcome);
    if (outcome.end == TransferEnd::kCancelled) ctx.err << "formwright-cli: receive: cancelled\n";
    if (outcome.end != TransferEnd::kCompleted || count <= 0) return kExitFailed;
    ctx.out << PathText(out) << ": " << count << (count == 1 ? " record\n" : " records\n");
    return kExitOk;
}

// The help texts share the link options; they are put together once.
const std::string kDownloadHelp =
    "PROJECT is opened as the Open command opens it, normalised, turned into the program\n"
    "image and sent after the terminal answered \"VORTEK\". On failure the retry question is\n"
    "asked when stdin is a terminal; --retry or --no-retry answer it for scripts (without\n"
    "them and without a terminal the answer is no).\n\n" +
    std::string(kLinkHelp) +
    "\n  --retry, --no-retry      answer to \"Failed to download, would you like to retry?\"" +
    std::string(kStopHelp);
const std::string kLookupHelp =
    "FILE is sent one line per packet (at most 253 bytes a line), then \"OVER\".\n\n" +
    std::string(kLinkHelp) +
    "\n  --retry, --no-retry      answer to \"Failed to download, would you like to retry?\"" +
    std::string(kStopHelp);
const std::string kReceiveHelp =
    "The records the terminal collected are written to OUT, one line each (CR LF). They go\n"
    "to a temporary file beside OUT, which becomes OUT only when records arrived: a failed\n"
    "or stopped transfer leaves an existing OUT as it was. An existing OUT is refused unless\n"
    "--force is given. Exits 1 when no record arrived.\n\n" +
    std::string(kLinkHelp) + "\n  --force                  replace OUT when it exists" +
    std::string(kStopHelp);

const Command kTransferCommands[] = {
    {"download", "PROJECT [link options] [--retry|--no-retry]",
     "download a project's program image to the terminal", kDownloadHelp, RunDownloadProgram},
    {"download-lookup", "FILE [link options] [--retry|--no-retry]",
     "download a lookup file to the terminal", kLookupHelp, RunDownloadLookup},
    {"receive", "OUT [link options] [--force]", "receive the terminal's records into OUT",
     kReceiveHelp, RunReceive},
};
const CommandGroup kRegistered(kTransferCommands);

}  // namespace
}  // namespace fw::cli
