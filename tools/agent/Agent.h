#pragma once
// The device agent stand-in: owns the agent window, keeps the connection flag in the shared settings
// file and reports to the main window. Messages are received on the endpoint's thread and handled
// one at a time on the thread that calls Run(), as a window's messages would be.

#include "MessageLog.h"
#include "platform/ipc/Ipc.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

namespace qor::agent {

class Agent {
public:
    Agent(bool connected, MessageLog& log);
    ~Agent();

    // Registers the agent window, writes the connection flag and announces it. False when another
    // agent already owns the window.
    bool Start();

    // Handles messages until a quit request.
    void Run();

    // Safe from any thread.
    void RequestQuit();

private:
    struct Item {
        ipc::Frame frame{};
        std::function<void(int64_t)> reply;
        bool quit = false;
    };

    void Push(Item item);
    int64_t Handle(const ipc::Frame& frame, bool& quit);
    void SetConnected(bool connected);
    bool PostToMainWindow(uint32_t message, int64_t wParam, int64_t lParam);

    MessageLog& log_;
    bool connected_;
    std::string settingsPath_;
    std::unique_ptr<ipc::Endpoint> endpoint_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Item> queue_;
};

} // namespace qor::agent
