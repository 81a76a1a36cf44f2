#include "model/ProfileTable.h"

#include "model/Folders.h"
#include "model/ProfileFiles.h"

#include <memory>

namespace qor {

namespace {

// Range checks compare as unsigned, so every negative value is out of range too.
bool InRange(std::int32_t value, std::uint32_t lo, std::uint32_t hi) {
    const auto v = static_cast<std::uint32_t>(value);
    return v >= lo && v <= hi;
}

void Repair(std::int32_t& field, std::uint32_t lo, std::uint32_t hi, std::int32_t replacement) {
    if (!InRange(field, lo, hi))
        field = replacement;
}

void RepairProfile(ProfileRecord& p, int k) {
    if (p.Group == -1)
        p.Group = k == 0 ? 1 : 0;
    Repair(p.PollingRate, 0, 8, 1);
    Repair(p.OFASensitivity, 0, 10, 10);
    Repair(p.MouseSpeedX, 0, 10, 10);
    Repair(p.MouseSpeedY, 0, 10, 10);
    Repair(p.MouseSensitivity, 1, 20, 10);
    Repair(p.DoubleClickSpeed, 0, 10, 5);
    Repair(p.WheelScrollLines, 1, 63, 1);
    Repair(p.UniversalScrollEnabled, 0, 1, 0);
    Repair(p.XYSensitivityEnabled, 0, 1, 0);
    Repair(p.Acceleration, 1, 4, 1);
    Repair(p.LedState1, 1, 44, 2);
    Repair(p.BreathState1, 1, 10, 8);
    Repair(p.FlashState1, 1, 10, 5);
    for (std::int32_t& colour : p.LedColor)
        if (colour == -1)
            colour = kProfileColors[k];
    Repair(p.DPI, 0, 5, k);
    Repair(p.ANGLE, 0, 1, 0);
    Repair(p.LIFT, 1, 5, 3);
    Repair(p.DPICurrentX, 1, 92, 14);
    Repair(p.DPICurrentY, 1, 92, 14);
    if (p.DPIStageNum != kDpiStageCount)
        p.DPIStageNum = kDpiStageCount;
    for (int j = 0; j < kDpiSlotCount; ++j) {
        DpiStage& stage = p.DPIStageValue[j];
        if (stage.X == 0)
            stage = DpiStage{1, kFactoryDpiCodes[j], kFactoryDpiCodes[j], 1};
    }
    for (int b = 0; b < kButtonCount; ++b)
        if (p.Buttons[b].ButtonFunc == 255)
            p.Buttons[b].ButtonFunc = kFactoryButtonFuncs[b];
}

} // namespace

ProfileTable& LiveProfileTable() {
    static ProfileTable table;
    return table;
}

void ValidateProfiles(const ProfileTable& buffer, ProfileTable& live) {
    if (&buffer != &live)
        live = buffer;
    if (!InRange(live.GroupID, 0, kProfileCount - 1))
        live.GroupID = 0;
    for (int k = 0; k < kProfileCount; ++k)
        RepairProfile(live.profiles[k], k);
}

void ValidateProfiles(const ProfileTable& buffer) {
    ValidateProfiles(buffer, LiveProfileTable());
}

void ResetProfile(ProfileTable& table, int k) {
    if (k < 0 || k >= kProfileCount)
        return;
    ProfileRecord& p = table.profiles[k];
    p.PollingRate = 1;
    p.DoubleClickSpeed = 5;
    p.WheelScrollLines = 1;
    p.UniversalScrollEnabled = 0;
    p.MouseSensitivity = 10;
    p.Acceleration = 1;
    p.XYSensitivityEnabled = 0;
    p.OFASensitivity = 10;
    p.MouseSpeedX = 10;
    p.MouseSpeedY = 10;
    p.LedMode1 = 3;
    p.LedState1 = 2;
    p.BreathState1 = 8;
    p.FlashState1 = 5;
    p.LedColor.fill(kProfileColors[k]);
    p.ANGLE = 0;
    p.LIFT = 3;
    p.DPI = k;
    p.DPICurrentX = 14;
    p.DPICurrentY = 14;
    p.DPIStageNum = kDpiStageCount;
    for (int j = 0; j < kDpiStageCount; ++j)
        p.DPIStageValue[j] = DpiStage{1, kFactoryDpiCodes[j], kFactoryDpiCodes[j], 1};
    p.LEDSTATE_INFO.fill(LedModeState{2, 8});
    for (int b = 0; b < kButtonCount; ++b) {
        ButtonRecord& button = p.Buttons[b];
        button.ButtonFunc = kFactoryButtonFuncs[b];
        button.KeyNumber = 0;
        button.AssignData.fill(0);
        button.MacroName.clear();
    }
}

void ResetProfile(int k) {
    ResetProfile(LiveProfileTable(), k);
}

void LoadProfileTable(ProfileTable& live, const std::string& folder) {
    // The load buffer is large (five profiles of nine 189-byte records): keep it off the stack.
    auto buffer = std::make_unique<ProfileTable>();
    live = ProfileTable{};
    ReadProfileFiles(*buffer, folder);
    ValidateProfiles(*buffer, live);
}

void LoadProfileTable() {
    LoadProfileTable(LiveProfileTable(), UserDataFolder());
}

bool OtherButtonHasLeftClick(const ProfileTable& table, int k, int b) {
    if (k < 0 || k >= kProfileCount)
        return false;
    for (int i = 0; i < kButtonCount; ++i)
        if (i != b && table.profiles[k].Buttons[i].ButtonFunc == kLeftClickFunc)
            return true;
    return false;
}

bool OtherButtonHasLeftClick(int k, int b) {
    return OtherButtonHasLeftClick(LiveProfileTable(), k, b);
}

} // namespace qor
