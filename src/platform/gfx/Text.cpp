#include "platform/gfx/Text.h"

#include "platform/gfx/Utf8.h"

namespace qor {

namespace {

// Returns the number of code points of text kept before the dots and how many dots follow; the layout
// of that line is left in layout.
std::pair<std::size_t, std::size_t> FitWithEllipsis(std::u32string_view text, const Font& font, int maxWidth,
                                                    TextLayout& layout) {
    TextEngine& engine = TextEngine::Instance();
    layout = engine.Layout(text, font);
    if (layout.width <= maxWidth) return {text.size(), 0};

    const std::u32string dots(kEllipsis.begin(), kEllipsis.end());
    const int dotsWidth = engine.Layout(dots, font).width;
    std::u32string candidate;
    // The pen positions give a close estimate; the real layout (kerning against the dots) decides.
    for (std::size_t keep = text.size(); keep-- > 0;) {
        int estimate = (keep == 0 ? 0 : layout.advanceAfter[keep - 1]) + dotsWidth;
        if (estimate > maxWidth + 2) continue;
        candidate.assign(text.substr(0, keep));
        candidate += dots;
        TextLayout trial = engine.Layout(candidate, font);
        if (trial.width <= maxWidth) {
            layout = std::move(trial);
            return {keep, dots.size()};
        }
    }
    for (std::size_t count = dots.size(); count-- > 0;) {
        TextLayout trial = engine.Layout(std::u32string_view(dots).substr(0, count), font);
        if (trial.width <= maxWidth || count == 0) {
            layout = std::move(trial);
            return {0, count};
        }
    }
    return {0, 0};
}

} // namespace

FontMetrics GetFontMetrics(const Font& font) { return TextEngine::Instance().Metrics(font); }

Size MeasureText(std::string_view utf8, const Font& font) {
    TextLayout layout = TextEngine::Instance().Layout(DecodeUtf8(utf8), font);
    return {layout.width, layout.metrics.height};
}

std::string ElideText(std::string_view utf8, const Font& font, int maxWidth) {
    std::u32string text = DecodeUtf8(utf8);
    TextLayout layout;
    auto [keep, dots] = FitWithEllipsis(text, font, maxWidth, layout);
    if (keep == text.size()) return std::string(utf8);
    return EncodeUtf8(std::u32string_view(text).substr(0, keep)) + std::string(kEllipsis.substr(0, dots));
}

TextLayout LayoutElided(std::u32string_view text, const Font& font, int maxWidth) {
    TextLayout layout;
    FitWithEllipsis(text, font, maxWidth, layout);
    return layout;
}

} // namespace qor
