// Replacing a file through a temporary one: what the user set on the file survives, a crash
// leaves nothing of ours behind, and nothing happens to the file until the commit.
#include "model/savefile.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <set>

#include "support/temp_folder.h"

namespace fw::test {
namespace {

namespace fs = std::filesystem;

std::set<std::string> Names(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

TEST(FileReplacement, KeepsPermissionsAndWritesThroughSymbolicLinks) {
    TempFolder dir;
    for (const fs::perms mode : {fs::perms(0600), fs::perms(0751), fs::perms(0664)}) {
        const fs::path file = dir.Write("p.FWW", "old");
        fs::permissions(file, mode, fs::perm_options::replace);
        ASSERT_TRUE(ReplaceFileBytes(file, "new", SyncMode::None));
        EXPECT_EQ(ReadFile(file), "new");
        EXPECT_EQ(fs::status(file).permissions(), mode) << int(mode);
    }

    // A relative link from another folder, and a link to a link: the file at the end of the
    // chain gets the bytes, the links stay links.
    fs::create_directories(dir / "projects");
    const fs::path real = dir.Write("projects/real.FWW", "old");
    fs::create_directories(dir / "desk");
    fs::create_symlink("../projects/real.FWW", dir / "desk" / "near.FWW");
    fs::create_symlink(dir / "desk" / "near.FWW", dir / "far.FWW");
    for (const char* link : {"desk/near.FWW", "far.FWW"}) {
        ASSERT_TRUE(ReplaceFileBytes(dir / link, link, SyncMode::ToDisk)) << link;
        EXPECT_TRUE(fs::is_symlink(dir / link)) << link;
        EXPECT_EQ(ReadFile(real), link);
    }
    EXPECT_EQ(Names(dir / "projects"), std::set<std::string>{"real.FWW"});
    EXPECT_EQ(Names(dir / "desk"), std::set<std::string>{"near.FWW"});

    // A link whose file is not there yet creates that file.
    fs::create_symlink("projects/later.FWW", dir / "later.FWW");
    ASSERT_TRUE(ReplaceFileBytes(dir / "later.FWW", "first", SyncMode::None));
    EXPECT_TRUE(fs::is_symlink(dir / "later.FWW"));
    EXPECT_EQ(dir.Read("projects/later.FWW"), "first");

    // A folder is never replaced, not even through a link.
    fs::create_directories(dir / "folder.FWW");
    fs::create_symlink("folder.FWW", dir / "to-folder.FWW");
    EXPECT_FALSE(ReplaceFileBytes(dir / "folder.FWW", "x"));
    EXPECT_FALSE(ReplaceFileBytes(dir / "to-folder.FWW", "x"));
    EXPECT_TRUE(fs::is_directory(dir / "folder.FWW"));
}

TEST(FileReplacement, TemporaryNamesAreUniqueAndStaleOnesOfDeadProcessesGo) {
    TempFolder dir;
    const fs::path target = dir.Write("p.FWW", "old");
    // Left by crashed runs: a process id that no system hands out, and the fixed name older
    // versions used. A running process's file and other files' temporaries stay.
    const std::string parent = std::to_string(getppid());
    const std::set<std::string> kept = {"p.FWW", "p.FWW." + parent + "-0badf00d.saving~",
                                        "q.FWW.999999999-00000001.saving~",
                                        "p.FWW.999999999-notours.saving~", "p.FWW.bak"};
    for (const std::string& name : kept)
        if (name != "p.FWW") dir.Write(name, "");
    dir.Write("p.FWW.999999999-deadbeef.saving~", "half");
    dir.Write("p.FWW.saving~", "half");
    ASSERT_FALSE(ProcessRuns(999999999));
    ASSERT_TRUE(ProcessRuns(static_cast<unsigned long>(getpid())));

    {
        FileReplacement first(target, SyncMode::None);
        FileReplacement second(target, SyncMode::None);
        ASSERT_TRUE(first.Opened());
        ASSERT_TRUE(second.Opened());
        EXPECT_NE(first.TemporaryPath(), second.TemporaryPath());
        EXPECT_EQ(first.TemporaryPath().parent_path(), dir.Path());
        // A temporary file of this process is not taken for a stale one.
        EXPECT_EQ(RemoveStaleTemporaries(target), 0);
        EXPECT_TRUE(first.Commit("first"));
        EXPECT_TRUE(second.Commit("second"));
    }
    EXPECT_EQ(dir.Read("p.FWW"), "second");
    EXPECT_EQ(Names(dir.Path()), kept);
}

TEST(FileReplacement, StreamedBytesReachTheTargetOnlyOnCommit) {
    TempFolder dir;
    const fs::path target = dir.Write("data.txt", "earlier records\r\n");
    {
        FileReplacement out(target, SyncMode::None);
        ASSERT_TRUE(out.Opened());
        EXPECT_TRUE(out.Write("A\r\n"));
        EXPECT_EQ(ReadFile(out.TemporaryPath()), "A\r\n");
        EXPECT_EQ(dir.Read("data.txt"), "earlier records\r\n");
        out.Discard();
        EXPECT_FALSE(out.Commit());
    }
    {
        FileReplacement out(target, SyncMode::None);
        out.Write("dropped\r\n");
    }  // neither committed nor discarded: gone all the same
    EXPECT_EQ(Names(dir.Path()), std::set<std::string>{"data.txt"});
    EXPECT_EQ(dir.Read("data.txt"), "earlier records\r\n");

    FileReplacement out(target, SyncMode::ToDisk);
    EXPECT_TRUE(out.Write("A\r\n"));
    EXPECT_TRUE(out.Write("B\r\n"));
    EXPECT_TRUE(out.Commit());
    EXPECT_EQ(dir.Read("data.txt"), "A\r\nB\r\n");
    EXPECT_EQ(Names(dir.Path()), std::set<std::string>{"data.txt"});
}

}  // namespace
}  // namespace fw::test
