#include "platform/ini/Utf8.h"

#include <gtest/gtest.h>

namespace qor {
namespace {

TEST(Utf8, SanitiseReplacesEveryInvalidSequence) {
    const std::pair<std::string, std::string> cases[] = {
        {"plain \xC3\xA9 \xF0\x9F\x98\x80", "plain \xC3\xA9 \xF0\x9F\x98\x80"},
        {"\xFF", "\xEF\xBF\xBD"},
        {"\xC0\xAF", "\xEF\xBF\xBD\xEF\xBF\xBD"},                                 // overlong
        {"\xED\xA0\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},                 // encoded surrogate
        {"\xF4\x90\x80\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"}, // above U+10FFFF
        {"a\xE2\x82", "a\xEF\xBF\xBD"},                                           // truncated
    };
    for (const auto& [in, out] : cases) {
        EXPECT_EQ(SanitizeUtf8(in), out);
        EXPECT_TRUE(IsValidUtf8(SanitizeUtf8(in)));
    }
}

TEST(Utf8, CutNeverSplitsACharacter) {
    const std::string text = "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80z";
    EXPECT_EQ(CountCodePoints(text), 5u);
    EXPECT_EQ(CutToCodePoints(text, 0), "");
    EXPECT_EQ(CutToCodePoints(text, 2), "a\xC3\xA9");
    EXPECT_EQ(CutToCodePoints(text, 4), "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
    EXPECT_EQ(CutToCodePoints(text, 99), text);
}

TEST(Utf8, Utf16RoundTripAndLoneSurrogates) {
    const std::string text = "A\xC3\xA9\xF0\x9F\x98\x80";
    std::string bytes;
    AppendUtf16(bytes, text, false);
    EXPECT_EQ(bytes, std::string("A\0\xE9\0\x3D\xD8\x00\xDE", 8));
    const char16_t units[] = {u'A', 0xD800, u'B', 0xDC00};
    EXPECT_EQ(Utf16ToUtf8(units, 4), "A\xEF\xBF\xBD"
                                     "B\xEF\xBF\xBD");
}

} // namespace
} // namespace qor
