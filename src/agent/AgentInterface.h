#pragma once
// What this program and the device agent agree on: the agent's program file, the window titles each
// side finds the other by, the message numbers in both directions and where the agent keeps the
// connection flag. Both processes depend on these values; they never change.

#include <cstdint>
#include <string_view>

namespace qor {

// The device agent's program file, in ExeFolder.
inline constexpr std::string_view kAgentProgramName = "hid";

// The device agent's window, and this program's main window, which the agent reports to.
inline constexpr std::string_view kAgentWindowTitle = "QORVR17_GamingMouse_HID";
inline constexpr std::string_view kMainWindowTitle = "QOR VR17 GAMING MOUSE";

// Messages to the device agent, each sent synchronously after every file it announces is on disk.
inline constexpr std::uint32_t AGENT_MSG_SETTINGS_SAVED = 1246;   // all five profile files written
inline constexpr std::uint32_t AGENT_MSG_PROFILE_SWITCHED = 1250; // profile files written after a switch
inline constexpr std::uint32_t AGENT_MSG_LIGHTING_CHANGED = 1251; // lighting keys of all profiles written
inline constexpr std::uint32_t AGENT_MSG_MACRO_CHANGED = 5396;    // wParam: macro number; its file rewritten
inline constexpr std::uint32_t AGENT_MSG_MACRO_BOUND = 5398;      // wParam: profile 0-4, lParam: button 0-8

// Messages from the device agent to the main window.
inline constexpr std::uint32_t UI_MSG_CONNECTION_STATUS = 1245; // the connection flag changed: read it again
inline constexpr std::uint32_t UI_MSG_DEVICE_REPORT = 5397;     // wParam: DeviceReportKind, lParam: value

// wParam of UI_MSG_DEVICE_REPORT: what changed on the device side.
enum class DeviceReportKind : std::int64_t {
    ReloadProfiles = 0,   // reload all profile files (value 0)
    SensitivityStage = 8, // current sensitivity stage, 0-based
    Profile = 9,          // current profile, 0-4
    ReportInterval = 10,  // report interval in milliseconds
    LightingMode = 11,
    PointerSpeed = 12,
};

// The connection flag: an integer the agent writes into the shared settings file (path relative to
// UserDataFolder) before it posts UI_MSG_CONNECTION_STATUS; non-zero means a mouse is connected. This
// program only reads it, with default 0, so a missing file, section or key means not connected.
inline constexpr std::string_view kSharedSettingsFile = "MacroDB/MacroSet.QORDB";
inline constexpr std::string_view kConnectionFlagSection = "Device";
inline constexpr std::string_view kConnectionFlagKey = "Setting";

} // namespace qor
