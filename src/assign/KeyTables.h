#pragma once
// The fixed key tables: Windows virtual-key code <-> key usage (USB HID usage ID, Keyboard/Keypad page),
// virtual-key code -> key position code, key position code -> key name, and the caption names of
// single-key assignments. Pure data and constexpr look-ups with no dependencies, so that the window
// framework can translate back-end scancodes (which are HID usages) without linking anything above it.
// Every look-up takes an int and answers "none" for any value outside its table, negative ones included.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace qor {

struct KeyUsagePair {
    std::uint8_t vk;
    std::uint8_t usage;
};

// Every virtual key and every usage occurs at most once. Two pairings are not the obvious ones:
// 0x6C (separator) is Keypad Enter (0x58) and 0x2A (print) is Print Screen (0x46); 0x2C (snapshot) has
// no usage. Modifiers occur only in their left and right forms.
// clang-format off
inline constexpr auto kKeyUsageTable = std::to_array<KeyUsagePair>({
    {0x08, 0x2A}, {0x09, 0x2B}, {0x0D, 0x28}, {0x13, 0x48}, {0x14, 0x39}, {0x1B, 0x29}, {0x20, 0x2C},
    {0x21, 0x4B}, {0x22, 0x4E}, {0x23, 0x4D}, {0x24, 0x4A}, {0x25, 0x50}, {0x26, 0x52}, {0x27, 0x4F},
    {0x28, 0x51}, {0x2A, 0x46}, {0x2D, 0x49}, {0x2E, 0x4C}, {0x30, 0x27}, {0x31, 0x1E}, {0x32, 0x1F},
    {0x33, 0x20}, {0x34, 0x21}, {0x35, 0x22}, {0x36, 0x23}, {0x37, 0x24}, {0x38, 0x25}, {0x39, 0x26},
    {0x41, 0x04}, {0x42, 0x05}, {0x43, 0x06}, {0x44, 0x07}, {0x45, 0x08}, {0x46, 0x09}, {0x47, 0x0A},
    {0x48, 0x0B}, {0x49, 0x0C}, {0x4A, 0x0D}, {0x4B, 0x0E}, {0x4C, 0x0F}, {0x4D, 0x10}, {0x4E, 0x11},
    {0x4F, 0x12}, {0x50, 0x13}, {0x51, 0x14}, {0x52, 0x15}, {0x53, 0x16}, {0x54, 0x17}, {0x55, 0x18},
    {0x56, 0x19}, {0x57, 0x1A}, {0x58, 0x1B}, {0x59, 0x1C}, {0x5A, 0x1D}, {0x5B, 0xE3}, {0x5C, 0xE7},
    {0x5D, 0x65}, {0x60, 0x62}, {0x61, 0x59}, {0x62, 0x5A}, {0x63, 0x5B}, {0x64, 0x5C}, {0x65, 0x5D},
    {0x66, 0x5E}, {0x67, 0x5F}, {0x68, 0x60}, {0x69, 0x61}, {0x6A, 0x55}, {0x6B, 0x57}, {0x6C, 0x58},
    {0x6D, 0x56}, {0x6E, 0x63}, {0x6F, 0x54}, {0x70, 0x3A}, {0x71, 0x3B}, {0x72, 0x3C}, {0x73, 0x3D},
    {0x74, 0x3E}, {0x75, 0x3F}, {0x76, 0x40}, {0x77, 0x41}, {0x78, 0x42}, {0x79, 0x43}, {0x7A, 0x44},
    {0x7B, 0x45}, {0x90, 0x53}, {0x91, 0x47}, {0xA0, 0xE1}, {0xA1, 0xE5}, {0xA2, 0xE0}, {0xA3, 0xE4},
    {0xA4, 0xE2}, {0xA5, 0xE6}, {0xBA, 0x33}, {0xBB, 0x2E}, {0xBC, 0x36}, {0xBD, 0x2D}, {0xBE, 0x37},
    {0xBF, 0x38}, {0xC0, 0x35}, {0xDB, 0x2F}, {0xDC, 0x31}, {0xDD, 0x30}, {0xDE, 0x34},
});
// clang-format on

struct KeyPositionEntry {
    std::uint8_t vk;
    std::uint8_t position;
    std::string_view name;
};

