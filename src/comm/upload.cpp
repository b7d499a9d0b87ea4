#include "comm/upload.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <streambuf>
#include <system_error>

#include "comm/answer.h"
#include "comm/download.h"
#include "comm/transfertexts.h"
#include "model/language.h"
#include "model/savefile.h"
#include "model/strings.h"

namespace fw {

namespace {

constexpr std::uint8_t kCr = 13;
constexpr std::uint8_t kRead[] = {'R', 'E', 'A', 'D', '\r'};
constexpr std::uint8_t kAck[] = {'A', 'C', 'K', '\r'};
constexpr std::uint8_t kNak[] = {'N', 'A', 'K', '\r'};
constexpr std::uint8_t kOver[] = {'O', 'V', 'E', 'R', '\r'};
// Sequence byte, two checksum bytes and CR: anything shorter cannot be a record.
constexpr std::size_t kRecordMin = 4;

std::uint8_t Escaped(std::uint8_t b) {
    return b == kCr ? 14 : b;
}

struct Record {
    std::array<std::uint8_t, kRecordBufferSize> bytes{};
    std::size_t length = 0;
};

// Collects one record, up to its CR. Every receive waits up to 3000 ms; only after one that
// brought no CR is the record deadline looked at, so a slow terminal's record that arrives
// within the last receive still counts. Returns false on a time-out (or a broken link, which
// would only time out later).
bool ReceiveRecord(TransferSession& s, Record& record, std::uint32_t deadlineMs) {
    record.bytes.fill(0);
    record.length = 0;
    std::array<std::uint8_t, kRecordChunk> chunk{};
    const std::uint64_t t0 = s.clock.NowMs();
    for (;;) {
        chunk.fill(0);
        const ReceiveResult got = LinkReceive(s, chunk, kRecordReceiveTimeoutMs);
        if (got.status == ReceiveStatus::kFailed || got.status == ReceiveStatus::kCancelled)
            return false;
        // Bytes past the record's 255 are dropped, so an overlong line never completes; bytes
        // after the CR belong to nothing the terminal may send before our answer.
        for (std::size_t i = 0; i < got.count && record.length < kRecordMax; ++i) {
            record.bytes[record.length++] = chunk[i];
            if (chunk[i] == kCr) return true;
        }
        if (s.clock.NowMs() - t0 > deadlineMs) return false;
    }
}

bool ChecksumMatches(const Record& r) {
    const std::size_t checked = r.length - 3;  // sequence byte and data
    std::uint32_t sum = 0;
    for (std::size_t i = 0; i < checked; ++i)
        sum += r.bytes[i];
    const auto low = Escaped(static_cast<std::uint8_t>(sum & 0xFF));
    const auto high = Escaped(static_cast<std::uint8_t>((sum >> 8) & 0xFF));
    return r.bytes[r.length - 3] == low && r.bytes[r.length - 2] == high;
}

// The records stream into the temporary file that replaces the chosen one only when records
// arrived.
class ReplacementBuffer final : public std::streambuf {
  public:
    explicit ReplacementBuffer(FileReplacement& file) : file_(file) {}

  protected:
    std::streamsize xsputn(const char* bytes, std::streamsize n) override {
        return file_.Write({bytes, static_cast<std::size_t>(n)}) ? n : 0;
    }
    int_type overflow(int_type c) override {
        if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
        const char byte = traits_type::to_char_type(c);
        return file_.Write({&byte, 1}) ? c : traits_type::eof();
    }

