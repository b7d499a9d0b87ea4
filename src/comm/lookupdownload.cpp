#include "comm/lookupdownload.h"

#include <algorithm>
#include <array>
#include <string>

#include "comm/download.h"
#include "comm/transfertexts.h"
#include "model/strings.h"

namespace fw {

namespace {

constexpr std::uint8_t kCr = 13;
constexpr std::uint8_t kLf = 10;
constexpr std::uint8_t kOver[] = {'O', 'V', 'E', 'R', '\r'};

// A sum byte of 13 would read as the end of the line.
std::uint8_t Escaped(std::uint8_t b) {
    return b == kCr ? 14 : b;
}

void Rewind(std::istream& file) {
    file.clear();
    file.seekg(0, std::ios::beg);
}

// Reads up to one chunk; the count of bytes obtained (0 at the end or on a read error).
std::size_t ReadChunk(std::istream& file, std::array<char, kLookupReadChunk>& chunk) {
    if (!file.good()) return 0;
    file.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
    return static_cast<std::size_t>(std::max<std::streamsize>(file.gcount(), 0));
}

}  // namespace

bool ChooseLookupFile(const Workspace&, TransferUi& ui, std::filesystem::path& path) {
    FileDialogRequest request;
    request.save = false;
    request.filters = {{BuiltInString(kFilterLookupFiles), BuiltInString(kFilterTxtPattern)},
                       {BuiltInString(kFilterAllFiles), BuiltInString(kFilterAllPattern)}};
    request.defaultExtension = u"TXT";
    request.mustExist = true;
    request.hideReadOnly = true;
    request.startFromPrevious = true;
    return ui.ChooseFile(request, path);
}

bool OpenLookupFile(const std::filesystem::path& path, std::ifstream& file) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return false;
    file.open(path, std::ios::binary);
    return file.is_open();
}

LookupLineCheck CheckLookupLines(std::istream& file) {
    Rewind(file);
    LookupLineCheck result;
    std::size_t line = 1;
    std::size_t length = 0;
    std::array<char, kLookupReadChunk> chunk{};
    for (std::size_t got; (got = ReadChunk(file, chunk)) > 0;) {
        for (std::size_t i = 0; i < got; ++i) {
            const auto b = static_cast<std::uint8_t>(chunk[i]);
            if (b == kCr) {
                if (!result.ok) {
                    Rewind(file);
                    return result;
                }
                ++line;
                length = 0;
            } else if (b != kLf) {
                ++length;
                if (length > kLookupLineMax && result.ok) {
                    result.ok = false;
                    result.line = line;
                }
                if (!result.ok) result.length = length;
            }
        }
    }
    result.readFailed = file.bad();
    Rewind(file);
    return result;
}

int ReportLongLookupLine(TransferUi& ui, const std::filesystem::path& path,
                         const LookupLineCheck& check) {
    MessageRequest request;
    request.caption = u"Ошибка";
    request.text = u"Строка " + DecimalText(check.line) + u" файла " + path.u16string() +
                   u" длиннее 253 байт (" + DecimalText(check.length) +
                   u" байт): файл не отправлен в терминал.";
    request.icon = MessageIcon::Warning;
    request.buttons = MessageButtons::Ok;
    return ui.Show(request);
}

bool SendLookupFile(TransferSession& s, std::istream& file, const std::filesystem::path& path) {
    Rewind(file);
    file.seekg(0, std::ios::end);
    const std::streamoff end = file.tellg();
    const std::uint64_t size = end > 0 ? static_cast<std::uint64_t>(end) : 0;
    Rewind(file);

    std::size_t n = 0;
    std::uint32_t sum = 0;
    std::size_t line = 1;
    auto sendLine = [&]() {
        s.packet[n] = Escaped(static_cast<std::uint8_t>((sum >> 8) & 0xFF));
        s.packet[n + 1] = Escaped(static_cast<std::uint8_t>(sum & 0xFF));
        s.packet[n + 2] = kCr;
        const bool ok = SendPacket(s, n + 3);
        n = 0;
        sum = 0;
        ++line;
        return ok;
    };

    std::uint64_t read = 0;
    std::array<char, kLookupReadChunk> chunk{};
    for (std::size_t got; (got = ReadChunk(file, chunk)) > 0;) {
        read += got;
        for (std::size_t i = 0; i < got; ++i) {
            const auto b = static_cast<std::uint8_t>(chunk[i]);
            if (b == kCr) {
                if (!sendLine()) {
                    Rewind(file);
                    return false;
                }
            } else if (b != kLf) {
                if (n >= kLookupLineMax) {
                    // The file changed after it was checked; the packet would not fit.
                    s.ui.CloseProgress();
                    ReportLongLookupLine(s.ui, path, {false, line, n + 1});
                    Rewind(file);
                    return false;
                }
                s.packet[n++] = b;
                sum += b;
            }
        }
        if (size > 0)
            s.ui.SetProgress(static_cast<int>(std::min<std::uint64_t>(read, size) * 100 / size));
    }
    if (file.bad()) {
        s.ui.CloseProgress();
        s.failureId = kTextCannotOpenFile;
        ShowTransferMessage(s, kCaptionError, kTextCannotOpenFile, MessageIcon::Warning);
        Rewind(file);
        return false;
    }
    if (n > 0 && !sendLine()) {
        Rewind(file);
        return false;
    }
    s.ui.SetProgress(100);
    std::copy(std::begin(kOver), std::end(kOver), s.packet.begin());
    return SendPacket(s, sizeof kOver);
}

}  // namespace fw
