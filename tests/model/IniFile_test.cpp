#include "support/TempFolder.h"
#include "model/IniFile.h"
#include "platform/ini/IniDocument.h"

#include <array>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qor {
namespace {

using test::Names;
using test::ReadAll;
using test::TempFolder;
using test::WriteAll;

TEST(IniFileRead, IntegersReadLikeTheProfileFunctions) {
    TempFolder dir;
    const std::string path = dir.Path("a.ini");
    WriteAll(path, "[S]\n"
                   "twelve=12abc\nminus=-1\nempty=\nletters=abc\nblank=   \nplus=+5\nlead= \t 7\n"
                   "wrap=4294967295\nquoted='3'\nsign=-\nhex=0x10\nnovalue\n");
    const IniFile ini(path);
    const std::pair<const char*, std::int32_t> cases[] = {
        {"twelve", 12}, {"minus", -1},   {"empty", 99},   {"letters", 0}, {"blank", 99},
        {"plus", 5},    {"lead", 7},     {"wrap", -1},    {"quoted", 3},  {"sign", 0},
        {"hex", 0},     {"novalue", 99}, {"missing", 99},
    };
    for (const auto& [key, expected] : cases)
        EXPECT_EQ(ini.ReadInt("S", key, 99), expected) << key;
    EXPECT_EQ(IniFile(dir.Path("none.ini")).ReadInt("S", "twelve", 42), 42);
}

TEST(IniFileRead, StringsAreCutAt2047CharactersOnACharacterBoundary) {
    TempFolder dir;
    const std::string path = dir.Path("a.ini");
    std::string euros;
    for (int i = 0; i < 3000; ++i)
        euros += "\xE2\x82\xAC";
    WriteAll(path, "[S]\nlong=" + std::string(3000, 'x') + "\neuro=" + euros + "\nq=\"  hi  \"\n");
    const IniFile ini(path);
    EXPECT_EQ(ini.ReadString("S", "long", ""), std::string(2047, 'x'));
    EXPECT_EQ(ini.ReadString("S", "euro", ""), euros.substr(0, 2047 * 3));
    EXPECT_EQ(ini.ReadString("S", "q", ""), "  hi  ");
    EXPECT_EQ(ini.ReadString("S", "missing", "def"), "def");
}

TEST(IniFileRead, StructsAreTakenOnlyWhenWhole) {
    TempFolder dir;
    const std::string path = dir.Path("a.ini");
    WriteAll(path, "[S]\nok=01ABAC\nlower=01abac\nshort=01ABA\nsum=01ABAD\nnothex=01AGAC\nlong=01ABAC00\n");
    const IniFile ini(path);
    const std::pair<const char*, bool> cases[] = {
        {"ok", true},      {"lower", true}, {"short", false},   {"sum", false},
        {"nothex", false}, {"long", false}, {"missing", false},
    };
    for (const auto& [key, accepted] : cases) {
        std::array<std::uint8_t, 2> bytes{7, 7};
        EXPECT_EQ(ini.ReadStruct("S", key, bytes), accepted) << key;
        const std::array<std::uint8_t, 2> expected =
            accepted ? std::array<std::uint8_t, 2>{0x01, 0xAB} : std::array<std::uint8_t, 2>{7, 7};
        EXPECT_EQ(bytes, expected) << key << ": a refused value must leave the target alone";
    }
}

TEST(IniFileWrite, EachWriteIsOnDiskAndLeavesNoTemporaryFile) {
    TempFolder dir;
    IniFile ini(dir.Path("MacroSet.QORDB"));
    ini.WriteString("MACRO_LIST", "0", "Fire");
    EXPECT_EQ(ReadAll(ini.Path()), "[MACRO_LIST]\r\n0=Fire\r\n");
    ini.WriteInt("Setting", "LoopTime", -3);
    const std::array<std::uint8_t, 3> bytes{0x84, 0x04, 0x00};
    ini.WriteStruct("Setting", "MacroSetting_0", bytes);
    EXPECT_EQ(ReadAll(ini.Path()),
              "[MACRO_LIST]\r\n0=Fire\r\n[Setting]\r\nLoopTime=-3\r\nMacroSetting_0=84040088\r\n");
    EXPECT_EQ(Names(dir.Root()), std::vector<std::string>{"MacroSet.QORDB"});
}

TEST(IniBatch, WritesNothingUntilCommitThenReplacesTheFileOnce) {
    TempFolder dir;
    const std::string path = dir.Path("p.pfd");
    WriteAll(path, "; kept\n[S]\nk=1\n");
    struct stat before {};
    ASSERT_EQ(::stat(path.c_str(), &before), 0);

    IniBatch batch(path);
    batch.WriteInt("S", "k", 2);
    batch.WriteInt("T", "n", 3);
    EXPECT_EQ(batch.ReadInt("S", "k", 0), 2) << "reads see the batch's own writes";
    EXPECT_EQ(ReadAll(path), "; kept\n[S]\nk=1\n") << "nothing reaches the disk before Commit";
    EXPECT_TRUE(batch.Commit());
    EXPECT_EQ(ReadAll(path), "; kept\n[S]\nk=2\n[T]\nn=3\n");

    struct stat after {};
    ASSERT_EQ(::stat(path.c_str(), &after), 0);
    EXPECT_NE(after.st_ino, before.st_ino) << "the file is replaced, never rewritten in place";
    EXPECT_TRUE(batch.Commit()) << "nothing changed: nothing to do";
    struct stat again {};
    ASSERT_EQ(::stat(path.c_str(), &again), 0);
    EXPECT_EQ(again.st_ino, after.st_ino);
}

TEST(IniBatch, FilesThatAreNotOursAreNeverTouched) {
    TempFolder dir;
    // A 100 MB file (sparse, so the test stays quick) reads as absent and survives writes.
    const std::string huge = dir.Path("huge.pfd");
    {
        const int fd = ::open(huge.c_str(), O_CREAT | O_WRONLY, 0644);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::ftruncate(fd, 100 << 20), 0);
        ::close(fd);
    }
    // Just above the limit, with real content.
    const std::string big = dir.Path("big.pfd");
    WriteAll(big, "[S]\nk=1\n" + std::string(IniDocument::kMaxFileSize, ';'));
    ::mkdir(dir.Path("folder.pfd").c_str(), 0755);
    ::mkfifo(dir.Path("fifo.pfd").c_str(), 0644);

