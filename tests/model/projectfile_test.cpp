// Project files: offsets and sizes below are worked out from the block layout tables (a file
// is the blocks end to end), never taken from the writer's own output.
#include "model/projectfile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "model/codepage.h"
#include "model/defaults.h"
#include "model/normalise.h"
#include "model/system.h"
#include "support/temp_folder.h"

namespace fw {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

// File offsets of the blocks.
constexpr std::size_t kOffReserved = 10;
constexpr std::size_t kOffReaderOptions = 12;
constexpr std::size_t kOffMenus = 35;
constexpr std::size_t kOffForms = 3535;
constexpr std::size_t kOffLookups = 15685;
constexpr std::size_t kOffGroup2 = 16135;
constexpr std::size_t kOffGroup3 = 16219;
constexpr std::size_t kOffGroup8 = 16786;
constexpr std::size_t kOffSymbology = 18844;
constexpr std::size_t kOffReaderExtra = 18889;
constexpr std::size_t kOffTerminal = 18899;
constexpr std::size_t kOffReaderOptions2 = 19167;
constexpr std::size_t kOffBarcodeRules = 19267;
constexpr std::size_t kOffVariables = 20089;
constexpr std::size_t kOffNetwork = 20437;
constexpr std::size_t kOffFieldLinks = 20684;
constexpr std::size_t kBaseSize = 19267;
constexpr std::size_t kExtendedSize = 20844;

const std::u16string kMismatch = u"Format mismatch !!!";

class ScriptedPresenter : public MessagePresenter {
  public:
    int Show(const MessageRequest& request) override {
        shown.push_back(request);
        return kIdOk;
    }
    std::vector<MessageRequest> shown;
};

class ScriptedDialogs : public ProjectDialogs {
  public:
    std::optional<fs::path> ChooseFile(const FileDialogRequest& request) override {
        requests.push_back(request);
        if (answers.empty()) return std::nullopt;
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::deque<std::optional<fs::path>> answers;
    std::vector<FileDialogRequest> requests;
};

// A hand-made file: zeros of the given length with a tag, and bytes put at file offsets.
class FileBytes {
  public:
    explicit FileBytes(std::size_t size, std::string_view tag = "M740-5.01") : bytes_(size, '\0') {
        Put(0, std::string(tag).substr(0, std::min<std::size_t>(tag.size(), size)));
        // A settings block of the current layout, so that no upgrade runs unless asked for.
        if (size > kOffTerminal) bytes_[kOffTerminal] = 2;
    }
    FileBytes& Put(std::size_t offset, std::string_view data) {
        for (std::size_t i = 0; i < data.size() && offset + i < bytes_.size(); ++i)
            bytes_[offset + i] = data[i];
        return *this;
    }
    FileBytes& Fill(std::size_t offset, std::size_t count, char value) {
        return Put(offset, std::string(count, value));
    }
    FileBytes& Cut(std::size_t size) {
        bytes_.resize(size);
        return *this;
    }
    const std::string& Bytes() const { return bytes_; }

  private:
    std::string bytes_;
};

std::string Text(const Byte* data, std::size_t n) {
    return std::string(reinterpret_cast<const char*>(data), n);
}
template <std::size_t N>
std::string Text(const Block<N>& block, std::size_t offset, std::size_t n) {
    return Text(block.data() + offset, n);
}
template <std::size_t N>
bool AllZero(const Block<N>& block) {
    return std::all_of(block.begin(), block.end(), [](Byte b) { return b == 0; });
}
std::string CellOf(std::string text) {
    text.resize(21, '\0');
    return text;
}
void SetCell(std::span<Byte> cell, std::u16string_view text) {
    std::fill(cell.begin(), cell.end(), Byte{0});
    StoreCellText(cell, text);
}
std::string Padded(std::string text) {
    text.resize(20, ' ');
    return text + '\0';
}

class ProjectFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ws = std::make_unique<Workspace>();
        StartWorkspace(*ws, dir.Path());
        ws->presenter = &presenter;
    }
    // What the Open command does before it reads.
    void Reset() {
        ResetReaderSettings(ws->definition);
        NewDefinition(ws->definition);
    }
    int Open(const fs::path& path) {
        Reset();
        ws->currentProjectPath = path;
        return ReadProjectFile(*ws);
    }
    int ReadRaw(const std::string& bytes, bool extended, int readError = 0) {
        ProjectReadOptions options;
        options.readError = readError;
        options.normalise = false;
        return ReadProjectBytes(*ws, bytes, extended, options);
    }
    std::string SaveAs(const std::string& name) {
        ws->currentProjectPath = dir.Path() / name;
        EXPECT_EQ(WriteProjectFile(*ws), 1);
        return dir.Read(name);
    }

