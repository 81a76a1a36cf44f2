#pragma once
// Building blocks shared by the main window and its pages: image-button faces from the skin, and the
// creation of captioned buttons and labels with the properties the pages give them.

#include "controls/CBitmapBtn.h"
#include "platform/gfx/Geometry.h"

#include <array>
#include <string>
#include <string_view>

namespace qor {

class CStaticTrans;

// Four face files of a button in slot order (normal, hover, pressed, disabled): stem + "-" + n + ".png"
// from the skin's buttons folder, e.g. Faces("min", {1, 3, 2, 1}).
struct Faces {
    std::string_view stem;
    std::array<int, 4> numbers;
};

// One image file for all four faces, from the given skin folder.
enum class FaceFolder { Buttons, Controls };

// A visible image button with its faces; with a non-empty caption, the caption is shown centred (offset
// `captionOffset`), in white unless the caller changes TextColors afterwards.
void CreateImageButton(CBitmapBtn& button, CWnd& parent, const Rect& rect, const Faces& faces,
                       const std::string& caption = {}, int fontHeight = 15, int fontWeight = 400,
                       int captionOffset = 0);
void CreateImageButton(CBitmapBtn& button, CWnd& parent, const Rect& rect, FaceFolder folder,
                       std::string_view file, const std::string& caption = {}, int fontHeight = 15,
                       int fontWeight = 400);

// Check-style buttons of the main window (report rate, linked axes, lighting options): the "checkbox1"
// faces -1/-1/-2/-1 with a centred caption.
void CreateCheckButton(CBitmapBtn& button, CWnd& parent, const Rect& rect, const std::string& caption);

// Skin text of section "General".
std::string GeneralCaption(int number);

// Selects `index` among `buttons` (repainting only those that change); an index outside gives none.
template <std::size_t N>
void SelectOne(std::array<CBitmapBtn, N>& buttons, int index) {
    for (std::size_t i = 0; i < N; ++i)
        buttons[i].SetChecked(int(i) == index);
}

} // namespace qor
