#include "assign/KeyNames.h"

#include "assign/KeyboardLayout.h"
#include "platform/text/Utf8.h"

namespace qor {

namespace {

constexpr std::uint8_t kLeftShiftVk = 0xA0;
constexpr std::uint8_t kLeftCtrlVk = 0xA2;
constexpr std::uint8_t kLeftWinVk = 0x5B;
constexpr std::uint8_t kLeftAltVk = 0xA4;

// UTF-8 of one printable code point; empty for control characters and for what is not a character.
std::string PrintableUtf8(char32_t c) {
    std::string out;
    if (c < 0x20 || c == 0x7F || (c >= 0x80 && c < 0xA0) || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF)
        return out;
    AppendUtf8(out, c);
    return out;
}

} // namespace

std::string CombinationText(const KeyCombination& keys) {
    std::string text;
    bool first = true;
    auto add = [&](bool set, int vk) {
        if (!set)
            return;
        if (!first)
            text += " + ";
        first = false;
        text += KeyName(vk);
    };
    add(keys.shift, kLeftShiftVk);
    add(keys.ctrl, kLeftCtrlVk);
    add(keys.win, kLeftWinVk);
    add(keys.alt, kLeftAltVk);
    add(keys.other, keys.otherVk);
    return text;
}

std::string VkCaptionName(int vk, const KeyboardLayout& layout) {
    std::string_view fixed = KeyCaptionTableName(vk);
    if (!fixed.empty())
        return std::string(fixed);
    if (!key_tables_detail::InByteRange(vk))
        return {};
    char32_t c = layout.CharacterOf(vk);
    if (c >= U'a' && c <= U'z')
        c = c - U'a' + U'A';
    return PrintableUtf8(c);
}

std::string VkCaptionName(int vk) {
    return VkCaptionName(vk, CurrentKeyboardLayout());
}

} // namespace qor
