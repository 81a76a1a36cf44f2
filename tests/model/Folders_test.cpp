#include "support/TempFolder.h"
#include "model/Folders.h"

#include <filesystem>

namespace qor {
namespace {

using test::TempFolder;
using test::WriteAll;

bool IsFolder(const std::string& path) {
    return std::filesystem::is_directory(path);
}

class FoldersTest : public ::testing::Test {
protected:
    TempFolder home_;
};

TEST_F(FoldersTest, DocumentsUnderHomeAreCreated) {
    InitFolders(FolderInputs{"/a/b/prog", home_.Root(), std::nullopt});
    EXPECT_EQ(ExeFolder(), "/a/b/");
    const std::string data = home_.Root() + "/Documents/QOR VR17 Gaming Mouse/";
    EXPECT_EQ(UserDataFolder(), data);
    EXPECT_EQ(MacroFolder(), data + "MacroDB/");
    EXPECT_EQ(SharedSettingsPath(), data + "MacroDB/MacroSet.QORDB");
    EXPECT_EQ(ProfileFilePath(0), data + "RSProfile1.pfd");
    EXPECT_EQ(ProfileFilePath(4), data + "RSProfile5.pfd");
    EXPECT_TRUE(IsFolder(data + "MacroDB"));
}

TEST_F(FoldersTest, XdgDocumentsFolderIsUsed) {
    std::filesystem::create_directories(home_.Path(".config"));
    WriteAll(home_.Path(".config/user-dirs.dirs"), "# xdg\nXDG_DOCUMENTS_DIR=\"$HOME/Papers\"\n");
    InitFolders(FolderInputs{"/a/prog", home_.Root(), std::nullopt});
    EXPECT_EQ(UserDataFolder(), home_.Root() + "/Papers/QOR VR17 Gaming Mouse/");
    EXPECT_TRUE(IsFolder(home_.Root() + "/Papers/QOR VR17 Gaming Mouse/MacroDB"));

    std::filesystem::create_directories(home_.Path("cfg"));
    WriteAll(home_.Path("cfg/user-dirs.dirs"), "XDG_DOCUMENTS_DIR=\"" + home_.Root() + "/Abs/\"\n");
    InitFolders(FolderInputs{"/a/prog", home_.Root(), home_.Path("cfg")});
    EXPECT_EQ(UserDataFolder(), home_.Root() + "/Abs/QOR VR17 Gaming Mouse/");
}

TEST_F(FoldersTest, WithoutAUsableHomeTheExecutablesFolderIsUsed) {
    const std::string exeDir = home_.Path("bin");
    std::filesystem::create_directories(exeDir);
    // A file where the documents folder should be: it cannot be created.
    WriteAll(home_.Path("blocked"), "");
    const std::optional<std::string> homes[] = {std::nullopt, "", "relative/home", home_.Path("blocked")};
    for (const auto& home : homes) {
        InitFolders(FolderInputs{exeDir + "/prog", home, std::nullopt});
        EXPECT_EQ(UserDataFolder(), exeDir + "/") << home.value_or("(unset)");
        EXPECT_EQ(ProfileFilePath(0), exeDir + "/RSProfile1.pfd");
        EXPECT_TRUE(IsFolder(exeDir + "/MacroDB"));
    }
}

} // namespace
} // namespace qor
