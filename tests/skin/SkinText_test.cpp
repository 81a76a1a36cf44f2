#include "model/Folders.h"
#include "skin/SkinPaths.h"
#include "skin/SkinText.h"
#include "support/TempFolder.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <thread>
#include <vector>

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
    // Writes the file with a modification time `age` in the past, old enough for its stamp to be trusted.
    void WriteAged(const std::string& name, const std::string& text, std::chrono::minutes age) {
        Write(name, text);
        std::filesystem::last_write_time(root_ / "strings" / name,
                                         std::filesystem::file_time_type::clock::now() - age);
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

TEST_F(SkinTextTest, AnUnchangedFileIsParsedOnce) {
    WriteAged("skins.ini", "[General]\r\n46=OK\r\n47=Cancel\r\n[WARNING]\r\n1=Careful\r\n", std::chrono::minutes(60));
    WriteAged("general.ini", "[FUNCTION_STRING]\r\n1=Left Click\r\n", std::chrono::minutes(60));
    EXPECT_EQ(SkinText("General", 46), "OK");
    EXPECT_EQ(GeneralText("FUNCTION_STRING", 1), "Left Click");
    const std::uint64_t reads = SkinTextFileReads();
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(SkinText("General", 46), "OK");
        EXPECT_EQ(SkinText("GENERAL", 47), "Cancel");
        EXPECT_EQ(SkinText("WARNING", 1), "Careful");
        EXPECT_EQ(SkinText("WARNING", 2), "") << "no key";
        EXPECT_EQ(SkinText("FireKey", 1), "") << "no section";
        EXPECT_EQ(GeneralText("FUNCTION_STRING", 1), "Left Click");
        EXPECT_EQ(GeneralText("General", 46), "") << "the two files stay separate";
    }
    EXPECT_EQ(SkinTextFileReads(), reads);
}

TEST_F(SkinTextTest, AChangedFileIsReadAgain) {
    WriteAged("skins.ini", "[SINGLEKEY]\r\n1=Before\r\n", std::chrono::minutes(60));
    EXPECT_EQ(SkinText("SINGLEKEY", 1), "Before");
    const std::uint64_t reads = SkinTextFileReads();

    // Same size, other modification time.
    WriteAged("skins.ini", "[SINGLEKEY]\r\n1=Middle\r\n", std::chrono::minutes(50));
    EXPECT_EQ(SkinText("SINGLEKEY", 1), "Middle");
    EXPECT_EQ(SkinTextFileReads(), reads + 1);

    // Other size, and a time stamp older than before.
    WriteAged("skins.ini", "[SINGLEKEY]\r\n1=After\r\n2=More\r\n", std::chrono::minutes(70));
    EXPECT_EQ(SkinText("SINGLEKEY", 1), "After");
    EXPECT_EQ(SkinText("SINGLEKEY", 2), "More");
    EXPECT_EQ(SkinTextFileReads(), reads + 2);

    std::filesystem::remove(root_ / "strings" / "skins.ini");
    EXPECT_EQ(SkinText("SINGLEKEY", 1), "") << "a removed file has no texts";
    WriteAged("skins.ini", "[SINGLEKEY]\r\n1=Back\r\n", std::chrono::minutes(40));
    EXPECT_EQ(SkinText("SINGLEKEY", 1), "Back");
}

TEST_F(SkinTextTest, AnotherRootHasItsOwnTexts) {
    WriteAged("skins.ini", "[General]\r\n46=First\r\n", std::chrono::minutes(60));
    test::TempFolder other{"qor-skin-other"};
    ASSERT_FALSE(other.Root().empty());
    const std::filesystem::path otherFile = std::filesystem::path(other.Root()) / "strings" / "skins.ini";
    std::filesystem::create_directories(otherFile.parent_path());
    std::ofstream(otherFile, std::ios::binary) << "[General]\r\n46=Second\r\n";
    std::filesystem::last_write_time(otherFile,
                                     std::filesystem::file_time_type::clock::now() - std::chrono::minutes(60));

    EXPECT_EQ(SkinText("General", 46), "First");
    SetSkinRoot(other.Root());
    EXPECT_EQ(SkinText("General", 46), "Second");
    SetSkinRoot(root_.string());
    EXPECT_EQ(SkinText("General", 46), "First");
}

TEST_F(SkinTextTest, LookUpsFromSeveralThreadsAgree) {
    WriteAged("skins.ini", "[General]\r\n1=One\r\n2=Two\r\n", std::chrono::minutes(60));
    WriteAged("general.ini", "[MACRO]\r\n1=New macro\r\n", std::chrono::minutes(60));
    std::vector<std::thread> threads;
    std::vector<int> wrong(4, 0);
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([t, &wrong] {
            for (int i = 0; i < 200; ++i) {
                if (SkinText("General", 1 + i % 2) != (i % 2 ? "Two" : "One")) ++wrong[std::size_t(t)];
                if (GeneralText("MACRO", 1) != "New macro") ++wrong[std::size_t(t)];
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    for (int t = 0; t < 4; ++t)
        EXPECT_EQ(wrong[std::size_t(t)], 0) << "thread " << t;
}

} // namespace
} // namespace qor
