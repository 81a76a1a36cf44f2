#include "platform/ini/IniDocument.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace qor {
namespace {

using namespace std::string_literals;

std::string Utf16Le(std::string_view ascii) {
    std::string out;
    for (char c : ascii) {
        out += c;
        out += '\0';
    }
    return out;
}

struct ReadCase {
    const char* name;
    std::string file;
    const char* section;
    const char* key;
    std::optional<std::string> expected;
};

TEST(IniDocumentRead, FindsValuesTheWayProfileReadersDo) {
    const ReadCase cases[] = {
        {"plain", "[S]\r\nk=v\r\n", "S", "k", "v"},
        {"blanks around names and value", "  [ S ]  \n \t k \t=  v w  \n", "S", "k", "v w"},
        {"case of section and key", "[GROUP0]\nAcceleration=3\n", "group0", "acceleration", "3"},
        {"first duplicate key counts", "[S]\nk=1\nk=2\n", "S", "k", "1"},
        {"first duplicate section counts", "[S]\na=1\n[S]\nk=2\n", "S", "k", std::nullopt},
        {"key without '=' reads as missing", "[S]\nk\n", "S", "k", std::nullopt},
        {"empty value", "[S]\nk=\n", "S", "k", ""},
        {"comment is not a key", "[S]\n;k=1\n", "S", "k", std::nullopt},
        {"key before any section", "k=1\n[S]\n", "S", "k", std::nullopt},
        {"key of the next section", "[S]\n[T]\nk=1\n", "S", "k", std::nullopt},
        {"missing section", "[S]\nk=1\n", "T", "k", std::nullopt},
        {"last ']' closes the name", "[a]b]\nk=1\n", "a]b", "k", "1"},
        {"'[' without ']' is a key line", "[S]\n[x=1\n", "S", "[x", "1"},
        {"value keeps further '='", "[S]\nk=a=b\n", "S", "k", "a=b"},
        {"no final line ending", "[S]\nk=1", "S", "k", "1"},
        {"CR inside the file", "[S]\r\nk=1\r\r\n", "S", "k", "1"},
        {"NUL ends the value", "[S]\nk=ab\0cd\n"s, "S", "k", "ab"},
        {"NUL in a name never matches", "[S]\nk\0=1\n"s, "S", "k", std::nullopt},
        {"invalid UTF-8 becomes U+FFFD", "[S]\nk=a\xFF\xC3z\n", "S", "k", "a\xEF\xBF\xBD\xEF\xBF\xBDz"},
        {"UTF-8 mark", "\xEF\xBB\xBF[S]\nk=\xC3\xA9\n", "S", "k", "\xC3\xA9"},
        {"UTF-16LE", "\xFF\xFE"s + Utf16Le("[S]\r\nk=v\r\n"), "S", "k", "v"},
        {"UTF-16LE lone surrogate", "\xFF\xFE"s + Utf16Le("[S]\nk=") + "\x00\xD8"s + Utf16Le("x\n"), "S", "k",
         "\xEF\xBF\xBDx"},
        {"UTF-16LE odd byte", "\xFF\xFE"s + Utf16Le("[S]\nk=v") + "\x41", "S", "k", "v"},
        {"garbage", "\x01\x02[\xFF\n=\n==\n]]\n", "S", "k", std::nullopt},
    };
    for (const ReadCase& c : cases) {
        const IniDocument doc = IniDocument::Parse(c.file);
        EXPECT_EQ(doc.Get(c.section, c.key), c.expected) << c.name;
        EXPECT_EQ(doc.Serialize(), c.file) << c.name << ": an untouched file must serialise unchanged";
    }
}

struct WriteCase {
    const char* name;
    std::string before;
    const char* section;
    const char* key;
    std::string value;
    std::string after;
};

TEST(IniDocumentWrite, ChangesOnlyWhatItMust) {
    const WriteCase cases[] = {
        {"new file", "", "S", "k", "v", "[S]\r\nk=v\r\n"},
        {"replace in place keeps name and spacing", "; c\r\n[S]\r\n  Key =  1  \r\nz=2\r\n", "s", "KEY", "10",
         "; c\r\n[S]\r\n  Key =  10\r\nz=2\r\n"},
        {"key without value gains one", "[S]\nk\nz=1\n", "S", "k", "5", "[S]\nk=5\nz=1\n"},
        {"new key after the section's last key", "[S]\na=1\n\n; next\n[T]\nb=2\n", "S", "c", "3",
         "[S]\na=1\nc=3\n\n; next\n[T]\nb=2\n"},
        {"new key in an empty section", "[S]\n[T]\n", "S", "c", "3", "[S]\nc=3\n[T]\n"},
        {"new section at the end, LF file", "[S]\na=1\n", "T", "b", "2", "[S]\na=1\n[T]\nb=2\n"},
        {"file without final line ending", "[S]\r\na=1", "T", "b", "2", "[S]\r\na=1\r\n[T]\r\nb=2\r\n"},
        {"first duplicate is replaced", "[S]\nk=1\nk=2\n", "S", "k", "3", "[S]\nk=3\nk=2\n"},
        {"value cut at a line break", "", "S", "k", "a\r\nb", "[S]\r\nk=a\r\n"},
        {"value cut at NUL", "", "S", "k", "a\0b"s, "[S]\r\nk=a\r\n"},
        {"blanks in requested names", "", " S ", " k ", "v", "[S]\r\nk=v\r\n"},
        {"UTF-8 mark kept", "\xEF\xBB\xBF[S]\nk=1\n", "S", "k", "2", "\xEF\xBB\xBF[S]\nk=2\n"},
        {"invalid UTF-8 elsewhere kept", "[S]\nx=\xFF\xFE\0\n"s, "S", "k", "1", "[S]\nx=\xFF\xFE\0\nk=1\n"s},
        {"UTF-16LE stays UTF-16LE", "\xFF\xFE"s + Utf16Le("[S]\r\nk=1\r\n"), "S", "k", "\xC3\xA9",
         "\xFF\xFE"s + Utf16Le("[S]\r\nk=") + "\xE9\x00"s + Utf16Le("\r\n")},
        {"UTF-16LE lone surrogate kept", "\xFF\xFE"s + Utf16Le("[S]\nx=") + "\x00\xD8"s + Utf16Le("\n"), "S",
         "k", "1", "\xFF\xFE"s + Utf16Le("[S]\nx=") + "\x00\xD8"s + Utf16Le("\nk=1\n")},
        {"UTF-16BE stays UTF-16BE", "\xFE\xFF\0[\0S\0]\0\n"s, "S", "k", "1",
         "\xFE\xFF\0[\0S\0]\0\n\0k\0=\0001\0\n"s},
    };
    for (const WriteCase& c : cases) {
        IniDocument doc = IniDocument::Parse(c.before);
        EXPECT_TRUE(doc.Set(c.section, c.key, c.value)) << c.name;
        EXPECT_EQ(doc.Serialize(), c.after) << c.name;
    }
}

TEST(IniDocumentWrite, RefusesNamesThatCannotBeStored) {
    const std::pair<std::string, std::string> bad[] = {
        {"", "k"},   {"S", ""},     {"  ", "k"},   {"S", "a=b"},  {"S", ";k"},
        {"S", "[k"}, {"S\nT", "k"}, {"S", "k\nx"}, {"S\0"s, "k"},
    };
    for (const auto& [section, key] : bad) {
        IniDocument doc = IniDocument::Parse("[S]\nk=1\n");
        EXPECT_FALSE(doc.Set(section, key, "2")) << "section '" << section << "' key '" << key << "'";
        EXPECT_EQ(doc.Serialize(), "[S]\nk=1\n");
    }
}

TEST(IniDocumentWrite, WrittenValuesReadBack) {
    IniDocument doc;
    ASSERT_TRUE(doc.Set("GROUP0", "MacroName", "  spaced \xE2\x82\xAC  "));
    EXPECT_EQ(doc.Get("GROUP0", "MacroName"), "spaced \xE2\x82\xAC")
        << "blanks around a value never survive a read";
    ASSERT_TRUE(doc.Set("GROUP0", "MacroName", "x"));
    EXPECT_EQ(IniDocument::Parse(doc.Serialize()).Get("group0", "macroname"), "x");
}

TEST(IniDocumentLimits, MegabyteLineIsReadAndKept) {
    const std::string big(1 << 20, 'A');
    const std::string file = "[S]\r\nbig=" + big + "\r\nk=1\r\n";
    IniDocument doc = IniDocument::Parse(file);
    EXPECT_EQ(doc.Get("S", "big")->size(), big.size());
    ASSERT_TRUE(doc.Set("S", "k", "2"));
    EXPECT_EQ(doc.Serialize(), "[S]\r\nbig=" + big + "\r\nk=2\r\n");

    // A megabyte line without any line break, '=' or ']' is just an unreadable line.
    const std::string noise = "[" + std::string(1 << 20, '\xFF');
    IniDocument junk = IniDocument::Parse(noise);
    EXPECT_FALSE(junk.HasSection(noise.substr(1)));
    ASSERT_TRUE(junk.Set("S", "k", "1"));
    EXPECT_EQ(junk.Serialize(), noise + "\r\n[S]\r\nk=1\r\n");
}

} // namespace
} // namespace qor
