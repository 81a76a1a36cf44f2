#include "model/Folders.h"
#include "skin/SkinPaths.h"
#include "skin/SkinText.h"
#include "support/TempFolder.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace qor {
namespace {

// A temporary skin tree holding only the strings folder; the real skin root comes back afterwards.
class SkinTextTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(folder_.Root().empty());
        root_ = folder_.Root();
        std::filesystem::create_directories(root_ / "strings");
        SetSkinRoot(root_.string()); // without the trailing '/'
    }
    void TearDown() override { SetSkinRoot(""); }
    void Write(const std::string& name, const std::string& text) {
        std::ofstream(root_ / "strings" / name, std::ios::binary) << text;
    }

    test::TempFolder folder_{"qor-skin"};
    std::filesystem::path root_;
};

TEST_F(SkinTextTest, PathsHangOffTheRoot) {
    const std::string root = root_.string() + "/";
    EXPECT_EQ(SkinRoot(), root);
    EXPECT_EQ(SkinPath(SkinFolder::Background, "cfgMainback.bmp"), root + "background/cfgMainback.bmp");
    EXPECT_EQ(SkinPath(SkinFolder::Buttons, "ok-1.png"), root + "buttons/ok-1.png");
    EXPECT_EQ(SkinPath(SkinFolder::Controls, "circle.png"), root + "controls/circle.png");
    EXPECT_EQ(SkinPath(SkinFolder::Strings, "skins.ini"), root + "strings/skins.ini");
}

TEST_F(SkinTextTest, DefaultRootIsNextToTheExecutable) {
    InitFolders({.exePath = "/opt/qor/bin/qor-tuner", .home = root_.string(), .xdgConfigHome = std::nullopt});
    SetSkinRoot("");
    EXPECT_EQ(SkinRoot(), "/opt/qor/bin/images/0409/");
    EXPECT_EQ(SkinPath(SkinFolder::Buttons, "ok-2.png"), "/opt/qor/bin/images/0409/buttons/ok-2.png");
}

TEST_F(SkinTextTest, TextsBySectionAndNumber) {
    Write("skins.ini", "[General]\r\n46=OK\r\n47=Cancel\r\n[WARNING]\r\n1=Careful\r\n");
    Write("general.ini", "[FUNCTION_STRING]\r\n1=Left Click\r\n[MACRO]\r\n1=New macro\r\n");
    EXPECT_EQ(SkinText("General", 46), "OK");
    EXPECT_EQ(SkinText("general", 47), "Cancel"); // sections compare without case
    EXPECT_EQ(SkinText("WARNING", 1), "Careful");
    EXPECT_EQ(GeneralText("FUNCTION_STRING", 1), "Left Click");
    EXPECT_EQ(GeneralText("MACRO", 1), "New macro");
    EXPECT_EQ(SkinText("MACRO", 1), ""); // the two files are separate
}

TEST_F(SkinTextTest, MissingTextsAreEmpty) {
    EXPECT_EQ(SkinText("General", 46), "") << "no file";
    EXPECT_EQ(GeneralText("BASIC", 1), "") << "no file";
    Write("skins.ini", "[General]\r\n45=Other\r\n");
    EXPECT_EQ(SkinText("General", 46), "") << "no key";
    EXPECT_EQ(SkinText("FireKey", 1), "") << "no section";
    EXPECT_EQ(SkinText("General", -45), "");
}

TEST_F(SkinTextTest, EveryLookUpReadsTheFileAgain) {
    Write("skins.ini", "[SINGLEKEY]\r\n1=Before\r\n");
    EXPECT_EQ(SkinText("SINGLEKEY", 1), "Before");
    Write("skins.ini", "[SINGLEKEY]\r\n1=After\r\n");
    EXPECT_EQ(SkinText("SINGLEKEY", 1), "After");
}

TEST_F(SkinTextTest, LongTextsAreCut) {
    Write("skins.ini", "[MACRO]\r\n3=" + std::string(3000, 'x') + "\r\n");
    EXPECT_EQ(SkinText("MACRO", 3), std::string(2047, 'x'));
}

} // namespace
} // namespace qor
