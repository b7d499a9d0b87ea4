// Project files: offsets and sizes below are worked out from the block layout tables (a file
// is the blocks end to end), never taken from the writer's own output.
#include "model/projectfile.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "model/codepage.h"
#include "model/defaults.h"
#include "model/normalise.h"
#include "model/system.h"
#include "model/test_support.h"
#include "support/temp_folder.h"

namespace fw {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using test::Cell;
using test::Padded;
using test::Str;

// File offsets of the blocks.
constexpr std::size_t kOffMenus = 35;
constexpr std::size_t kOffForms = 3535;
constexpr std::size_t kOffTerminal = 18899;
constexpr std::size_t kOffReaderOptions2 = 19167;
constexpr std::size_t kOffBarcodeRules = 19267;
constexpr std::size_t kOffVariables = 20089;
constexpr std::size_t kOffNetwork = 20437;
constexpr std::size_t kOffFieldLinks = 20684;
constexpr std::size_t kBaseSize = 19267;
constexpr std::size_t kExtendedSize = 20844;

const std::u16string kMismatch = u"Format mismatch !!!";

using test::ScriptedDialogs;

void ExpectProjectFilter(const FileDialogRequest& r) {
    ASSERT_EQ(r.filters.size(), 1u);
    EXPECT_EQ(r.filters[0].description, u"Файлы Formwright (*.FWW)");
    EXPECT_EQ(r.filters[0].pattern, u"*.FWW");
}

// A hand-made file: zeros of the given length with a tag, and bytes put at file offsets.
class FileBytes {
  public:
    explicit FileBytes(std::size_t size, std::string_view tag = "M740-5.01") : bytes_(size, '\0') {
        Put(0, tag.substr(0, std::min(tag.size(), size)));
        // A settings block of the current layout, so that no upgrade runs unless asked for.
        if (size > kOffTerminal) bytes_[kOffTerminal] = 2;
    }
    FileBytes& Put(std::size_t offset, std::string_view data) {
        for (std::size_t i = 0; i < data.size() && offset + i < bytes_.size(); ++i)
            bytes_[offset + i] = data[i];
        return *this;
    }
    FileBytes& Cut(std::size_t size) {
        bytes_.resize(size);
        return *this;
    }
    const std::string& Bytes() const { return bytes_; }

  private:
    std::string bytes_;
};

class ProjectFileTest : public test::WorkspaceTest {
  protected:
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
    // The one message shown since the last call, or an empty text when there was none.
    std::u16string Shown() {
        EXPECT_LE(presenter.shown.size(), 1u);
        std::u16string text = presenter.shown.empty() ? u"" : presenter.shown.back().text;
        presenter.shown.clear();
        return text;
    }