// Key positions are the program's own numbering of keyboard positions; a key's name belongs to its
// position. Both Windows keys share one position. Some media keys have a position but no name.
// clang-format off
inline constexpr auto kKeyPositionTable = std::to_array<KeyPositionEntry>({
    {0x08, 0x53, "Backspace"}, {0x09, 0x13, "TAB"}, {0x0D, 0x56, "Enter"}, {0x13, 0x76, "Pause/Break"},
    {0x14, 0x1B, "Caps Lock"}, {0x1B, 0x15, "ESC"}, {0x20, 0x57, "Space Bar"}, {0x21, 0x68, "Pageup"},
    {0x22, 0x69, "Pagedown"}, {0x23, 0x71, "End"}, {0x24, 0x70, "Home"}, {0x25, 0x77, "Left"},
    {0x26, 0x75, "Up"}, {0x27, 0x5F, "Right"}, {0x28, 0x67, "Down"}, {0x2C, 0x7A, "PrtScr"},
    {0x2D, 0x58, "Insert"}, {0x2E, 0x60, "Delete"}, {0x30, 0x49, "0"}, {0x31, 0x11, "1"},
    {0x32, 0x19, "2"}, {0x33, 0x21, "3"}, {0x34, 0x29, "4"}, {0x35, 0x28, "5"},
    {0x36, 0x30, "6"}, {0x37, 0x31, "7"}, {0x38, 0x39, "8"}, {0x39, 0x41, "9"},
    {0x41, 0x14, "A"}, {0x42, 0x2F, "B"}, {0x43, 0x26, "C"}, {0x44, 0x24, "D"},
    {0x45, 0x22, "E"}, {0x46, 0x2C, "F"}, {0x47, 0x2D, "G"}, {0x48, 0x35, "H"},
    {0x49, 0x3A, "I"}, {0x4A, 0x34, "J"}, {0x4B, 0x3C, "K"}, {0x4C, 0x44, "L"},
    {0x4D, 0x36, "M"}, {0x4E, 0x37, "N"}, {0x4F, 0x42, "O"}, {0x50, 0x4A, "P"},
    {0x51, 0x12, "Q"}, {0x52, 0x2A, "R"}, {0x53, 0x1C, "S"}, {0x54, 0x2B, "T"},
    {0x55, 0x32, "U"}, {0x56, 0x2E, "V"}, {0x57, 0x1A, "W"}, {0x58, 0x1E, "X"},
    {0x59, 0x33, "Y"}, {0x5A, 0x16, "Z"}, {0x5B, 0x9C, "Win"}, {0x5C, 0x9C, "Win"},
    {0x5D, 0x9A, "Application"}, {0x60, 0x5D, "Num 0"}, {0x61, 0x64, "Num 1"}, {0x62, 0x5C, "Num 2"},
    {0x63, 0x6C, "Num 3"}, {0x64, 0x63, "Num 4"}, {0x65, 0x5B, "Num 5"}, {0x66, 0x6B, "Num 6"},
    {0x67, 0x62, "Num 7"}, {0x68, 0x5A, "Num 8"}, {0x69, 0x6A, "Num 9"}, {0x6A, 0x6E, "Num *"},
    {0x6B, 0x72, "Num +"}, {0x6C, 0x74, "Num Enter"}, {0x6D, 0x6F, "Num -"}, {0x6E, 0x6D, "Num del"},
    {0x6F, 0x5E, "Num /"}, {0x70, 0x18, "F1"}, {0x71, 0x20, "F2"}, {0x72, 0x23, "F3"},
    {0x73, 0x25, "F4"}, {0x74, 0x55, "F5"}, {0x75, 0x3D, "F6"}, {0x76, 0x43, "F7"},
    {0x77, 0x40, "F8"}, {0x78, 0x50, "F9"}, {0x79, 0x51, "F10"}, {0x7A, 0x61, "F11"},
    {0x7B, 0x59, "F12"}, {0x90, 0x66, "Num Lock"}, {0x91, 0x79, "Scroll Lock"}, {0xA0, 0x83, "Shift"},
    {0xA1, 0x86, "Right Shift"}, {0xA2, 0x88, "Ctrl"}, {0xA3, 0x8E, "Right Ctrl"}, {0xA4, 0x7D, "Alt"},
    {0xA5, 0x7F, "Right Alt"}, {0xAC, 0x99, ""}, {0xAD, 0x8F, "Mute"}, {0xAE, 0x97, ""},
    {0xAF, 0x96, ""}, {0xB1, 0x94, ""}, {0xB2, 0x92, ""}, {0xB3, 0x91, ""},
    {0xB5, 0x90, ""}, {0xBA, 0x4C, ";"}, {0xBB, 0x38, "="}, {0xBC, 0x3E, ","},
    {0xBD, 0x48, "-"}, {0xBE, 0x46, "."}, {0xBF, 0x4F, "/"}, {0xC0, 0x10, "~"},
    {0xDB, 0x4B, "["}, {0xDC, 0x54, "\\"}, {0xDD, 0x3B, "]"}, {0xDE, 0x4D, "'"},
    {0xFB, 0x9F, ""},
});
// clang-format on

// Positions with a name that no virtual key reaches: the macro recorder names the two Windows keys
// with them.
inline constexpr std::uint8_t kLeftWindowsPosition = 0xF4;
inline constexpr std::uint8_t kRightWindowsPosition = 0xF5;

struct KeyCaptionEntry {
    std::uint8_t vk;
    std::string_view name;
};

