// The file dialogs' rules without windows: the filter text, pattern matching, default extensions,
// typed names, what OK decides for each kind of name, folder listings and the scroll bar's arithmetic.

#include "FileDialogTestFolder.h"
#include "controls/FileChoice.h"
#include "controls/FileFilter.h"
#include "controls/FileListView.h"
#include "controls/FolderListing.h"

#include <gtest/gtest.h>

namespace qor {
namespace {

using Action = FileDecision::Action;

} // namespace

void PrintTo(const FileDecision& d, std::ostream* out) {
    *out << "{action " << int(d.action) << ", \"" << d.path << "\", problem " << int(d.problem) << "}";
}

namespace {

TEST(FileFilter, ParsesEntriesOfDescriptionAndPatterns) {
    struct Case {
        const char* text;
        std::vector<FileFilterEntry> expected;
    };
    const Case cases[] = {
        {"pfd(*.pfd)|*.pfd|", {{"pfd(*.pfd)", {"*.pfd"}}}},
        {"Both|*.a; *.b|B|*.b|", {{"Both", {"*.a", "*.b"}}, {"B", {"*.b"}}}},
        {"pfd|*.pfd", {{"pfd", {"*.pfd"}}}}, // no final bar
        {"", {}},
        {"description only|", {}},
        {"empty patterns||next|*.n|", {{"next", {"*.n"}}}},
        {"|||;;|", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseFileFilter(c.text), c.expected) << c.text;
}

TEST(FileFilter, MatchesWholeNamesIgnoringAsciiCase) {
    struct Case {
        const char* name;
        const char* pattern;
        bool matches;
    };
    const Case cases[] = {
        {"alpha.pfd", "*.pfd", true},
        {"BETA.PFD", "*.pfd", true},
        {"alpha.pfd.txt", "*.pfd", false},
        {"alpha.pf", "*.pfd", false},
        {".pfd", "*.pfd", true},
        {"a1.pfd", "a?.pfd", true},
        {"a.pfd", "a?.pfd", false},
        {"anything", "*", true},
        {"", "*", true},
        {"", "?", false},
        {"abc", "a*b*c", true},
        {"acb", "a*b*c", false},
        {"bad\xff.pfd", "*.pfd", true},
        // Many stars against a long near-miss: must finish, not backtrack exponentially.
        {"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa",
         "*a*a*a*a*a*a*a*a*b", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MatchesPattern(c.name, c.pattern), c.matches) << c.name << " ~ " << c.pattern;
    EXPECT_TRUE(MatchesAnyPattern("x.txt", {})) << "no patterns: every file";
    EXPECT_TRUE(MatchesAnyPattern("x.b", {"*.a", "*.b"}));
}

TEST(FileChoiceRules, DefaultExtensionOnlyWhenTheNameHasNone) {
    struct Case {
        const char* name;
        const char* extension;
        const char* expected;
    };
    const Case cases[] = {
        {"profile", ".pfd", "profile.pfd"},
        {"profile", "pfd", "profile.pfd"},
        {"profile.pfd", ".pfd", "profile.pfd"},
        {"profile.bak", ".pfd", "profile.bak"},
        {"profile.", ".pfd", "profile.pfd"},
        {".hidden", ".pfd", ".hidden.pfd"},
        {"/a.b/profile", ".pfd", "/a.b/profile.pfd"}, // a dot in a folder name is no extension
        {"profile", "", "profile"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WithDefaultExtension(c.name, c.extension), c.expected) << c.name;
}

TEST(FileChoiceRules, TypedNamesResolveAgainstTheFolderOrHome) {
    struct Case {
        const char* typed;
        const char* expected;
    };
    const Case cases[] = {
        {"name", "/data/cur/name"}, {" name ", "/data/cur/ name "}, {"sub/name", "/data/cur/sub/name"},
        {"../name", "/data/name"},  {"/abs/name", "/abs/name"},     {"~/name", "/home/me/name"},
        {"~", "/home/me"},          {"sub/", "/data/cur/sub/"},     {"../../../..", "/"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ResolveTypedName("/data/cur", c.typed, "/home/me"), c.expected) << c.typed;
    EXPECT_EQ(ResolveTypedName("/", "name", ""), "/name");
    EXPECT_EQ(ResolveTypedName("/data", "~/x", ""), "/data/~/x") << "without a home '~' is a plain name";
}

class DecisionTest : public ::testing::Test {
protected:
    test::TestFolder dir;
    void SetUp() override {
        dir.File("alpha.pfd");
        dir.File("plain"); // a file without extension
        dir.Folder("sub");
        dir.Folder("folder.pfd"); // a folder that looks like a profile
    }
};

TEST_F(DecisionTest, OpenTakesOnlyExistingRegularFiles) {
    struct Case {
        std::string typed;
        FileDecision expected;
    };
    const std::string d = dir.Path();
    const Case cases[] = {
        {"", {}},
        {"   ", {}},
        {"alpha", {Action::Accept, d + "/alpha.pfd", FileProblem::None}},
        {"alpha.pfd", {Action::Accept, d + "/alpha.pfd", FileProblem::None}},
        {d + "/alpha", {Action::Accept, d + "/alpha.pfd", FileProblem::None}},
        {"plain", {Action::Accept, d + "/plain", FileProblem::None}},
        {"missing", {Action::Stay, "", FileProblem::FileNotFound}},
        {"nowhere/alpha", {Action::Stay, "", FileProblem::FolderNotFound}},
        {"sub", {Action::Navigate, d + "/sub", FileProblem::None}},
        {"folder", {Action::Navigate, d + "/folder.pfd", FileProblem::None}},
        {"..", {Action::Navigate, ParentFolder(d), FileProblem::None}},
        {"alpha/", {Action::Stay, "", FileProblem::FolderNotFound}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DecideFileChoice(FileDialogMode::Open, d, c.typed, ".pfd", ""), c.expected) << c.typed;
}

TEST_F(DecisionTest, SaveAsksBeforeReplacingAndRefusesWhatCannotBeWritten) {
    struct Case {
        std::string typed;
        FileDecision expected;
    };
    const std::string d = dir.Path();
    const Case cases[] = {
        {"new", {Action::Accept, d + "/new.pfd", FileProblem::None}},
        {"sub/new", {Action::Accept, d + "/sub/new.pfd", FileProblem::None}},
        {"alpha", {Action::ConfirmReplace, d + "/alpha.pfd", FileProblem::None}},
        {"nowhere/new", {Action::Stay, "", FileProblem::FolderNotFound}},
        {std::string(256, 'n'), {Action::Stay, "", FileProblem::InvalidName}},
        {std::string("a\0b", 3), {Action::Stay, "", FileProblem::InvalidName}},
        {std::string(5000, 'n'), {Action::Stay, "", FileProblem::InvalidName}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DecideFileChoice(FileDialogMode::Save, d, c.typed, ".pfd", ""), c.expected)
            << c.typed.substr(0, 40);
}

TEST(FolderListingTest, FoldersFirstThenMatchingFilesSortedWithoutHiddenOnes) {
    test::TestFolder dir;
    for (const char* name : {"beta.pfd", "Alpha.PFD", "notes.txt", ".hidden.pfd", "bad\xff.pfd"})
        dir.File(name);
    dir.Folder("zeta");
    dir.Folder("Mid");
    dir.Folder(".cache");
    std::filesystem::create_symlink(dir / "gone.pfd", dir / "broken.pfd");
    std::filesystem::create_directory_symlink(dir / "zeta", dir / "link");

    const FolderListing listing = ListFolder(dir.Path(), {"*.pfd"});
    EXPECT_TRUE(listing.readable);
    const std::vector<FileEntry> expected = {
        {"..", FileEntryKind::Parent},      {"link", FileEntryKind::Folder},
        {"Mid", FileEntryKind::Folder},     {"zeta", FileEntryKind::Folder},
        {"Alpha.PFD", FileEntryKind::File}, {"bad\xff.pfd", FileEntryKind::File},
        {"beta.pfd", FileEntryKind::File},
    };
    EXPECT_EQ(listing.entries, expected);
}

TEST(FolderListingTest, WhatCannotBeListedShowsOnlyTheWayUp) {
    test::TestFolder dir;
    dir.File("file.pfd");
    for (const std::string& folder : {dir / "file.pfd", dir / "missing"}) {
        const FolderListing listing = ListFolder(folder, {});
        EXPECT_FALSE(listing.readable) << folder;
        EXPECT_EQ(listing.entries, (std::vector<FileEntry>{{"..", FileEntryKind::Parent}})) << folder;
    }
    const FolderListing root = ListFolder("/", {});
    ASSERT_FALSE(root.entries.empty());
    EXPECT_NE(root.entries.front().kind, FileEntryKind::Parent) << "the root has no parent entry";
}

TEST(FolderListingTest, FolderArithmetic) {
    EXPECT_EQ(CanonicalFolder("/a/b/../c/"), "/a/c");
    EXPECT_EQ(CanonicalFolder("/"), "/");
    EXPECT_EQ(CanonicalFolder("//a//"), "/a");
    EXPECT_EQ(ParentFolder("/a/c"), "/a");
    EXPECT_EQ(ParentFolder("/a"), "/");
    EXPECT_EQ(ParentFolder("/"), "/");
    EXPECT_EQ(JoinPath("/", "x"), "/x");
    EXPECT_EQ(JoinPath("/a", "x"), "/a/x");
    test::TestFolder dir;
    EXPECT_EQ(ExistingFolder(dir / "gone/deeper/"), dir.Path());
}

TEST(ScrollBarGeometry, ThumbFollowsTheTopRowAndBack) {
    EXPECT_EQ(ScrollBarThumb(200, 10, 10, 0), (ScrollThumb{0, 200})) << "a list that fits";
    EXPECT_EQ(ScrollBarThumb(200, 40, 10, 0), (ScrollThumb{0, 50}));
    EXPECT_EQ(ScrollBarThumb(200, 40, 10, 30), (ScrollThumb{150, 50})) << "last page: thumb at the bottom";
    EXPECT_EQ(ScrollBarThumb(200, 100000, 10, 0).length, FileListView::kMinThumb);
    EXPECT_EQ(ScrollBarThumb(0, 40, 10, 5), ScrollThumb{});
    EXPECT_EQ(ClampTopRow(50, 40, 10), 30);
    EXPECT_EQ(ClampTopRow(-3, 40, 10), 0);
    for (int top = 0; top <= 30; ++top) {
        const ScrollThumb thumb = ScrollBarThumb(200, 40, 10, top);
        EXPECT_EQ(TopRowFromThumb(thumb.top, 200, 40, 10), top) << "dropping the thumb where it is";
    }
    EXPECT_EQ(TopRowFromThumb(-100, 200, 40, 10), 0);
    EXPECT_EQ(TopRowFromThumb(1000, 200, 40, 10), 30);
    EXPECT_EQ(TopRowFromThumb(50, 200, 10, 10), 0);
}

} // namespace
} // namespace qor