    Definition& d() { return ws->definition; }
};

TEST_F(ProjectFileTest, BlocksLieEndToEndAtTheirFileOffsets) {
    struct Case {
        std::span<Byte> block;
        std::size_t offset;
    };
    Definition& def = d();
    // Every block after the format tag, in file order.
    const Case cases[] = {
        {def.reservedWord, 10},        {def.readerOptions, 12},   {def.menuTable, 35},
        {def.formTable, 3535},         {def.lookupTable, 15685},  {def.screenTexts, 16051},
        {def.symbologyOptions, 18844}, {def.readerExtra, 18889},  {def.terminalSettings, 18899},
        {def.readerOptions2, 19167},   {def.barcodeRules, 19267}, {def.variableNames, 20089},
        {def.networkSettings, 20437},  {def.fieldLinks, 20684}};
    // Marks at the start, the middle and the end of each block, different in every block.
    Byte mark = 0x80;
    for (const Case& c : cases)
        for (std::size_t at : {c.block.size() / 2, std::size_t{0}, c.block.size() - 1})
            c.block[at] = ++mark;
    // The second character of every screen-text group's first line names the group.
    const std::size_t groups[27] = {16051, 16135, 16219, 16387, 16471, 16555, 16639, 16786, 16954,
                                    17080, 17206, 17311, 17395, 17479, 17605, 17773, 17836, 17941,
                                    18025, 18130, 18235, 18298, 18340, 18424, 18487, 18613, 18781};
    for (int g = 1; g <= 27; ++g)
        ScreenTextLine(def, g, 0)[1] = Byte(g);
    def.formatTag.fill(0xEE);  // a file always carries the program's own tag

    const std::string file = SerialiseProject(def, true);
    ASSERT_EQ(file.size(), kExtendedSize);
    EXPECT_EQ(file.substr(0, 10), "M740-5.01\0"s);
    for (const Case& c : cases)
        for (std::size_t at : {std::size_t{0}, c.block.size() / 2, c.block.size() - 1})
            EXPECT_EQ(Byte(file[c.offset + at]), c.block[at]) << c.offset << " + " << at;
    for (int g = 1; g <= 27; ++g)
        EXPECT_EQ(file[groups[g - 1] + 1], g) << "group " << g;
    // The base format is the same bytes up to the end of ReaderOptions2.
    EXPECT_EQ(SerialiseProject(def, false), file.substr(0, kBaseSize));
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
    EXPECT_EQ(ws->settings.recentFiles.front(), (dir.Path() / "p.FWW").u16string());
    // Nothing is left beside the project but the settings file.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 2);

    // A folder that does not exist: nothing is written, nothing is said.
    ws->currentProjectPath = dir.Path() / "missing" / "q.FWW";
    EXPECT_EQ(WriteProjectFile(*ws), 0);
    EXPECT_EQ(Shown(), u"");
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
        ws->settings.recentFiles.clear();
        Reset();
        Form(d(), 0).EscTarget() = 7;  // what the definition held before
        const std::string before = SerialiseProject(d(), true);

        FileBytes file(kBaseSize, c.tag);
        file.Put(kOffForms + 1, "\x0C");  // form 1's Esc: menu 2
        const fs::path path = dir.Write("v.FWX", file.Bytes());
        ws->currentProjectPath = path;
        EXPECT_EQ(ReadProjectFile(*ws), c.accepted ? 1 : 0);
        if (c.accepted) {
            EXPECT_EQ(Shown(), u"");
            EXPECT_EQ(Form(d(), 0).EscTarget(), 12);
            EXPECT_EQ(ws->settings.recentFiles, std::vector{path.u16string()});
        } else {
            ASSERT_EQ(presenter.shown.size(), 1u);
            EXPECT_EQ(presenter.shown[0].caption, u"Error");
            EXPECT_EQ(presenter.shown[0].icon, MessageIcon::Warning);
            EXPECT_EQ(Shown(), kMismatch);
            EXPECT_EQ(SerialiseProject(d(), true), before);
            EXPECT_TRUE(ws->settings.recentFiles.empty());
        }
    }
}

TEST_F(ProjectFileTest, BaseFilesNeverGiveReaderOptions2) {
    FileBytes file(kBaseSize);
    file.Put(kOffReaderOptions2, std::string(100, '\x5C'));
    const fs::path path = dir.Write("base.FWX", file.Bytes());
    ASSERT_EQ(Open(path), 1);
    EXPECT_EQ(Str(d().readerOptions2), std::string(100, '\0'));

    // Read over a definition without the Open command's reset, the block keeps its value.
    d().readerOptions2[20] = 0x42;
    ws->currentProjectPath = path;
    ASSERT_EQ(ReadProjectFile(*ws), 1);
    EXPECT_EQ(Str(d().readerOptions2, 20, 2), "\x42\0"s);
}

