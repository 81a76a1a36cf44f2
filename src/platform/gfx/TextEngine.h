#pragma once
// FreeType behind the painter: faces opened once per font file and size, glyphs rasterised once and
// kept, text laid out on one line with the font's kerning. Thread-safe; the glyph bitmaps handed out
// are immutable and shared, so a layout stays valid after the cache has moved on.

#include "platform/gfx/Font.h"

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace qor {

// A rasterised glyph: 8-bit coverage, `left` pixels right of the pen and `top` pixels above the
// baseline for its first row.
struct GlyphBitmap {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> coverage; // width * height
};

struct PlacedGlyph {
    std::shared_ptr<const GlyphBitmap> bitmap;
    int x = 0; // pen position, pixels from the start of the line
};

struct TextLayout {
    FontMetrics metrics;
    std::vector<PlacedGlyph> glyphs;
    // Pen position after each code point of the text (before the kerning to the next one).
    std::vector<int> advanceAfter;
    int width = 0; // advance width of the whole line
};

// Font and glyph caches; one per process.
class TextEngine {
public:
    static TextEngine& Instance();

    FontMetrics Metrics(const Font& font);
    TextLayout Layout(std::u32string_view text, const Font& font);

    TextEngine(const TextEngine&) = delete;
    TextEngine& operator=(const TextEngine&) = delete;
    ~TextEngine();

private:
    TextEngine();
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace qor
