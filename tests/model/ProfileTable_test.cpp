#include "support/TempFolder.h"
#include "model/ProfileFiles.h"
#include "model/ProfileTable.h"

#include <memory>

namespace qor {
namespace {

using test::TempFolder;

std::unique_ptr<ProfileTable> LoadFrom(const std::string& folder) {
    auto table = std::make_unique<ProfileTable>();
    LoadProfileTable(*table, folder);
    return table;
}

TEST(LoadProfileTable, NoFilesGivesTheRepairedDefaults) {
    TempFolder dir;
    const auto t = LoadFrom(dir.Slash());
    EXPECT_EQ(t->GroupID, 0);
    const std::array<std::uint8_t, kButtonCount> funcs = {1, 2, 3, 4, 5, 48, 49, 52, 53};
    for (int k = 0; k < kProfileCount; ++k) {
        const ProfileRecord& p = t->profiles[k];
        SCOPED_TRACE("profile " + std::to_string(k));
        EXPECT_EQ(p.Group, k == 0 ? 1 : 0);
        EXPECT_EQ(p.PollingRate, 1);
        EXPECT_EQ(p.DoubleClickSpeed, 5);
        EXPECT_EQ(p.WheelScrollLines, 1);
        EXPECT_EQ(p.UniversalScrollEnabled, 0);
        EXPECT_EQ(p.MouseSensitivity, 10);
        EXPECT_EQ(p.Acceleration, 1);
        EXPECT_EQ(p.XYSensitivityEnabled, 0);
        EXPECT_EQ(p.OFASensitivity, 10);
        EXPECT_EQ(p.MouseSpeedX, 10);
        EXPECT_EQ(p.MouseSpeedY, 10);
        EXPECT_EQ(p.LedMode1, -1) << "never repaired";
        EXPECT_EQ(p.LedState1, 2);
        EXPECT_EQ(p.BreathState1, 8);
        EXPECT_EQ(p.FlashState1, 5);
        for (std::int32_t c : p.LedColor)
            EXPECT_EQ(c, kProfileColors[k]);
        EXPECT_EQ(p.ANGLE, 0);
        EXPECT_EQ(p.LIFT, 3);
        EXPECT_EQ(p.DPI, k);
        EXPECT_EQ(p.DPICurrentX, 14);
        EXPECT_EQ(p.DPICurrentY, 14);
        EXPECT_EQ(p.DPIStageNum, 5);
        const std::array<std::int32_t, 6> codes = {4, 9, 19, 29, 61, 0};
        for (int j = 0; j < kDpiSlotCount; ++j)
            EXPECT_EQ(p.DPIStageValue[j], (DpiStage{1, codes[j], codes[j], 1})) << "slot " << j;
        for (const LedModeState& s : p.LEDSTATE_INFO)
            EXPECT_EQ(s, (LedModeState{0, 0}));
        for (int b = 0; b < kButtonCount; ++b) {
            const ButtonRecord& r = p.Buttons[b];
            EXPECT_EQ(r.ButtonFunc, funcs[b]);
            EXPECT_EQ(r.ButtonID, 255);
            EXPECT_EQ(r.LoopNumber, 255);
            EXPECT_EQ(r.KeyNumber, 255);
            EXPECT_EQ(r.AssignData, (std::array<std::uint8_t, kAssignDataSize>{}));
            EXPECT_TRUE(r.MacroName.empty());
        }
    }
}

TEST(ValidateProfiles, RepairsOnlyWhatIsOutOfRange) {
    struct Case {
        const char* name;
        void (*set)(ProfileRecord&);
        bool (*check)(const ProfileRecord&);
    };
    const Case cases[] = {
        {"negative PollingRate", [](ProfileRecord& p) { p.PollingRate = -5; },
         [](const ProfileRecord& p) { return p.PollingRate == 1; }},
        {"PollingRate 3 kept", [](ProfileRecord& p) { p.PollingRate = 3; },
         [](const ProfileRecord& p) { return p.PollingRate == 3; }},
        {"PollingRate 9", [](ProfileRecord& p) { p.PollingRate = 9; },
         [](const ProfileRecord& p) { return p.PollingRate == 1; }},
        {"DPIStageNum 4", [](ProfileRecord& p) { p.DPIStageNum = 4; },
         [](const ProfileRecord& p) { return p.DPIStageNum == 5; }},
        {"stage X 0 with Y 700",
         [](ProfileRecord& p) {
             p.DPIStageValue[2] = {0, 0, 700, 0};
         },
         [](const ProfileRecord& p) {
             return p.DPIStageValue[2] == DpiStage{1, 19, 19, 1};
         }},
        {"stage with X kept",
         [](ProfileRecord& p) {
             p.DPIStageValue[2] = {0, 7, 700, 0};
         },
         [](const ProfileRecord& p) {
             return p.DPIStageValue[2] == DpiStage{0, 7, 700, 0};
         }},
        {"ButtonFunc 254 kept", [](ProfileRecord& p) { p.Buttons[3].ButtonFunc = 254; },
         [](const ProfileRecord& p) { return p.Buttons[3].ButtonFunc == 254; }},
        {"ButtonFunc 255", [](ProfileRecord& p) { p.Buttons[3].ButtonFunc = 255; },
         [](const ProfileRecord& p) { return p.Buttons[3].ButtonFunc == 4; }},
        {"Group 0 in profile 1 kept", [](ProfileRecord& p) { p.Group = 0; },
         [](const ProfileRecord& p) { return p.Group == 0; }},
        {"Group -1", [](ProfileRecord& p) { p.Group = -1; },
         [](const ProfileRecord& p) { return p.Group == 1; }},
        {"LedColor -1", [](ProfileRecord& p) { p.LedColor[5] = -1; },
         [](const ProfileRecord& p) { return p.LedColor[5] == 0x0000FF; }},
        {"LedColor -2 kept", [](ProfileRecord& p) { p.LedColor[5] = -2; },
         [](const ProfileRecord& p) { return p.LedColor[5] == -2; }},
        {"LedMode1 1000 kept", [](ProfileRecord& p) { p.LedMode1 = 1000; },
         [](const ProfileRecord& p) { return p.LedMode1 == 1000; }},
        {"DPI 6", [](ProfileRecord& p) { p.DPI = 6; }, [](const ProfileRecord& p) { return p.DPI == 0; }},
        {"DPICurrentX 93", [](ProfileRecord& p) { p.DPICurrentX = 93; },
         [](const ProfileRecord& p) { return p.DPICurrentX == 14; }},
        {"MouseSensitivity 0", [](ProfileRecord& p) { p.MouseSensitivity = 0; },
         [](const ProfileRecord& p) { return p.MouseSensitivity == 10; }},
        {"WheelScrollLines 64", [](ProfileRecord& p) { p.WheelScrollLines = 64; },
         [](const ProfileRecord& p) { return p.WheelScrollLines == 1; }},
        {"LIFT 0", [](ProfileRecord& p) { p.LIFT = 0; }, [](const ProfileRecord& p) { return p.LIFT == 3; }},
    };
    auto valid = std::make_unique<ProfileTable>();
    for (int k = 0; k < kProfileCount; ++k)
        ResetProfile(*valid, k);
    ValidateProfiles(*valid, *valid); // DPI slot 5 has no factory stage until validated
    for (const Case& c : cases) {
        auto buffer = std::make_unique<ProfileTable>(*valid);
        c.set(buffer->profiles[0]);
        auto live = std::make_unique<ProfileTable>();
        ValidateProfiles(*buffer, *live);
        EXPECT_TRUE(c.check(live->profiles[0])) << c.name;
        EXPECT_TRUE(live->profiles[1] == valid->profiles[1])
            << c.name << ": other profiles stay as they were";
    }
    auto buffer = std::make_unique<ProfileTable>(*valid);
    buffer->GroupID = 5;
    auto live = std::make_unique<ProfileTable>();
    ValidateProfiles(*buffer, *live);
    EXPECT_EQ(live->GroupID, 0);
}

TEST(ResetProfile, GivesFactoryValuesAndKeepsWhatItMust) {
    auto t = std::make_unique<ProfileTable>();
    ProfileRecord& p = t->profiles[2];
    p.Group = 7;
    p.DPIStageValue[5] = {0, 3, 3, 0};
    p.LedMode1 = 1000;
    for (int b = 0; b < kButtonCount; ++b) {
        p.Buttons[b] = ButtonRecord{static_cast<std::uint8_t>(b + 1), 16, 9, 4, {}, "Fire macro"};
        p.Buttons[b].AssignData.fill(0xAA);
    }
    t->GroupID = 3;
    ResetProfile(*t, 2);
    EXPECT_EQ(t->GroupID, 3);
    EXPECT_EQ(p.Group, 7);
    EXPECT_EQ(p.LedMode1, 3);
    EXPECT_EQ(p.DPI, 2);
    EXPECT_EQ(p.DPIStageValue[4], (DpiStage{1, 61, 61, 1}));
    EXPECT_EQ(p.DPIStageValue[5], (DpiStage{0, 3, 3, 0}));
    for (std::int32_t c : p.LedColor)
        EXPECT_EQ(c, 0x00FF00);
    for (const LedModeState& s : p.LEDSTATE_INFO)
        EXPECT_EQ(s, (LedModeState{2, 8}));
    for (int b = 0; b < kButtonCount; ++b) {
        EXPECT_EQ(p.Buttons[b].ButtonID, b + 1);
        EXPECT_EQ(p.Buttons[b].LoopNumber, 9);
        EXPECT_EQ(p.Buttons[b].KeyNumber, 0);
        EXPECT_EQ(p.Buttons[b].ButtonFunc, kFactoryButtonFuncs[b]);
        EXPECT_TRUE(p.Buttons[b].MacroName.empty());
        EXPECT_EQ(p.Buttons[b].AssignData, (std::array<std::uint8_t, kAssignDataSize>{}));
    }
    const ProfileTable before = *t;
    ResetProfile(*t, -1);
    ResetProfile(*t, 5);
    EXPECT_EQ(*t, before);
}

TEST(OtherButtonHasLeftClick, LooksAtEveryOtherButton) {
    auto t = std::make_unique<ProfileTable>();
    ResetProfile(*t, 1); // button 0 is the left click
    EXPECT_FALSE(OtherButtonHasLeftClick(*t, 1, 0));
    EXPECT_TRUE(OtherButtonHasLeftClick(*t, 1, 4));
    t->profiles[1].Buttons[8].ButtonFunc = kLeftClickFunc;
    EXPECT_TRUE(OtherButtonHasLeftClick(*t, 1, 0));
    EXPECT_FALSE(OtherButtonHasLeftClick(*t, 0, 3)) << "profile 0 has no left click";
    EXPECT_FALSE(OtherButtonHasLeftClick(*t, 7, 3));
    EXPECT_TRUE(OtherButtonHasLeftClick(*t, 1, 99));
}

} // namespace
} // namespace qor
