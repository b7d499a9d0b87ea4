#include "model/settings.h"

#include <climits>
#include <fstream>
#include <optional>
#include <system_error>

#include "model/codepage.h"
#include "model/language.h"
#include "model/savefile.h"
#include "model/unicode.h"

namespace fw {
namespace {

constexpr char kSeparator = '\r';
constexpr std::string_view kTimeoutPrefix = "et=";
constexpr std::string_view kPortPrefix = "nport=";
constexpr std::u16string_view kNoProject = u"Unknow";
constexpr std::u16string_view kBuiltInLanguage = u"0";
constexpr std::size_t kPathChars = kPathMax - 1;  // the stored path keeps its terminator

// The fields of the file in order. Separators in a row count as one, so an empty field is
// not a field at all.
class Fields {
  public:
    explicit Fields(std::string_view text) : text_(text) {}

    std::optional<std::string_view> Next() {
        while (pos_ < text_.size() && text_[pos_] == kSeparator)
            ++pos_;
        if (pos_ >= text_.size()) return std::nullopt;
        std::size_t end = text_.find(kSeparator, pos_);
        if (end == std::string_view::npos) end = text_.size();
        std::string_view field = text_.substr(pos_, end - pos_);
        pos_ = end;
        return field;
    }

  private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

// A one-character setting: its first character minus "0", as a byte.
std::uint8_t Digit(std::string_view field) {
    return static_cast<std::uint8_t>(static_cast<unsigned char>(field.front()) - '0');
}

// The decimal value of a field as atoi reads it: leading blanks, a sign, then digits up to
// the first other character. Values beyond 32 bits stop at the limit.
std::int32_t Decimal(std::string_view field) {
    std::size_t i = 0;
    while (i < field.size() && (field[i] == ' ' || field[i] == '\t' || field[i] == '\n' ||
                                field[i] == '\v' || field[i] == '\f'))
        ++i;
    bool negative = false;
    if (i < field.size() && (field[i] == '+' || field[i] == '-')) negative = field[i++] == '-';
    long long value = 0;
    for (; i < field.size() && field[i] >= '0' && field[i] <= '9'; ++i) {
        value = value * 10 + (field[i] - '0');
        if (value > static_cast<long long>(INT32_MAX) + 1) break;
    }
    if (negative) value = -value;
    if (value > INT32_MAX) return INT32_MAX;
    if (value < INT32_MIN) return INT32_MIN;
    return static_cast<std::int32_t>(value);
}

std::u16string Text(std::string_view field, std::size_t maxChars) {
    return DecodeCp1251(field.substr(0, maxChars));
}

std::string Field(std::u16string_view text, std::size_t maxChars) {
    return EncodeCp1251(text.substr(0, maxChars));
}

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto b = static_cast<unsigned char>(text[i]);
        std::size_t extra = 0;
        unsigned char low = 0x80;
        unsigned char high = 0xBF;
        if (b < 0x80) {
            ++i;
            continue;
        } else if (b >= 0xC2 && b <= 0xDF) {
            extra = 1;
        } else if (b >= 0xE0 && b <= 0xEF) {
            extra = 2;
            if (b == 0xE0) low = 0xA0;
            if (b == 0xED) high = 0x9F;
        } else if (b >= 0xF0 && b <= 0xF4) {
            extra = 3;
            if (b == 0xF0) low = 0x90;
            if (b == 0xF4) high = 0x8F;
        } else {
            return false;
        }
        if (text.size() - i <= extra) return false;
        for (std::size_t k = 1; k <= extra; ++k) {
            const auto c = static_cast<unsigned char>(text[i + k]);
            if (c < (k == 1 ? low : 0x80) || c > (k == 1 ? high : 0xBF)) return false;
        }
        i += extra + 1;
    }
    return true;
}

// At most a stored path's length, never ending inside a surrogate pair.
std::u16string_view LimitPathText(std::u16string_view path) {
    if (path.size() <= kPathChars) return path;
    path = path.substr(0, kPathChars);
    if (path.back() >= 0xD800 && path.back() <= 0xDBFF) path.remove_suffix(1);
    return path;
}

std::u16string PathFromField(std::string_view field) {
    if (kSettingsPathsInUtf8 && IsValidUtf8(field))
        return std::u16string(LimitPathText(Utf8ToUtf16(field)));
    return Text(field, kPathChars);
}

std::string PathField(std::u16string_view path) {
    path = LimitPathText(path);
    return kSettingsPathsInUtf8 ? Utf16ToUtf8(path) : EncodeCp1251(path);
}

bool StartsWith(std::string_view field, std::string_view prefix) {
    return field.substr(0, prefix.size()) == prefix;
}

}  // namespace

