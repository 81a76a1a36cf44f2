#pragma once
// A fixture for tests against a real X server: each test process gets its own Xvfb, an SDL back end
// on it, an X connection of its own for looking at windows, and xdotool for input.

#include "XvfbServer.h"
#include "platform/backend/sdl/SdlBackend.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

typedef struct _XDisplay Display;

namespace qor::test {

class SdlDisplayTest : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;
    void TearDown() override;

    // Runs `xdotool <args>` on the test display and waits for it.
    static bool Xdo(const std::string& args);
    // Pumps the back end until an event satisfies pred (collected events are returned, the match
    // last) or timeoutMs passes; a watchdog, not a timing check.
    std::vector<BackendEvent> PumpUntil(const std::function<bool(const BackendEvent&)>& pred, int timeoutMs = 5000);
    // Pumps for a while and returns everything that arrived.
    std::vector<BackendEvent> PumpFor(int ms);

    // A shown native window presenting a plain frame of colour.
    HWND OpenWindow(HWND window, NativeWindowKind kind, const Rect& screenRect, Argb colour, HWND owner = kNoWindow);
    // Where the X server has the window's top-left corner.
    Point XWindowPos(HWND window);

    static std::unique_ptr<XvfbServer> server_;
    std::unique_ptr<Backend> backend_; // moved into an Application by framework tests
    SdlBackend* sdl_ = nullptr;        // the same back end
    Display* x_ = nullptr;             // the test's own connection
};

} // namespace qor::test
