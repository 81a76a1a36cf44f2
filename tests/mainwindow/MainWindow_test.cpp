// The main window end to end on the headless back end: start-up, pages, the bottom-row commands, the
// profile choice, the connection display and the device reports, driven by clicks at the window's
// pixel positions and checked against the profile table, the files and the test agent's messages.

#include "MainWindowFixture.h"

#include "assign/AssignmentCaptions.h"
#include "skin/SkinText.h"


namespace qor::test {
namespace {

TEST_F(MainWindowTest, StartsOnPageOneWithDefaultsOutlineAndTitleWhenNoFilesExist) {
    Open();
    EXPECT_EQ(dlg->CurrentPage(), 1);
    EXPECT_EQ(dlg->CurrentProfile(), 0);
    EXPECT_EQ(LiveProfileTable().GroupID, 0);
    EXPECT_EQ(dlg->GetWindowText(), "QOR VR17 GAMING MOUSE");
    EXPECT_EQ(dlg->GetClientRect(), (Rect{0, 0, 800, 620}));
    EXPECT_FALSE(dlg->GetWindowRgn().IsEmpty()) << "the outline comes from cfgMainback.bmp";
    // Factory values were repaired in and the captions written; nothing was saved.
    EXPECT_EQ(Profile(0).PollingRate, 1);
    ProfileRecord copy = Profile(0);
    EXPECT_EQ(dlg->AssignmentButton(0).GetCaption(), ComputeAssignmentCaptions(copy)[0]);
    EXPECT_FALSE(dlg->AssignmentButton(0).GetCaption().empty());
    EXPECT_FALSE(AllProfileFilesExist());
}

TEST_F(MainWindowTest, WithoutSkinOutlineTheWindowStaysRectangular) {
    const std::filesystem::path skin = home.Root() / "skin";
    std::filesystem::copy(std::string(QOR_EXE_DIR) + "images/0409", skin, std::filesystem::copy_options::recursive);
    std::filesystem::remove(skin / "background" / "cfgMainback.bmp");
    SetSkinRoot(skin.string());
    Open();
    EXPECT_TRUE(dlg->GetWindowRgn().IsEmpty());
    EXPECT_EQ(dlg->GetClientRect(), (Rect{0, 0, 800, 620}));
}

TEST_F(MainWindowTest, ConnectionFlagAtStartDecidesApplyAndBlinking) {
    for (int flag : {0, 1}) {
        SCOPED_TRACE(flag);
        SetConnectionFlag(flag);
        dlg = std::make_unique<CTunerDlg>();
        Open();
        EXPECT_EQ(dlg->ApplyButton().IsWindowEnabled(), flag == 1);
        EXPECT_FALSE(dlg->ConnectedBanner().IsWindowVisible()) << "shown only on a report";
        ui.Advance(1000); // two blink ticks: hidden at an even count, shown at an odd one
        EXPECT_EQ(dlg->DisconnectedBanner().IsWindowVisible(), flag == 0);
        EXPECT_EQ(dlg->BlinkCounter(), flag == 0 ? 2 : 0);
    }
}

TEST_F(MainWindowTest, ConnectionReportsSwitchBannersAndApply) {
    SetConnectionFlag(0);
    Open();
    ui.Advance(1500);
    ASSERT_GT(dlg->BlinkCounter(), 0);

    SetConnectionFlag(1);
    ASSERT_TRUE(ipc::PostToWindow("QOR VR17 GAMING MOUSE", UI_MSG_CONNECTION_STATUS, 0, 0));
    ASSERT_TRUE(ui.RunUntil([&] { return dlg->ApplyButton().IsWindowEnabled(); }));
    EXPECT_TRUE(dlg->ConnectedBanner().IsWindowVisible());
    EXPECT_FALSE(dlg->DisconnectedBanner().IsWindowVisible());
    EXPECT_EQ(dlg->BlinkCounter(), 0);
    ui.Advance(2000);
    // A second report restarts the three seconds.
    dlg->SendMessage(UI_MSG_CONNECTION_STATUS);
    ui.Advance(2000);
    EXPECT_TRUE(dlg->ConnectedBanner().IsWindowVisible());
    ui.Advance(1100);
    EXPECT_FALSE(dlg->ConnectedBanner().IsWindowVisible());
    ui.Advance(1000);
    EXPECT_FALSE(dlg->DisconnectedBanner().IsWindowVisible()) << "blinking stopped";

    SetConnectionFlag(0);
    dlg->SendMessage(UI_MSG_CONNECTION_STATUS);
    EXPECT_FALSE(dlg->ApplyButton().IsWindowEnabled());
    EXPECT_TRUE(dlg->DisconnectedBanner().IsWindowVisible());
    EXPECT_FALSE(dlg->ConnectedBanner().IsWindowVisible());
    ui.Advance(500);
    EXPECT_FALSE(dlg->DisconnectedBanner().IsWindowVisible());
    ui.Advance(500);
    EXPECT_TRUE(dlg->DisconnectedBanner().IsWindowVisible());
}

TEST_F(MainWindowTest, ApplyWritesAllFilesBeforeTellingTheAgent) {
    SetConnectionFlag(1);
    Open();
    Click(ReportRateRect(0));
    ASSERT_FALSE(AllProfileFilesExist()) << "a choice alone writes nothing";
    Click(kApply);
    ASSERT_EQ(agent->Messages().size(), 1u);
    EXPECT_EQ(agent->Messages()[0].message, AGENT_MSG_SETTINGS_SAVED);
    EXPECT_TRUE(agent->Messages()[0].filesOnDisk);
    ProfileTable onDisk;
    LoadProfileTable(onDisk, UserDataFolder());
    EXPECT_EQ(onDisk.profiles[0].PollingRate, 8);
    EXPECT_FALSE(Closed());
}

TEST_F(MainWindowTest, OkWritesAndClosesWhileEveryOtherWayOutWritesNothing) {
    struct Case {
        const char* name;
        std::function<void(MainWindowTest&)> act;
        bool writes;
    };
    const Case cases[] = {
        {"OK", [](MainWindowTest& t) { t.Click(kOk); }, true},
        {"Cancel", [](MainWindowTest& t) { t.Click(kCancel); }, false},
        {"close button", [](MainWindowTest& t) { t.Click(kClose); }, false},
        {"Escape", [](MainWindowTest& t) { t.ui.Key(VK_ESCAPE); }, false},
        {"Enter", [](MainWindowTest& t) { t.ui.Key(VK_RETURN); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (int k = 0; k < kProfileCount; ++k) std::filesystem::remove(ProfileFilePath(k));
        agent.reset(); // the title is free again before the next agent registers
        agent = std::make_unique<TestAgent>();
        dlg = std::make_unique<CTunerDlg>();
        Open();
        Click(ReportRateRect(3));
        c.act(*this);
        ui.Process();
        EXPECT_TRUE(Closed());
        EXPECT_EQ(AllProfileFilesExist(), c.writes);
        EXPECT_EQ(agent->Numbers(), c.writes ? std::vector<std::uint32_t>{AGENT_MSG_SETTINGS_SAVED}
                                             : std::vector<std::uint32_t>{});
    }
}

TEST_F(MainWindowTest, WithoutAgentApplyStillWritesAllFiles) {
    SetConnectionFlag(1);
    agent.reset();
    ASSERT_TRUE(dlg->CreateModeless(WindowKind::Main));
    Click(kApply);
    EXPECT_TRUE(AllProfileFilesExist());
}

TEST_F(MainWindowTest, TabsSwitchPagesAndPageFourHidesTheProfiles) {
    Open();
    const Point profileButton = Centre(ProfileRect(2));
    const Point assignButton{470, 333};  // assignment button 5, clear of the other pages' controls
    const Point stageButton{180, 468};   // the X value of stage 1
    const Point modeButton = Centre(ModeRect(5));
    const Point infoText{400, 236};
    struct Expect {
        int page;
        bool profile, assign, stage, mode, info;
    };
    for (const Expect& e : {Expect{2, true, false, true, false, false}, Expect{3, true, false, false, true, false},
                            Expect{4, false, false, false, false, true}, Expect{1, true, true, false, false, false}}) {
        SCOPED_TRACE(e.page);
        Click(TabRect(e.page));
        EXPECT_EQ(dlg->CurrentPage(), e.page);
        EXPECT_EQ(ControlAt(profileButton), e.profile);
        EXPECT_EQ(ControlAt(assignButton), e.assign);
        EXPECT_EQ(ControlAt(stageButton), e.stage);
        EXPECT_EQ(ControlAt(modeButton), e.mode);
        EXPECT_EQ(ControlAt(infoText), e.info);
    }
    EXPECT_FALSE(AllProfileFilesExist());
    EXPECT_TRUE(agent->Messages().empty());
}

TEST_F(MainWindowTest, ChoosingAProfileWritesEverythingAndAnnouncesTheSwitch) {
    Open();
    Click(ReportRateRect(2)); // an edit of profile 1 that the switch must keep
    Click(ProfileRect(3));
    EXPECT_EQ(dlg->CurrentProfile(), 3);
    EXPECT_EQ(LiveProfileTable().GroupID, 3);
    EXPECT_EQ(agent->Numbers(), std::vector<std::uint32_t>{AGENT_MSG_PROFILE_SWITCHED});
    EXPECT_TRUE(agent->Messages()[0].filesOnDisk);
    ProfileTable onDisk;
    LoadProfileTable(onDisk, UserDataFolder());
    EXPECT_EQ(onDisk.GroupID, 3);
    EXPECT_EQ(onDisk.profiles[0].PollingRate, 2);
}

TEST_F(MainWindowTest, PointerSlidersAndReportRateChangeOnlyTheTable) {
    Open();
    for (int c = 0; c < 4; ++c) {
        Click(ReportRateRect(c));
        EXPECT_EQ(Profile(0).PollingRate, (std::array{8, 4, 2, 1}[std::size_t(c)]));
    }
    // A click at the right end of the pointer-speed track chooses its maximum.
    Click(Point{719, 277});
    EXPECT_EQ(Profile(0).MouseSensitivity, 20);
    Click(Point{512, 323});
    EXPECT_EQ(Profile(0).WheelScrollLines, 1);
    // Values from sliders other than the page's own are ignored.
    dlg->SendMessage(kMsgSliderValue, 7, 10003);
    dlg->SendMessage(kMsgSliderValue, 7, 10023);
    EXPECT_EQ(Profile(0).MouseSensitivity, 20);
    EXPECT_FALSE(AllProfileFilesExist());
    EXPECT_TRUE(agent->Messages().empty());
}

TEST_F(MainWindowTest, ResetAsksFirstAndOnlyOkResets) {
    Open();
    std::vector<std::string> asked;
    int answer = IDCANCEL;
    dlg->SetConfirm([&](const std::string& a, const std::string& b, const std::string& c) {
        asked = {a, b, c};
        return answer;
    });
    Click(ProfileRect(1));
    Profile(1).PollingRate = 4;
    Profile(2).PollingRate = 4;
    const std::size_t before = agent->Messages().size();

    Click(kResetProfile);
    EXPECT_EQ(asked, (std::vector<std::string>{SkinText("WARNING", 3), SkinText("WARNING", 4), SkinText("WARNING", 5)}));
    EXPECT_EQ(Profile(1).PollingRate, 4) << "cancelled";
    EXPECT_EQ(agent->Messages().size(), before);

    answer = IDOK;
    Click(kResetProfile);
    EXPECT_EQ(Profile(1).PollingRate, 1);
    EXPECT_EQ(Profile(2).PollingRate, 4) << "only the current profile";
    EXPECT_EQ(agent->Numbers().back(), AGENT_MSG_SETTINGS_SAVED);

    Click(kResetAll);
    EXPECT_EQ(asked[0], SkinText("WARNING", 6));
    EXPECT_EQ(Profile(2).PollingRate, 1);
    EXPECT_EQ(LiveProfileTable().GroupID, 0);
    EXPECT_EQ(dlg->CurrentProfile(), 0);
    EXPECT_EQ(agent->Numbers().back(), AGENT_MSG_SETTINGS_SAVED);
}

TEST_F(MainWindowTest, ResetRunsTheWarningDialogModally) {
    Open();
    Click(ProfileRect(1));
    Profile(1).PollingRate = 4;
    // OK of the warning dialog sits at 135,219-228,245 of the dialog.
    ui.Later(100, [&] {
        const HWND warning = ui.App().GetActiveWindow();
        ASSERT_NE(warning, W());
        ui.Click(warning, {180, 232});
    });
    Click(kResetProfile);
    EXPECT_EQ(Profile(1).PollingRate, 1);
}

TEST_F(MainWindowTest, ExportAndImportGoThroughTheChosenFile) {
    Open();
    const std::string file = (home.Root() / "one.pfd").string();
    std::optional<std::string> chosen = file;
    std::vector<CTunerDlg::FileDialogKind> kinds;
    std::string initial;
    dlg->SetChooseFile([&](CTunerDlg::FileDialogKind kind, const std::string& folder) {
        kinds.push_back(kind);
        initial = folder;
        return chosen;
    });
    Click(ReportRateRect(0));
    Click(kExport);
    EXPECT_EQ(initial, UserDataFolder());
    EXPECT_TRUE(std::filesystem::exists(file));
    EXPECT_FALSE(AllProfileFilesExist()) << "export writes only the chosen file";

    Click(ProfileRect(2));
    const ProfileRecord untouched = Profile(1);
    Click(kImport);
    EXPECT_EQ(kinds, (std::vector{CTunerDlg::FileDialogKind::Save, CTunerDlg::FileDialogKind::Open}));
    EXPECT_EQ(Profile(2).PollingRate, 8);
    EXPECT_EQ(Profile(1), untouched);
    EXPECT_EQ(agent->Numbers().back(), AGENT_MSG_SETTINGS_SAVED);
    EXPECT_TRUE(agent->Messages().back().filesOnDisk);

    // Values out of range in the chosen file are repaired before they are written.
    IniFile(file).WriteInt("GROUP", "PollingRate", 77);
    Click(kImport);
    EXPECT_EQ(Profile(2).PollingRate, 1);
    ProfileTable onDisk;
    LoadProfileTable(onDisk, UserDataFolder());
    EXPECT_EQ(onDisk.profiles[2].PollingRate, 1);

    chosen = (home.Root() / "missing.pfd").string(); // an unreadable file changes nothing
    Profile(2).PollingRate = 4;
    std::size_t before = agent->Messages().size();
    Click(kImport);
    EXPECT_EQ(Profile(2).PollingRate, 4);
    EXPECT_EQ(agent->Messages().size(), before);

    chosen.reset(); // cancelled dialogs change nothing
    before = agent->Messages().size();
    Click(kImport);
    EXPECT_EQ(Profile(2).PollingRate, 4);
    EXPECT_EQ(agent->Messages().size(), before);
}

TEST_F(MainWindowTest, DeviceReportsChangeTheWindowWithoutWritingOrAnswering) {
    Open();
    struct Case {
        std::int64_t kind, value;
        std::function<void(MainWindowTest&)> check;
    };
    const Case cases[] = {
        {9, 2, [](MainWindowTest& t) { EXPECT_EQ(t.dlg->CurrentProfile(), 2); EXPECT_EQ(LiveProfileTable().GroupID, 2); }},
        {9, 7, [](MainWindowTest& t) { EXPECT_EQ(t.dlg->CurrentProfile(), 2) << "no such profile"; }},
        {9, -1, [](MainWindowTest& t) { EXPECT_EQ(t.dlg->CurrentProfile(), 2); }},
        {10, 3, [](MainWindowTest& t) { EXPECT_EQ(t.Profile(2).PollingRate, 2); }},
        {10, 1, [](MainWindowTest& t) { EXPECT_EQ(t.Profile(2).PollingRate, 1); }},
        {8, 3, [](MainWindowTest& t) {
             EXPECT_EQ(t.Profile(2).DPI, 3);
             EXPECT_EQ(t.dlg->Stages().StageCaptionText(), "Current Stage : 4");
         }},
        {8, 99, [](MainWindowTest& t) { EXPECT_EQ(t.dlg->Stages().StageCaptionText(), "Current Stage : 100"); }},
        {12, 17, [](MainWindowTest& t) {
             EXPECT_EQ(t.Profile(2).MouseSensitivity, 17);
             EXPECT_EQ(t.dlg->PointerSlider(1).Thumb.Value, 17);
         }},
        {12, 500, [](MainWindowTest& t) { EXPECT_EQ(t.dlg->PointerSlider(1).Thumb.Value, 1) << "out of range shows the minimum"; }},
        {11, 5, [](MainWindowTest& t) { EXPECT_EQ(t.Profile(2).LedMode1, 5); }},
        {11, 1000, [](MainWindowTest& t) { EXPECT_EQ(t.Profile(2).LedMode1, 1000); }},
        {0, 1, [](MainWindowTest& t) { EXPECT_EQ(t.Profile(2).PollingRate, 1) << "reload needs value 0"; }},
        {42, 1, [](MainWindowTest&) {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << c.kind << " value " << c.value);
        EXPECT_EQ(dlg->SendMessage(UI_MSG_DEVICE_REPORT, c.kind, c.value), 0);
        c.check(*this);
    }
    EXPECT_FALSE(AllProfileFilesExist());
    EXPECT_TRUE(agent->Messages().empty());
}

TEST_F(MainWindowTest, ReloadReportReadsTheFilesAgain) {
    Open();
    ProfileTable table = LiveProfileTable();
    table.GroupID = 4;
    table.profiles[4].PollingRate = 8;
    ASSERT_TRUE(SaveProfileFiles(table, UserDataFolder()));
    ASSERT_TRUE(ipc::PostToWindow("QOR VR17 GAMING MOUSE", UI_MSG_DEVICE_REPORT, 0, 0));
    ASSERT_TRUE(ui.RunUntil([&] { return dlg->CurrentProfile() == 4; }));
    EXPECT_EQ(Profile(4).PollingRate, 8);
}

TEST_F(MainWindowTest, DamagedFilesAreRepairedAndShownWithinTheirTables) {
    // Values a hand-edited or damaged file may hold: the window must come up and stay in range.
    ProfileTable table;
    for (int k = 0; k < kProfileCount; ++k) ResetProfile(table, k);
    table.GroupID = 9;
    table.profiles[0].PollingRate = 3;
    table.profiles[0].LedMode1 = 200;
    table.profiles[0].DPI = -7;
    ASSERT_TRUE(SaveProfileFiles(table, UserDataFolder()));
    Open();
    EXPECT_GE(dlg->CurrentProfile(), 0);
    EXPECT_LT(dlg->CurrentProfile(), kProfileCount);
    EXPECT_EQ(LiveProfileTable().GroupID, dlg->CurrentProfile());
    Click(TabRect(3));
    EXPECT_EQ(dlg->Lighting().ModeShown(), 0);
    Click(TabRect(2));
}

TEST_F(MainWindowTest, PollingRateThreeShowsTheSecondChoiceAndIsKept) {
    ProfileTable table;
    for (int k = 0; k < kProfileCount; ++k) ResetProfile(table, k);
    table.profiles[0].PollingRate = 3;
    ASSERT_TRUE(SaveProfileFiles(table, UserDataFolder()));
    Open();
    if (Profile(0).PollingRate != 3)
        GTEST_SKIP() << "the model repairs a report interval of 3";
    Click(TabRect(1));
    EXPECT_EQ(Profile(0).PollingRate, 3);
}

TEST_F(MainWindowTest, AssignmentChoiceOutsidePageOneAndAssignmentClicksChangeNothing) {
    Open();
    const ProfileTable before = LiveProfileTable();
    Click(Point{400, 221});
    Click(TabRect(2));
    EXPECT_EQ(dlg->SendMessage(UI_MSG_ASSIGN_CHOICE, 0, LPARAM(7) << 16), 0);
    EXPECT_EQ(dlg->SendMessage(kMsgIgnored, 1, 2), 0);
    EXPECT_EQ(LiveProfileTable(), before);
}

TEST_F(MainWindowTest, ScreenshotsOfTheFourPages) {
    SetConnectionFlag(1);
    Open();
    const std::filesystem::path shots = std::filesystem::path(QOR_EXE_DIR).parent_path().parent_path() / "screenshots";
    std::filesystem::create_directories(shots);
    for (int page = 1; page <= 4; ++page) {
        Click(TabRect(page));
        EXPECT_TRUE(ui.App().SaveScreenshot(W(), (shots / ("headless-page" + std::to_string(page) + ".png")).string()));
    }
    // The face is painted: a pixel in the middle of the window is not left black.
    const Image* frame = ui.App().Framebuffer(W());
    ASSERT_NE(frame, nullptr);
    EXPECT_NE(frame->At(400, 120) & 0xFFFFFF, 0u);
}

} // namespace
} // namespace qor::test

namespace qor::test {
namespace {

TEST_F(MainWindowTest, TheFaceDragsTheWindowAndMinimiseKeepsItRunning) {
    Open();
    const Rect before = dlg->GetWindowRect();
    ui.Press(W(), {400, 110}); // the logo area: no control there
    ui.MoveTo(W(), {440, 140});
    ui.Release(W(), {400, 110}); // the window followed: the pointer is over the same face point
    const Rect after = dlg->GetWindowRect();
    EXPECT_EQ(after.left - before.left, 40);
    EXPECT_EQ(after.top - before.top, 30);

    Click(Rect{722, 34, 736, 47});
    ASSERT_NE(ui.Backend().Window(W()), nullptr);
    EXPECT_TRUE(ui.Backend().Window(W())->minimized);
    EXPECT_FALSE(Closed());
    EXPECT_FALSE(AllProfileFilesExist());
}

} // namespace
} // namespace qor::test
