#pragma once
// The font text controls use unless they choose their own: the dialogs' plain font.

#include "platform/gfx/Font.h"

namespace qor {

inline Font DefaultControlFont() {
    Font font;
    font.family = "Arial";
    font.height = 13;
    font.weight = kFontWeightNormal;
    return font;
}

} // namespace qor
