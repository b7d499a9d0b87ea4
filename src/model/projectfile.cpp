#include "model/projectfile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <span>
#include <system_error>

#include "model/codepage.h"
#include "model/defaults.h"
#include "model/language.h"
#include "model/normalise.h"
#include "model/savefile.h"
#include "model/strings.h"
#include "model/system.h"

namespace fw {
namespace {

namespace fs = std::filesystem;

constexpr int kSaveFilterId = 1184;  // "Файлы Formwright (*.FWW)"
constexpr int kOpenFilterId = 1202;
constexpr int kProjectPatternId = 1207;  // "*.FWW"
constexpr int kUtilityLinesFirstId = kUtilityFirstStringId;
// A stored path is a buffer of kPathMax units with its terminator.
constexpr std::size_t kPathUnits = kPathMax - 1;

constexpr std::size_t kModelLength = sizeof(kModel) - 1;
static_assert(sizeof(kFormatTag) == kFormatTagSize);

// The screen texts an import reads start with the main menu (group 2): the group sizes it
// reads, the program-settings group it reshapes as the seventh group read, and the three
// blocks read right after the 129 lines (which then land exactly on SymbologyOptions) all
// follow from that position. Starting one group later would shift every group by four lines
// and read TerminalSettings 84 bytes off.
constexpr std::size_t kImportTextsOffset = 16135;
static_assert(kImportTextsOffset == kFormatTagSize + kReservedWordSize + kReaderOptionsSize +
                                        kMenuTableSize + kFormTableSize + kLookupTableSize +
                                        kTextCellSize * 4);
constexpr int kImportedLines = static_cast<int>(kScreenLineCount) - 4;  // groups 2..27
constexpr int kProgramSettingsGroup = 8;
constexpr std::size_t kBuzzerLineOffset = 150 + kTextCellSize;  // second utility line

struct FormatVersion {
    int major = 0;
    int minor = 0;
};

// Reads blocks one after the other from what a file delivered. A block that the bytes do
// not reach keeps its previous value, and one that is cut keeps it behind the cut.
class BlockReader {
  public:
    BlockReader(std::string_view bytes, std::size_t position) : bytes_(bytes), pos_(position) {}

    // Returns how many bytes arrived.
    std::size_t Read(std::span<Byte> dest) {
        const std::size_t available = pos_ < bytes_.size() ? bytes_.size() - pos_ : 0;
        const std::size_t n = std::min(available, dest.size());
        if (n != 0) std::memcpy(dest.data(), bytes_.data() + pos_, n);
        pos_ += dest.size();
        return n;
    }
    void Skip(std::size_t n) { pos_ += n; }

