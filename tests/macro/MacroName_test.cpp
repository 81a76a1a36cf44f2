#include "macro/MacroName.h"

#include <gtest/gtest.h>

namespace qor {
namespace {

TEST(MacroName, SafeNames)
{
    const std::string longest(255 - kMacroFileExtension.size(), 'x');
    struct Case {
        std::string name;
        bool safe;
    } cases[] = {
        {"Fire", true},
        {"Jump 2", true},
        {"a.b", true},
        {"...", true},
        {"back\\slash", true},
        {"Grüße ✓", true},
        {longest, true},
        {longest + "x", false},
        {"", false},
        {".", false},
        {"..", false},
        {"../Fire", false},
        {"a/b", false},
        {"/", false},
        {std::string("a\0b", 3), false},
        {"line\nbreak", false},
        {"tab\t", false},
        {"del\x7F", false},
        {"c1\xC2\x85", false},   // U+0085, a C1 control
        {"bad\xFF", false},      // not UTF-8
        {"over\xC0\xAF", false}, // overlong '/'
        {" Fire", false},
        {"Fire ", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsSafeMacroName(c.name), c.safe) << '"' << c.name << '"';
}

TEST(MacroName, ImportedNameIsTheBaseNameWithoutExtension)
{
    struct Case {
        std::string path, name;
    } cases[] = {
        {"/x/Fire.QORDB", "Fire"},
        {"Fire.QORDB", "Fire"},
        {"/x/y/a.b.QORDB", "a.b"},
        {"/x/NoExtension", "NoExtension"},
        {"/x/../..QORDB", "."},
        {"/x/.QORDB", ""},
        {"/x/dir/", ""},
        {"/etc/../tmp/Jump.QORDB", "Jump"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MacroNameFromImportPath(c.path), c.name) << c.path;
}

TEST(MacroName, TruncationCountsCodePointsAndNeverSplitsOne)
{
    EXPECT_EQ(TruncateToCodePoints("abc", 5), "abc");
    EXPECT_EQ(TruncateToCodePoints("abc", 2), "ab");
    EXPECT_EQ(TruncateToCodePoints("äöü", 2), "äö");
    EXPECT_EQ(TruncateToCodePoints("a😀b", 2), "a😀");
    EXPECT_EQ(TruncateToCodePoints("\xFF\xFE" "a", 2), "\xFF\xFE");
    EXPECT_EQ(TruncateToCodePoints("x\xE2\x9C", 2), "x\xE2"); // a cut sequence counts byte by byte
    EXPECT_EQ(TruncateToCodePoints("abc", 0), "");
}

} // namespace
} // namespace qor
