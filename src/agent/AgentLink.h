#pragma once
// This program's side of the device agent link: finding and starting the agent, reading the
// connection flag, and the three save-and-notify operations. Each operation looks the agent up first,
// writes the profile files (even when the agent is not running), and only then sends its message, so
// the agent never reads a file that is still being written.

#include <string>

namespace qor {

// True when the agent's window can be reached now. Looked up afresh on every call.
bool AgentWindowExists();

// Starts ExeFolder()/hid, detached; whether it then runs is not known and not needed.
void StartAgent();
void StartAgent(const std::string& exeFolder);

// The connection flag of the shared settings file: true when a mouse is connected. A missing file,
// section or key means not connected.
bool ReadConnectionFlag();

// Writes all five profile files of the live table, then sends AGENT_MSG_SETTINGS_SAVED.
void NotifySettingsSaved();
// Writes the lighting keys of all five profile files, then sends AGENT_MSG_LIGHTING_CHANGED.
void NotifyLightingChanged();
// Writes all five profile files, then sends AGENT_MSG_PROFILE_SWITCHED.
void NotifyProfileSwitched();

} // namespace qor