// Names on the assignment button of a single key. Keys not listed show the character the keyboard
// layout gives them.
// clang-format off
inline constexpr auto kKeyCaptionTable = std::to_array<KeyCaptionEntry>({
    {0x08, "Backspace"}, {0x09, "Tab"},      {0x0C, "Clear"},   {0x0D, "Enter"},  {0x10, "Shift"},
    {0x11, "Ctrl"},      {0x12, "Alt"},      {0x13, "Pause"},   {0x14, "CapsLock"}, {0x1B, "Esc"},
    {0x20, "Space"},     {0x21, "PageUp"},   {0x22, "PageDown"}, {0x23, "End"},   {0x24, "Home"},
    {0x25, "Left"},      {0x26, "Up"},       {0x27, "Right"},   {0x28, "Down"},   {0x29, "Select"},
    {0x2A, "Print"},     {0x2B, "Exe"},      {0x2C, "Snapshot"}, {0x2D, "Ins"},   {0x2E, "Del"},
    {0x2F, "Help"},      {0x60, "Num0"},     {0x61, "Num1"},    {0x62, "Num2"},   {0x63, "Num3"},
    {0x64, "Num4"},      {0x65, "Num5"},     {0x66, "Num6"},    {0x67, "Num7"},   {0x68, "Num8"},
    {0x69, "Num9"},      {0x6A, "Num*"},     {0x6B, "Num+"},    {0x6C, "Enter"},  {0x6D, "Num-"},
    {0x6E, "Num."},      {0x6F, "Num/"},     {0x70, "F1"},      {0x71, "F2"},     {0x72, "F3"},
    {0x73, "F4"},        {0x74, "F5"},       {0x75, "F6"},      {0x76, "F7"},     {0x77, "F8"},
    {0x78, "F9"},        {0x79, "F10"},      {0x7A, "F11"},     {0x7B, "F12"},    {0x90, "Numlock"},
    {0x91, "Scrl"},      {0xA0, "LShift"},   {0xA1, "RShift"},  {0xA2, "LCtrl"},  {0xA3, "RCtrl"},
    {0xA4, "LAlt"},      {0xA5, "RAlt"},
});
// clang-format on

static_assert(kKeyUsageTable.size() == 104);
static_assert(kKeyPositionTable.size() == 113);
static_assert(kKeyCaptionTable.size() == 62);

namespace key_tables_detail {

// Direct-indexed copies of the tables above, built at compile time; index 0 never holds an entry.
struct Lookup {
    std::array<std::uint8_t, 256> usageByVk{};
    std::array<std::uint8_t, 256> vkByUsage{};
    std::array<std::uint8_t, 256> positionByVk{};
    std::array<std::string_view, 256> nameByPosition{};
    std::array<std::string_view, 256> captionByVk{};
};

constexpr Lookup BuildLookup() {
    Lookup t;
    for (const auto& p : kKeyUsageTable) {
        t.usageByVk[p.vk] = p.usage;
        t.vkByUsage[p.usage] = p.vk;
    }
    for (const auto& e : kKeyPositionTable) {
        t.positionByVk[e.vk] = e.position;
        t.nameByPosition[e.position] = e.name;
    }
    t.nameByPosition[kLeftWindowsPosition] = "Left Windows";
    t.nameByPosition[kRightWindowsPosition] = "Right Windows";
    for (const auto& e : kKeyCaptionTable)
        t.captionByVk[e.vk] = e.name;
    return t;
}

inline constexpr Lookup kLookup = BuildLookup();

constexpr bool InByteRange(int v) {
    return v >= 0 && v <= 0xFF;
}

} // namespace key_tables_detail

// The virtual key paired with a key usage; nullopt when the usage has none (callers then use 0 or a
// fallback of their own).
constexpr std::optional<std::uint8_t> KeyUsageToVk(int usage) {
    if (!key_tables_detail::InByteRange(usage))
        return std::nullopt;
    std::uint8_t vk = key_tables_detail::kLookup.vkByUsage[std::size_t(usage)];
    if (vk == 0)
        return std::nullopt;
    return vk;
}

// The key usage paired with a virtual key; 0 when there is none.
constexpr std::uint8_t VkToKeyUsage(int vk) {
    return key_tables_detail::InByteRange(vk) ? key_tables_detail::kLookup.usageByVk[std::size_t(vk)] : 0;
}

// The key position of a virtual key; 0 when it has none.
constexpr std::uint8_t VkToKeyPosition(int vk) {
    return key_tables_detail::InByteRange(vk) ? key_tables_detail::kLookup.positionByVk[std::size_t(vk)] : 0;
}

// The name of a key position; empty for a position without a name.
constexpr std::string_view KeyPositionName(int position) {
    return key_tables_detail::InByteRange(position)
               ? key_tables_detail::kLookup.nameByPosition[std::size_t(position)]
               : std::string_view{};
}

// The name of the key in the key dialogs, combination captions and the macro editor.
constexpr std::string_view KeyName(int vk) {
    return KeyPositionName(VkToKeyPosition(vk));
}

// The caption-table name of a virtual key; empty when the key is not in the table.
constexpr std::string_view KeyCaptionTableName(int vk) {
    return key_tables_detail::InByteRange(vk) ? key_tables_detail::kLookup.captionByVk[std::size_t(vk)]
                                              : std::string_view{};
}

} // namespace qor
