#include "platform/gfx/FontChoices.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

namespace qor {
namespace {

Font Request(const std::string& family, int weight, bool italic = false) {
    Font font;
    font.family = family;
    font.weight = weight;
    font.italic = italic;
    return font;
}

// A choice of a real file, as fontconfig would have made it.
FontChoice ChoiceOf(const std::string& family, int weight, const std::string& path) {
    FontFile file;
    file.path = path;
    file.index = 2;
    file.family = "Chosen Family";
    file.syntheticBold = weight >= 700;
    return MakeFontChoice(Request(family, weight, weight >= 700), file);
}

// Sets an environment variable for one scope.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name))
            old_ = old;
        setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv() {
        if (old_)
            setenv(name_, old_->c_str(), 1);
        else
            unsetenv(name_);
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(FontChoices, WrittenChoicesReadBackForTheSameFingerprintOnly) {
    const test::TempFolder folder("qor-fontchoices");
    const std::string font = folder.Path("face.ttf");
    test::WriteAll(font, "not really a font, but a file with a time and a size");
    const std::vector<FontChoice> choices = {ChoiceOf("Arial", 400, font), ChoiceOf("Arial", 700, font)};
    const std::string path = folder.Path("cache/sub/font-choices"); // folders are made
    ASSERT_TRUE(WriteFontChoices(path, "print;1", choices));
    EXPECT_EQ(ReadFontChoices(path, "print;1"), choices);
    EXPECT_TRUE(ReadFontChoices(path, "print;2").empty()) << "the setup has changed since";
    EXPECT_TRUE(FontFileUnchanged(choices[0]));
    EXPECT_TRUE(SameRequest(choices[1], Request("Arial", 700, true)));
    EXPECT_FALSE(SameRequest(choices[1], Request("Arial", 700, false)));

    test::WriteAll(font, "another size");
    EXPECT_FALSE(FontFileUnchanged(choices[0])) << "the chosen file was replaced";
    std::filesystem::remove(font);
    EXPECT_FALSE(FontFileUnchanged(choices[0]));
}

TEST(FontChoices, DamagedOrForeignFilesAreNotTrusted) {
    const test::TempFolder folder("qor-fontchoices");
    const std::string good = "qor-font-choices 1\nprint\nArial\t400\t0\t/f.ttf\t0\tLiberation Sans\t0\t0\t12\t34\n";
    ASSERT_EQ(ReadFontChoices([&] {
                  test::WriteAll(folder.Path("good"), good);
                  return folder.Path("good");
              }(),
                              "print")
                  .size(),
              1u);
    std::string many = "qor-font-choices 1\nprint\n";
    for (int i = 0; i < 65; ++i)
        many += "F" + std::to_string(i) + "\t400\t0\t/f.ttf\t0\tF\t0\t0\t1\t2\n";
    const struct {
        const char* name;
        std::string text;
    } cases[] = {
        {"empty", ""},
        {"other header", "qor-font-choices 2\nprint\n"},
        {"cut short", good.substr(0, good.size() - 1)},
        {"field missing", "qor-font-choices 1\nprint\nArial\t400\t0\t/f.ttf\t0\tLiberation Sans\t0\t0\t12\n"},
        {"weight not a number", "qor-font-choices 1\nprint\nArial\tbold\t0\t/f.ttf\t0\tL\t0\t0\t12\t34\n"},
        {"relative path", "qor-font-choices 1\nprint\nArial\t400\t0\tf.ttf\t0\tL\t0\t0\t12\t34\n"},
        {"flag out of range", "qor-font-choices 1\nprint\nArial\t400\t2\t/f.ttf\t0\tL\t0\t0\t12\t34\n"},
        {"no family", "qor-font-choices 1\nprint\n\t400\t0\t/f.ttf\t0\tL\t0\t0\t12\t34\n"},
        {"too many", many},
        {"too large", "qor-font-choices 1\nprint\n" + std::string(70 * 1024, 'x') + "\n"},
        {"binary", std::string("\x89PNG\r\n\x1a\n\0\0\0", 11)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = folder.Path("choices");
        test::WriteAll(path, c.text);
        EXPECT_TRUE(ReadFontChoices(path, "print").empty());
    }
    EXPECT_TRUE(ReadFontChoices(folder.Path("missing"), "print").empty());
    EXPECT_TRUE(ReadFontChoices(folder.Root(), "print").empty()) << "a folder";
}

TEST(FontChoices, WhatCannotBeStoredFaithfullyIsLeftOut) {
    const test::TempFolder folder("qor-fontchoices");
    FontChoice tab = ChoiceOf("Ari\tal", 400, "/f.ttf");
    FontChoice newline = ChoiceOf("Arial", 400, "/f\n.ttf");
    FontChoice relative = ChoiceOf("Arial", 400, "f.ttf");
    FontChoice fine = ChoiceOf("Arial", 400, "/usr/share/fonts/x.ttf");
    const std::string path = folder.Path("choices");
    ASSERT_TRUE(WriteFontChoices(path, "print", {tab, newline, relative, fine}));
    EXPECT_EQ(ReadFontChoices(path, "print"), std::vector<FontChoice>{fine});
    EXPECT_FALSE(WriteFontChoices(path, "two\nlines", {fine})) << "a fingerprint must fit its line";
}

TEST(FontChoices, FingerprintFollowsTheFontSetup) {
    const test::TempFolder folder("qor-fontchoices");
    const ScopedEnv home("HOME", folder.Root());
    const ScopedEnv config("XDG_CONFIG_HOME", folder.Path("config"));
    const std::string before = FontSetupFingerprint();
    EXPECT_EQ(FontSetupFingerprint(), before);
    std::filesystem::create_directories(folder.Path("config/fontconfig"));
    const std::string withUserConfig = FontSetupFingerprint();
    EXPECT_NE(withUserConfig, before);
    std::filesystem::create_directories(folder.Path(".fonts"));
    EXPECT_NE(FontSetupFingerprint(), withUserConfig) << "a font folder of the user's";
    const ScopedEnv file("FONTCONFIG_FILE", folder.Path("my.conf"));
    EXPECT_EQ(FontSetupFingerprint().find('\n'), std::string::npos);
}

// A kept answer is given without fontconfig (here one fontconfig would never give), and the check
// afterwards puts fontconfig's own answer into the file, while this run keeps what it has shown.
TEST(FontChoices, KeptAnswersAreUsedAndCheckedAgainstFontconfig) {
    const test::TempFolder folder("qor-fontchoices");
    const FontFile bold = ResolveFontFile(Request("Arial", 700));
    ASSERT_FALSE(bold.path.empty());
    const Font probe = Request("QorKeptChoiceProbe", 400);
    const std::string path = folder.Path("font-choices");
    ASSERT_TRUE(WriteFontChoices(path, FontSetupFingerprint(), {MakeFontChoice(probe, bold)}));

    SetFontChoiceFile(path);
    EXPECT_EQ(ResolveFontFile(probe), bold);
    RefreshFontChoices();
    SetFontChoiceFile("");

    const std::vector<FontChoice> checked = ReadFontChoices(path, FontSetupFingerprint());
    EXPECT_TRUE(std::any_of(checked.begin(), checked.end(),
                            [&](const FontChoice& c) { return SameRequest(c, Request("Arial", 700)) && c.file == bold; }))
        << "every answer of this run is kept, Arial bold too";
    const auto it = std::find_if(checked.begin(), checked.end(), [&](const FontChoice& c) { return SameRequest(c, probe); });
    ASSERT_NE(it, checked.end());
    EXPECT_NE(it->file.path, bold.path) << "fontconfig's answer for a regular face";
    EXPECT_FALSE(it->file.path.empty());
    EXPECT_EQ(ResolveFontFile(probe), bold) << "text already shown keeps its face for this run";
}

} // namespace
} // namespace qor
