#pragma once
// The US keyboard layout as a fixed table: the layout the program assumes when the display cannot tell.

#include "assign/KeyboardLayout.h"

namespace qor {

class UsKeyboardLayout final : public KeyboardLayout {
public:
    char32_t CharacterOf(int vk) const override;
};

} // namespace qor
