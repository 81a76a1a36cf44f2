#include "agent/AgentLink.h"

#include "agent/AgentInterface.h"
#include "model/Folders.h"
#include "model/IniFile.h"
#include "model/ProfileFiles.h"
#include "platform/sys/Process.h"
#include "platform/ui/Application.h"

namespace qor {
namespace {

enum class Files { All, Lighting };

// The agent is looked up before the files are written, so a window that appears meanwhile is told
// next time rather than being sent a message about files it may have read half-way.
void SaveAndNotify(Files files, UINT message) {
    const HWND agent = FindWindow(kAgentWindowTitle);
    if (files == Files::All)
        SaveProfileFiles();
    else
        SaveLightingFiles();
    if (agent != kNoWindow)
        SendMessage(agent, message, 0, 0);
}

} // namespace

bool AgentWindowExists() { return FindWindow(kAgentWindowTitle) != kNoWindow; }

void StartAgent(const std::string& exeFolder) {
    sys::StartDetached(exeFolder + std::string(kAgentProgramName));
}

void StartAgent() { StartAgent(ExeFolder()); }

bool ReadConnectionFlag() {
    const IniFile shared(SharedSettingsPath());
    return shared.ReadInt(kConnectionFlagSection, kConnectionFlagKey, 0) != 0;
}

void NotifySettingsSaved() { SaveAndNotify(Files::All, AGENT_MSG_SETTINGS_SAVED); }
void NotifyLightingChanged() { SaveAndNotify(Files::Lighting, AGENT_MSG_LIGHTING_CHANGED); }
void NotifyProfileSwitched() { SaveAndNotify(Files::All, AGENT_MSG_PROFILE_SWITCHED); }

} // namespace qor
