#pragma once
// X key codes to Windows virtual keys. The X server here uses the evdev keyboard driver, whose key
// code is the Linux input key code plus 8; a Linux key code names a keyboard position, which maps to
// its USB HID usage and from there through the program's own usage table to a virtual key. Keys
// that have no usage on the keyboard page (volume, media) map to their virtual keys directly.

#include "assign/KeyTables.h"

#include <array>
#include <cstdint>

namespace qor::kbhook {

struct LinuxKeyUsage {
    uint16_t linuxKey;
    uint8_t usage;
};

// Linux input key codes (linux/input-event-codes.h) of the keyboard page, with their HID usages.
inline constexpr auto kLinuxKeyUsages = std::to_array<LinuxKeyUsage>({
    {1, 0x29},   {2, 0x1E},   {3, 0x1F},   {4, 0x20},   {5, 0x21},   {6, 0x22},   {7, 0x23},   {8, 0x24},
    {9, 0x25},   {10, 0x26},  {11, 0x27},  {12, 0x2D},  {13, 0x2E},  {14, 0x2A},  {15, 0x2B},  {16, 0x14},
    {17, 0x1A},  {18, 0x08},  {19, 0x15},  {20, 0x17},  {21, 0x1C},  {22, 0x18},  {23, 0x0C},  {24, 0x12},
    {25, 0x13},  {26, 0x2F},  {27, 0x30},  {28, 0x28},  {29, 0xE0},  {30, 0x04},  {31, 0x16},  {32, 0x07},
    {33, 0x09},  {34, 0x0A},  {35, 0x0B},  {36, 0x0D},  {37, 0x0E},  {38, 0x0F},  {39, 0x33},  {40, 0x34},
    {41, 0x35},  {42, 0xE1},  {43, 0x31},  {44, 0x1D},  {45, 0x1B},  {46, 0x06},  {47, 0x19},  {48, 0x05},
    {49, 0x11},  {50, 0x10},  {51, 0x36},  {52, 0x37},  {53, 0x38},  {54, 0xE5},  {55, 0x55},  {56, 0xE2},
    {57, 0x2C},  {58, 0x39},  {59, 0x3A},  {60, 0x3B},  {61, 0x3C},  {62, 0x3D},  {63, 0x3E},  {64, 0x3F},
    {65, 0x40},  {66, 0x41},  {67, 0x42},  {68, 0x43},  {69, 0x53},  {70, 0x47},  {71, 0x5F},  {72, 0x60},
    {73, 0x61},  {74, 0x56},  {75, 0x5C},  {76, 0x5D},  {77, 0x5E},  {78, 0x57},  {79, 0x59},  {80, 0x5A},
    {81, 0x5B},  {82, 0x62},  {83, 0x63},  {86, 0x64},  {87, 0x44},  {88, 0x45},  {96, 0x58},  {97, 0xE4},
    {98, 0x54},  {99, 0x46},  {100, 0xE6}, {102, 0x4A}, {103, 0x52}, {104, 0x4B}, {105, 0x50}, {106, 0x4F},
    {107, 0x4D}, {108, 0x51}, {109, 0x4E}, {110, 0x49}, {111, 0x4C}, {119, 0x48}, {125, 0xE3}, {126, 0xE7},
    {127, 0x65},
});

struct LinuxKeyVk {
    uint16_t linuxKey;
    uint8_t vk;
};

// Keys outside the keyboard page: mute, volume down/up, next, play/pause, previous, stop, mail,
// browser home, media.
inline constexpr auto kLinuxKeyVks = std::to_array<LinuxKeyVk>({
    {113, 0xAD},
    {114, 0xAE},
    {115, 0xAF},
    {163, 0xB0},
    {164, 0xB3},
    {165, 0xB1},
    {166, 0xB2},
    {155, 0xB4},
    {172, 0xAC},
    {226, 0xB5},
});

// The virtual key of an X key code; 0 when the key has none.
constexpr uint8_t XKeycodeToVk(int xKeycode) {
    int linuxKey = xKeycode - 8;
    for (const auto& e : kLinuxKeyUsages)
        if (e.linuxKey == linuxKey)
            return KeyUsageToVk(e.usage).value_or(0);
    for (const auto& e : kLinuxKeyVks)
        if (e.linuxKey == linuxKey)
            return e.vk;
    return 0;
}

// Keys that a Windows keyboard driver marks as extended: the navigation block, the arrows, the
// right-hand modifiers, the Windows and menu keys, keypad divide and enter, num lock, print screen
// and the media keys.
constexpr bool IsExtendedVk(int vk) {
    return (vk >= 0x21 && vk <= 0x28) || vk == 0x2A || vk == 0x2C || vk == 0x2D || vk == 0x2E || vk == 0x5B ||
           vk == 0x5C || vk == 0x5D || vk == 0x6C || vk == 0x6F || vk == 0x90 || vk == 0xA3 || vk == 0xA5 ||
           (vk >= 0xAC && vk <= 0xB7);
}

inline constexpr uint32_t kFlagExtended = 0x01;
inline constexpr uint32_t kFlagReleased = 0x80;

// lParam of a key report.
constexpr uint32_t KeyFlags(int vk, bool released) {
    return (released ? kFlagReleased : 0) | (IsExtendedVk(vk) ? kFlagExtended : 0);
}

static_assert(XKeycodeToVk(38) == 0x41, "evdev 38 is A");
static_assert(XKeycodeToVk(50) == 0xA0 && XKeycodeToVk(62) == 0xA1, "left and right shift");
static_assert(XKeycodeToVk(0) == 0 && XKeycodeToVk(-5) == 0 && XKeycodeToVk(255) == 0);

} // namespace qor::kbhook
