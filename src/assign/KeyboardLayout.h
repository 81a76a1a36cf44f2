#pragma once
// What the user's keyboard layout types for a key. The single-key caption shows that character for keys
// without a fixed caption name. The process has one current layout; until the display provides one, it
// is the US layout.

#include <memory>

namespace qor {

class KeyboardLayout {
public:
    virtual ~KeyboardLayout() = default;

    // The character (a Unicode code point) the key types with no modifier held, or 0 when it types none
    // (or vk is not a virtual-key code at all).
    virtual char32_t CharacterOf(int vk) const = 0;
};

// The current layout. Used from the user-interface thread only.
const KeyboardLayout& CurrentKeyboardLayout();

// Replaces the current layout; nullptr restores the US layout.
void SetCurrentKeyboardLayout(std::unique_ptr<KeyboardLayout> layout);

} // namespace qor
