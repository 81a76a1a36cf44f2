#include "platform/sys/Paths.h"
#include "support/TempFolder.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace qor {
namespace {

TEST(Paths, FolderOfPath) {
    EXPECT_EQ(FolderOfPath("/a/b/prog"), "/a/b/");
    EXPECT_EQ(FolderOfPath("/prog"), "/");
    EXPECT_EQ(FolderOfPath("prog"), "./");
}

TEST(Paths, ExecutablePathIsThisTest) {
    const std::string path = ExecutablePath();
    EXPECT_TRUE(path.starts_with("/")) << path;
    EXPECT_TRUE(path.ends_with("/sys_tests")) << path;
}

TEST(Paths, ParsesXdgUserDirs) {
    const std::pair<std::string, std::optional<std::string>> cases[] = {
        {"XDG_DOCUMENTS_DIR=\"$HOME/Documents\"\n", "/home/u/Documents"},
        {"  XDG_DOCUMENTS_DIR=\"${HOME}/Docs\" # mine\n", "/home/u/Docs"},
        {"XDG_DOCUMENTS_DIR=\"/srv/docs\"", "/srv/docs"},
        {"XDG_DOCUMENTS_DIR=$HOME/Bare\n", "/home/u/Bare"},
        {"XDG_DOCUMENTS_DIR=\"$HOME/With \\\"quote\\\"\"\n", "/home/u/With \"quote\""},
        {"XDG_DOCUMENTS_DIR=\"$HOME\"\n", "/home/u"},
        {"XDG_DOCUMENTS_DIR=\"relative/docs\"\n", std::nullopt},
        {"XDG_DOCUMENTS_DIR=\"$HOMEX/docs\"\n", std::nullopt},
        {"# XDG_DOCUMENTS_DIR=\"/commented\"\n", std::nullopt},
        {"XDG_DOCUMENTS_DIRX=\"/other\"\nXDG_DESKTOP_DIR=\"/desk\"\n", std::nullopt},
        {"XDG_DOCUMENTS_DIR=\"/first\"\nXDG_DOCUMENTS_DIR=\"/second\"\n", "/second"},
        {"XDG_DOCUMENTS_DIR=\"/good\"\nXDG_DOCUMENTS_DIR=\"bad\"\n", "/good"},
        {"", std::nullopt},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(ParseXdgUserDir(text, "XDG_DOCUMENTS_DIR", "/home/u"), expected) << text;
    EXPECT_EQ(ParseXdgUserDir("XDG_DOCUMENTS_DIR=\"$HOME/D\"", "XDG_DOCUMENTS_DIR", ""), std::nullopt);
}

TEST(Paths, DocumentsFolderAndMakeDirectories) {
    const test::TempFolder folder("qor-paths", "/tmp");
    ASSERT_FALSE(folder.Root().empty());
    const std::string home = folder.Root();
    EXPECT_EQ(DocumentsFolder(home, std::nullopt), home + "/Documents");
    EXPECT_EQ(DocumentsFolder("", std::nullopt), "");
    EXPECT_EQ(DocumentsFolder("rel", std::nullopt), "");
    std::filesystem::create_directories(home + "/conf");
    std::ofstream(home + "/conf/user-dirs.dirs") << "XDG_DOCUMENTS_DIR=\"$HOME/Docs//\"\n";
    EXPECT_EQ(DocumentsFolder(home, home + "/conf"), home + "/Docs");
    EXPECT_EQ(DocumentsFolder(home, std::string("relative")), home + "/Documents")
        << "a relative XDG_CONFIG_HOME is ignored";

    EXPECT_TRUE(MakeDirectories(home + "/x/y/z/"));
    EXPECT_TRUE(std::filesystem::is_directory(home + "/x/y/z"));
    EXPECT_TRUE(MakeDirectories(home + "/x/y/z"));
    std::ofstream(home + "/file") << "";
    EXPECT_FALSE(MakeDirectories(home + "/file/sub"));
    EXPECT_FALSE(MakeDirectories(home + "/file"));
}

TEST(Paths, CacheFolder) {
    const struct {
        std::string home;
        std::optional<std::string> xdg;
        std::string expected;
    } cases[] = {
        {"/home/u", std::nullopt, "/home/u/.cache"},
        {"/home/u", std::string("/var/c/"), "/var/c"},
        {"/home/u", std::string("relative"), "/home/u/.cache"},
        {"/home/u", std::string(""), "/home/u/.cache"},
        {"", std::nullopt, ""},
        {"rel", std::nullopt, ""},
        {"", std::string("/var/c"), "/var/c"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CacheFolder(c.home, c.xdg), c.expected) << c.home << " " << c.xdg.value_or("(unset)");
}

} // namespace
} // namespace qor