  private:
    std::string_view bytes_;
    std::size_t pos_;
};

bool AllDigits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

int Decimal(std::string_view digits) {
    int value = 0;
    for (char c : digits)
        value = std::min(value * 10 + (c - '0'), 1000000);
    return value;
}

// The version of a file whose tag this program reads, or nothing when the file is refused.
std::optional<FormatVersion> AcceptedVersion(std::string_view bytes) {
    if (bytes.empty() || bytes[0] != kFormatTag[0]) return std::nullopt;
    char tag[kFormatTagSize] = {};
    std::memcpy(tag, bytes.data(), std::min(bytes.size(), kFormatTagSize));
    tag[kFormatTagSize - 1] = 0;
    if (std::memcmp(tag, kModel, kModelLength) != 0) return std::nullopt;

    const char* text = tag + kModelLength + 1;
    std::size_t length = 0;
    while (length < 4 && text[length] != 0)
        ++length;
    const std::string_view version(text, length);
    const std::size_t point = version.find('.');
    if (point == std::string_view::npos) return std::nullopt;
    const std::string_view major = version.substr(0, point);
    const std::string_view minor = version.substr(point + 1);
    if (!AllDigits(major) || !AllDigits(minor)) return std::nullopt;

    FormatVersion v{Decimal(major), Decimal(minor)};
    if (v.major < kFormatMajor || (v.major == kFormatMajor && v.minor <= kFormatMinor)) return v;
    return std::nullopt;
}

void ShowFormatMismatch(Workspace& ws) {
    ShowMessage(ws, kCaptionError, kFormatMismatchId, MessageIcon::Warning);
}

void ShowReadError(Workspace& ws, int code) {
    const std::u16string extra = u"Ошибка чтения задачи: (" + SystemErrorText(code) + u")";
    ShowMessage(ws, kCaptionError, kFormatMismatchId, MessageIcon::Warning, MessageButtons::Ok,
                extra);
}

void StoreDefaultText(const Workspace& ws, std::span<Byte> cell, int stringId) {
    std::fill(cell.begin(), cell.end(), Byte{0});
    StoreCellText(cell, LoadUiString(ws.language, stringId));
}

// Files written before the current settings layout lack the modem speed, the download phone,
// the sounds and the utility lines; they get what a new definition has there.
void UpgradeSettingsLayout(const Workspace& ws, Definition& d) {
    auto& t = d.terminalSettings;
    if (t[0] >= kCurrentSettingsLayout) return;
    std::fill(t.begin() + 115, t.begin() + 150, Byte{0});
    t[136] = 0;
    t[137] = 2;
    t[138] = 1;
    t[139] = 2;
    for (int i = 0; i < kUtilityLineCount; ++i)
        StoreDefaultText(ws, Terminal(d).UtilityLine(i), kUtilityLinesFirstId + i);
    t[0] = kCurrentSettingsLayout;
    t[260] = 0;
}

// The blocks of an extended file that must arrive whole; tells the user when they do not.
bool ReadWholeBlock(Workspace& ws, BlockReader& reader, std::span<Byte> block, int readError) {
    if (reader.Read(block) == block.size()) return true;
    if (readError != 0)
        ShowReadError(ws, readError);
    else
        ShowFormatMismatch(ws);
    return false;
}

int ReadProjectData(Workspace& ws, Definition& d, std::string_view bytes, bool extended,
                    const ProjectReadOptions& options, const fs::path* recentPath) {
    const std::optional<FormatVersion> version = AcceptedVersion(bytes);
    if (!version) {
        ShowFormatMismatch(ws);
        return 0;
    }
    if (recentPath != nullptr) UpdateRecentFiles(ws, *recentPath);

    BlockReader reader(bytes, kFormatTagSize);
    reader.Read(d.reservedWord);
    reader.Read(d.readerOptions);
    reader.Read(d.menuTable);
    reader.Read(d.formTable);
    reader.Read(d.lookupTable);
    reader.Read(d.screenTexts);
    reader.Read(d.symbologyOptions);
    reader.Read(d.readerExtra);
    reader.Read(d.terminalSettings);
    UpgradeSettingsLayout(ws, d);

    if (extended) {
        // Version 5.00 had another 100-byte block here; base files carry ReaderOptions2 but
        // it is never taken from them.
        const bool current = version->major == kFormatMajor && version->minor == kFormatMinor;
        if (current) {
            if (!ReadWholeBlock(ws, reader, d.readerOptions2, options.readError)) return 0;
        } else {
            d.readerOptions2.fill(0);
            reader.Skip(kReaderOptions2Size);
        }

        // A read that fails keeps the block; one that finds the end of the file clears it.
        const bool atEndClears = options.readError == 0;
        if (reader.Read(d.barcodeRules) == 0 && atEndClears) d.barcodeRules.fill(0);
        if (reader.Read(d.variableNames) == 0 && atEndClears) {
            d.variableNames.fill(0);
            for (int n = 1; n <= kVariableCount; ++n)
                StoreCellText(Variables(d).Name(n), DefaultVariableName(n));
        }

        if (version->major == kFormatMajor) {
            if (!ReadWholeBlock(ws, reader, d.networkSettings, options.readError)) return 0;
            if (version->minor == 0) {
                d.fieldLinks.fill(0);
            } else if (!ReadWholeBlock(ws, reader, d.fieldLinks, options.readError)) {
                return 0;
            }
        } else {
            // Files before 5.00 end after the variables.
            d.networkSettings.fill(0);
            d.fieldLinks.fill(0);
        }
    }

    if (options.normalise) NormaliseDefinition(d);
    return 1;
}

template <std::size_t N>
void Append(std::string& out, const Block<N>& block) {
    out.append(reinterpret_cast<const char*>(block.data()), block.size());
}

fs::path LimitPath(const fs::path& path) {
    // A path never has more UTF-16 units than native units, so short ones need no look.
    if (path.native().size() <= kPathUnits) return path;
    std::u16string units;
    try {
        units = path.u16string();
    } catch (...) {
        return path;
    }
    if (units.size() <= kPathUnits) return path;
    units.resize(kPathUnits);
    return fs::path(units);
}

}  // namespace

bool HasProjectName(const fs::path& path) {
    const auto& s = path.native();
    if (s.size() < 4) return false;
    const auto upper = [](auto c) { return (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c; };
    const std::size_t n = s.size();
    return s[n - 4] == '.' && upper(s[n - 3]) == 'F' && upper(s[n - 2]) == 'W' &&
           upper(s[n - 1]) == 'W';
}

bool IsExtendedName(const fs::path& path) {
    const auto& s = path.native();
    return !s.empty() && (s.back() == 'W' || s.back() == 'w');
}

std::string SerialiseProject(const Definition& d, bool extended) {
    std::string out;
    out.reserve(extended ? kExtendedFileSize : kBaseFileSize);
    out.append(kFormatTag, kFormatTagSize);
    Append(out, d.reservedWord);
    Append(out, d.readerOptions);
    Append(out, d.menuTable);
    Append(out, d.formTable);
    Append(out, d.lookupTable);
    Append(out, d.screenTexts);
    Append(out, d.symbologyOptions);
    Append(out, d.readerExtra);
    Append(out, d.terminalSettings);
    Append(out, d.readerOptions2);
    if (extended) {
        Append(out, d.barcodeRules);
        Append(out, d.variableNames);
        Append(out, d.networkSettings);
        Append(out, d.fieldLinks);
    }
    return out;
}

ProjectFileBytes ReadProjectFileBytes(const fs::path& path) {
    ProjectFileBytes result;
    std::error_code ec;
    const fs::file_status status =
        path.empty() ? fs::file_status(fs::file_type::not_found) : fs::status(path, ec);
    switch (status.type()) {
        case fs::file_type::regular:
            break;
        case fs::file_type::not_found:
            result.problem = ProjectFileProblem::Missing;
            return result;
        case fs::file_type::directory:
            result.problem = ProjectFileProblem::Folder;
            return result;
        case fs::file_type::none:
        case fs::file_type::unknown:
            // The system could not even look at the name.
            result.problem = ProjectFileProblem::CannotOpen;
            result.systemError = ec.value() != 0 ? ec.value() : EIO;
            return result;
        default:
            // A pipe would wait for a writer for ever, a device may never end.
            result.problem = ProjectFileProblem::NotAFile;
            return result;
    }
    errno = 0;
    std::FILE* f = OpenFile(path, "rb");
    if (f == nullptr) {
        result.problem = ProjectFileProblem::CannotOpen;
        result.systemError = errno != 0 ? errno : EIO;
        return result;
    }
    // Nothing past the extended format's end is ever looked at.
    std::string& bytes = result.bytes;
    bytes.resize(kExtendedFileSize);
    std::size_t got = 0;
    while (got < bytes.size()) {
        errno = 0;
        const std::size_t n = std::fread(bytes.data() + got, 1, bytes.size() - got, f);
        got += n;
        if (n == 0) {
            if (std::ferror(f)) result.readError = errno != 0 ? errno : EIO;
            break;
        }
    }
    std::fclose(f);
    bytes.resize(got);
    return result;
}

bool LoadProjectBytes(const fs::path& path, std::string& bytes, int& readError) {
    ProjectFileBytes file = ReadProjectFileBytes(path);
    bytes = std::move(file.bytes);
    readError = file.readError;
    return file.problem == ProjectFileProblem::None;
}

int WriteProjectFile(Workspace& ws) {
    const fs::path path = ws.currentProjectPath;
    FileReplacement out(path, SyncMode::ToDisk);
    if (!out.Opened()) return 0;
    NormaliseDefinition(ws.definition);
    if (!out.Commit(SerialiseProject(ws.definition, IsExtendedName(path)))) return 0;
    UpdateRecentFiles(ws, path);
    return 1;
}

int ReadProjectBytes(Workspace& ws, std::string_view bytes, bool extended,
                     const ProjectReadOptions& options) {
    return ReadProjectData(ws, ws.definition, bytes, extended, options, nullptr);
}

int ReadProjectBytesInto(Workspace& ws, Definition& target, std::string_view bytes, bool extended,
                         const ProjectReadOptions& options, const fs::path* recentPath) {
    return ReadProjectData(ws, target, bytes, extended, options, recentPath);
}

int ReadProjectFile(Workspace& ws) {
    const fs::path path = ws.currentProjectPath;
    std::string bytes;
    ProjectReadOptions options;
    if (!LoadProjectBytes(path, bytes, options.readError)) return 0;
    return ReadProjectData(ws, ws.definition, bytes, IsExtendedName(path), options, &path);
}

int SaveProject(Workspace& ws, ProjectDialogs& dialogs) {
    if (ws.currentProjectPath.empty()) return SaveProjectAs(ws, dialogs);
    // A project opened from a base-format file is saved in the extended format beside it.
    auto name = ws.currentProjectPath.native();
    if (name.back() == 'x')
        name.back() = 'w';
    else if (name.back() == 'X')
        name.back() = 'W';
    ws.currentProjectPath = fs::path(name);
    return WriteProjectFile(ws);
}

int SaveProjectAs(Workspace& ws, ProjectDialogs& dialogs) {
    FileDialogRequest request;
    request.filters = {
        {LoadUiString(ws.language, kSaveFilterId), LoadUiString(ws.language, kProjectPatternId)}};
    request.defaultExtension = u"FWW";
    request.save = true;
    request.promptOverwrite = true;
    request.mustExist = true;
    const std::optional<fs::path> chosen = dialogs.ChooseFile(request);
    if (!chosen) return 0;
    ws.currentProjectPath = LimitPath(*chosen);
    if (!HasProjectName(ws.currentProjectPath)) return 0;
    return SaveProject(ws, dialogs);
}

std::optional<fs::path> ChooseProjectToOpen(Workspace& ws, ProjectDialogs& dialogs) {
    FileDialogRequest request;
    request.filters = {
        {LoadUiString(ws.language, kOpenFilterId), LoadUiString(ws.language, kProjectPatternId)}};
    request.mustExist = true;
    if (ws.settings.autoPreloadLast != 0 && ws.settings.lastProjectPath != u"Unknow")
        request.initialName = fs::path(ws.settings.lastProjectPath);
    const std::optional<fs::path> chosen = dialogs.ChooseFile(request);
    if (!chosen) return std::nullopt;
    return LimitPath(*chosen);
}

int OpenProjectDialog(Workspace& ws, ProjectDialogs& dialogs, OpenMode mode,
                      ImportedTexts* importTarget) {
    const std::optional<fs::path> chosen = ChooseProjectToOpen(ws, dialogs);
    if (!chosen) return 0;
    ws.currentProjectPath = *chosen;
    switch (mode) {
        case OpenMode::Load:
            return ReadProjectFile(ws);
        case OpenMode::ImportTexts:
            return importTarget != nullptr ? ImportScreenTexts(ws, *importTarget) : 0;
        default:
            return 1;
    }
}

int ImportScreenTexts(Workspace& ws, ImportedTexts& target) {
    std::string bytes;
    int readError = 0;
    if (!LoadProjectBytes(ws.currentProjectPath, bytes, readError)) return 0;
    if (bytes.size() < kModelLength || std::memcmp(bytes.data(), kModel, kModelLength) != 0) {
        ShowFormatMismatch(ws);
        return 0;
    }

    BlockReader reader(bytes, kImportTextsOffset);
    const std::size_t first = kTextCellSize * ScreenTextGroupFirstLine(2);
    reader.Read(std::span<Byte>(target.screenTexts.data() + first, kTextCellSize * kImportedLines));
    Block<kSymbologyOptionsSize> symbology{};
    Block<kReaderExtraSize> readerExtra{};
    Block<kTerminalSettingsSize> settings{};
    reader.Read(symbology);
    reader.Read(readerExtra);
    reader.Read(settings);
    const bool currentLayout = settings[0] >= kCurrentSettingsLayout;

    // The startup page shows the program-settings menu with the buzzer as its seventh line,
    // where the file keeps it among the utility lines.
    const auto cell = [&](int group, int line) {
        return std::span<Byte, kTextCellSize>(
            target.screenTexts.data() + kTextCellSize * (ScreenTextGroupFirstLine(group) + line),
            kTextCellSize);
    };
    for (int line = 0; line < 6; ++line) {
        const auto from = cell(kProgramSettingsGroup, line + 1);
        std::copy(from.begin(), from.end(), cell(kProgramSettingsGroup, line).begin());
    }
    if (currentLayout) {
        std::copy_n(settings.begin() + kBuzzerLineOffset, kTextCellSize,
                    cell(kProgramSettingsGroup, 6).begin());
    } else {
        StoreDefaultText(ws, cell(kProgramSettingsGroup, 6), kUtilityLinesFirstId + 1);
    }

    // Calculator, key click, barcode read, warning beep.
    constexpr int kShownUtilityLines[4] = {0, 2, 3, 4};
    for (int i = 0; i < 4; ++i) {
        const int utility = kShownUtilityLines[i];
        auto& line = target.utilityLines[i];
        if (currentLayout) {
            std::copy_n(settings.begin() + 150 + kTextCellSize * utility, kTextCellSize,
                        line.begin());
        } else if (CellTextLength(Terminal(ws.definition).UtilityLine(utility)) == 0) {
            StoreDefaultText(ws, line, kUtilityLinesFirstId + utility);
        }
    }
    return 1;
}

}  // namespace fw
