#include "platform/gfx/Font.h"
#include "platform/gfx/Painter.h"
#include "platform/gfx/Text.h"
#include "platform/gfx/TextEngine.h"
#include "platform/gfx/Utf8.h"

#include "GfxTestUtil.h"

namespace qor {
namespace {

constexpr Argb kBackground = 0xFF202020;
constexpr Argb kInk = 0xFFFFFFFF;

Font Arial(int height, int weight = kFontWeightNormal, bool italic = false) {
    Font font;
    font.family = "Arial";
    font.height = height;
    font.weight = weight;
    font.italic = italic;
    return font;
}

TEST(FontResolution, ArialResolvesToLiberationSansFaces) {
    struct Case {
        int weight;
        bool italic;
        const char* file;
    };
    const Case cases[] = {
        {kFontWeightNormal, false, "LiberationSans-Regular"},
        {kFontWeightBold, false, "LiberationSans-Bold"},
        {kFontWeightNormal, true, "LiberationSans-Italic"},
        {kFontWeightBold, true, "LiberationSans-BoldItalic"},
    };
    for (const Case& c : cases) {
        FontFile file = ResolveFontFile(Arial(15, c.weight, c.italic));
        EXPECT_EQ("Liberation Sans", file.family);
        EXPECT_NE(std::string::npos, file.path.find(c.file)) << file.path;
        EXPECT_FALSE(file.syntheticBold);
        EXPECT_FALSE(file.syntheticItalic);
    }
}

TEST(FontResolution, MissingStylesAreSynthesised) {
    Font font = Arial(15, kFontWeightBold, true);
    font.family = "Droid Sans Fallback"; // a family with one upright regular face only
    FontFile file = ResolveFontFile(font);
    if (file.family != font.family) GTEST_SKIP() << "Droid Sans Fallback is not installed";
    EXPECT_TRUE(file.syntheticBold);
    EXPECT_TRUE(file.syntheticItalic);
    font.weight = kFontWeightNormal;
    font.italic = false;
    file = ResolveFontFile(font);
    EXPECT_FALSE(file.syntheticBold);
    EXPECT_FALSE(file.syntheticItalic);
}

TEST(FontResolution, UnknownFamilyStillGivesAFont) {
    Font font = Arial(15);
    font.family = "No Such Family 123";
    EXPECT_FALSE(ResolveFontFile(font).path.empty());
    EXPECT_GT(MeasureText("abc", font).width, 0);
}

TEST(FontMetricsTest, PositiveHeightIsTheCellNegativeTheCharacterHeight) {
    for (int height : {8, 13, 15, 16, 21, 40}) {
        FontMetrics m = GetFontMetrics(Arial(height));
        EXPECT_EQ(height, m.height) << "height " << height;
        EXPECT_EQ(m.height, m.ascent + m.descent);
        EXPECT_GT(m.ascent, m.descent);
        EXPECT_EQ(height, MeasureText("Xg", Arial(height)).height);
        // A character height leaves the internal leading on top: the cell is taller.
        EXPECT_GT(GetFontMetrics(Arial(-height)).height, height) << "height " << -height;
    }
}

TEST(Measure, WidthGrowsWithTheTextAndFollowsTheFont) {
    const Font font = Arial(15);
    EXPECT_EQ(0, MeasureText("", font).width);
    int previous = 0;
    for (const char* text : {"i", "ii", "iii W", "iii WW", "iii WW longer still"}) {
        int width = MeasureText(text, font).width;
        EXPECT_GT(width, previous) << text;
        previous = width;
    }
    EXPECT_GT(MeasureText("Profile", Arial(30)).width, MeasureText("Profile", Arial(15)).width);
    EXPECT_GT(MeasureText("Profile", Arial(15, kFontWeightBold)).width, MeasureText("Profile", font).width);
}

// Sizes of one font file share the opened file; each still lays out and renders at its own size,
// whichever was used last.
TEST(Measure, SizesOfOneFileKeepTheirOwnScale) {
    const Font small{"Arial", 13};
    const Font large{"Arial", 37};
    TextEngine& engine = TextEngine::Instance();
    engine.Layout(U"a", small);
    engine.Layout(U"a", large);
    const TextLayout q13 = engine.Layout(U"Q", small); // first glyph of this size after the large one
    const TextLayout q37 = engine.Layout(U"Q", large);
    ASSERT_EQ(q13.glyphs.size(), 1u);
    ASSERT_EQ(q37.glyphs.size(), 1u);
    EXPECT_EQ(q13.metrics.height, 13);
    EXPECT_EQ(q37.metrics.height, 37);
    EXPECT_LT(q13.width * 2, q37.width);
    EXPECT_LT(q13.glyphs[0].bitmap->height * 2, q37.glyphs[0].bitmap->height);
}

TEST(Measure, KerningFromTheFontTightensPairs) {
    const Font font = Arial(40);
    EXPECT_LT(MeasureText("AV", font).width, MeasureText("A", font).width + MeasureText("V", font).width);
    EXPECT_EQ(MeasureText("HH", font).width, 2 * MeasureText("H", font).width);
}

TEST(Measure, InvalidUtf8MeasuresAsReplacementCharacters) {
    const Font font = Arial(15);
    const int replacement = MeasureText("\xEF\xBF\xBD", font).width;
    EXPECT_GT(replacement, 0);
    EXPECT_EQ(replacement, MeasureText("\xFF", font).width);
    EXPECT_EQ(2 * replacement, MeasureText("\xC0\x80", font).width) << "overlong: two ill-formed bytes";
    EXPECT_EQ(MeasureText("a", font).width + replacement, MeasureText("a\xE2\x82", font).width) << "truncated tail";
}

TEST(Measure, CharactersMissingFromTheFamilyStillTakeSpace) {
    // CJK and symbols come from a fallback font when one is installed, else the missing-glyph box.
    for (const char* text : {"\xE4\xB8\xAD", "\xE2\x98\x83"}) EXPECT_GT(MeasureText(text, Arial(15)).width, 0);
}

TEST(Elide, LongTextEndsWithDotsAndFits) {
    const Font font = Arial(15);
    const std::string text = "A caption far too long for its button";
    const int fullWidth = MeasureText(text, font).width;
    for (int maxWidth : {fullWidth - 1, fullWidth / 2, 40}) {
        std::string shown = ElideText(text, font, maxWidth);
        ASSERT_GE(shown.size(), 3u);
        EXPECT_EQ("...", shown.substr(shown.size() - 3)) << shown;
        EXPECT_EQ(0u, text.find(shown.substr(0, shown.size() - 3))) << "keeps the beginning: " << shown;
        EXPECT_LE(MeasureText(shown, font).width, maxWidth);
        // As long as possible: one more character would not fit.
        std::string longer = text.substr(0, shown.size() - 2) + "...";
        EXPECT_GT(MeasureText(longer, font).width, maxWidth) << shown;
    }
    EXPECT_EQ(text, ElideText(text, font, fullWidth));
    EXPECT_EQ("", ElideText(text, font, 0));
    EXPECT_EQ(".", ElideText(text, font, MeasureText(".", font).width));
}

TEST(Elide, NeverSplitsACodePoint) {
    const Font font = Arial(15);
    const std::string text = "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9"; // eight e-acute
    std::string shown = ElideText(text, font, MeasureText(text, font).width - 1);
    EXPECT_EQ(shown, EncodeUtf8(DecodeUtf8(shown))) << "valid UTF-8";
    EXPECT_EQ(std::string::npos, shown.find("\xEF\xBF\xBD"));
}

class TextDrawing : public ::testing::Test {
protected:
    Image image{200, 60, kBackground};
    Painter painter{image};
};

TEST_F(TextDrawing, InkStaysInsideTheBox) {
    const Rect box{20, 10, 120, 40};
    for (TextAlign align : {TextAlign::Left, TextAlign::HCenter | TextAlign::VCenter, TextAlign::Right | TextAlign::Bottom,
                            kTextCentered}) {
        std::fill(image.pixels.begin(), image.pixels.end(), kBackground);
        painter.DrawText("A long caption that overflows its box Wjgq", box, Arial(21, kFontWeightBold, true), kInk, align);
        Rect ink = test::InkBounds(image, kBackground);
        EXPECT_FALSE(ink.IsEmpty());
        EXPECT_EQ(ink, ink.Intersect(box)) << "ink " << ink.left << "," << ink.top << "," << ink.right << "," << ink.bottom;
    }
}

TEST_F(TextDrawing, CentredTextSitsInTheMiddleOfTheBox) {
    const Rect box{30, 5, 170, 55};
    painter.DrawText("HHHH", box, Arial(15), kInk, kTextCentered);
    Rect ink = test::InkBounds(image, kBackground);
    ASSERT_FALSE(ink.IsEmpty());
    EXPECT_NEAR((box.left + box.right) / 2.0, (ink.left + ink.right) / 2.0, 1.5);
    EXPECT_NEAR((box.top + box.bottom) / 2.0, (ink.top + ink.bottom) / 2.0, 2.5);
    // Full coverage pixels carry the colour itself.
    bool sawFullInk = false;
    for (Argb p : image.pixels) sawFullInk |= p == kInk;
    EXPECT_TRUE(sawFullInk);
}

TEST_F(TextDrawing, EllipsisMakesALongLineFitWhileClippingCutsIt) {
    const Rect box{10, 10, 90, 40};
    const std::string text = "Macro name that goes on and on";
    painter.DrawText(text, box, Arial(15), kInk, kTextCentered);
    Rect elided = test::InkBounds(image, kBackground);
    EXPECT_GT(elided.left, box.left) << "the shortened line is centred, with room on both sides";
    EXPECT_LE(elided.right, box.right);

    std::fill(image.pixels.begin(), image.pixels.end(), kBackground);
    painter.DrawText(text, box, Arial(15), kInk, TextAlign::HCenter | TextAlign::VCenter);
    Rect clipped = test::InkBounds(image, kBackground);
    EXPECT_LE(clipped.left - box.left, 1) << "too wide: centred and cut at both edges";
    EXPECT_GE(clipped.right, box.right - 1);
}

TEST_F(TextDrawing, TextAtAPointStartsItsCellThere) {
    const Font font = Arial(15);
    painter.DrawText("Hg", Point{40, 20}, font, kInk);
    Rect ink = test::InkBounds(image, kBackground);
    FontMetrics m = GetFontMetrics(font);
    EXPECT_GE(ink.left, 40);
    EXPECT_GE(ink.top, 20);
    EXPECT_LE(ink.bottom, 20 + m.height);
    EXPECT_GT(ink.bottom, 20 + m.ascent) << "the descender of g reaches below the baseline";
    EXPECT_LE(ink.right, 40 + MeasureText("Hg", font).width + 1);
}

TEST_F(TextDrawing, UnderlineDrawsALineBelowTheBaseline) {
    Font font = Arial(15);
    painter.DrawText("HH", Point{10, 10}, font, kInk);
    Rect plain = test::InkBounds(image, kBackground);
    std::fill(image.pixels.begin(), image.pixels.end(), kBackground);
    font.underline = true;
    painter.DrawText("HH", Point{10, 10}, font, kInk);
    Rect underlined = test::InkBounds(image, kBackground);
    EXPECT_GT(underlined.bottom, plain.bottom);
    EXPECT_EQ(kInk, image.At(plain.left + 1, underlined.bottom - 1));
}

TEST_F(TextDrawing, ColourAlphaAndOddInputs) {
    painter.DrawText("Hidden", Rect{0, 0, 200, 60}, Arial(15), 0x00FFFFFF, kTextCentered);
    painter.DrawText("", Rect{0, 0, 200, 60}, Arial(15), kInk, kTextCentered);
    painter.DrawText("Box", Rect{50, 50, 40, 40}, Arial(15), kInk, kTextCentered); // inverted box
    EXPECT_EQ(0, test::CountDiffering(image, kBackground));
    painter.DrawText("\xFF\xFE\xC0\x80\xED\xA0\x80\x01\x7F", Rect{0, 0, 200, 60}, Arial(15), kInk, kTextCentered);
    EXPECT_GT(test::CountDiffering(image, kBackground), 0) << "ill-formed bytes show as replacement marks";
    for (int height : {0, 1, -1, 100000, -100000}) {
        painter.DrawText("Size", Rect{0, 0, 200, 60}, Arial(height), kInk, TextAlign::Left);
    }
}

TEST_F(TextDrawing, TranslucentTextBlends) {
    painter.FillRect({0, 0, 200, 60}, 0xFF0000FF);
    painter.DrawText("H", Rect{0, 0, 200, 60}, Arial(40), 0x80FF0000, kTextCentered);
    bool sawHalf = false;
    for (Argb p : image.pixels) sawHalf |= test::ColourNear(0xFF80007F, p, 2);
    EXPECT_TRUE(sawHalf) << "the stem of H is half red over blue";
}

TEST(Utf8, IllFormedSequencesBecomeOneReplacementEach) {
    struct Case {
        std::string bytes;
        std::u32string expected;
    };
    const Case cases[] = {
        {"abc", U"abc"},
        {"\xC3\xA9", U"\u00E9"},
        {"\xE2\x82\xAC", U"\u20AC"},
        {"\xF0\x9F\x98\x80", U"\U0001F600"},
        {"\x80", U"\uFFFD"},
        {"\xC0\xAF", U"\uFFFD\uFFFD"},         // overlong lead bytes are never valid
        {"\xE0\x80\xAF", U"\uFFFD\uFFFD\uFFFD"},
        {"\xED\xA0\x80", U"\uFFFD\uFFFD\uFFFD"}, // surrogate
        {"\xF4\x90\x80\x80", U"\uFFFD\uFFFD\uFFFD\uFFFD"},
        {"\xE2\x82" "A", U"\uFFFDA"},           // truncated: one mark, the next character survives
        {"\xF0\x9F\x98", U"\uFFFD"},
        {std::string("a\0b", 3), std::u32string(U"a\0b", 3)},
    };
    for (const Case& c : cases) EXPECT_EQ(c.expected, DecodeUtf8(c.bytes));
    EXPECT_EQ("\xE2\x82\xAC\xF0\x9F\x98\x80", EncodeUtf8(U"\u20AC\U0001F600"));
}

} // namespace
} // namespace qor
