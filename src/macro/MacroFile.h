#pragma once
// A macro file (and a macro exchange file, which has the same format): an INI file with one section
// "Setting" holding the playback settings and the event block. The device agent reads it as soon as it
// is told, so a save replaces the whole file once.

#include <cstdint>
#include <string>
#include <string_view>

#include "macro/MacroEvent.h"

namespace qor {

inline constexpr std::string_view kMacroSettingSection = "Setting";

enum class MacroLoopType : std::int32_t { Count = 0, Second = 1, None = 2 };
enum class MacroDelayType : std::int32_t { Recorded = 0, Fixed = 1, None = 2 };

// What the macro editor holds of the macro it shows, and what a save writes.
struct MacroWorkingCopy {
    std::string LoopCountText = "1"; // the loop-count field as typed
    std::int32_t LoopType = 2;        // 0, 1 or 2
    std::int32_t DelayType = 2;       // 0, 1 or 2
    std::int32_t EventCount = 0;      // entries in use, 0..63
    MacroBlock Events{};

    // A new macro: no events, neither loop option, no delays, loop count "1".
    void Reset() { *this = MacroWorkingCopy{}; }
    friend bool operator==(const MacroWorkingCopy&, const MacroWorkingCopy&) = default;
};

// The settings keys as the editor reads them when it shows a macro; missing keys give the defaults.
struct MacroSettings {
    std::int32_t LoopTime = 1;
    std::int32_t LoopType = 0;
    std::int32_t DelayType = 2;
    friend bool operator==(const MacroSettings&, const MacroSettings&) = default;
};

// Decimal number at the start of a text field: leading blanks, an optional sign, digits up to the first
// other character; no digits gives 0. Saturates at the int32 range.
std::int32_t ParseLeadingInt(std::string_view text);

// Writes MacroFilePath (= path), LoopTime, LoopType, DelayType, Count and MacroSetting_0, in that order,
// replacing the file once. False when the file could not be written.
bool SaveMacroFile(const std::string& path, const MacroWorkingCopy& copy);

// Reads MacroSetting_0 into the entries; a missing file or value, or one of the wrong length or with a
// wrong checksum, leaves them as they were. Either way the entries are compacted (unknown and empty
// entries dropped) and the event count recounted. True when the block was read.
bool LoadMacroBlock(const std::string& path, MacroWorkingCopy& copy);

MacroSettings ReadMacroSettings(const std::string& path);

} // namespace qor
