#pragma once
// Breaking a label's text into the lines a static text shows: at explicit line breaks, and between
// words wherever the next word would pass the right edge. A word wider than the line keeps a line of
// its own (and is cut off by the control's edge), as static texts always have done.

#include "platform/gfx/Font.h"

#include <string>
#include <string_view>
#include <vector>

namespace qor {

std::vector<std::string> WrapText(std::string_view utf8, const Font& font, int maxWidth);

} // namespace qor