    test::TempFolder dir;
    std::unique_ptr<Workspace> ws;
    ScriptedPresenter presenter;
    Definition& d() { return ws->definition; }
};

TEST_F(ProjectFileTest, SavedBlocksLandAtTheirFileOffsets) {
    // Marks in bytes that normalisation leaves alone, one in every block.
    d().reservedWord = {0xAB, 0xCD};
    Form(d(), 3).EscTarget() = 15;
    Lookup(d(), 2).Delimiter() = ';';
    SetCell(ScreenTextLine(d(), 27, 2), u"LAST LINE");
    d().symbologyOptions[44] = 0x44;
    d().readerExtra[9] = 0x99;
    d().terminalSettings[267] = 0x67;
    d().readerOptions2[10] = 0x77;
    StoreCellText(Rules(d()).WeightMask(0), u"21PPPPPWWWWWC");
    d().variableNames[347] = 0x5A;
    StoreCellText(Network(d()).Ssid(), u"WLAN");
    FieldLink(d(), 2).LinkValue(0) = 5;

    const std::string file = SaveAs("layout.FWW");
    ASSERT_EQ(file.size(), kExtendedSize);
    EXPECT_EQ(file.substr(0, 10), std::string("M740-5.01\0", 10));
    EXPECT_EQ(file.substr(kOffReserved, 2), "\xAB\xCD");
    EXPECT_EQ(file.substr(kOffReaderOptions, 4), "\x9B\xC9\x00\x3F"s);
    // Menu 1's first item cell, padded by normalisation.
    EXPECT_EQ(file.substr(kOffMenus + 23, 21), Padded(""));
    // Form 1 returns to itself, form 10 too; form 4's Esc goes to menu 5.
    EXPECT_EQ(file[kOffForms + 2], 1);
    EXPECT_EQ(file[kOffForms + 9 * 1215 + 2], 10);
    EXPECT_EQ(file[kOffForms + 3 * 1215 + 1], 15);
    EXPECT_EQ(file[kOffForms + 221], 80);  // MaxLength of form 1, line 1
    EXPECT_EQ(file[kOffLookups + 122 + 19], ';');
    EXPECT_EQ(file.substr(kOffGroup2, 21), Padded("1. Collect data"));
    EXPECT_EQ(file.substr(kOffGroup3, 21), Padded("1. Program Settings"));
    // Group 27 starts at 18781; its third line is the last line of the screen texts.
    EXPECT_EQ(file.substr(18781 + 2 * 21, 21), CellOf("LAST LINE"));
    EXPECT_EQ(file.substr(kOffSymbology, 2), "\xD8\x57");
    EXPECT_EQ(file[kOffSymbology + 44], 0x44);
    EXPECT_EQ(file.substr(kOffReaderExtra, 2), "\x80\x2C");
    EXPECT_EQ(file[kOffReaderExtra + 9], '\x99');
    EXPECT_EQ(file[kOffTerminal], 0x32);
    EXPECT_EQ(file.substr(kOffTerminal + 150, 21), Padded("8. Calculator"));
    EXPECT_EQ(file[kOffTerminal + 267], 0x67);
    EXPECT_EQ(file[kOffReaderOptions2 + 10], 0x77);
    EXPECT_EQ(file.substr(kOffBarcodeRules + 1, 14), std::string("21PPPPPWWWWWC\0", 14));
    // WeightTargetLine of form 1, line 1 is line 2.
    EXPECT_EQ(file[kOffBarcodeRules + 742], 2);
    // "Переменная1" in windows-1251.
    EXPECT_EQ(file.substr(kOffVariables, 12), "\xCF\xE5\xF0\xE5\xEC\xE5\xED\xED\xE0\xFF\x31\x00"s);
    EXPECT_EQ(file[kOffVariables + 347], 0x5A);
    EXPECT_EQ(file.substr(kOffNetwork + 24, 5), std::string("WLAN\0", 5));
    EXPECT_EQ(file[kOffFieldLinks + 2 * 16 + 8], 5);

    // The base format is the same bytes up to the end of ReaderOptions2.
    const std::string base = SaveAs("layout.FWX");
    ASSERT_EQ(base.size(), kBaseSize);
    EXPECT_EQ(base, file.substr(0, kBaseSize));
}

