#include "model/ProfileFiles.h"

#include "model/Folders.h"
#include "model/IniFile.h"
#include "platform/ini/Utf8.h"

#include <array>
#include <cstddef>

namespace qor {

namespace {

constexpr std::size_t kLedStateBytes = kLedStateCount * 8;
constexpr std::size_t kDpiStageBytes = kDpiSlotCount * 16;
constexpr std::size_t kLiveMacroNameMax = kMacroNameField - 1;
constexpr std::size_t kImportMacroNameMax = 50;

struct IntKey {
    const char* name;
    std::int32_t ProfileRecord::*field;
};

// Profile keys in file order: those before the colours, and those between LEDSTATE_INFO and
// DPIStageValue.
constexpr IntKey kKeysBeforeColours[] = {
    {"Group", &ProfileRecord::Group},
    {"PollingRate", &ProfileRecord::PollingRate},
    {"WheelScrollLines", &ProfileRecord::WheelScrollLines},
    {"MouseSensitivity", &ProfileRecord::MouseSensitivity},
    {"DoubleClickSpeed", &ProfileRecord::DoubleClickSpeed},
    {"UniversalScrollEnabled", &ProfileRecord::UniversalScrollEnabled},
    {"Acceleration", &ProfileRecord::Acceleration},
    {"XYSensitivityEnabled", &ProfileRecord::XYSensitivityEnabled},
    {"MouseSpeedX", &ProfileRecord::MouseSpeedX},
    {"MouseSpeedY", &ProfileRecord::MouseSpeedY},
    {"OFASensitivity", &ProfileRecord::OFASensitivity},
    {"LedMode1", &ProfileRecord::LedMode1},
    {"LedState1", &ProfileRecord::LedState1},
    {"FlashState1", &ProfileRecord::FlashState1},
    {"BreathState1", &ProfileRecord::BreathState1},
};
constexpr IntKey kKeysAfterLedStates[] = {
    {"ANGLE", &ProfileRecord::ANGLE},
    {"LIFT", &ProfileRecord::LIFT},
    {"DPI", &ProfileRecord::DPI},
    {"DPICurrentX", &ProfileRecord::DPICurrentX},
    {"DPICurrentY", &ProfileRecord::DPICurrentY},
    {"DPIStageNum", &ProfileRecord::DPIStageNum},
};
constexpr IntKey kLightingKeys[] = {
    {"LedMode1", &ProfileRecord::LedMode1},
    {"LedState1", &ProfileRecord::LedState1},
    {"FlashState1", &ProfileRecord::FlashState1},
    {"BreathState1", &ProfileRecord::BreathState1},
};

std::string GroupSection(int k) {
    return "GROUP" + std::to_string(k);
}
std::string ButtonSection(int k, int i) {
    return "ButtonAssigned" + std::to_string(k) + "_" + std::to_string(i);
}
std::string ExportButtonSection(int i) {
    return "ButtonAssigned_" + std::to_string(i);
}
std::string LedColorKey(int m) {
    return "LedColor" + std::to_string(m + 1);
}

void PutInt32(std::uint8_t* out, std::int32_t value) {
    const auto v = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        out[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

std::int32_t GetInt32(const std::uint8_t* in) {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i)
        v |= std::uint32_t{in[i]} << (8 * i);
    return static_cast<std::int32_t>(v);
}

std::array<std::uint8_t, kLedStateBytes> PackLedStates(const ProfileRecord& p) {
    std::array<std::uint8_t, kLedStateBytes> bytes{};
    for (int m = 0; m < kLedStateCount; ++m) {
        PutInt32(&bytes[m * 8], p.LEDSTATE_INFO[m].Level);
        PutInt32(&bytes[m * 8 + 4], p.LEDSTATE_INFO[m].Rate);
    }
    return bytes;
}

void ReadLedStates(const IniBatch& ini, const std::string& section, ProfileRecord& p) {
    std::array<std::uint8_t, kLedStateBytes> bytes{};
    if (!ini.ReadStruct(section, "LEDSTATE_INFO", bytes))
        return;
    for (int m = 0; m < kLedStateCount; ++m)
        p.LEDSTATE_INFO[m] = LedModeState{GetInt32(&bytes[m * 8]), GetInt32(&bytes[m * 8 + 4])};
}

std::array<std::uint8_t, kDpiStageBytes> PackDpiStages(const ProfileRecord& p) {
    std::array<std::uint8_t, kDpiStageBytes> bytes{};
    for (int j = 0; j < kDpiSlotCount; ++j) {
        const DpiStage& s = p.DPIStageValue[j];
        PutInt32(&bytes[j * 16], s.Enabled);
        PutInt32(&bytes[j * 16 + 4], s.X);
        PutInt32(&bytes[j * 16 + 8], s.Y);
        PutInt32(&bytes[j * 16 + 12], s.Linked);
    }
    return bytes;
}

// The stages are cleared first, so a missing or damaged value leaves six empty stages.
void ReadDpiStages(const IniBatch& ini, const std::string& section, ProfileRecord& p) {
    std::array<std::uint8_t, kDpiStageBytes> bytes{};
    ini.ReadStruct(section, "DPIStageValue", bytes);
    for (int j = 0; j < kDpiSlotCount; ++j)
        p.DPIStageValue[j] = DpiStage{GetInt32(&bytes[j * 16]), GetInt32(&bytes[j * 16 + 4]),
                                      GetInt32(&bytes[j * 16 + 8]), GetInt32(&bytes[j * 16 + 12])};
}

std::uint8_t ReadByte(const IniBatch& ini, const std::string& section, const char* key) {
    return static_cast<std::uint8_t>(ini.ReadInt(section, key, -1) & 0xFF);
}

std::string ReadMacroName(const IniBatch& ini, const std::string& section, std::size_t maxChars) {
    return std::string(CutToCodePoints(ini.ReadString(section, "MacroName", ""), maxChars));
}

// The name as stored, up to a terminator if the string carries one.
std::string_view StoredMacroName(const ButtonRecord& b) {
    std::string_view name = b.MacroName;
    return name.substr(0, name.find('\0'));
}

// Rows 2..32 of the profile section, LEDSTATE_INFO only in live files.
void WriteProfileKeys(IniBatch& ini, const std::string& section, const ProfileRecord& p, bool live) {
    for (const IntKey& key : kKeysBeforeColours)
        ini.WriteInt(section, key.name, p.*key.field);
    for (int m = 0; m < kLedModeCount; ++m)
        ini.WriteInt(section, LedColorKey(m), p.LedColor[m]);
    if (live)
        ini.WriteStruct(section, "LEDSTATE_INFO", PackLedStates(p));
    for (const IntKey& key : kKeysAfterLedStates)
        ini.WriteInt(section, key.name, p.*key.field);
    ini.WriteStruct(section, "DPIStageValue", PackDpiStages(p));
}

// A button's section (ButtonID, ButtonFunc, LoopNumber in live files only, KeyNumber, MacroName),
// then its AssignData as the struct key of the same name in the profile section.
void WriteButton(IniBatch& ini, const std::string& group, const std::string& section, const ButtonRecord& b,
                 bool live) {
    ini.WriteInt(section, "ButtonID", b.ButtonID);
    ini.WriteInt(section, "ButtonFunc", b.ButtonFunc);
    if (live)
        ini.WriteInt(section, "LoopNumber", b.LoopNumber);
    ini.WriteInt(section, "KeyNumber", b.KeyNumber);
    ini.WriteString(section, "MacroName", StoredMacroName(b));
    ini.WriteStruct(group, section, b.AssignData);
}

// The keys WriteButton writes; an imported name is cut shorter than a live one.
void ReadButton(const IniBatch& ini, const std::string& group, const std::string& section, ButtonRecord& b,
                bool live) {
    b.ButtonID = ReadByte(ini, section, "ButtonID");
    b.ButtonFunc = ReadByte(ini, section, "ButtonFunc");
    if (live)
        b.LoopNumber = ReadByte(ini, section, "LoopNumber");
    b.KeyNumber = ReadByte(ini, section, "KeyNumber");
    b.MacroName = ReadMacroName(ini, section, live ? kLiveMacroNameMax : kImportMacroNameMax);
    ini.ReadStruct(group, section, b.AssignData);
}

// Writes the five live files, each replaced once; one flush of the folder then makes all five
// renames durable before the agent is told.
template <class WriteProfile>
bool SaveEachProfileFile(const ProfileTable& table, const std::string& folder, WriteProfile write) {
    bool ok = true;
    for (int k = 0; k < kProfileCount; ++k) {
        IniBatch ini(ProfileFilePathIn(folder, k));
        write(ini, GroupSection(k), k, table.profiles[k]);
        ok = ini.Commit(FolderSync::Later) && ok;
    }
    return SyncFolderOf(ProfileFilePathIn(folder, 0)) && ok;
}

// Every integer key of a profile section except GroupID, with -1 for a missing key.
void ReadProfileInts(const IniBatch& ini, const std::string& section, ProfileRecord& p) {
    for (const IntKey& key : kKeysBeforeColours)
        p.*key.field = ini.ReadInt(section, key.name, -1);
    for (int m = 0; m < kLedModeCount; ++m)
        p.LedColor[m] = ini.ReadInt(section, LedColorKey(m), -1);
    for (const IntKey& key : kKeysAfterLedStates)
        p.*key.field = ini.ReadInt(section, key.name, -1);
}

} // namespace

std::string ProfileFilePathIn(const std::string& folder, int k) {
    return folder + "RSProfile" + std::to_string(k + 1) + ".pfd";
}

void ReadProfileFiles(ProfileTable& buffer, const std::string& folder) {
    for (int k = 0; k < kProfileCount; ++k) {
        const IniBatch ini(ProfileFilePathIn(folder, k));
        const std::string group = GroupSection(k);
        ProfileRecord& p = buffer.profiles[k];
        buffer.GroupID = ini.ReadInt(group, "GroupID", -1);
        ReadProfileInts(ini, group, p);
        ReadLedStates(ini, group, p);
        ReadDpiStages(ini, group, p);
        for (int i = 1; i <= kButtonCount; ++i)
            ReadButton(ini, group, ButtonSection(k, i), p.Buttons[i - 1], true);
    }
}

void ReadProfileFiles(ProfileTable& buffer) {
    ReadProfileFiles(buffer, UserDataFolder());
}

bool SaveProfileFiles(const ProfileTable& table, const std::string& folder) {
    return SaveEachProfileFile(table, folder,
                               [&](IniBatch& ini, const std::string& group, int k, const ProfileRecord& p) {
                                   ini.WriteInt(group, "GroupID", table.GroupID);
                                   WriteProfileKeys(ini, group, p, true);
                                   for (int i = 1; i <= kButtonCount; ++i)
                                       WriteButton(ini, group, ButtonSection(k, i), p.Buttons[i - 1], true);
                               });
}

bool SaveProfileFiles() {
    return SaveProfileFiles(LiveProfileTable(), UserDataFolder());
}

bool SaveLightingFiles(const ProfileTable& table, const std::string& folder) {
    return SaveEachProfileFile(table, folder,
                               [](IniBatch& ini, const std::string& group, int, const ProfileRecord& p) {
                                   for (const IntKey& key : kLightingKeys)
                                       ini.WriteInt(group, key.name, p.*key.field);
                                   for (int m = 0; m < kLedModeCount; ++m)
                                       ini.WriteInt(group, LedColorKey(m), p.LedColor[m]);
                                   ini.WriteStruct(group, "LEDSTATE_INFO", PackLedStates(p));
                               });
}

bool SaveLightingFiles() {
    return SaveLightingFiles(LiveProfileTable(), UserDataFolder());
}

bool ExportProfile(const ProfileRecord& p, const std::string& path) {
    IniBatch ini(path);
    WriteProfileKeys(ini, "GROUP", p, false);
    for (int i = 1; i <= kButtonCount; ++i)
        WriteButton(ini, "GROUP", ExportButtonSection(i), p.Buttons[i - 1], false);
    return ini.Commit();
}

bool ImportProfile(ProfileRecord& p, const std::string& path) {
    const IniBatch ini(path);
    ReadProfileInts(ini, "GROUP", p);
    ReadDpiStages(ini, "GROUP", p);
    for (int i = 1; i <= kButtonCount; ++i)
        ReadButton(ini, "GROUP", ExportButtonSection(i), p.Buttons[i - 1], false);
    return ini.Exists();
}

} // namespace qor