TEST_F(ProjectFileTest, OlderExtendedFilesFollowTheirVersion) {
    // 5.00: another 100-byte block where 5.01 has ReaderOptions2, and no FieldLinks.
    FileBytes v500(kOffFieldLinks, "M740-5.00");
    v500.Put(kOffReaderOptions2, std::string(100, '\xEE'))
        .Put(kOffBarcodeRules + 661, "\x03")
        .Put(kOffVariables, Cell("Weight"))
        .Put(19267 + 822 + 348 + 24, Cell("OLDNET"));
    FieldLink(d(), 1).LinkValue(3) = 7;
    d().readerOptions2[0] = 1;
    ASSERT_EQ(ReadRaw(v500.Bytes(), true), 1);
    EXPECT_EQ(Shown(), u"");
    EXPECT_EQ(Str(d().readerOptions2), std::string(100, '\0'));
    EXPECT_EQ(Rules(d()).WeightMaskCount(), 3);
    EXPECT_EQ(Str(d().variableNames, 0, 21), Cell("Weight"));
    EXPECT_EQ(Str(d().networkSettings, 24, 21), Cell("OLDNET"));
    EXPECT_EQ(Str(d().fieldLinks), std::string(160, '\0'));

    // Before 5.00 the file ends after the variables; the network settings are cleared too.
    Reset();
    StoreCellText(Network(d()).Ssid(), u"KEPT?");
    FileBytes v407(kOffNetwork, "M740-4.07");
    v407.Put(kOffVariables + 21, Cell("Second"));
    ASSERT_EQ(ReadRaw(v407.Bytes(), true), 1);
    EXPECT_EQ(Str(d().variableNames, 21, 21), Cell("Second"));
    EXPECT_EQ(Str(d().networkSettings) + Str(d().fieldLinks), std::string(247 + 160, '\0'));

    // An old extended file that ends with the base blocks: rules cleared, names renewed.
    Reset();
    d().barcodeRules.fill(0x11);
    StoreCellText(Variables(d()).Name(3), u"Custom");
    d().variableNames[300] = 0x11;
    ASSERT_EQ(ReadRaw(FileBytes(kBaseSize, "M740-4.07").Bytes(), true), 1);
    EXPECT_EQ(Str(d().barcodeRules), std::string(822, '\0'));
    EXPECT_EQ(Str(d().variableNames, 2 * 21, 21), Cell(test::kVariableStem + "3"));
    EXPECT_EQ(d().variableNames[300], 0);
}

TEST_F(ProjectFileTest, CurrentExtendedFilesMustHoldTheirLastBlocksWhole) {
    // Where a 5.01 extended file is cut decides what is said; what came before stays loaded
    // and the definition is not normalised.
    for (std::size_t cut : {std::size_t{10}, std::size_t{19200}, kOffBarcodeRules, kOffNetwork,
                            kOffFieldLinks, kExtendedSize - 1}) {
        SCOPED_TRACE(cut);
        Reset();
        FileBytes file(kExtendedSize);
        file.Put(kOffForms + 221, "\x64")  // MaxLength 100: normalisation would make it 80
            .Put(kOffVariables, Cell("Loaded"))
            .Cut(cut);
        ws->currentProjectPath = dir.Write("cut.FWW", file.Bytes());
        EXPECT_EQ(ReadProjectFile(*ws), 0);
        EXPECT_EQ(Shown(), kMismatch);
        if (cut > kOffForms + 221) {
            EXPECT_EQ(Form(d(), 0).MaxLength(0), 100);
        }
        if (cut >= kOffNetwork) {
            EXPECT_EQ(Str(d().variableNames, 0, 21), Cell("Loaded"));
        }
    }

    // A read that failed says so with the system's words.
    const std::string cut = FileBytes(kExtendedSize).Cut(kOffNetwork + 10).Bytes();
    EXPECT_EQ(ReadRaw(cut, true, /*readError=*/5), 0);
    EXPECT_EQ(Shown(), kMismatch + u"\r\nОшибка чтения задачи: (" + SystemErrorText(5) + u")");
}

