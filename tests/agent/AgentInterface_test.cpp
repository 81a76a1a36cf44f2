#include "agent/AgentInterface.h"
#include "model/Folders.h"
#include "support/TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <set>

namespace qor {
namespace {

// The device agent is a separate program built against the same numbers; a changed value breaks the
// link without any compile error, so the wire values are pinned here.
TEST(AgentInterface, WireValuesAreFixed) {
    EXPECT_EQ(kAgentProgramName, "hid");
    EXPECT_EQ(kAgentWindowTitle, "QORVR17_GamingMouse_HID");
    EXPECT_EQ(kMainWindowTitle, "QOR VR17 GAMING MOUSE");

    const std::pair<std::uint32_t, std::uint32_t> messages[] = {
        {UI_MSG_CONNECTION_STATUS, 1245},   {AGENT_MSG_SETTINGS_SAVED, 1246},
        {AGENT_MSG_PROFILE_SWITCHED, 1250}, {AGENT_MSG_LIGHTING_CHANGED, 1251},
        {AGENT_MSG_MACRO_CHANGED, 5396},    {UI_MSG_DEVICE_REPORT, 5397},
        {AGENT_MSG_MACRO_BOUND, 5398},
    };
    std::set<std::uint32_t> distinct;
    for (const auto& [actual, expected] : messages) {
        EXPECT_EQ(actual, expected);
        distinct.insert(actual);
    }
    EXPECT_EQ(distinct.size(), std::size(messages));

    EXPECT_EQ(std::int64_t(DeviceReportKind::ReloadProfiles), 0);
    EXPECT_EQ(std::int64_t(DeviceReportKind::SensitivityStage), 8);
    EXPECT_EQ(std::int64_t(DeviceReportKind::Profile), 9);
    EXPECT_EQ(std::int64_t(DeviceReportKind::ReportInterval), 10);
    EXPECT_EQ(std::int64_t(DeviceReportKind::LightingMode), 11);
    EXPECT_EQ(std::int64_t(DeviceReportKind::PointerSpeed), 12);
}

TEST(AgentInterface, ConnectionFlagLivesInTheSharedSettingsFile) {
    const test::TempFolder folder("qor-agent");
    ASSERT_FALSE(folder.Root().empty());
    const std::string& home = folder.Root();
    InitFolders({.exePath = home + "/bin/prog", .home = home, .xdgConfigHome = std::nullopt});
    EXPECT_EQ(UserDataFolder() + std::string(kSharedSettingsFile), SharedSettingsPath());
    EXPECT_EQ(kConnectionFlagSection, "Device");
    EXPECT_EQ(kConnectionFlagKey, "Setting");
}

} // namespace
} // namespace qor