  private:
    FileReplacement& file_;
};

void Answer(TransferSession& s, std::span<const std::uint8_t> answer) {
    LinkSend(s, answer);
    s.clock.SleepMs(1);
}

// Nobody knows how many records will come: the bar only shows that the upload is alive, and
// its Cancel button is the way out of the waits.
void OpenUploadProgress(TransferSession& s) {
    s.ui.OpenProgress(ProgressTitle(s.ws.language), LoadUiString(s.ws.language, kCaptionUpload));
    s.ui.SetProgress(kProgressBusy);
}

}  // namespace

std::uint32_t RecordDeadlineMs(const Settings& settings) {
    const std::uint32_t k =
        (settings.uploadLinkType == kLinkSerialSpp || settings.uploadLinkType == kLinkWifi) ? 10
                                                                                            : 1;
    const auto extra = static_cast<std::uint32_t>(std::clamp(settings.extraTimeout, 0, 30));
    return (k + 2 * extra) * 500;
}

int ReceiveRecords(TransferSession& s, std::ostream& out) {
    if (s.timings.enabled) ResetTimings(s.timings);
    const std::uint64_t started = s.clock.NowMs();

    bool ready = false;
    for (int attempt = 0; attempt < kUploadHandshakeAttempts && !ready; ++attempt) {
        SendCommand(s, kRead);
        if (TransferCancelled(s)) return 0;
        ready = s.answer.Is("ACK\r");
    }
    if (!ready) {
        s.ui.CloseProgress();
        s.failureId = kTextTimeOut;
        ShowTransferMessage(s, kCaptionError, kTextTimeOut, MessageIcon::Warning);
        return 0;
    }

    const std::uint32_t deadlineMs = RecordDeadlineMs(s.ws.settings);
    int expected = 0;
    int count = 0;
    int timeouts = 0;
    Record record;
    for (;;) {
        if (!ReceiveRecord(s, record, deadlineMs)) {
            if (TransferCancelled(s)) return count;
            if (timeouts >= kMaxRecordTimeouts) {
                s.ui.CloseProgress();
                s.failureId = kTextTimeOut;
                ShowTransferMessage(s, kCaptionError, kTextTimeOut, MessageIcon::None);
                return -1;
            }
            ++timeouts;
            Answer(s, kNak);
            continue;
        }
        timeouts = 0;

        if (record.length == sizeof kOver &&
            std::memcmp(record.bytes.data(), kOver, sizeof kOver) == 0)
            break;
        if (record.length < kRecordMin) {
            // No room for a sequence number and a checksum: ask for it again.
            Answer(s, kNak);
            continue;
        }
        if (record.bytes[0] != expected) {
            // The terminal resends a record whose "ACK\r" it missed; it must not be written twice.
            const bool previous = record.bytes[0] == (expected + 9) % 10;
            Answer(s, previous ? std::span<const std::uint8_t>(kAck) : kNak);
            continue;
        }
        if (!ChecksumMatches(record)) {
            Answer(s, kNak);
            continue;
        }
        // A failed write is not reported and does not stop the upload.
        out.write(reinterpret_cast<const char*>(record.bytes.data() + 1),
                  static_cast<std::streamsize>(record.length - kRecordMin));
        out.write("\r\n", 2);
        out.flush();
        out.clear();
        ++count;
        expected = (expected + 1) % 10;
        Answer(s, kAck);
    }

    if (s.timings.enabled) {
        s.ui.CloseProgress();
        const std::u16string extra = u"Общее время выгрузки - " +
                                     DecimalText(s.clock.NowMs() - started) + u" мсек.\r\n" +
                                     FormatTimings(s.timings);
        ShowTransferMessage(s, kCaptionUpload, kCaptionUpload, MessageIcon::Information,
                            MessageButtons::Ok, extra);
    }
    return count;
}

std::u16string RecordsReceivedText(const Language& language, int count) {
    const std::u16string number = DecimalText(static_cast<std::uint64_t>(std::max(count, 0)));
    if (language.loaded) {
        const std::u16string& before = language.table[kRecordsReceivedTextBefore];
        const std::u16string& after = language.table[kRecordsReceivedTextAfter];
        // A language file without these texts would leave a bare number.
        if (!before.empty() || !after.empty()) return before + number + after;
    }
    return u"Done : " + number + u" records received.\nView the received data?";
}

int RunUpload(Workspace& ws, LinkOpener& opener, TransferUi& ui, Clock& clock,
              TransferOutcome* outcome) {
    TransferOutcome unused;
    TransferOutcome& result = outcome != nullptr ? *outcome : unused;
    result = {};
    const bool timingsOn = TimingsEnabled(ws.programDirectory);

    FileDialogRequest request;
    request.save = true;
    request.filters = {{BuiltInString(kFilterDataFiles), BuiltInString(kFilterTxtPattern)},
                       {BuiltInString(kFilterAllFiles), BuiltInString(kFilterAllPattern)}};
    request.defaultExtension = u"TXT";
    request.mustExist = true;
    request.promptOverwrite = true;
    request.hideReadOnly = true;
    request.startFromPrevious = false;
    std::filesystem::path path;
    if (!ui.ChooseFile(request, path)) {
        result.end = TransferEnd::kCancelled;
        return 0;
    }

    // The records go to a temporary file beside the chosen one, so that a failure, a cancel
    // or a crash leaves an existing file exactly as it was. Whether that file may be created
    // and the chosen one replaced is known before the link opens.
    FileReplacement file(path, SyncMode::ToDisk);
    if (!file.Opened()) {
        ShowMessageById(ui, ws.language, kCaptionError, kTextFileCreateFailed, MessageIcon::None);
        result.messageId = kTextFileCreateFailed;
        return -2;
    }

    std::unique_ptr<Link> link = opener.OpenLink(LinkDirection::kUpload);
    if (!link) {
        result = LinkNotOpened(opener, ui);
        return -3;
    }

    int n = 0;
    bool cancelled = false;
    int failureId = 0;
    {
        ReplacementBuffer buffer(file);
        std::ostream out(&buffer);
        TransferSession s(ws, ui, clock, *link);
        s.timings.enabled = timingsOn;
        OpenUploadProgress(s);
        n = ReceiveRecords(s, out);
        cancelled = s.cancelled;
        failureId = s.failureId;
    }
    ui.CloseProgress();
    link->Close(false);

    if (cancelled) {
        // Records that came before the cancel are no complete upload: the chosen file stays
        // as it was.
        file.Discard();
        result.end = TransferEnd::kCancelled;
        return 0;
    }
    if (n < 0) {
        file.Discard();
        result.messageId = failureId;
        return n;
    }
    if (n == 0) {
        file.Discard();
        result.messageId = failureId != 0 ? failureId : kTextNoDataReceived;
        ShowMessageById(ui, ws.language, kCaptionUpload, kTextNoDataReceived, MessageIcon::None);
        return 0;
    }
    result.records = n;
    if (!file.Commit()) {
        // The records could not all be written: the file that was there stays as it was.
        ShowMessageById(ui, ws.language, kCaptionError, kTextFileCreateFailed, MessageIcon::None);
        result.messageId = kTextFileCreateFailed;
        return -2;
    }
    result.end = TransferEnd::kCompleted;
    MessageRequest question;
    question.caption = LoadUiString(ws.language, kCaptionUpload);
    question.text = RecordsReceivedText(ws.language, n);
    question.captionId = kCaptionUpload;
    question.icon = MessageIcon::Question;
    question.buttons = MessageButtons::YesNo;
    if (ui.Show(question) == kIdYes) {
        std::error_code ec;
        const std::filesystem::path full = std::filesystem::absolute(path, ec);
        ui.OpenForViewing(ec ? path : full);
    }
    return n;
}

}  // namespace fw