TEST_F(ProjectFileTest, TheLastCharacterOfTheNameSelectsTheFormat) {
    const struct {
        const char* name;
        std::size_t size;
    } cases[] = {
        {"a.FWW", kExtendedSize}, {"b.fww", kExtendedSize}, {"cw", kExtendedSize},
        {"d.FWX", kBaseSize},     {"e.txt", kBaseSize},     {"f.FWW.bak", kBaseSize},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(SaveAs(c.name).size(), c.size);
        EXPECT_EQ(IsExtendedName(c.name), c.size == kExtendedSize);
    }
}

TEST_F(ProjectFileTest, SavingNormalisesAndReplacesTheOldFileWhole) {
    dir.Write("p.FWW", std::string(30000, 'x'));
    Form(d(), 0).LineType(0) = kLineText;
    Form(d(), 0).MinLength(0) = 90;
    Form(d(), 0).MaxLength(0) = 100;
    const std::string file = SaveAs("p.FWW");
    ASSERT_EQ(file.size(), kExtendedSize);
    EXPECT_EQ(file[kOffForms + 213], 80);  // MinLength
    EXPECT_EQ(file[kOffForms + 221], 80);  // MaxLength
    EXPECT_EQ(Form(d(), 0).MaxLength(0), 80);
    // Nothing is left beside the project.
    int entries = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir.Path()))
        ++entries;
    EXPECT_EQ(entries, 2);  // the project and the settings file

    // A folder that does not exist: nothing is written, nothing is said.
    ws->currentProjectPath = dir.Path() / "missing" / "q.FWW";
    EXPECT_EQ(WriteProjectFile(*ws), 0);
    EXPECT_TRUE(presenter.shown.empty());
}

TEST_F(ProjectFileTest, ReadingGivesBackWhatWasSaved) {
    Form(d(), 4).LineType(2) = kLineInteger;
    StoreCellText(Form(d(), 4).LinePrompt(2), u"Кол-во:");
    Menu(d(), 1).HasCaption() = 1;
    StoreCellText(Menu(d(), 1).Caption(), u"STOCK");
    d().readerOptions2[9] = 3;
    StoreCellText(Network(d()).Ssid(), u"Warehouse");
    FieldLink(d(), 7).LinkValue(5) = 42;
    SaveAs("round.FWW");
    const Definition saved = d();

    ASSERT_EQ(Open(dir.Path() / "round.FWW"), 1);
    EXPECT_TRUE(presenter.shown.empty());
    EXPECT_EQ(d().menuTable, saved.menuTable);
    EXPECT_EQ(d().formTable, saved.formTable);
    EXPECT_EQ(d().screenTexts, saved.screenTexts);
    EXPECT_EQ(d().terminalSettings, saved.terminalSettings);
    EXPECT_EQ(d().readerOptions2, saved.readerOptions2);
    EXPECT_EQ(d().barcodeRules, saved.barcodeRules);
    EXPECT_EQ(d().variableNames, saved.variableNames);
    EXPECT_EQ(d().networkSettings, saved.networkSettings);
    EXPECT_EQ(d().fieldLinks, saved.fieldLinks);
}

