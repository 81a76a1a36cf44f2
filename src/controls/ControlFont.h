#pragma once
// The fonts the controls and dialogs draw with: the dialogs' family at a chosen size and weight, and
// the plain font text controls use unless they choose their own.

#include "platform/gfx/Font.h"

namespace qor {

inline Font DialogFont(int height, int weight) {
    Font font;
    font.family = "Arial";
    font.height = height;
    font.weight = weight;
    return font;
}

inline Font DefaultControlFont() {
    return DialogFont(13, kFontWeightNormal);
}

} // namespace qor
