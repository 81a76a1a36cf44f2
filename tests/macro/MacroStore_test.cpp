#include "macro/MacroStore.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "MacroTestFolder.h"
#include "model/FileEvents.h"

#include <map>
#include <sys/stat.h>

namespace qor {
namespace {

class MacroStoreTest : public ::testing::Test {
protected:
    void SetUp() override { std::filesystem::create_directories(folder.Path("MacroDB")); }

    MacroWorkingCopy Edited()
    {
        MacroWorkingCopy copy;
        copy.LoopCountText = "5";
        copy.LoopType = 1;
        copy.DelayType = 0;
        copy.EventCount = 1;
        copy.Events[0] = MacroEvent::DelayEvent(9);
        return copy;
    }
    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        store.List().ListNames(names);
        return names;
    }
    void FillList(int count)
    {
        std::vector<std::string> names;
        for (int n = 0; n < count; ++n)
            names.push_back("M" + std::to_string(n));
        ASSERT_TRUE(store.List().Rewrite(names));
    }

    test::TestFolder folder;
    MacroStore store{folder.Path("MacroDB/"), folder.Path("MacroDB/MacroSet.QORDB")};
};

TEST_F(MacroStoreTest, FilePathIsTheNameInTheMacroFolder)
{
    EXPECT_EQ(store.FilePathOf("Fire"), folder.Path("MacroDB/Fire.QORMACRO"));
    EXPECT_EQ(store.FilePathOf("../Fire"), std::nullopt);
    EXPECT_EQ(store.FilePathOf(""), std::nullopt);
}

TEST_F(MacroStoreTest, CreateWritesAnEmptyMacroAndListsIt)
{
    ASSERT_TRUE(store.List().AddName("Fire"));
    MacroWorkingCopy copy = Edited();
    EXPECT_EQ(store.Create("Jump", copy), 1);
    EXPECT_EQ(copy, MacroWorkingCopy{});
    EXPECT_EQ(copy.LoopCountText, "1");
    EXPECT_EQ(copy.DelayType, 2);
    EXPECT_EQ(copy.LoopType, 2);
    EXPECT_EQ(Names(), (std::vector<std::string>{"Fire", "Jump"}));
    const std::string path = folder.Path("MacroDB/Jump.QORMACRO");
    EXPECT_EQ(ReadMacroSettings(path), (MacroSettings{1, 2, 2}));
    EXPECT_EQ(folder.Listing(),
              (std::set<std::string>{"MacroDB", "MacroDB/MacroSet.QORDB", "MacroDB/Jump.QORMACRO"}));
}

TEST_F(MacroStoreTest, CreateIsRefusedForAnExistingFileAnUnsafeNameOrAFullList)
{
    folder.Write("MacroDB/Fire.QORMACRO", "mine");
    folder.Write("victim.QORMACRO", "outside");
    const auto before = folder.Listing();
    for (const std::string name : {"Fire", "../victim", "..", ".", "", "a/b", "x\ny", " Fire"}) {
        MacroWorkingCopy copy = Edited();
        EXPECT_EQ(store.Create(name, copy), std::nullopt) << name;
        EXPECT_EQ(copy, Edited()) << name;
    }
    EXPECT_EQ(folder.Listing(), before);
    EXPECT_EQ(folder.Read("MacroDB/Fire.QORMACRO"), "mine");
    EXPECT_EQ(folder.Read("victim.QORMACRO"), "outside");

    FillList(kMacroSlotCount);
    MacroWorkingCopy copy = Edited();
    EXPECT_EQ(store.Create("Run", copy), std::nullopt);
    EXPECT_FALSE(folder.Exists("MacroDB/Run.QORMACRO"));
}

TEST_F(MacroStoreTest, FailedListWriteLeavesNoUnlistedFile)
{
    // A folder where the list file should be: every list write fails.
    std::filesystem::create_directories(folder.Path("MacroDB/MacroSet.QORDB"));
    MacroWorkingCopy copy = Edited();
    EXPECT_EQ(store.Create("Fire", copy), std::nullopt);
    EXPECT_EQ(copy, Edited());
    folder.Write("x/Jump.QORDB", "[Setting]\r\n");
    EXPECT_FALSE(store.Import(folder.Path("x/Jump.QORDB")).has_value());
    EXPECT_FALSE(folder.Exists("MacroDB/Fire.QORMACRO"));
    EXPECT_FALSE(folder.Exists("MacroDB/Jump.QORMACRO"));
}

TEST_F(MacroStoreTest, CreateNeverWritesThroughADanglingLink)
{
    std::filesystem::create_symlink(folder.Path("elsewhere"), folder.Path("MacroDB/Fire.QORMACRO"));
    MacroWorkingCopy copy;
    EXPECT_EQ(store.Create("Fire", copy), std::nullopt);
    EXPECT_FALSE(folder.Exists("elsewhere"));
}

TEST_F(MacroStoreTest, SaveLoadAndLoopCountByName)
{
    MacroWorkingCopy copy = Edited();
    ASSERT_TRUE(store.Save("Fire", copy));
    MacroWorkingCopy loaded;
    EXPECT_TRUE(store.Load("Fire", loaded));
    EXPECT_EQ(loaded.Events, copy.Events);
    EXPECT_EQ(store.Settings("Fire"), (MacroSettings{5, 1, 0}));
    EXPECT_EQ(store.LoopCount("Fire"), 5);
    EXPECT_EQ(store.LoopCount("Missing"), 1);
    EXPECT_EQ(store.LoopCount(""), 1);
    copy.LoopCountText = "300";
    ASSERT_TRUE(store.Save("Fire", copy));
    EXPECT_EQ(store.LoopCount("Fire"), 44); // low 8 bits, as a button stores it

    EXPECT_FALSE(store.Save("../Fire", copy));
    EXPECT_FALSE(folder.Exists("Fire.QORMACRO"));
}

TEST_F(MacroStoreTest, LoadOfAnUnsafeNameReadsNothingOutside)
{
    MacroBlock outside{};
    outside[0] = MacroEvent::KeyEvent(4, true);
    MacroWorkingCopy saved;
    saved.Events = outside;
    ASSERT_TRUE(SaveMacroFile(folder.Path("x.QORMACRO"), saved));
    MacroWorkingCopy copy = Edited();
    EXPECT_FALSE(store.Load("../x", copy));
    EXPECT_EQ(copy.Events, Edited().Events);
    EXPECT_EQ(store.Settings("../x"), MacroSettings{});
}

TEST_F(MacroStoreTest, DeleteRemovesTheFileAndRenumbers)
{
    for (const std::string name : {"Fire", "Jump", "Run"}) {
        MacroWorkingCopy copy;
        ASSERT_TRUE(store.Create(name, copy));
    }
    const std::vector<std::string> remaining{"Jump", "Run"};
    EXPECT_TRUE(store.Delete("Fire", remaining));
    EXPECT_FALSE(folder.Exists("MacroDB/Fire.QORMACRO"));
    EXPECT_TRUE(folder.Exists("MacroDB/Jump.QORMACRO"));
    const MacroListSnapshot list = store.List().Read();
    EXPECT_EQ(list.NameByNumber(0), "Jump");
    EXPECT_EQ(list.NameByNumber(1), "Run");
    EXPECT_EQ(list.Count(), 2);
}

TEST_F(MacroStoreTest, DeleteOfAnUnsafeNameRemovesNoFile)
{
    folder.Write("victim.QORMACRO", "outside");
    folder.Write("MacroDB/..QORMACRO", "odd");
    ASSERT_TRUE(store.List().Rewrite(std::vector<std::string>{"../victim", "."}));
    EXPECT_TRUE(store.Delete("../victim", std::vector<std::string>{"."}));
    EXPECT_TRUE(store.Delete(".", std::vector<std::string>{}));
    EXPECT_EQ(folder.Read("victim.QORMACRO"), "outside");
    EXPECT_EQ(folder.Read("MacroDB/..QORMACRO"), "odd");
    EXPECT_EQ(store.List().Count(), 0);
}

TEST_F(MacroStoreTest, ImportCopiesUnderTheBaseNameAndAddsAnEntry)
{
    MacroWorkingCopy existing;
    ASSERT_TRUE(store.Create("Fire", existing));
    std::filesystem::create_directories(folder.Path("x"));
    ASSERT_TRUE(SaveMacroFile(folder.Path("x/Fire.QORDB"), Edited()));
    const std::string exchange = folder.Read("x/Fire.QORDB");

    const std::optional<ImportedMacro> imported = store.Import(folder.Path("x/Fire.QORDB"));
    ASSERT_TRUE(imported);
    EXPECT_EQ(imported->Name, "Fire");
    EXPECT_EQ(imported->Number, 1);
    EXPECT_EQ(folder.Read("MacroDB/Fire.QORMACRO"), exchange); // replaced, byte for byte
    EXPECT_EQ(Names(), (std::vector<std::string>{"Fire", "Fire"}));
}

TEST_F(MacroStoreTest, ImportIsRefusedWithoutAUsableFileOrName)
{
    std::filesystem::create_directories(folder.Path("x/Dir.QORDB"));
    folder.Write("x/.QORDB", "[Setting]\r\n");
    folder.Write("x/..QORDB", "[Setting]\r\n");
    folder.Write("x/ Lead.QORDB", "[Setting]\r\n");
    folder.Write("x/Big.QORDB", std::string(kMacroImportMaxBytes + 1, 'x'));
    const auto before = folder.Listing();
    for (const std::string path : {"x/Missing.QORDB", "x/Dir.QORDB", "x/.QORDB", "x/..QORDB", "x/ Lead.QORDB", "x/Big.QORDB"})
        EXPECT_FALSE(store.Import(folder.Path(path)).has_value()) << path;
    EXPECT_FALSE(store.Import("/dev/zero").has_value());
    EXPECT_EQ(folder.Listing(), before);
}

TEST_F(MacroStoreTest, ImportIntoAFullListChangesNothing)
{
    FillList(kMacroSlotCount);
    folder.Write("MacroDB/M3.QORMACRO", "mine");
    folder.Write("x/M3.QORDB", "[Setting]\r\nLoopTime=2\r\n");
    EXPECT_FALSE(store.Import(folder.Path("x/M3.QORDB")).has_value());
    EXPECT_EQ(folder.Read("MacroDB/M3.QORMACRO"), "mine");
}

} // namespace
} // namespace qor

