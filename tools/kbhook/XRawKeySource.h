#pragma once
// System-wide keys from the X server: XInput2 raw key events, selected on the root window for the
// master devices (selecting all devices would deliver every key twice). They arrive whichever window
// has the focus. One thread with its own display connection, so the host's connection is never used
// from here.

#include <atomic>
#include <functional>
#include <thread>

namespace qor::kbhook {

class XRawKeySource {
public:
    // Called on the source's thread for each key: X key code and whether it was released.
    using KeyFn = std::function<void(int xKeycode, bool released)>;

    explicit XRawKeySource(KeyFn onKey);
    ~XRawKeySource(); // stops the thread and closes the display connection
    XRawKeySource(const XRawKeySource&) = delete;
    XRawKeySource& operator=(const XRawKeySource&) = delete;

    // True once raw key events are selected and flowing; false while starting and when there is no
    // display or no XInput2.
    bool Live() const { return live_; }

private:
    void Run();

    KeyFn onKey_;
    int stopFd_ = -1;
    std::atomic<bool> live_{false};
    std::thread thread_;
};

} // namespace qor::kbhook
