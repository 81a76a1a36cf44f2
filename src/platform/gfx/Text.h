#pragma once
// Measuring and shortening single lines of UTF-8 text, without pixels. A line's size is its advance
// width (with kerning) by the font's cell height, as the painter lays it out.

#include "platform/gfx/Font.h"
#include "platform/gfx/Geometry.h"
#include "platform/gfx/TextEngine.h"

#include <string>
#include <string_view>

namespace qor {

inline constexpr std::string_view kEllipsis = "...";

FontMetrics GetFontMetrics(const Font& font);
Size MeasureText(std::string_view utf8, const Font& font);

// The text itself when it fits into maxWidth; otherwise its longest beginning (whole code points)
// followed by "..." that fits, or as much of "..." as fits.
std::string ElideText(std::string_view utf8, const Font& font, int maxWidth);

// The layout of text shortened as ElideText does; used by the painter.
TextLayout LayoutElided(std::u32string_view text, const Font& font, int maxWidth);

} // namespace qor