TEST_F(ProjectFileTest, VersionsUpTo501AreAcceptedAndOthersRefusedUntouched) {
    const struct {
        const char* tag;
        bool accepted;
    } cases[] = {
        {"M740-5.01", true},  {"M740-5.00", true},  {"M740-4.07", true},  {"M740-5.1", true},
        {"M740-0.9", true},   {"M740-5.02", false}, {"M740-6.00", false}, {"M740-5.10", false},
        {"M741-5.01", false}, {"m740-5.01", false}, {"M74", false},       {"M740-501", false},
        {"M740-5.", false},   {"M740-.01", false},  {"M740-x.01", false}, {"", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tag);
        presenter.shown.clear();
        ws->settings.recentFiles.clear();
        Reset();
        Form(d(), 0).EscTarget() = 7;  // what the definition held before
        const Definition before = d();

        FileBytes file(kBaseSize, c.tag);
        file.Put(kOffForms + 1, "\x0C");  // form 1's Esc: menu 2
        const fs::path path = dir.Write("v.FWX", file.Bytes());
        ws->currentProjectPath = path;
        EXPECT_EQ(ReadProjectFile(*ws), c.accepted ? 1 : 0);
        if (c.accepted) {
            EXPECT_TRUE(presenter.shown.empty());
            EXPECT_EQ(Form(d(), 0).EscTarget(), 12);
            ASSERT_FALSE(ws->settings.recentFiles.empty());
            EXPECT_EQ(ws->settings.recentFiles.front(), path.u16string());
        } else {
            ASSERT_EQ(presenter.shown.size(), 1u);
            EXPECT_EQ(presenter.shown[0].caption, u"Error");
            EXPECT_EQ(presenter.shown[0].text, kMismatch);
            EXPECT_EQ(presenter.shown[0].icon, MessageIcon::Warning);
            EXPECT_EQ(d().formTable, before.formTable);
            EXPECT_EQ(d().terminalSettings, before.terminalSettings);
            EXPECT_TRUE(ws->settings.recentFiles.empty());
        }
    }
}

TEST_F(ProjectFileTest, BaseFilesNeverGiveReaderOptions2) {
    FileBytes file(kBaseSize);
    file.Fill(kOffReaderOptions2, 100, '\x5C');
    const fs::path path = dir.Write("base.FWX", file.Bytes());
    ASSERT_EQ(Open(path), 1);
    EXPECT_TRUE(AllZero(d().readerOptions2));

    // Read over a definition without the Open command's reset, the block keeps its value.
    d().readerOptions2[20] = 0x42;
    ws->currentProjectPath = path;
    ASSERT_EQ(ReadProjectFile(*ws), 1);
    EXPECT_EQ(d().readerOptions2[20], 0x42);
    EXPECT_EQ(d().readerOptions2[21], 0);
}

