#pragma once
// A font as the windows ask for it: a family name, a height, a weight and a style. Heights follow
// the classic desktop convention: a positive height is the cell height (ascent + descent) in pixels,
// a negative one the character (em) height; 0 asks for a default cell of 16 pixels.

#include <cstdint>
#include <string>

namespace qor {

inline constexpr int kFontWeightNormal = 400;
inline constexpr int kFontWeightBold = 700;

struct Font {
    std::string family = "Arial";
    int height = 15;
    int weight = kFontWeightNormal; // 100..900; 700 = bold
    bool italic = false;
    bool underline = false;

    friend bool operator==(const Font&, const Font&) = default;
};

// Pixel metrics of a font as laid out: text cells are `height` tall with the baseline `ascent` below
// the cell's top.
struct FontMetrics {
    int ascent = 0;
    int descent = 0;
    int height = 0;             // ascent + descent
    int underlineOffset = 0;    // from the baseline down to the top of the underline
    int underlineThickness = 1;
};

// The font file that fontconfig chooses for a request, and what must be synthesised because the
// chosen face lacks it (a family without a bold or an italic face).
struct FontFile {
    std::string path;
    int index = 0;              // face index inside a collection
    std::string family;         // the family actually chosen ("Liberation Sans" for "Arial")
    bool syntheticBold = false;
    bool syntheticItalic = false;
    friend bool operator==(const FontFile&, const FontFile&) = default;
};

// Resolves through fontconfig; results are cached. Empty path when no font at all is installed.
FontFile ResolveFontFile(const Font& font);
// A font of the same weight and style that has a glyph for codepoint, for text the requested
// family cannot show; empty path when none has it.
FontFile ResolveFallbackFontFile(const Font& font, char32_t codepoint);

} // namespace qor
