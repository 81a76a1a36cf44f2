// The sensitivity and lighting pages through clicks, and the pure rules behind the main window.

#include "MainWindowFixture.h"

#include "mainwindow/MainWindowRules.h"
#include "model/IniFile.h"

#include <fstream>
#include <limits>
#include <sstream>

namespace qor::test {
namespace {

TEST(MainWindowRules, SensitivityCaptionsFollowTheirTwoRules) {
    struct Case {
        int code, ruleA, ruleB;
    };
    for (const Case& c : {Case{10, 1100, 1000}, Case{61, 6200, 6100}, Case{62, 6400, 6200}, Case{92, 12400, 9200},
                          Case{1, 200, 100}}) {
        EXPECT_EQ(StageDpiRuleA(c.code), c.ruleA) << c.code;
        EXPECT_EQ(StageDpiRuleB(c.code), c.ruleB) << c.code;
    }
}

TEST(MainWindowRules, StoredValuesShowAsChoicesAndNeverLeaveTheirTables) {
    EXPECT_EQ(ChoiceOfPollingRate(3), 1);
    EXPECT_EQ(ChoiceOfPollingRate(8), 0);
    EXPECT_EQ(ViewOfReportInterval(3).pollingRate, 2);
    EXPECT_EQ(ViewOfReportInterval(3).choice, 2);
    EXPECT_EQ(OptionChoiceOf(GroupC, 1), 2);
    EXPECT_EQ(OptionChoiceOf(GroupB, 1), 0);
    EXPECT_EQ(OptionChoiceOf(7, 1), 0);
    EXPECT_EQ(ShownLightingMode(-1), 0);
    EXPECT_EQ(ShownLightingMode(8), 0);
    EXPECT_EQ(OptionValue(-1, 0), 0);
    EXPECT_EQ(SwatchColor(99), 0x0000FFu);
    EXPECT_EQ(StageCaption(std::numeric_limits<std::int32_t>::max()), "Current Stage : 2147483648");
}

// --- Sensitivity page --------------------------------------------------------------------------------

class SensitivityPageTest : public MainWindowTest {
protected:
    void OpenOnPage2() {
        Open();
        Click(TabRect(2));
    }
    DpiStage& StageOf(int s) { return Profile(0).DPIStageValue[std::size_t(s)]; }
};

TEST_F(SensitivityPageTest, TheLastStageInUseCannotBeTurnedOff) {
    OpenOnPage2();
    for (int s = 2; s < kDpiStageCount; ++s) Click(StageButtonRect(s));
    EXPECT_EQ(StageOf(1).Enabled, 1);
    Click(StageButtonRect(1));
    EXPECT_EQ(StageOf(1).Enabled, 0) << "stage 1 stays as the only one in use";
    Click(StageButtonRect(0));
    EXPECT_EQ(StageOf(0).Enabled, 1) << "refused";
    EXPECT_TRUE(dlg->Stages().StageButton(0).Checked);
    Click(StageButtonRect(3));
    EXPECT_EQ(StageOf(3).Enabled, 1);
    EXPECT_FALSE(AllProfileFilesExist());
}

TEST_F(SensitivityPageTest, LinkingCopiesYIntoXAndSwapsTheSliders) {
    OpenOnPage2();
    ASSERT_EQ(StageOf(0).Linked, 1) << "factory stages are linked";
    EXPECT_TRUE(dlg->Stages().LinkedSlider(0).IsWindowVisible());
    EXPECT_FALSE(dlg->Stages().XSlider(0).IsWindowVisible());

    Click(LinkBoxRect(0));
    EXPECT_EQ(StageOf(0).Linked, 0);
    EXPECT_TRUE(dlg->Stages().XSlider(0).IsWindowVisible());
    EXPECT_FALSE(dlg->Stages().LinkedSlider(0).IsWindowVisible());

    // Separate axes: X and Y sliders (positions 93 - value) with rule B captions.
    dlg->SendMessage(kMsgSliderValue, 93 - 10, kStageXSliderId);
    dlg->SendMessage(kMsgSliderValue, 93 - 30, kStageYSliderId);
    EXPECT_EQ(StageOf(0).X, 10);
    EXPECT_EQ(StageOf(0).Y, 30);
    EXPECT_EQ(dlg->Stages().XCaption(0), "1000");
    EXPECT_EQ(dlg->Stages().YCaption(0), "3000");

    Click(LinkBoxRect(0));
    EXPECT_EQ(StageOf(0).Linked, 1);
    EXPECT_EQ(StageOf(0).X, 30);
    EXPECT_EQ(dlg->Stages().XCaption(0), "3000");
    EXPECT_EQ(dlg->Stages().LinkedSlider(0).Thumb.Value, 93 - 30);

    // The linked slider sets both axes, captions by rule A.
    dlg->SendMessage(kMsgSliderValue, 93 - 10, kStageLinkedSliderId);
    EXPECT_EQ(StageOf(0).X, 10);
    EXPECT_EQ(StageOf(0).Y, 10);
    EXPECT_EQ(dlg->Stages().YCaption(0), "1100");

    // Positions no slider can report are ignored.
    dlg->SendMessage(kMsgSliderValue, 0, kStageLinkedSliderId);
    dlg->SendMessage(kMsgSliderValue, 500, kStageXSliderId + 4);
    EXPECT_EQ(StageOf(0).Y, 10);
    EXPECT_FALSE(AllProfileFilesExist());
}

TEST_F(SensitivityPageTest, RefreshOffThePageKeepsTheSliderChoiceUntilThePageIsShown) {
    Open();
    StageOf(2).Linked = 0;
    StageOf(2).X = 62;
    dlg->RefreshAllPages();
    EXPECT_EQ(dlg->Stages().XCaption(2), "6400");
    EXPECT_EQ(dlg->Stages().XSlider(2).Thumb.Value, 93 - 62);
    Click(TabRect(2));
    EXPECT_TRUE(dlg->Stages().XSlider(2).IsWindowVisible());
    EXPECT_FALSE(dlg->Stages().LinkedSlider(2).IsWindowVisible());
    EXPECT_FALSE(dlg->Stages().LinkBox(2).Checked);
}

TEST_F(SensitivityPageTest, DraggingAStageSliderStoresTheValue) {
    OpenOnPage2();
    // The top of a stage slider is the highest value; a click near the top of stage 0's track.
    Click(Point{152 + 25, 260});
    EXPECT_GE(StageOf(0).Y, 88);
    EXPECT_EQ(StageOf(0).X, StageOf(0).Y);
}

// --- Lighting page -------------------------------------------------------------------------------------

class LightingPageTest : public MainWindowTest {
protected:
    void OpenOnPage3() {
        Open();
        Click(TabRect(3));
    }
    std::string ProfileFileText(int k) {
        std::ifstream in(ProfileFilePath(k));
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
};

TEST_F(LightingPageTest, AModeButtonWritesOnlyTheLightingKeysAndAnnouncesAtOnce) {
    OpenOnPage3();
    Click(ModeRect(2));
    EXPECT_EQ(Profile(0).LedMode1, 2);
    EXPECT_EQ(dlg->Lighting().ModeShown(), 2);
    ASSERT_EQ(agent->Numbers(), std::vector<std::uint32_t>{AGENT_MSG_LIGHTING_CHANGED});
    EXPECT_TRUE(agent->Messages()[0].filesOnDisk);
    for (int k = 0; k < kProfileCount; ++k) {
        const IniFile file(ProfileFilePath(k));
        const std::string section = "GROUP" + std::to_string(k);
        EXPECT_NE(file.ReadInt(section, "LedMode1", -100), -100) << k;
        EXPECT_EQ(file.ReadInt(section, "PollingRate", -100), -100) << "not a lighting key";
    }
}

TEST_F(LightingPageTest, ASwatchChangesTheColourOfTheCurrentModeOnly) {
    OpenOnPage3();
    Click(ModeRect(2));
    const auto before = Profile(0).LedColor;
    Click(SwatchRect(1));
    for (int i = 0; i < kLedModeCount; ++i)
        EXPECT_EQ(Profile(0).LedColor[std::size_t(i)], i == 2 ? 0x00FF00 : before[std::size_t(i)]) << i;
    EXPECT_EQ(agent->Numbers().back(), AGENT_MSG_LIGHTING_CHANGED);
    const IniFile file(ProfileFilePath(0));
    EXPECT_EQ(file.ReadInt("GROUP0", "LedColor3", -1), 0x00FF00);
}

TEST_F(LightingPageTest, OptionsStoreTheirValuesAndTwinGroupsFollow) {
    OpenOnPage3();
    Click(ModeRect(1)); // groups D and E
    Click(OptionRect(GroupD, 2));
    Click(OptionRect(GroupE, 1));
    EXPECT_EQ(Profile(0).LEDSTATE_INFO[1].Level, 3);
    EXPECT_EQ(Profile(0).LEDSTATE_INFO[1].Rate, 5);
    EXPECT_TRUE(dlg->Lighting().Option(GroupA, 2).Checked);
    EXPECT_TRUE(dlg->Lighting().Option(GroupB, 1).Checked);
    EXPECT_FALSE(dlg->Lighting().Option(GroupB, 0).Checked);

    Click(ModeRect(6)); // groups A and C
    Click(OptionRect(GroupC, 2));
    EXPECT_EQ(Profile(0).LEDSTATE_INFO[6].Rate, 1);
    Click(ModeRect(0));
    Click(ModeRect(6));
    EXPECT_TRUE(dlg->Lighting().Option(GroupC, 2).Checked) << "rate 1 shows the third choice of C";
    Profile(0).LEDSTATE_INFO[0].Rate = 1;
    Click(ModeRect(0));
    EXPECT_TRUE(dlg->Lighting().Option(GroupB, 0).Checked) << "and the first of B";
}

TEST_F(LightingPageTest, EachModeShowsItsOwnControls) {
    OpenOnPage3();
    const Point swatch = Centre(SwatchRect(0));
    const Point optionA = Centre(OptionRect(GroupA, 0));
    const Point optionD = Centre(OptionRect(GroupD, 1)); // choice 0 lies under the swatches
    struct Case {
        int mode;
        bool swatches, a, d;
        std::array<bool, 7> texts;
    };
    const Case cases[] = {
        {0, true, true, false, {true, true, true, false, false, false, false}},
        {1, false, false, true, {false, false, false, false, true, true, false}},
        {6, true, true, false, {true, true, false, true, false, false, false}},
        {7, false, false, false, {false, false, false, false, false, false, true}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        Click(ModeRect(c.mode));
        EXPECT_EQ(ControlAt(swatch), c.swatches);
        EXPECT_EQ(ControlAt(optionA), c.a);
        EXPECT_EQ(ControlAt(optionD), c.d);
        for (int t = 0; t < 7; ++t)
            EXPECT_EQ(dlg->Lighting().Text(t).IsWindowVisible(), c.texts[std::size_t(t)]) << "T" << t + 1;
        for (int m = 0; m < kLightingModeCount; ++m)
            EXPECT_EQ(dlg->Lighting().ModeButton(m).Checked, m == c.mode);
    }
}

TEST_F(LightingPageTest, AnUnknownStoredModeShowsModeZeroAndPressesStayInsideTheTable) {
    Open();
    Profile(0).LedMode1 = -1;
    dlg->RefreshAllPages();
    Click(TabRect(3));
    EXPECT_EQ(dlg->Lighting().ModeShown(), 0);
    Click(SwatchRect(4));
    Click(OptionRect(GroupA, 2));
    EXPECT_EQ(Profile(0).LedColor[0], 0x00FFFF);
    EXPECT_EQ(Profile(0).LEDSTATE_INFO[0].Level, 3);
    EXPECT_EQ(Profile(0).LedMode1, -1) << "the stored mode is not changed by a colour or option";
    EXPECT_EQ(agent->Numbers().size(), 2u);
}

} // namespace
} // namespace qor::test
