#pragma once
// Where the surfaces of the windows lie and which colour each family of buttons sits on. Buttons fill
// black behind their image, so every face is opaque and paints its corners in its backdrop colour.

#include "Draw.h"
#include "Palette.h"

namespace qor::skin {

constexpr double kMainCorner = 18;
constexpr double kHeaderBottom = 156;
// The content panel holds every page's controls (73..715 x 185..506) and the profile row (525..544).
constexpr Box kContentPanel{60, 183, 680, 369};
constexpr double kProfileDividerY = 514;

constexpr double kDialogCorner = 10;

// Backdrops of the button families.
constexpr Rgb kFrameButtonBackdrop = Mix(palette::kBaseHigh, palette::kBase, 40.0 / kHeaderBottom);
constexpr Rgb kTabBackdrop = palette::kBase;
constexpr Rgb kCommandBackdrop = palette::kBase; // bottom row and dialogs
constexpr Rgb kPanelBackdrop = palette::kPanel;  // everything on the content panel

} // namespace qor::skin