TEST_F(ProjectFileTest, ShortFilesKeepWhatTheyDoNotReach) {
    // A tag and nothing else: a base file loads as the reset definition, normalised.
    Reset();
    auto expected = std::make_unique<Definition>(d());
    NormaliseDefinition(*expected);
    ASSERT_EQ(Open(dir.Write("tag.FWX", "M740-5.01\0"s)), 1);
    EXPECT_EQ(Shown(), u"");
    EXPECT_EQ(SerialiseProject(d(), true), SerialiseProject(*expected, true));
    // The same file under an extended name lacks ReaderOptions2 and is refused.
    EXPECT_EQ(Open(dir.Write("tag.FWW", "M740-5.01\0"s)), 0);
    EXPECT_EQ(Shown(), kMismatch);

    // A file cut inside the form table: the cut form keeps its bytes behind the cut.
    Reset();
    d().formTable[500] = 0x5A;
    FileBytes cut(kBaseSize);
    cut.Put(kOffMenus, std::string(3500, '\x01'))
        .Put(kOffForms, std::string(100, '\x02'))
        .Cut(kOffForms + 100);
    ASSERT_EQ(ReadRaw(cut.Bytes(), false), 1);
    EXPECT_EQ(d().menuTable[3499], 1);
    EXPECT_EQ(d().formTable[99], 2);
    EXPECT_EQ(d().formTable[500], 0x5A);
    EXPECT_EQ(d().formTable[2 * 1215 + 2], 3);  // form 3 still returns to itself
}

TEST_F(ProjectFileTest, OldSettingsLayoutIsUpgraded) {
    FileBytes file(kBaseSize);
    file.Put(kOffTerminal, "\x01")
        .Put(kOffTerminal + 115,
             std::string(141, '\x7E'))  // old data where the new layout has fields
        .Put(kOffTerminal + 260, "\x01\x09");
    ASSERT_EQ(ReadRaw(file.Bytes(), false), 1);
    const auto& t = d().terminalSettings;
    EXPECT_EQ(t[0], 2);
    // Modem speed and download phone cleared, the sounds as new, their locks cleared.
    EXPECT_EQ(Str(t, 115, 35), std::string(21, '\0') + "\x00\x02\x01\x02"s + std::string(10, 0));
    EXPECT_EQ(Str(t, 150, 21), Padded("8. Calculator"));
    EXPECT_EQ(Str(t, 171, 21), Padded("7.Buzzer"));
    EXPECT_EQ(Str(t, 234, 21), Padded("3.Warning Beep"));
    EXPECT_EQ(Str(t, 255, 1), "\x7E");  // outside the upgraded bytes
    EXPECT_EQ(Str(t, 260, 2), "\x00\x09"s);

    // The current layout (2 or more) is taken as it is.
    for (char layout : {'\x02', '\x32'}) {
        FileBytes current(kBaseSize);
        current.Put(kOffTerminal, std::string(1, layout))
            .Put(kOffTerminal + 115, std::string(140, '\x7E'));
        ASSERT_EQ(ReadRaw(current.Bytes(), false), 1);
        EXPECT_EQ(Str(d().terminalSettings, 0, 1), std::string(1, layout));
        EXPECT_EQ(Str(d().terminalSettings, 137, 14), std::string(14, '\x7E'));
    }
}

