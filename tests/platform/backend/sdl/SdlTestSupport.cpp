#include "SdlTestSupport.h"

#include <X11/Xlib.h>

#include <chrono>
#include <cstdlib>

// libdbus, which SDL starts, keeps a buffer when no session bus can be found (as on a bare virtual
// display); that is none of this program's doing. Read by LeakSanitizer in sanitizer builds only.
extern "C" const char* __lsan_default_suppressions() { return "leak:libdbus-1.so\n"; }

namespace qor::test {

std::unique_ptr<XvfbServer> SdlDisplayTest::server_;

void SdlDisplayTest::SetUpTestSuite() {
    server_ = std::make_unique<XvfbServer>();
    if (server_->Running()) {
        setenv("DISPLAY", server_->Display().c_str(), 1);
        unsetenv("WAYLAND_DISPLAY");
        unsetenv("SDL_VIDEODRIVER");
    }
}

void SdlDisplayTest::TearDownTestSuite() { server_.reset(); }

void SdlDisplayTest::SetUp() {
    if (!XvfbServer::Installed()) GTEST_SKIP() << "Xvfb is not installed";
    ASSERT_TRUE(server_ && server_->Running()) << "Xvfb did not start";
    backend_ = CreateSdlBackend();
    ASSERT_NE(backend_, nullptr);
    sdl_ = static_cast<SdlBackend*>(backend_.get());
    x_ = XOpenDisplay(server_->Display().c_str());
    ASSERT_NE(x_, nullptr);
    // A pointer left over a window from the last run would send it enter and motion events.
    ASSERT_TRUE(Xdo("mousemove 1010 760"));
}

void SdlDisplayTest::TearDown() {
    backend_.reset();
    if (x_) XCloseDisplay(x_);
    x_ = nullptr;
}

bool SdlDisplayTest::Xdo(const std::string& args) {
    const std::string command = "xdotool " + args + " >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}

std::vector<BackendEvent> SdlDisplayTest::PumpUntil(const std::function<bool(const BackendEvent&)>& pred, int timeoutMs) {
    std::vector<BackendEvent> all;
    std::vector<BackendEvent> batch;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (std::chrono::steady_clock::now() < deadline) {
        batch.clear();
        backend_->PumpEvents(20, batch);
        for (BackendEvent& e : batch) {
            all.push_back(e);
            if (pred(e)) return all;
        }
    }
    return all;
}

std::vector<BackendEvent> SdlDisplayTest::PumpFor(int ms) {
    return PumpUntil([](const BackendEvent&) { return false; }, ms);
}

HWND SdlDisplayTest::OpenWindow(HWND window, NativeWindowKind kind, const Rect& screenRect, Argb colour, HWND owner) {
    NativeWindowDesc desc;
    desc.window = window;
    desc.kind = kind;
    desc.owner = owner;
    desc.screenRect = screenRect;
    desc.title = "test window " + std::to_string(window);
    EXPECT_TRUE(backend_->CreateNativeWindow(desc));
    backend_->ShowNativeWindow(window, true);
    const Image frame(screenRect.Width(), screenRect.Height(), colour);
    backend_->Present(window, frame, Rect::FromXYWH(0, 0, frame.width, frame.height));
    return window;
}

Point SdlDisplayTest::XWindowPos(HWND window) {
    int x = 0;
    int y = 0;
    ::Window child = 0;
    XTranslateCoordinates(x_, sdl_->XWindowOf(window), DefaultRootWindow(x_), 0, 0, &x, &y, &child);
    return {x, y};
}

} // namespace qor::test
