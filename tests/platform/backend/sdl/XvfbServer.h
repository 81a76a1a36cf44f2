#pragma once
// A private X server for one test process or benchmark: Xvfb picks a free display number itself
// (-displayfd), so parallel test processes never collide, and it goes away with this object.

#include <string>
#include <sys/types.h>

namespace qor::test {

class XvfbServer {
public:
    // Starts Xvfb with one screen of this size; Running() is false when Xvfb is missing or fails.
    // resetsWhenIdle: the server resets whenever its last client leaves, as a bare one does by default.
    XvfbServer(int width = 1024, int height = 768, bool resetsWhenIdle = false);
    ~XvfbServer();
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    bool Running() const { return pid_ > 0 && !display_.empty(); }
    const std::string& Display() const { return display_; } // ":N"

    static bool Installed();

private:
    pid_t pid_ = -1;
    std::string display_;
};

} // namespace qor::test
