#pragma once
// Names of keys as the user sees them, on top of the fixed key tables (KeyTables.h re-exports
// KeyUsageToVk, VkToKeyUsage, VkToKeyPosition, KeyPositionName and KeyName).

#include "assign/KeyTables.h"

#include <string>

namespace qor {

class KeyboardLayout;

// The keys of a key combination as the key dialogs and the combination caption hold them: the four
// modifier flags and, when `other` is set, one further key.
struct KeyCombination {
    bool shift = false;
    bool ctrl = false;
    bool win = false;
    bool alt = false;
    bool other = false;
    int otherVk = 0;
    friend bool operator==(const KeyCombination&, const KeyCombination&) = default;
};

// The key names of the set flags in the order Shift, Ctrl, Windows, Alt, other key, joined by " + ";
// empty when no flag is set.
std::string CombinationText(const KeyCombination& keys);

// The caption of a single-key assignment: the caption-table name, else the character the layout types
// for the key (letters in upper case), else the empty text.
std::string VkCaptionName(int vk, const KeyboardLayout& layout);
std::string VkCaptionName(int vk); // with the current keyboard layout

} // namespace qor