void ParseSettings(Settings& settings, std::string_view bytes) {
    bytes = bytes.substr(0, kSettingsFileMax);
    // The file is read as one zero-terminated text.
    bytes = bytes.substr(0, bytes.find('\0'));
    Fields fields(bytes);

    const Settings defaults;
    std::optional<std::string_view> f = fields.Next();
    settings.lastProjectPath = f ? PathFromField(*f) : defaults.lastProjectPath;
    f = fields.Next();
    settings.downloadLinkType = f ? Digit(*f) : defaults.downloadLinkType;
    f = fields.Next();
    settings.uploadLinkType = f ? Digit(*f) : defaults.uploadLinkType;
    f = fields.Next();
    settings.comPort = f ? Decimal(*f) : defaults.comPort;
    f = fields.Next();
    settings.baudRateIndex = f ? Digit(*f) : defaults.baudRateIndex;

    // Files written before the time-out and the network port existed go straight on with the
    // auto-preload flag; whichever field is not one of the two is read as that flag.
    f = fields.Next();
    if (f && f->size() >= kTimeoutPrefix.size() + 1 && StartsWith(*f, kTimeoutPrefix)) {
        settings.extraTimeout = Decimal(f->substr(kTimeoutPrefix.size()));
        f = fields.Next();
        if (f) {
            if (f->size() >= kPortPrefix.size() + 1 && StartsWith(*f, kPortPrefix)) {
                settings.networkPort = Decimal(f->substr(kPortPrefix.size()));
                f = fields.Next();
            } else {
                settings.networkPort = defaults.networkPort;
            }
        }
        // A text that ends right after the time-out leaves the network port as it was.
    } else {
        settings.extraTimeout = defaults.extraTimeout;
        settings.networkPort = defaults.networkPort;
    }
    settings.autoPreloadLast = f ? Digit(*f) : defaults.autoPreloadLast;
    f = fields.Next();
    settings.alwaysOnTop = f ? Digit(*f) : defaults.alwaysOnTop;
    f = fields.Next();
    if (f) settings.languageName = Text(*f, kLanguageNameMax);

    settings.recentFiles.clear();
    while (settings.recentFiles.size() < kMaxRecentFiles && (f = fields.Next()))
        settings.recentFiles.push_back(PathFromField(*f));
}

bool ReadSettings(Settings& settings, const std::filesystem::path& programDirectory) {
    std::string bytes;
    std::ifstream in(programDirectory / kSettingsFileName, std::ios::binary);
    if (in) {
        bytes.resize(kSettingsFileMax);
        in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        bytes.resize(static_cast<std::size_t>(in.gcount()));
    }
    // No file, or an empty one, is an empty text: every setting takes its default, the
    // language name stays and there are no recent files.
    ParseSettings(settings, bytes);
    return !bytes.empty();
}

std::string FormatSettings(const Settings& settings) {
    // An empty field vanishes when the file is read and every later field would move up one
    // place, so the two texts that may be empty are written as the values that mean the same.
    std::u16string_view path = settings.lastProjectPath;
    if (path.empty()) path = kNoProject;
    std::u16string_view language = settings.languageName;
    if (language.empty()) language = kBuiltInLanguage;

    std::string out;
    auto add = [&out](std::string_view field) {
        out += field;
        out += kSeparator;
    };
    add(PathField(path));
    add(std::to_string(settings.downloadLinkType));
    add(std::to_string(settings.uploadLinkType));
    add(std::to_string(settings.comPort));
    add(std::to_string(settings.baudRateIndex));
    add(std::string(kTimeoutPrefix) + std::to_string(settings.extraTimeout));
    add(std::string(kPortPrefix) + std::to_string(settings.networkPort));
    add(std::to_string(settings.autoPreloadLast));
    add(std::to_string(settings.alwaysOnTop));
    add(Field(language, kLanguageNameMax));

    std::size_t written = 0;
    for (const std::u16string& recent : settings.recentFiles) {
        if (written == kMaxRecentFiles) break;
        if (recent.empty()) continue;
        std::string field = PathField(recent);
        // The reader stops at 1299 bytes: a path that would be cut there is left out with
        // the older ones after it, rather than come back as a different path.
        if (out.size() + field.size() + 1 > kSettingsFileMax) break;
        add(field);
        ++written;
    }
    return out;
}

bool WriteSettings(const Settings& settings, const std::filesystem::path& programDirectory) {
    // Preferences are cheap to lose on a power cut; a save must not wait for the disk twice.
    return ReplaceFileBytes(programDirectory / kSettingsFileName, FormatSettings(settings),
                            SyncMode::None);
}

}  // namespace fw
