#pragma once
// The one in-memory table of every mouse setting. Field names are the keys of the profile files.
// Integer fields use -1 as "not set" (a key missing from a file); uint8 fields then hold 255.

#include <array>
#include <cstdint>
#include <string>

namespace qor {

inline constexpr int kProfileCount = 5;
inline constexpr int kButtonCount = 9;
inline constexpr int kDpiSlotCount = 6;    // the pages use the first kDpiStageCount
inline constexpr int kDpiStageCount = 5;
inline constexpr int kLedModeCount = 8;    // LedColor has one colour per mode
inline constexpr int kLedStateCount = 7;   // LEDSTATE_INFO: modes 0..6 only
inline constexpr int kAssignDataSize = 189;
inline constexpr int kMacroNameField = 260; // code units of the original field, terminator included

struct DpiStage {
    std::int32_t Enabled = 0;
    std::int32_t X = 0;
    std::int32_t Y = 0;
    std::int32_t Linked = 0;
    friend bool operator==(const DpiStage&, const DpiStage&) = default;
};

struct LedModeState {
    std::int32_t Level = 0;
    std::int32_t Rate = 0;
    friend bool operator==(const LedModeState&, const LedModeState&) = default;
};

struct ButtonRecord {
    std::uint8_t ButtonID = 0;
    std::uint8_t ButtonFunc = 0;
    std::uint8_t LoopNumber = 0;
    std::uint8_t KeyNumber = 0;
    std::array<std::uint8_t, kAssignDataSize> AssignData{};
    // UTF-8; at most kMacroNameField - 1 characters (code points), never a split character.
    std::string MacroName;
    friend bool operator==(const ButtonRecord&, const ButtonRecord&) = default;
};

struct ProfileRecord {
    std::int32_t Group = 0;
    std::int32_t PollingRate = 0;
    std::int32_t DoubleClickSpeed = 0;
    std::int32_t WheelScrollLines = 0;
    std::int32_t UniversalScrollEnabled = 0;
    std::int32_t MouseSensitivity = 0;
    std::int32_t Acceleration = 0;
    std::int32_t XYSensitivityEnabled = 0;
    std::int32_t OFASensitivity = 0;
    std::int32_t MouseSpeedX = 0;
    std::int32_t MouseSpeedY = 0;
    std::int32_t LedMode1 = 0; // not repaired: every index derived from it must be bounds-checked
    std::int32_t LedState1 = 0;
    std::int32_t BreathState1 = 0;
    std::int32_t FlashState1 = 0;
    std::array<std::int32_t, kLedModeCount> LedColor{}; // 0x00BBGGRR
    std::int32_t ANGLE = 0;
    std::int32_t LIFT = 0;
    std::int32_t DPI = 0;
    std::int32_t DPICurrentX = 0;
    std::int32_t DPICurrentY = 0;
    std::int32_t DPIStageNum = 0;
    std::array<DpiStage, kDpiSlotCount> DPIStageValue{};
    std::array<LedModeState, kLedStateCount> LEDSTATE_INFO{};
    std::array<ButtonRecord, kButtonCount> Buttons{};
    friend bool operator==(const ProfileRecord&, const ProfileRecord&) = default;
};

struct ProfileTable {
    std::int32_t GroupID = 0;
    std::array<ProfileRecord, kProfileCount> profiles{};
    friend bool operator==(const ProfileTable&, const ProfileTable&) = default;
};

// The live table: one for the whole process, touched only on the user-interface thread.
ProfileTable& LiveProfileTable();

} // namespace qor