    for (const char* name : {"huge.pfd", "big.pfd", "folder.pfd", "fifo.pfd"}) {
        const std::string path = dir.Path(name);
        struct stat before {};
        ASSERT_EQ(::lstat(path.c_str(), &before), 0);
        IniBatch batch(path);
        EXPECT_FALSE(batch.Writable()) << name;
        EXPECT_EQ(batch.ReadInt("S", "k", -1), -1) << name;
        batch.WriteInt("S", "k", 5);
        EXPECT_FALSE(batch.Commit()) << name;
        IniFile(path).WriteInt("S", "k", 6);
        struct stat after {};
        ASSERT_EQ(::lstat(path.c_str(), &after), 0);
        EXPECT_EQ(after.st_ino, before.st_ino) << name;
        EXPECT_EQ(after.st_size, before.st_size) << name;
    }
}

TEST(IniBatch, ReadOnlyFileAndMissingFolderFailQuietly) {
    TempFolder dir;
    const std::string path = dir.Path("ro.pfd");
    WriteAll(path, "[S]\nk=1\n");
    ::chmod(path.c_str(), 0444);
    IniBatch batch(path);
    batch.WriteInt("S", "k", 2);
    EXPECT_FALSE(batch.Commit());
    EXPECT_EQ(ReadAll(path), "[S]\nk=1\n");

    IniBatch nowhere(dir.Path("missing/folder/x.pfd"));
    nowhere.WriteInt("S", "k", 2);
    EXPECT_FALSE(nowhere.Commit());
    EXPECT_EQ(Names(dir.Root()), std::vector<std::string>{"ro.pfd"});
}

TEST(IniBatch, RewriteKeepsEncodingLineEndingsAndForeignContent) {
    TempFolder dir;
    const std::string path = dir.Path("u16.pfd");
    const std::string ascii = "[Foreign]\r\nx=1\r\n[S]\r\nk=1\r\n";
    std::string utf16 = "\xFF\xFE";
    for (char c : ascii) {
        utf16 += c;
        utf16 += '\0';
    }
    WriteAll(path, utf16);
    IniFile(path).WriteInt("S", "k", 2);
    std::string expected = "\xFF\xFE";
    for (char c : std::string("[Foreign]\r\nx=1\r\n[S]\r\nk=2\r\n")) {
        expected += c;
        expected += '\0';
    }
    EXPECT_EQ(ReadAll(path), expected);
    EXPECT_EQ(IniFile(path).ReadInt("foreign", "X", 0), 1);
}

} // namespace
} // namespace qor

namespace qor {
namespace {

TEST(IniFileWrite, StringsReadBackExactlyAsWritten) {
    TempFolder dir;
    IniFile ini(dir.Path("names.ini"));
    const std::string values[] = {
        "Fire", " Fire ", "\"quoted\"", "'single'", "\"half", "a \"b\" c", "\t", "", "x=y;z", "\xE2\x82\xAC",
    };
    for (const std::string& value : values) {
        ini.WriteString("MACRO_LIST", "0", value);
        EXPECT_EQ(ini.ReadString("MACRO_LIST", "0", "default"), value) << "[" << value << "]";
    }
    ini.WriteString("MACRO_LIST", "1", " two\r\nlines");
    EXPECT_EQ(ini.ReadString("MACRO_LIST", "1", ""), " two") << "only the first line can be stored";
    EXPECT_EQ(ReadAll(ini.Path()), "[MACRO_LIST]\r\n0=\xE2\x82\xAC\r\n1=\" two\"\r\n");
}

} // namespace
} // namespace qor
