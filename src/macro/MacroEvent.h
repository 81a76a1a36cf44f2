#pragma once
// One step of a macro and the fixed block of steps that a macro file carries. The device agent reads
// the block byte for byte, so the in-memory form is exactly three bytes per event.

#include <array>
#include <cstdint>
#include <span>

namespace qor {

inline constexpr int kMacroEventCount = 63;
inline constexpr int kMacroEventSize = 3;
inline constexpr int kMacroBlockSize = kMacroEventCount * kMacroEventSize; // 189

enum class MacroEventKind : std::uint8_t {
    None = 0,
    Mouse = 1,  // 2 and 3 are read as mouse buttons too; only 1 is written
    Key = 4,
    Delay = 6,
};

// Mouse button codes of byte 1.
inline constexpr std::uint8_t kMacroMouseLeft = 1;
inline constexpr std::uint8_t kMacroMouseRight = 2;
inline constexpr std::uint8_t kMacroMouseMiddle = 4;

struct MacroEvent {
    std::uint8_t Action = 0; // kind in bits 0-6; bit 7 = press (mouse buttons and keys)
    std::uint8_t Data = 0;   // key usage, mouse button, or low byte of a delay
    std::uint8_t DataHigh = 0; // high byte of a delay, else 0

    static constexpr std::uint8_t kPressBit = 0x80;

    static constexpr MacroEvent KeyEvent(std::uint8_t usage, bool press)
    {
        return {static_cast<std::uint8_t>(4 | (press ? kPressBit : 0)), usage, 0};
    }
    static constexpr MacroEvent MouseEvent(std::uint8_t button, bool press)
    {
        return {static_cast<std::uint8_t>(1 | (press ? kPressBit : 0)), button, 0};
    }
    // units of 10 ms
    static constexpr MacroEvent DelayEvent(std::uint16_t units)
    {
        return {6, static_cast<std::uint8_t>(units & 0xFF), static_cast<std::uint8_t>(units >> 8)};
    }

    constexpr std::uint8_t KindCode() const { return Action & 0x7F; }
    constexpr bool IsPress() const { return (Action & kPressBit) != 0; }
    constexpr bool IsEmpty() const { return Action == 0 && Data == 0 && DataHigh == 0; }
    constexpr bool IsMouse() const { return KindCode() >= 1 && KindCode() <= 3; }
    constexpr bool IsKey() const { return KindCode() == 4; }
    constexpr bool IsDelay() const { return KindCode() == 6; }
    // An entry the editor can show: not all zero and of a known kind.
    constexpr bool IsKnown() const { return !IsEmpty() && (IsMouse() || IsKey() || IsDelay()); }
    constexpr std::uint16_t DelayUnits() const
    {
        return static_cast<std::uint16_t>(Data | (DataHigh << 8));
    }

    friend constexpr bool operator==(const MacroEvent&, const MacroEvent&) = default;
};

using MacroBlock = std::array<MacroEvent, kMacroEventCount>;
using MacroBlockBytes = std::array<std::uint8_t, kMacroBlockSize>;

MacroBlockBytes EncodeMacroBlock(const MacroBlock& block);
MacroBlock DecodeMacroBlock(std::span<const std::uint8_t, kMacroBlockSize> bytes);

// Moves the known entries to the front in their order and zeroes every other entry, so that entries
// 0..count-1 are exactly the events in use (the event list shows entry i as item i). Returns count.
int CompactMacroBlock(MacroBlock& block);

} // namespace qor