TEST_F(ProjectFileTest, OlderExtendedFilesFollowTheirVersion) {
    // 5.00: another 100-byte block where 5.01 has ReaderOptions2, and no FieldLinks.
    FileBytes v500(kOffFieldLinks, "M740-5.00");
    v500.Fill(kOffReaderOptions2, 100, '\xEE')
        .Put(kOffBarcodeRules + 661, "\x03")
        .Put(kOffVariables, CellOf("Weight"))
        .Put(19267 + 822 + 348 + 24, CellOf("OLDNET"));
    FieldLink(d(), 1).LinkValue(3) = 7;
    d().readerOptions2[0] = 1;
    ASSERT_EQ(ReadRaw(v500.Bytes(), true), 1);
    EXPECT_TRUE(presenter.shown.empty());
    EXPECT_TRUE(AllZero(d().readerOptions2));
    EXPECT_EQ(Rules(d()).WeightMaskCount(), 3);
    EXPECT_EQ(Text(d().variableNames, 0, 7), std::string("Weight\0", 7));
    EXPECT_EQ(Text(d().networkSettings, 24, 7), std::string("OLDNET\0", 7));
    EXPECT_TRUE(AllZero(d().fieldLinks));

    // Before 5.00 the file ends after the variables; the network settings are cleared too.
    Reset();
    StoreCellText(Network(d()).Ssid(), u"KEPT?");
    FileBytes v407(kOffNetwork, "M740-4.07");
    v407.Put(kOffVariables + 21, CellOf("Second"));
    ASSERT_EQ(ReadRaw(v407.Bytes(), true), 1);
    EXPECT_EQ(Text(d().variableNames, 21, 7), std::string("Second\0", 7));
    EXPECT_TRUE(AllZero(d().networkSettings));
    EXPECT_TRUE(AllZero(d().fieldLinks));

    // An old extended file that ends with the base blocks: rules cleared, names renewed.
    Reset();
    d().barcodeRules.fill(0x11);
    StoreCellText(Variables(d()).Name(3), u"Custom");
    ASSERT_EQ(ReadRaw(FileBytes(kBaseSize, "M740-4.07").Bytes(), true), 1);
    EXPECT_TRUE(AllZero(d().barcodeRules));
    EXPECT_EQ(Text(d().variableNames, 2 * 21, 12),
              "\xCF\xE5\xF0\xE5\xEC\xE5\xED\xED\xE0\xFF\x33\x00"s);
    EXPECT_EQ(d().variableNames[300], 0);
}

TEST_F(ProjectFileTest, CurrentExtendedFilesMustHoldTheirLastBlocksWhole) {
    // Where a 5.01 extended file is cut decides what is said; what came before stays loaded
    // and the definition is not normalised.
    const std::size_t cuts[] = {10,          19200,          kOffBarcodeRules,
                                kOffNetwork, kOffFieldLinks, kExtendedSize - 1};
    for (std::size_t cut : cuts) {
        SCOPED_TRACE(cut);
        presenter.shown.clear();
        Reset();
        FileBytes file(kExtendedSize);
        file.Put(kOffForms + 221, "\x64")  // MaxLength 100: normalisation would make it 80
            .Put(kOffVariables, CellOf("Loaded"))
            .Cut(cut);
        ws->currentProjectPath = dir.Write("cut.FWW", file.Bytes());
        EXPECT_EQ(ReadProjectFile(*ws), 0);
        ASSERT_EQ(presenter.shown.size(), 1u);
        EXPECT_EQ(presenter.shown[0].text, kMismatch);
        if (cut > kOffForms + 221) {
            EXPECT_EQ(Form(d(), 0).MaxLength(0), 100);
        }
        if (cut >= kOffNetwork) {
            EXPECT_EQ(Text(d().variableNames, 0, 7), std::string("Loaded\0", 7));
        }
    }

    // A read that failed says so with the system's words.
    presenter.shown.clear();
    const std::string cut = FileBytes(kExtendedSize).Cut(kOffNetwork + 10).Bytes();
    EXPECT_EQ(ReadRaw(cut, true, /*readError=*/5), 0);
    ASSERT_EQ(presenter.shown.size(), 1u);
    EXPECT_EQ(presenter.shown[0].text,
              kMismatch + u"\r\nОшибка чтения задачи: (" + SystemErrorText(5) + u")");
}

