// m740-sim: a virtual M740 terminal. It connects the way a terminal does (as a TCP client for
// Wi-Fi, on a serial device, or on a pseudo-terminal pair it creates) and answers the PC's
// program download, lookup file download and data upload, optionally misbehaving on purpose.

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSerialPort>
#include <QSocketNotifier>
#include <QTcpSocket>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "simterminal.h"

#if defined(__unix__) || defined(__APPLE__)
#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>
#if defined(__APPLE__)
#include <util.h>
#else
#include <pty.h>
#endif
#define FW_SIM_HAS_PTY 1
#endif

namespace {

using namespace fw::sim;
using SimClock = std::chrono::steady_clock;

constexpr std::size_t kRecordDataMax = 251;
constexpr int kReconnectMs = 100;

void Say(const QString& text) {
    std::fprintf(stdout, "m740-sim: %s\n", text.toLocal8Bit().constData());
    std::fflush(stdout);
}

void Warn(const QString& text) {
    std::fprintf(stderr, "m740-sim: %s\n", text.toLocal8Bit().constData());
    std::fflush(stderr);
}

// "N" or "N:K": packet N, K times.
bool ParseFault(const QString& text, Fault& fault) {
    const QStringList parts = text.split(u':');
    bool ok = false;
    fault.at = parts.value(0).toInt(&ok);
    if (!ok || fault.at < 0) return false;
    fault.times = 1;
    if (parts.size() == 2) {
        fault.times = parts[1].toInt(&ok);
        if (!ok || fault.times < 1) return false;
    }
    return parts.size() <= 2;
}

bool ReadRecords(const QString& path, std::vector<std::string>& records) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QByteArray all = file.readAll();
    std::size_t start = 0;
    const std::string text = all.toStdString();
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        line.erase(std::remove(line.begin(), line.end(), '\r'), line.end());
        if (line.size() > kRecordDataMax) {
            Warn(QStringLiteral("record %1 cut to %2 bytes")
                     .arg(records.size())
                     .arg(kRecordDataMax));
            line.resize(kRecordDataMax);
        }
        records.push_back(std::move(line));
        start = end + 1;
    }
    return true;
}

class Simulator : public QObject {
  public:
    struct Config {
        SimOptions options;
        QString host;
        quint16 port = 0;
        QString device;
        bool pty = false;
        QString ptyLink;
        qint32 baud = 115200;
        QString outDir = QStringLiteral(".");
        int sessions = 0;
        int lineSpeed = 0;  // bit/s to emulate; 0 = as fast as the transport goes
        int slowMs = 0;
        QString wireLog;
        bool verbose = false;
    };

    explicit Simulator(Config config) : config_(std::move(config)), terminal_(config_.options) {}

    ~Simulator() override {
#ifdef FW_SIM_HAS_PTY
        if (!config_.ptyLink.isEmpty()) QFile::remove(config_.ptyLink);
#endif
    }

    bool Start() {
        if (!config_.wireLog.isEmpty()) {
            wireIn_.setFileName(config_.wireLog + QStringLiteral(".in"));
            wireOut_.setFileName(config_.wireLog + QStringLiteral(".out"));
            const auto mode = QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered;
            if (!wireIn_.open(mode) || !wireOut_.open(mode)) {
                Warn(QStringLiteral("cannot write the wire log %1").arg(config_.wireLog));
                return false;
            }
        }
        if (!QDir().mkpath(config_.outDir)) {
            Warn(QStringLiteral("cannot create the folder %1").arg(config_.outDir));
            return false;
        }
        if (!config_.host.isEmpty()) return StartTcp();
        if (!config_.device.isEmpty()) return StartSerial();
        return StartPty();
    }