namespace qor {
namespace {

// Every file below the root with its content and inode, so any write, replace or removal shows.
std::map<std::string, std::pair<std::string, ino_t>> Snapshot(const test::TestFolder& folder)
{
    std::map<std::string, std::pair<std::string, ino_t>> files;
    for (const std::string& name : folder.Listing()) {
        struct stat st {};
        ::lstat(folder.Path(name).c_str(), &st);
        files[name] = {S_ISREG(st.st_mode) ? folder.Read(name) : std::string(), st.st_ino};
    }
    return files;
}

// Deleting is left out: it must still drop such a name from the list (see above).
TEST_F(MacroStoreTest, UnsafeNamesChangeNoFileAnywhere)
{
    ASSERT_TRUE(store.List().AddName("Fire"));
    ASSERT_TRUE(store.Save("Fire", Edited()));
    folder.Write("x.QORMACRO", "outside");
    folder.Write("MacroDB/a/b.QORMACRO", "below");
    folder.Write("MacroDB/.QORMACRO", "dot");
    const auto before = Snapshot(folder);
    for (const std::string name : {"../x", "a/b", "/tmp/x", "..", ".", "", "x\ny", " Fire", "Fire\t"}) {
        MacroWorkingCopy copy = Edited();
        EXPECT_EQ(store.Create(name, copy), std::nullopt) << name;
        EXPECT_FALSE(store.Save(name, Edited())) << name;
        EXPECT_FALSE(store.Load(name, copy)) << name;
        EXPECT_EQ(Snapshot(folder), before) << name;
    }
}

// The device agent may read a macro file at any moment: a save replaces it with one rename.
TEST_F(MacroStoreTest, SaveReplacesTheFileOnce)
{
    ASSERT_TRUE(store.Save("Fire", Edited()));
    test::FileEvents events(folder.Path("MacroDB"));
    MacroWorkingCopy changed = Edited();
    changed.LoopCountText = "9";
    ASSERT_TRUE(store.Save("Fire", changed));
    EXPECT_EQ(events.AllRenamed(), (std::map<std::string, int>{{"Fire.QORMACRO", 1}}));
    EXPECT_EQ(events.WrittenInPlace("Fire.QORMACRO"), 0);
    EXPECT_EQ(folder.Listing(), (std::set<std::string>{"MacroDB", "MacroDB/Fire.QORMACRO"}));
}

} // namespace
} // namespace qor