TEST_F(ProjectFileTest, ShortFilesKeepWhatTheyDoNotReach) {
    // A tag and nothing else: a base file loads as the reset definition, normalised.
    Reset();
    auto expected = std::make_unique<Definition>(d());
    NormaliseDefinition(*expected);
    ASSERT_EQ(Open(dir.Write("tag.FWX", std::string("M740-5.01\0", 10))), 1);
    EXPECT_TRUE(presenter.shown.empty());
    EXPECT_EQ(d().formTable, expected->formTable);
    EXPECT_EQ(d().menuTable, expected->menuTable);
    EXPECT_EQ(d().screenTexts, expected->screenTexts);
    EXPECT_EQ(d().terminalSettings, expected->terminalSettings);
    EXPECT_EQ(d().variableNames, expected->variableNames);
    // The same file under an extended name lacks ReaderOptions2 and is refused.
    EXPECT_EQ(Open(dir.Write("tag.FWW", std::string("M740-5.01\0", 10))), 0);
    EXPECT_EQ(presenter.shown.size(), 1u);

    // A file cut inside the form table: the cut form keeps its bytes behind the cut.
    Reset();
    d().formTable[500] = 0x5A;
    FileBytes cut(kBaseSize);
    cut.Fill(kOffMenus, 3500, '\x01').Fill(kOffForms, 100, '\x02').Cut(kOffForms + 100);
    ASSERT_EQ(ReadRaw(cut.Bytes(), false), 1);
    EXPECT_EQ(d().menuTable[3499], 1);
    EXPECT_EQ(d().formTable[99], 2);
    EXPECT_EQ(d().formTable[500], 0x5A);
    EXPECT_EQ(d().formTable[2 * 1215 + 2], 3);  // form 3 still returns to itself
}

TEST_F(ProjectFileTest, OldSettingsLayoutIsUpgraded) {
    FileBytes file(kBaseSize);
    file.Put(kOffTerminal, "\x01")
        .Fill(kOffTerminal + 115, 141, '\x7E')  // old data where the new layout has fields
        .Put(kOffTerminal + 260, "\x01")
        .Put(kOffTerminal + 261, "\x09");
    ASSERT_EQ(ReadRaw(file.Bytes(), false), 1);
    const auto& t = d().terminalSettings;
    EXPECT_EQ(t[0], 2);
    EXPECT_EQ(Text(t, 115, 21), std::string(21, '\0'));  // modem speed, download phone
    EXPECT_EQ(Text(t, 136, 4), "\x00\x02\x01\x02"s);
    EXPECT_EQ(Text(t, 140, 10), std::string(10, '\0'));
    EXPECT_EQ(Text(t, 150, 21), Padded("8. Calculator"));
    EXPECT_EQ(Text(t, 171, 21), Padded("7.Buzzer"));
    EXPECT_EQ(Text(t, 234, 21), Padded("3.Warning Beep"));
    EXPECT_EQ(t[255], 0x7E);  // outside the upgraded bytes
    EXPECT_EQ(t[260], 0);
    EXPECT_EQ(t[261], 9);

    // The current layout (2 or more) is taken as it is.
    for (char layout : {'\x02', '\x32'}) {
        FileBytes current(kBaseSize);
        current.Put(kOffTerminal, std::string(1, layout)).Fill(kOffTerminal + 115, 140, '\x7E');
        ASSERT_EQ(ReadRaw(current.Bytes(), false), 1);
        EXPECT_EQ(d().terminalSettings[0], layout);
        EXPECT_EQ(d().terminalSettings[137], 0x7E);
        EXPECT_EQ(d().terminalSettings[150], 0x7E);
    }
}

TEST_F(ProjectFileTest, SaveTurnsBaseNamesIntoExtendedOnes) {
    ScriptedDialogs dialogs;
    const std::string original(kBaseSize, 'o');
    for (const char* name : {"a.FWX", "b.fwx"}) {
        SCOPED_TRACE(name);
        dir.Write(name, original);
        ws->currentProjectPath = dir.Path() / name;
        ASSERT_EQ(SaveProject(*ws, dialogs), 1);
        std::string extended = name;
        extended.back() = extended.back() == 'X' ? 'W' : 'w';
        EXPECT_EQ(ws->currentProjectPath, dir.Path() / extended);
        EXPECT_EQ(dir.Read(extended).size(), kExtendedSize);
        EXPECT_EQ(dir.Read(name), original);
        EXPECT_EQ(ws->settings.recentFiles.front(), (dir.Path() / extended).u16string());
    }
    EXPECT_TRUE(dialogs.requests.empty());

    // A new definition has no name yet: Save asks for one, and a cancel writes nothing.
    ws->currentProjectPath.clear();
    EXPECT_EQ(SaveProject(*ws, dialogs), 0);
    EXPECT_EQ(dialogs.requests.size(), 1u);
    EXPECT_TRUE(ws->currentProjectPath.empty());
}

