#pragma once
// Colours the file dialogs paint with themselves, matched to the skin's dialog face and buttons.

#include "platform/gfx/Image.h"

namespace qor::filedialog {

inline constexpr Argb kWell = 0xFF0B0C0F;       // list and path backgrounds
inline constexpr Argb kFrame = 0xFF3A3F4A;      // their borders
inline constexpr Argb kFrameFocus = 0xFF5A606B; // the border of the focused list
inline constexpr Argb kHover = 0xFF1A1D23;
inline constexpr Argb kSelected = 0xFF5A0B15;     // selection while the list has the focus
inline constexpr Argb kSelectedIdle = 0xFF2A2E37; // ... and while it has not
inline constexpr Argb kAccent = 0xFFE5283B;
inline constexpr Argb kInk = 0xFFECEEF2;
inline constexpr Argb kInkDim = 0xFF8A909B;
inline constexpr Argb kWarning = 0xFFFFB020;
inline constexpr Argb kThumb = 0xFF4A505C;
inline constexpr Argb kThumbActive = 0xFF9E1424;
inline constexpr Argb kTrack = 0xFF15171B;

} // namespace qor::filedialog
