#pragma once
// The one in-memory table of every mouse setting. Field names are the keys of the profile files.
// Integer fields use -1 as "not set" (a key missing from a file); uint8 fields then hold 255.

#include <array>
#include <cstdint>
#include <string>

namespace qor {

inline constexpr int kProfileCount = 5;
inline constexpr int kButtonCount = 9;
inline constexpr int kDpiSlotCount = 6; // the pages use the first kDpiStageCount
inline constexpr int kDpiStageCount = 5;
inline constexpr int kLedModeCount = 8;  // LedColor has one colour per mode
inline constexpr int kLedStateCount = 7; // LEDSTATE_INFO: modes 0..6 only
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

// Factory values.
inline constexpr std::array<std::int32_t, kProfileCount> kProfileColors = {
    0x0000FF, 0xFF0000, 0x00FF00, 0xFF00FF, 0x00FFFF}; // red, blue, green, purple, yellow
inline constexpr std::array<std::uint8_t, kButtonCount> kFactoryButtonFuncs = {1, 2, 3, 4, 5, 48, 49, 52, 53};
inline constexpr std::array<std::int32_t, kDpiSlotCount> kFactoryDpiCodes = {4, 9, 19, 29, 61, 0};
inline constexpr std::int32_t kLeftClickFunc = 1;

// Copies `buffer` into `live` and repairs every checked field that is out of range (negative values
// count as too large). LedMode1, LEDSTATE_INFO, ButtonID, LoopNumber, KeyNumber, AssignData and
// MacroName are carried as they are.
void ValidateProfiles(const ProfileTable& buffer, ProfileTable& live);
void ValidateProfiles(const ProfileTable& buffer); // into LiveProfileTable()

// Gives profile k (0..4; anything else is ignored) its factory values. Group, DPI slot 5, each
// button's ButtonID and LoopNumber, and GroupID stay as they are.
void ResetProfile(ProfileTable& table, int k);
void ResetProfile(int k);

// Empties the live table and fills it from the five profile files in `folder` (ending with '/'),
// repaired. The form without a folder reads UserDataFolder().
void LoadProfileTable(ProfileTable& live, const std::string& folder);
void LoadProfileTable();

// True when a button of profile k other than button index b is the left click; out-of-range k gives
// false, out-of-range b counts every button as "other".
bool OtherButtonHasLeftClick(const ProfileTable& table, int k, int b);
bool OtherButtonHasLeftClick(int k, int b);

} // namespace qor