  private:
    bool StartTcp() {
        socket_ = new QTcpSocket(this);
        connect(socket_, &QTcpSocket::connected, this, [this] {
            socket_->setSocketOption(QAbstractSocket::LowDelayOption, 1);
            Say(QStringLiteral("connected to %1:%2").arg(config_.host).arg(config_.port));
        });
        connect(socket_, &QTcpSocket::readyRead, this, [this] { OnBytes(socket_->readAll()); });
        connect(socket_, &QTcpSocket::disconnected, this, [this] {
            if (terminal_.State() != "idle")
                Say(QStringLiteral("link closed during %1")
                        .arg(QString::fromStdString(terminal_.State())));
            terminal_.LinkLost();
            SessionEnded();
            if (!finished_) QTimer::singleShot(kReconnectMs, this, [this] { Connect(); });
        });
        connect(socket_, &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError) {
            // Refused or unreachable: the PC is not listening yet, as when a real terminal
            // starts its transfer before the user does.
            if (socket_->state() != QAbstractSocket::ConnectedState) {
                socket_->abort();
                QTimer::singleShot(kReconnectMs, this, [this] { Connect(); });
            }
        });
        Say(QStringLiteral("connecting to %1:%2").arg(config_.host).arg(config_.port));
        Connect();
        return true;
    }

    void Connect() {
        if (finished_ || socket_->state() != QAbstractSocket::UnconnectedState) return;
        socket_->connectToHost(config_.host, config_.port, QIODevice::ReadWrite,
                               QAbstractSocket::IPv4Protocol);
    }

    bool StartSerial() {
        serial_ = new QSerialPort(config_.device, this);
        if (!serial_->open(QIODevice::ReadWrite)) {
            Warn(QStringLiteral("cannot open %1: %2").arg(config_.device, serial_->errorString()));
            return false;
        }
        serial_->setBaudRate(config_.baud);
        serial_->setDataBits(QSerialPort::Data8);
        serial_->setParity(QSerialPort::NoParity);
        serial_->setStopBits(QSerialPort::OneStop);
        serial_->setFlowControl(QSerialPort::NoFlowControl);
        connect(serial_, &QSerialPort::readyRead, this, [this] { OnBytes(serial_->readAll()); });
        Say(QStringLiteral("serial device %1 at %2 bit/s").arg(config_.device).arg(config_.baud));
        return true;
    }

    bool StartPty() {
#ifdef FW_SIM_HAS_PTY
        char name[256] = {};
        if (::openpty(&master_, &slave_, name, nullptr, nullptr) != 0) {
            Warn(QStringLiteral("cannot create a pseudo-terminal"));
            return false;
        }
        // Raw, so that the PC's bytes are neither echoed nor translated before its own port
        // settings apply. Our copy of the terminal side stays open: the pair then lives on
        // while the PC opens and closes its end between transfers.
        termios tio{};
        ::tcgetattr(slave_, &tio);
        ::cfmakeraw(&tio);
        ::tcsetattr(slave_, TCSANOW, &tio);
        ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
        ptyName_ = QString::fromLocal8Bit(name);
        if (!config_.ptyLink.isEmpty()) {
            QFile::remove(config_.ptyLink);
            if (!QFile::link(ptyName_, config_.ptyLink))
                Warn(QStringLiteral("cannot create the link %1").arg(config_.ptyLink));
        }
        notifier_ = new QSocketNotifier(master_, QSocketNotifier::Read, this);
        connect(notifier_, &QSocketNotifier::activated, this, [this] {
            char chunk[4096];
            const ssize_t n = ::read(master_, chunk, sizeof chunk);
            if (n > 0) OnBytes(QByteArray(chunk, static_cast<int>(n)));
        });
        Say(QStringLiteral("pseudo-terminal %1").arg(ptyName_));
        return true;
#else
        Warn(QStringLiteral("pseudo-terminals are not available here; use --device or --tcp"));
        return false;
#endif
    }

    // Emulated line time of n bytes (start bit, 8 data bits, stop bit).
    SimClock::duration LineTime(std::size_t n) const {
        if (config_.lineSpeed <= 0) return SimClock::duration::zero();
        return std::chrono::duration_cast<SimClock::duration>(std::chrono::nanoseconds(
            static_cast<long long>(n) * 10LL * 1'000'000'000LL / config_.lineSpeed));
    }

    void OnBytes(const QByteArray& bytes) {
        if (bytes.isEmpty()) return;
        if (wireIn_.isOpen()) wireIn_.write(bytes);
        const auto now = SimClock::now();
        rxFreeAt_ = std::max(now, rxFreeAt_) + LineTime(static_cast<std::size_t>(bytes.size()));
        actions_.clear();
        terminal_.Receive(
            std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), actions_);
        if (actions_.empty()) return;
        // The terminal sees the packet only when its last bit has arrived.
        std::this_thread::sleep_until(rxFreeAt_);
        for (const SimAction& a : actions_)
            Perform(a);
    }

    void Perform(const SimAction& a) {
        switch (a.kind) {
            case SimAction::Kind::kSend:
                Transmit(a.bytes);
                break;
            case SimAction::Kind::kPause:
                std::this_thread::sleep_for(std::chrono::milliseconds(a.pauseMs));
                break;
            case SimAction::Kind::kDisconnect:
                Say(QStringLiteral("hanging up"));
                if (socket_) socket_->disconnectFromHost();
                break;
            case SimAction::Kind::kImageStored:
                Store(QStringLiteral("image-%1.bin").arg(++images_), a.bytes,
                      QStringLiteral("program image"));
                if (!socket_) SessionEnded();
                break;
            case SimAction::Kind::kLookupStored:
                Store(QStringLiteral("lookup-%1.txt").arg(++lookups_), a.bytes,
                      QStringLiteral("lookup file"));
                if (!socket_) SessionEnded();
                break;
            case SimAction::Kind::kUploadDone:
                Say(QStringLiteral("records sent: %1 (%2 sends, %3 NAK)")
                        .arg(config_.options.records.size())
                        .arg(terminal_.Stats().recordsSent)
                        .arg(terminal_.Stats().naksReceived));
                if (!socket_) SessionEnded();
                break;
            case SimAction::Kind::kAborted:
                Say(QStringLiteral("transfer stopped: %1").arg(QString::fromStdString(a.text)));
                if (!socket_) SessionEnded();
                break;
        }
    }

    void Transmit(const std::string& bytes) {
        if (config_.slowMs > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(config_.slowMs));
        if (config_.lineSpeed > 0) {
            txFreeAt_ = std::max(SimClock::now(), txFreeAt_) + LineTime(bytes.size());
            std::this_thread::sleep_until(txFreeAt_);
        }
        if (config_.verbose) Warn(QStringLiteral("send %1 bytes").arg(bytes.size()));
        if (wireOut_.isOpen()) wireOut_.write(bytes.data(), static_cast<qint64>(bytes.size()));
        if (socket_) {
            socket_->write(bytes.data(), static_cast<qint64>(bytes.size()));
            socket_->flush();
        } else if (serial_) {
            serial_->write(bytes.data(), static_cast<qint64>(bytes.size()));
            serial_->flush();
        }
#ifdef FW_SIM_HAS_PTY
        else if (master_ >= 0) {
            // Nobody reading the other end: the bytes are lost, as on an unplugged cable.
            if (::write(master_, bytes.data(), bytes.size()) < 0 && config_.verbose)
                Warn(QStringLiteral("bytes lost: nobody reads the line"));
        }
#endif
    }

    void Store(const QString& name, const std::string& bytes, const QString& what) {
        const QString path = QDir(config_.outDir).filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
                static_cast<qint64>(bytes.size())) {
            Warn(QStringLiteral("cannot write %1").arg(path));
            return;
        }
        Say(QStringLiteral("%1 received (%2 bytes): %3").arg(what).arg(bytes.size()).arg(path));
    }

    void SessionEnded() {
        ++sessionsDone_;
        if (config_.sessions > 0 && sessionsDone_ >= config_.sessions && !finished_) {
            finished_ = true;
            const SimStats& s = terminal_.Stats();
            Say(QStringLiteral("done: %1 handshakes, %2 packets accepted, %3 rejected, %4 repeats")
                    .arg(s.handshakes)
                    .arg(s.packetsAccepted)
                    .arg(s.packetsRejected)
                    .arg(s.repeatsAcknowledged));
            QuitWhenDrained(0);
        }
    }

    // A pseudo-terminal's last bytes vanish with it, so the PC gets up to two seconds to read
    // them before the pair goes away.
    void QuitWhenDrained(int waitedMs) {
#ifdef FW_SIM_HAS_PTY
        int pending = 0;
        // The kernel hands written bytes to the terminal side a little later, so an empty
        // queue only counts after a short while.
        if (slave_ >= 0 && waitedMs < 2000 &&
            (waitedMs < 200 || (::ioctl(slave_, FIONREAD, &pending) == 0 && pending > 0))) {
            QTimer::singleShot(10, this, [this, waitedMs] { QuitWhenDrained(waitedMs + 10); });
            return;
        }
#endif
        (void)waitedMs;
        QTimer::singleShot(0, qApp, [] { QCoreApplication::quit(); });
    }

    Config config_;
    SimTerminal terminal_;
    std::vector<SimAction> actions_;
    QTcpSocket* socket_ = nullptr;
    QSerialPort* serial_ = nullptr;
    QSocketNotifier* notifier_ = nullptr;
    int master_ = -1;
    int slave_ = -1;
    QString ptyName_;
    QFile wireIn_;
    QFile wireOut_;
    SimClock::time_point rxFreeAt_{};
    SimClock::time_point txFreeAt_{};
    int images_ = 0;
    int lookups_ = 0;
    int sessionsDone_ = 0;
    bool finished_ = false;
};

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("m740-sim"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "A virtual M740 terminal: answers program downloads, lookup file downloads and data "
        "uploads. Packets and records are numbered from 0; N:K in a fault means packet N, K "
        "attempts in a row."));
    parser.addHelpOption();
    const QCommandLineOption tcp(QStringLiteral("tcp"),
                                 QStringLiteral("Connect as a Wi-Fi terminal to HOST:PORT."),
                                 QStringLiteral("host:port"));
    const QCommandLineOption device(QStringLiteral("device"),
                                    QStringLiteral("Use this serial device."),
                                    QStringLiteral("path"));
    const QCommandLineOption pty(QStringLiteral("pty"),
                                 QStringLiteral("Create a pseudo-terminal pair and print the "
                                                "name of the device the PC should open "
                                                "(the default)."));
    const QCommandLineOption ptyLink(QStringLiteral("pty-link"),
                                     QStringLiteral("Also make a symbolic link to that device "
                                                    "(for example dosdevices/com3)."),
                                     QStringLiteral("path"));
    const QCommandLineOption baud(QStringLiteral("baud"),
                                  QStringLiteral("Bit rate of the serial device (115200)."),
                                  QStringLiteral("n"), QStringLiteral("115200"));
    const QCommandLineOption out(QStringLiteral("out"),
                                 QStringLiteral("Folder for received images and lookup files."),
                                 QStringLiteral("dir"), QStringLiteral("."));
    const QCommandLineOption records(QStringLiteral("records"),
                                     QStringLiteral("Text file whose lines are sent as records "
                                                    "when the PC asks for data."),
                                     QStringLiteral("file"));
    const QCommandLineOption mode(QStringLiteral("mode"),
                                  QStringLiteral("Download framing: auto, image or lookup."),
                                  QStringLiteral("mode"), QStringLiteral("auto"));
    const QCommandLineOption sessions(QStringLiteral("sessions"),
                                      QStringLiteral("Exit after this many transfers "
                                                     "(connections on TCP); 0 runs until "
                                                     "stopped."),
                                      QStringLiteral("n"), QStringLiteral("0"));
    const QCommandLineOption lineSpeed(QStringLiteral("line-speed"),
                                       QStringLiteral("Emulate a line of this many bit/s."),
                                       QStringLiteral("baud"));
    const QCommandLineOption slow(QStringLiteral("slow"),
                                  QStringLiteral("Wait this long before every answer."),
                                  QStringLiteral("ms"));
    const QCommandLineOption ignoreHello(QStringLiteral("ignore-hello"),
                                         QStringLiteral("Leave the first K \"VORTEK\" or "
                                                        "\"READ\" commands unanswered."),
                                         QStringLiteral("k"));
    const QCommandLineOption noAnswer(QStringLiteral("no-answer"),
                                      QStringLiteral("Do not answer packet N (upload: do not "
                                                     "send record N)."),
                                      QStringLiteral("n[:k]"));
    const QCommandLineOption full(QStringLiteral("full"),
                                  QStringLiteral("Answer \"FULL\" to packet N."),
                                  QStringLiteral("n"));
    const QCommandLineOption badChecksum(QStringLiteral("bad-checksum"),
                                         QStringLiteral("Treat packet N as corrupted (upload: "
                                                        "send record N with a wrong sum)."),
                                         QStringLiteral("n[:k]"));
    const QCommandLineOption partial(QStringLiteral("partial"),
                                     QStringLiteral("Answer packet N with half an answer "
                                                    "(upload: half of record N)."),
                                     QStringLiteral("n[:k]"));
    const QCommandLineOption garbage(QStringLiteral("garbage"),
                                     QStringLiteral("Send a line of noise instead of the "
                                                    "answer to packet N (upload: of record N)."),
                                     QStringLiteral("n[:k]"));
    const QCommandLineOption outOfSequence(QStringLiteral("out-of-sequence"),
                                           QStringLiteral("Upload: send record N with a wrong "
                                                          "sequence number."),
                                           QStringLiteral("n[:k]"));
    const QCommandLineOption repeat(QStringLiteral("repeat"),
                                    QStringLiteral("Upload: send record N again after its "
                                                   "acknowledgement."),
                                    QStringLiteral("n"));
    const QCommandLineOption disconnectAfter(QStringLiteral("disconnect-after"),
                                             QStringLiteral("Hang up after N packets or "
                                                            "records were accepted."),
                                             QStringLiteral("n"));
    const QCommandLineOption uploadDelay(QStringLiteral("upload-delay"),
                                         QStringLiteral("Pause between the answer to \"READ\" "
                                                        "and the first record (50)."),
                                         QStringLiteral("ms"), QStringLiteral("50"));
    const QCommandLineOption wireLog(QStringLiteral("wire-log"),
                                     QStringLiteral("Record the bytes received in PREFIX.in "
                                                    "and those sent in PREFIX.out."),
                                     QStringLiteral("prefix"));
    const QCommandLineOption verbose(QStringLiteral("verbose"),
                                     QStringLiteral("Tell every send on stderr."));
    parser.addOptions({tcp,         device,      pty,           ptyLink,  baud,
                       out,         records,     mode,          sessions, lineSpeed,
                       slow,        ignoreHello, noAnswer,      full,     badChecksum,
                       partial,     garbage,     outOfSequence, repeat,   disconnectAfter,
                       uploadDelay, wireLog,     verbose});
    parser.process(app);

    auto usage = [](const QString& text) {
        Warn(text);
        return 2;
    };
    Simulator::Config config;
    bool ok = true;
    if (parser.isSet(tcp)) {
        const QString value = parser.value(tcp);
        const qsizetype colon = value.lastIndexOf(u':');
        const uint port = colon > 0 ? value.mid(colon + 1).toUInt(&ok) : 0;
        if (colon <= 0 || !ok || port == 0 || port > 65535)
            return usage(QStringLiteral("--tcp wants HOST:PORT"));
        config.host = value.left(colon);
        config.port = static_cast<quint16>(port);
    }
    config.device = parser.value(device);
    config.ptyLink = parser.value(ptyLink);
    if (!config.host.isEmpty() + !config.device.isEmpty() + parser.isSet(pty) > 1)
        return usage(QStringLiteral("choose one of --tcp, --device and --pty"));
    config.baud = parser.value(baud).toInt(&ok);
    if (!ok || config.baud <= 0) return usage(QStringLiteral("--baud wants a bit rate"));
    config.outDir = parser.value(out);
    config.sessions = parser.value(sessions).toInt(&ok);
    if (!ok || config.sessions < 0) return usage(QStringLiteral("--sessions wants a count"));
    if (parser.isSet(lineSpeed)) {
        config.lineSpeed = parser.value(lineSpeed).toInt(&ok);
        if (!ok || config.lineSpeed <= 0)
            return usage(QStringLiteral("--line-speed wants a bit rate"));
    }
    if (parser.isSet(slow)) {
        config.slowMs = parser.value(slow).toInt(&ok);
        if (!ok || config.slowMs < 0) return usage(QStringLiteral("--slow wants milliseconds"));
    }
    config.wireLog = parser.value(wireLog);
    config.verbose = parser.isSet(verbose);

    SimOptions& o = config.options;
    const QString m = parser.value(mode);
    if (m == QLatin1String("auto")) {
        o.mode = DownloadMode::kAuto;
    } else if (m == QLatin1String("image")) {
        o.mode = DownloadMode::kImage;
    } else if (m == QLatin1String("lookup")) {
        o.mode = DownloadMode::kLookup;
    } else {
        return usage(QStringLiteral("--mode is auto, image or lookup"));
    }
    if (parser.isSet(records) && !ReadRecords(parser.value(records), o.records))
        return usage(QStringLiteral("cannot read %1").arg(parser.value(records)));
    if (parser.isSet(ignoreHello)) {
        o.ignoreHello = parser.value(ignoreHello).toInt(&ok);
        if (!ok || o.ignoreHello < 0) return usage(QStringLiteral("--ignore-hello wants a count"));
    }
    const int delay = parser.value(uploadDelay).toInt(&ok);
    if (!ok || delay < 0) return usage(QStringLiteral("--upload-delay wants milliseconds"));
    o.uploadStartDelayMs = static_cast<std::uint32_t>(delay);
    const std::pair<const QCommandLineOption*, Fault*> faults[] = {
        {&noAnswer, &o.noAnswer}, {&full, &o.full},       {&badChecksum, &o.badChecksum},
        {&partial, &o.partial},   {&garbage, &o.garbage}, {&outOfSequence, &o.outOfSequence}};
    for (const auto& [option, fault] : faults) {
        if (parser.isSet(*option) && !ParseFault(parser.value(*option), *fault))
            return usage(QStringLiteral("--%1 wants N or N:K").arg(option->names().first()));
    }
    if (parser.isSet(repeat)) {
        o.repeatRecord = parser.value(repeat).toInt(&ok);
        if (!ok || o.repeatRecord < 0) return usage(QStringLiteral("--repeat wants a record"));
    }
    if (parser.isSet(disconnectAfter)) {
        o.disconnectAfter = parser.value(disconnectAfter).toInt(&ok);
        if (!ok || o.disconnectAfter < 0)
            return usage(QStringLiteral("--disconnect-after wants a count"));
    }

    Simulator simulator(std::move(config));
    if (!simulator.Start()) return 1;
    return QCoreApplication::exec();
}