TEST_F(ProjectFileTest, SaveAsTakesOnlyExtendedProjectNames) {
    ScriptedDialogs dialogs;
    dialogs.answers = {dir.Path() / "b.txt", dir.Path() / "c.fWw", std::nullopt};

    EXPECT_EQ(SaveProjectAs(*ws, dialogs), 0);
    EXPECT_EQ(ws->currentProjectPath, dir.Path() / "b.txt");
    EXPECT_FALSE(fs::exists(dir.Path() / "b.txt"));
    // Save then writes what the name selects: the base format.
    EXPECT_EQ(SaveProject(*ws, dialogs), 1);
    EXPECT_EQ(dir.Read("b.txt").size(), kBaseSize);

    EXPECT_EQ(SaveProjectAs(*ws, dialogs), 1);
    EXPECT_EQ(dir.Read("c.fWw").size(), kExtendedSize);

    // Cancel: nothing changes.
    EXPECT_EQ(SaveProjectAs(*ws, dialogs), 0);
    EXPECT_EQ(ws->currentProjectPath, dir.Path() / "c.fWw");

    ASSERT_EQ(dialogs.requests.size(), 3u);
    const FileDialogRequest& r = dialogs.requests[0];
    ASSERT_EQ(r.filters.size(), 1u);
    EXPECT_EQ(r.filters[0].description, u"Файлы Formwright (*.FWW)");
    EXPECT_EQ(r.filters[0].pattern, u"*.FWW");
    EXPECT_EQ(r.defaultExtension, u"FWW");
    EXPECT_TRUE(r.initialName.empty());
    EXPECT_TRUE(r.save);
}

TEST_F(ProjectFileTest, OpenDialogOffersTheLastProjectAndActsByMode) {
    Form(d(), 2).EscTarget() = 13;
    SaveAs("last.FWW");
    const fs::path last = dir.Path() / "last.FWW";
    ScriptedDialogs dialogs;

    // Without auto-preload the dialog starts empty; path-only mode reads nothing.
    Reset();
    dialogs.answers = {last};
    EXPECT_EQ(OpenProjectDialog(*ws, dialogs, OpenMode::PathOnly), 1);
    EXPECT_EQ(ws->currentProjectPath, last);
    EXPECT_EQ(Form(d(), 2).EscTarget(), 0);
    EXPECT_TRUE(dialogs.requests.back().initialName.empty());
    EXPECT_FALSE(dialogs.requests.back().save);
    ASSERT_EQ(dialogs.requests.back().filters.size(), 1u);
    EXPECT_EQ(dialogs.requests.back().filters[0].description, u"Файлы Formwright (*.FWW)");
    EXPECT_EQ(dialogs.requests.back().filters[0].pattern, u"*.FWW");

    // With it, the last project is offered; load mode reads the choice.
    ws->settings.autoPreloadLast = 1;
    ws->settings.lastProjectPath = last.u16string();
    dialogs.answers = {last};
    EXPECT_EQ(OpenProjectDialog(*ws, dialogs, OpenMode::Load), 1);
    EXPECT_EQ(dialogs.requests.back().initialName, last);
    EXPECT_EQ(Form(d(), 2).EscTarget(), 13);

    // "Unknow" is no project; a cancel keeps the path.
    ws->settings.lastProjectPath = u"Unknow";
    EXPECT_EQ(OpenProjectDialog(*ws, dialogs, OpenMode::Load), 0);
    EXPECT_TRUE(dialogs.requests.back().initialName.empty());
    EXPECT_EQ(ws->currentProjectPath, last);
}

