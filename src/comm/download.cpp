#include "comm/download.h"

#include <algorithm>
#include <fstream>
#include <memory>
#include <string>

#include "comm/answer.h"
#include "comm/lookupdownload.h"
#include "comm/transfertexts.h"
#include "model/language.h"
#include "model/normalise.h"
#include "model/strings.h"

namespace fw {

namespace {

constexpr std::uint8_t kVortek[] = {'V', 'O', 'R', 'T', 'E', 'K', '\r'};

}  // namespace

bool TerminalHandshake(TransferSession& s) {
    for (int attempt = 0; attempt < kHandshakeAttempts; ++attempt) {
        SendCommand(s, kVortek);
        if (TransferCancelled(s)) return false;
        if (s.answer.Is("ACK\r")) return true;
    }
    s.ui.CloseProgress();
    s.failureId = kTextTerminalNotReady;
    ShowTransferMessage(s, kCaptionError, kTextTerminalNotReady, MessageIcon::Warning);
    return false;
}

bool SendPacket(TransferSession& s, std::size_t n) {
    n = std::min(n, s.packet.size());
    for (int attempt = 0; attempt < kPacketAttempts; ++attempt) {
        SendCommand(s, std::span<const std::uint8_t>(s.packet.data(), n));
        s.clock.SleepMs(1);
        if (TransferCancelled(s)) return false;
        if (s.answer.Is("FULL")) {
            s.ui.CloseProgress();
            s.failureId = kTextMemoryFull;
            ShowTransferMessage(s, kCaptionError, kTextMemoryFull, MessageIcon::Warning);
            return false;
        }
        if (s.answer.Is("ACK\r")) return true;
    }
    s.ui.CloseProgress();
    s.failureId = kTextErrorOnDownloading;
    ShowTransferMessage(s, kCaptionError, kTextErrorOnDownloading, MessageIcon::Warning);
    return false;
}

void FillImagePacket(TransferSession& s, const ProgramImage& image, std::size_t i) {
    const std::size_t offset = i * kImagePacketData;
    std::uint32_t sum = 0;
    for (std::size_t k = 0; k < kImagePacketData; ++k) {
        s.packet[k] = image[offset + k];
        sum += image[offset + k];
    }
    s.packet[kImagePacketData] = static_cast<std::uint8_t>(sum >> 8);
    s.packet[kImagePacketData + 1] = static_cast<std::uint8_t>(sum & 0xFF);
    s.packet[kImagePacketData + 2] = static_cast<std::uint8_t>(i & 0xFF);
}

bool SendImage(TransferSession& s) {
    NormaliseDefinition(s.ws.definition);
    // Kept off the stack of the GUI thread's nested calls; the image is rebuilt on every run.
    auto image = std::make_unique<ProgramImage>();
    GenerateProgramImage(s.ws.definition, *image);

    int progress = 5;
    for (std::size_t i = 0; i < kImagePacketCount; ++i) {
        FillImagePacket(s, *image, i);
        if (!SendPacket(s, kImagePacketSize)) return false;
        if (i % 2 == 1) ++progress;
        s.ui.SetProgress(std::min(progress, 100));
    }
    s.ui.SetProgress(100);
    return true;
}

std::u16string ProgressTitle(const Language& language) {
    if (language.loaded) {
        if (std::u16string t = LoadUiString(language, kProgressTitleId); !t.empty()) return t;
    }
    return u"Progress";
}

void OpenProgressWindow(TransferSession& s) {
    std::u16string text = u"Downloading...";
    if (s.ws.language.loaded) {
        if (std::u16string t = LoadUiString(s.ws.language, kProgressTextId); !t.empty())
            text = std::move(t);
    }
    s.ui.OpenProgress(ProgressTitle(s.ws.language), text);
    s.ui.SetProgress(0);
}

int RunDownload(Workspace& ws, LinkOpener& opener, TransferUi& ui, Clock& clock, DownloadMode mode,
                TransferOutcome* outcome) {
    TransferOutcome unused;
    TransferOutcome& result = outcome != nullptr ? *outcome : unused;
    result = {};
    const bool timingsOn = TimingsEnabled(ws.programDirectory);
    const bool lookup = mode == kDownloadLookup;
    for (;;) {
        result = {};
        std::filesystem::path path;
        std::ifstream file;
        if (lookup) {
            if (!ChooseLookupFile(ws, ui, path)) {
                result.end = TransferEnd::kCancelled;
                return 0;
            }
            if (!OpenLookupFile(path, file)) {
                ShowMessageById(ui, ws.language, kCaptionError, kTextCannotOpenFile,
                                MessageIcon::Warning);
                result.messageId = kTextCannotOpenFile;
                return -1;
            }
            const LookupLineCheck check = CheckLookupLines(file);
            if (check.readFailed) {
                ShowMessageById(ui, ws.language, kCaptionError, kTextCannotOpenFile,
                                MessageIcon::Warning);
                result.messageId = kTextCannotOpenFile;
                return -1;
            }
            if (!check.ok) {
                ReportLongLookupLine(ui, path, check);
                return -1;
            }
        }

        std::unique_ptr<Link> link = opener.OpenLink(LinkDirection::kDownload);
        if (!link) {
            result = LinkNotOpened(opener, ui);
            return -1;
        }

        TransferSession s(ws, ui, clock, *link);
        s.timings.enabled = timingsOn;
        ResetTimings(s.timings);
        const std::uint64_t started = clock.NowMs();

        // The window is up during the handshake too: its attempts can take seconds, and its
        // Cancel button is the way out of them.
        OpenProgressWindow(s);
        const bool ok =
            TerminalHandshake(s) && (lookup ? SendLookupFile(s, file, path) : SendImage(s));
        if (!ok && TransferCancelled(s)) {
            // The person stopped it: nothing failed that needs telling, nothing to retry.
            ui.CloseProgress();
            link->Close(true);
            result.end = TransferEnd::kCancelled;
            return 0;
        }
        if (ok) {
            ui.CloseProgress();
            std::u16string extra;
            if (timingsOn) {
                extra = u"Общее время загрузки - " + DecimalText(clock.NowMs() - started) +
                        u" мсек.\r\n" + FormatTimings(s.timings);
            }
            ShowTransferMessage(s, kCaptionDownload, kTextDownloadedCompletely,
                                MessageIcon::Information, MessageButtons::Ok, extra);
            result.end = TransferEnd::kCompleted;
        } else if (ShowTransferMessage(s, kCaptionError, kTextRetryDownload, MessageIcon::Question,
                                       MessageButtons::YesNo) == kIdYes &&
                   !TransferCancelled(s)) {
            // A retry starts over from the file choice and a freshly opened link.
            link->Close(false);
            continue;
        } else {
            // A cancel while the question was asked (a signal) answers it too.
            if (TransferCancelled(s)) {
                result.end = TransferEnd::kCancelled;
            } else {
                result.end = TransferEnd::kRetryDeclined;
                result.messageId = s.failureId;
            }
        }
        link->Close(true);
        return 1;
    }
}

}  // namespace fw
