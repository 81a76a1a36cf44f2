#pragma once
// The back end for tests: windows without a display. The screen has a fixed size, the clock is
// virtual (it moves only when a test advances it or when the loop would wait), framebuffers stay in
// memory, and input is injected by the test at client coordinates of a top-level window.
//
// Waiting: when the framework waits with a timeout, the clock jumps to the timeout or to the next
// scheduled test action, whichever comes first, so timers fire in order without real time passing.
// A wait without timeout and without scheduled actions waits for Wake() in short real-time slices;
// when nothing happens for the idle limit, or the virtual clock passes the watchdog limit, the back
// end reports a hang and asks the program to quit, which ends every running loop.

#include "platform/ui/Backend.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace qor {

class HeadlessBackend : public Backend {
public:
    struct NativeWindow {
        NativeWindowDesc desc;
        Rect screenRect;
        bool visible = false;
        bool minimized = false;
        Region shape;
        Image icon;
        std::string title;
        int presents = 0;
        Rect lastDirty;
        // While framebuffers are lent (LendFramebuffers): the window's own pixels, rows of
        // `lentStride` words of which the last `padding` are never the framework's to touch.
        std::vector<Argb> lent;
        std::size_t lentStride = 0;
        Size lentSize;
    };

    explicit HeadlessBackend(Size screen = {1920, 1080});

    // Backend.
    void PumpEvents(int timeoutMs, std::vector<BackendEvent>& out) override;
    void Wake() override;
    std::uint64_t NowMs() override { return now_; }
    Size ScreenSize() override { return screen_; }
    Point CursorScreenPos() override { return cursor_; }
    bool CreateNativeWindow(const NativeWindowDesc& desc) override;
    void DestroyNativeWindow(HWND window) override;
    void ShowNativeWindow(HWND window, bool show) override;
    void MoveNativeWindow(HWND window, const Rect& screenRect) override;
    void RaiseNativeWindow(HWND window) override;
    void SetNativeTitle(HWND window, const std::string& title) override;
    void Present(HWND window, const Image& frame, const Rect& dirty) override;
    void SetNativeShape(HWND window, const Region& region) override;
    void MinimizeNativeWindow(HWND window) override;
    void SetNativeCapture(HWND window) override;
    void SetNativeIcon(HWND window, const Image& icon) override;
    NativeFramebuffer ClientFramebuffer(HWND window) override;
    void PresentClientFramebuffer(HWND window, const Rect& dirty) override;

    // Lends each window a framebuffer of its own, the way a display back end does, with `padding`
    // spare words at the end of every row (filled with kPaddingGuard); off by default, when the
    // framework keeps the framebuffers and presents them.
    static constexpr Argb kPaddingGuard = 0x5A5A5A5A;
    void LendFramebuffers(int padding) { lendPadding_ = padding; }

    // What the framework did.
    const NativeWindow* Window(HWND window) const;
    std::vector<HWND> Windows() const; // creation order
    HWND NativeCapture() const { return capture_; }
    HWND ActiveWindow() const { return active_; }

    // Input, in client coordinates of a top-level window. A move to another window than the last one
    // first reports that the pointer left the old one; while a window holds the native capture every
    // mouse event is reported to it, in its own coordinates.
    void MouseMove(HWND window, Point client);
    void MouseDown(HWND window, Point client, MouseButton button = MouseButton::Left);
    void MouseUp(HWND window, Point client, MouseButton button = MouseButton::Left);
    void MouseWheel(HWND window, Point client, int notches);
    void KeyDown(HWND window, std::uint32_t usage, bool repeat = false);
    void KeyUp(HWND window, std::uint32_t usage);
    void TextInput(HWND window, const std::string& utf8);
    void Close(HWND window);
    void Quit();
    // The system activates another window (the previous active one hears FocusLost first).
    void Activate(HWND window);

    // Time.
    void Advance(std::uint64_t ms) { now_ += ms; }
    // Runs `action` on the user-interface thread when the virtual clock reaches `atMs`.
    void At(std::uint64_t atMs, std::function<void()> action);
    void After(std::uint64_t ms, std::function<void()> action) { At(now_ + ms, std::move(action)); }

    // Watchdog.
    void SetWatchdog(std::uint64_t maxVirtualMs, int realIdleLimitMs = 5000);
    bool HangDetected() const { return hung_; }
    const std::string& HangReason() const { return hangReason_; }

private:
    void Push(BackendEvent event);
    void PushMouse(BackendEvent::Type type, HWND window, Point client, MouseButton button, int wheel);
    void ReportHang(const std::string& reason);
    void RunDueActions();

    Size screen_;
    int lendPadding_ = -1; // < 0: nothing is lent
    std::uint64_t now_ = 0;
    Point cursor_;
    HWND pointerWindow_ = kNoWindow;
    HWND capture_ = kNoWindow;
    HWND active_ = kNoWindow;
    std::map<HWND, NativeWindow> windows_;
    std::vector<HWND> order_;
    std::deque<BackendEvent> events_;
    std::multimap<std::uint64_t, std::function<void()>> actions_;

    std::uint64_t watchdogMs_ = 600000; // ten virtual minutes
    int realIdleLimitMs_ = 5000;
    int realIdleMs_ = 0;
    bool hung_ = false;
    std::string hangReason_;

    std::mutex wakeMutex_;
    std::condition_variable wakeCv_;
    bool woken_ = false;
};

} // namespace qor