class ImportTest : public ProjectFileTest {
  protected:
    // A file whose screen texts say where they came from: group g line k holds "g<g>l<k>".
    FileBytes TextFile(char layout) {
        FileBytes file(kBaseSize);
        std::size_t offset = 16051;
        for (int g = 1; g <= 27; ++g)
            for (int k = 0; k < kScreenTextGroups[g - 1].lines; ++k, offset += 21)
                file.Put(offset, CellOf("g" + std::to_string(g) + "l" + std::to_string(k)));
        file.Put(kOffTerminal, std::string(1, layout));
        for (int u = 0; u < 5; ++u)
            file.Put(kOffTerminal + 150 + 21 * u, CellOf("util" + std::to_string(u)));
        return file;
    }
    std::string Line(const ImportedTexts& t, int group, int line) {
        const std::size_t at = 21 * (ScreenTextGroupFirstLine(group) + line);
        return Text(t.screenTexts, at, 21);
    }
    int Import(const FileBytes& file, ImportedTexts& target) {
        ws->currentProjectPath = dir.Write("texts.FWW", file.Bytes());
        return ImportScreenTexts(*ws, target);
    }
};

TEST_F(ImportTest, TextsComeFromTheMainMenuOnAndTheBuzzerJoinsTheSettingsMenu) {
    auto target = std::make_unique<ImportedTexts>();
    target->screenTexts.fill('k');
    for (auto& line : target->utilityLines)
        line.fill('k');

    ASSERT_EQ(Import(TextFile(2), *target), 1);
    EXPECT_EQ(Line(*target, 1, 0), std::string(21, 'k'));  // group 1 is not imported
    EXPECT_EQ(Line(*target, 2, 0), CellOf("g2l0"));
    EXPECT_EQ(Line(*target, 3, 7), CellOf("g3l7"));
    EXPECT_EQ(Line(*target, 27, 2), CellOf("g27l2"));
    // Program settings: lines shift up by one, the buzzer line comes seventh, line 8 stays.
    EXPECT_EQ(Line(*target, 8, 0), CellOf("g8l1"));
    EXPECT_EQ(Line(*target, 8, 5), CellOf("g8l6"));
    EXPECT_EQ(Line(*target, 8, 6), CellOf("util1"));
    EXPECT_EQ(Line(*target, 8, 7), CellOf("g8l7"));
    const std::string shown[] = {"util0", "util2", "util3", "util4"};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(Text(target->utilityLines[i], 0, 21), CellOf(shown[i]));
}

TEST_F(ImportTest, OldLayoutsTakeDefaultTextsWhereTheDefinitionHasNone) {
    auto target = std::make_unique<ImportedTexts>();
    for (auto& line : target->utilityLines)
        line.fill('k');
    // The definition's key-click line is empty, the others hold their texts.
    Terminal(d()).UtilityLine(2)[0] = 0;

    ASSERT_EQ(Import(TextFile(1), *target), 1);
    EXPECT_EQ(Line(*target, 8, 6), Padded("7.Buzzer"));
    EXPECT_EQ(Text(target->utilityLines[0], 0, 21), std::string(21, 'k'));
    EXPECT_EQ(Text(target->utilityLines[1], 0, 21), Padded("1.Key Click"));
    EXPECT_EQ(Text(target->utilityLines[3], 0, 21), std::string(21, 'k'));

    // Another model's file is refused.
    presenter.shown.clear();
    FileBytes other = TextFile(2);
    other.Put(0, "M750");
    EXPECT_EQ(Import(other, *target), 0);
    ASSERT_EQ(presenter.shown.size(), 1u);
    EXPECT_EQ(presenter.shown[0].text, kMismatch);
    ws->currentProjectPath = dir.Path() / "none.FWW";
    EXPECT_EQ(ImportScreenTexts(*ws, *target), 0);
}

}  // namespace
}  // namespace fw
