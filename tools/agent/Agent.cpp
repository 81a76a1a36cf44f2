#include "Agent.h"

#include "AgentControl.h"
#include "agent/AgentInterface.h"
#include "model/Folders.h"
#include "model/IniFile.h"

namespace qor::agent {

Agent::Agent(bool connected, MessageLog& log) : log_(log), connected_(connected) {}

Agent::~Agent() {
    // Unregister first, so that a new agent can start at once; replies still owed go nowhere.
    endpoint_.reset();
}

bool Agent::Start() {
    InitFolders();
    settingsPath_ = SharedSettingsPath();
    endpoint_ = ipc::Endpoint::Register(std::string(kAgentWindowTitle),
                                        [this](const ipc::Frame& frame, std::function<void(int64_t)> reply) {
                                            Push({frame, std::move(reply)});
                                        });
    if (!endpoint_)
        return false;
    SetConnected(connected_);
    return true;
}

void Agent::Run() {
    for (;;) {
        Item item;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return !queue_.empty(); });
            item = std::move(queue_.front());
            queue_.pop_front();
        }
        if (item.quit)
            return;
        log_.Received(item.frame);
        bool quit = false;
        int64_t result = Handle(item.frame, quit);
        item.reply(result);
        if (quit)
            return;
    }
}

void Agent::RequestQuit() {
    Item item;
    item.quit = true;
    Push(std::move(item));
}

void Agent::Push(Item item) {
    {
        std::lock_guard lock(mutex_);
        queue_.push_back(std::move(item));
    }
    wake_.notify_one();
}

int64_t Agent::Handle(const ipc::Frame& frame, bool& quit) {
    switch (frame.message) {
    case AGENT_MSG_SETTINGS_SAVED:
    case AGENT_MSG_PROFILE_SWITCHED:
    case AGENT_MSG_LIGHTING_CHANGED:
    case AGENT_MSG_MACRO_CHANGED:
    case AGENT_MSG_MACRO_BOUND:
        // A real agent would now read the announced files and program the mouse; the stand-in only
        // acknowledges (and logs) them.
        return 0;
    case kControlSetConnection:
        SetConnected(frame.wParam != 0);
        return 1;
    case kControlReport:
        return PostToMainWindow(UI_MSG_DEVICE_REPORT, frame.wParam, frame.lParam) ? 1 : 0;
    case kControlStatus:
        return connected_ ? 1 : 0;
    case kControlQuit:
        quit = true;
        return 1;
    default:
        return 0;
    }
}

void Agent::SetConnected(bool connected) {
    connected_ = connected;
    // The main window reads the flag as soon as it is told, so the file comes first.
    IniFile(settingsPath_).WriteInt(kConnectionFlagSection, kConnectionFlagKey, connected ? 1 : 0);
    log_.FlagWritten(settingsPath_, connected ? 1 : 0);
    PostToMainWindow(UI_MSG_CONNECTION_STATUS, 0, 0);
}

bool Agent::PostToMainWindow(uint32_t message, int64_t wParam, int64_t lParam) {
    bool delivered = ipc::PostToWindow(kMainWindowTitle, message, wParam, lParam);
    log_.Posted(kMainWindowTitle, message, wParam, lParam, delivered);
    return delivered;
}

} // namespace qor::agent