TEST_F(ProjectFileTest, SaveTurnsBaseNamesIntoExtendedOnes) {
    ScriptedDialogs dialogs;
    const std::string original(kBaseSize, 'o');
    for (std::string name : {"a.FWX", "b.fwx"}) {
        SCOPED_TRACE(name);
        dir.Write(name, original);
        ws->currentProjectPath = dir.Path() / name;
        ASSERT_EQ(SaveProject(*ws, dialogs), 1);
        std::string extended = name;
        extended.back() = extended.back() == 'X' ? 'W' : 'w';
        EXPECT_EQ(ws->currentProjectPath, dir.Path() / extended);
        EXPECT_EQ(dir.Read(extended).size(), kExtendedSize);
        EXPECT_EQ(dir.Read(name), original);
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
    ExpectProjectFilter(r);
    EXPECT_EQ(r.defaultExtension, u"FWW");
    EXPECT_TRUE(r.initialName.empty());
    EXPECT_TRUE(r.save);
}

TEST_F(ProjectFileTest, OpenDialogOffersTheLastProjectAndActsByMode) {
    Form(d(), 2).EscTarget() = 13;
    Form(d(), 4).LineType(2) = kLineInteger;
    StoreCellText(Form(d(), 4).LinePrompt(2), u"Кол-во:");
    Menu(d(), 1).HasCaption() = 1;
    StoreCellText(Menu(d(), 1).Caption(), u"STOCK");
    d().readerOptions2[9] = 3;
    StoreCellText(Network(d()).Ssid(), u"Warehouse");
    FieldLink(d(), 7).LinkValue(5) = 42;
    const std::string saved = SaveAs("last.FWW");
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
    ExpectProjectFilter(dialogs.requests.back());

    // With it, the last project is offered; load mode reads the choice, just as it was saved.
    ws->settings.autoPreloadLast = 1;
    ws->settings.lastProjectPath = last.u16string();
    dialogs.answers = {last};
    EXPECT_EQ(OpenProjectDialog(*ws, dialogs, OpenMode::Load), 1);
    EXPECT_EQ(dialogs.requests.back().initialName, last);
    EXPECT_EQ(Shown(), u"");
    EXPECT_EQ(SerialiseProject(d(), true), saved);

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
                file.Put(offset, Cell("g" + std::to_string(g) + "l" + std::to_string(k)));
        file.Put(kOffTerminal, std::string(1, layout));
        for (int u = 0; u < 5; ++u)
            file.Put(kOffTerminal + 150 + 21 * u, Cell("util" + std::to_string(u)));
        return file;
    }
    std::string Line(int group, int line) {
        return Str(target->screenTexts, 21 * (ScreenTextGroupFirstLine(group) + line), 21);
    }
    int Import(const FileBytes& file) {
        ws->currentProjectPath = dir.Write("texts.FWW", file.Bytes());
        return ImportScreenTexts(*ws, *target);
    }
    std::unique_ptr<ImportedTexts> target = std::make_unique<ImportedTexts>();
};

TEST_F(ImportTest, TextsComeFromTheMainMenuOnAndTheBuzzerJoinsTheSettingsMenu) {
    target->screenTexts.fill('k');
    ASSERT_EQ(Import(TextFile(2)), 1);
    EXPECT_EQ(Line(1, 0), std::string(21, 'k'));  // group 1 is not imported
    EXPECT_EQ(Line(2, 0), Cell("g2l0"));
    EXPECT_EQ(Line(3, 7), Cell("g3l7"));
    EXPECT_EQ(Line(27, 2), Cell("g27l2"));
    // Program settings: lines shift up by one, the buzzer line comes seventh, line 8 stays.
    EXPECT_EQ(Line(8, 0), Cell("g8l1"));
    EXPECT_EQ(Line(8, 5), Cell("g8l6"));
    EXPECT_EQ(Line(8, 6), Cell("util1"));
    EXPECT_EQ(Line(8, 7), Cell("g8l7"));
    const char* shown[] = {"util0", "util2", "util3", "util4"};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(Str(target->utilityLines[i]), Cell(shown[i]));
}

TEST_F(ImportTest, OldLayoutsTakeDefaultTextsWhereTheDefinitionHasNone) {
    for (auto& line : target->utilityLines)
        line.fill('k');
    // The definition's key-click line is empty, the others hold their texts.
    Terminal(d()).UtilityLine(2)[0] = 0;

    ASSERT_EQ(Import(TextFile(1)), 1);
    EXPECT_EQ(Line(8, 6), Padded("7.Buzzer"));
    EXPECT_EQ(Str(target->utilityLines[0]), std::string(21, 'k'));
    EXPECT_EQ(Str(target->utilityLines[1]), Padded("1.Key Click"));
    EXPECT_EQ(Str(target->utilityLines[3]), std::string(21, 'k'));

    // Another model's file is refused; a missing one too.
    FileBytes other = TextFile(2);
    other.Put(0, "M750");
    EXPECT_EQ(Import(other), 0);
    EXPECT_EQ(Shown(), kMismatch);
    ws->currentProjectPath = dir.Path() / "none.FWW";
    EXPECT_EQ(ImportScreenTexts(*ws, *target), 0);
}

}  // namespace
}  // namespace fw
