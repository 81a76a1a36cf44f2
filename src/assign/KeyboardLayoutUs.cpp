#include "assign/KeyboardLayoutUs.h"

#include <array>
#include <cstdint>

namespace qor {

namespace {

struct VkCharacter {
    std::uint8_t vk;
    char32_t character;
};

// Keys other than digits and letters that type a character with no modifier held.
constexpr std::array<VkCharacter, 21> kUsPunctuation{{
    {0x08, U'\b'}, {0x09, U'\t'}, {0x0D, U'\r'}, {0x1B, U'\x1B'}, {0x20, U' '}, {0x6A, U'*'},
    {0x6B, U'+'},  {0x6D, U'-'},  {0x6F, U'/'},  {0xBA, U';'},    {0xBB, U'='}, {0xBC, U','},
    {0xBD, U'-'},  {0xBE, U'.'},  {0xBF, U'/'},  {0xC0, U'`'},    {0xDB, U'['}, {0xDC, U'\\'},
    {0xDD, U']'},  {0xDE, U'\''}, {0xE2, U'\\'}, // the extra key of 102-key keyboards
}};

} // namespace

char32_t UsKeyboardLayout::CharacterOf(int vk) const {
    if (vk >= '0' && vk <= '9')
        return char32_t(vk);
    if (vk >= 'A' && vk <= 'Z')
        return char32_t(vk - 'A' + 'a'); // unshifted letters are lower case
    for (const auto& entry : kUsPunctuation) {
        if (entry.vk == vk)
            return entry.character;
    }
    return 0;
}

} // namespace qor
