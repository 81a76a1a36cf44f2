#pragma once
// The display back end: one borderless SDL2 window per top-level window, presented from the window
// surface (no OpenGL), outlines given to the X window with the X Shape extension. SDL itself is
// process-wide, so only one SdlBackend may exist at a time; everything else it needs lives here.
//
// SDL starts on a thread of its own: most of its start-up is Xlib reading the input-method tables,
// which takes as long as everything else a program does before its first frame. Meanwhile the
// framework builds and paints its windows: a window created before SDL is ready is kept as a
// description with a framebuffer of the back end's own, and becomes an SDL window when it is first
// shown (or when anything needs the real window), its pixels moved into the window surface.

#include "platform/backend/sdl/EarlyFramebuffer.h"
#include "platform/backend/sdl/StartCpuReserve.h"
#include "platform/ui/Backend.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <unordered_map>

struct SDL_Window;
union SDL_Event;

namespace qor {

class SdlBackend final : public Backend {
public:
    // Use CreateSdlBackend(): it reports a missing display instead of handing out a dead back end.
    // Starts SDL on its own thread.
    SdlBackend();
    ~SdlBackend() override;
    SdlBackend(const SdlBackend&) = delete;
    SdlBackend& operator=(const SdlBackend&) = delete;

    void PumpEvents(int timeoutMs, std::vector<BackendEvent>& out) override;
    void Wake() override;
    std::uint64_t NowMs() override;
    Size ScreenSize() override;
    Point CursorScreenPos() override;

    bool CreateNativeWindow(const NativeWindowDesc& desc) override;
    void DestroyNativeWindow(HWND window) override;
    void ShowNativeWindow(HWND window, bool show) override;
    void MoveNativeWindow(HWND window, const Rect& screenRect) override;
    void RaiseNativeWindow(HWND window) override;
    void SetNativeTitle(HWND window, const std::string& title) override;
    void Present(HWND window, const Image& frame, const Rect& dirty) override;
    NativeFramebuffer ClientFramebuffer(HWND window) override;
    void PresentClientFramebuffer(HWND window, const Rect& dirty) override;
    void SetNativeShape(HWND window, const Region& region) override;
    void MinimizeNativeWindow(HWND window) override;
    void SetNativeCapture(HWND window) override;
    void SetNativeIcon(HWND window, const Image& icon) override;

    // The X window id behind a framework window (0 if unknown, not yet made or not on X11); for tests
    // and tools.
    unsigned long XWindowOf(HWND window) const;
    // Waits until SDL has started; false when it could not (the reason went to standard error). Every
    // call that needs SDL waits the same way; after a failed start they do nothing and PumpEvents
    // reports Quit.
    bool WaitUntilStarted();
    // Whether the display can be reached, known long before SDL is ready.
    bool DisplayReachable();

private:
    struct NativeWindow {
        NativeWindowDesc desc; // position and title kept current while the SDL window does not exist
        SDL_Window* sdl = nullptr; // null until made
        std::uint32_t sdlId = 0;
        unsigned long xWindow = 0;
        Point requestedPos;
        bool shown = false;
        bool presented = false;       // a frame has gone into the window (its outline may follow)
        bool surfaceHasFrame = false; // the window surface holds a painted frame
        // Before the SDL window exists: the pixels painted for it, and the icon it is to get.
        EarlyFramebuffer early;
        bool earlyLent = false;
        std::optional<Image> pendingIcon;
        // The window surface last lent to the framework, to tell when SDL has replaced it.
        const void* lentSurface = nullptr;
        const void* lentPixels = nullptr;
        Size lentSize;
        std::optional<Region> pendingShape; // waits for the first present
    };

    NativeWindow* Find(HWND window);
    const NativeWindow* Find(HWND window) const;
    // The window with its SDL window made (waiting for SDL if need be); null if unknown or impossible.
    NativeWindow* Made(HWND window);
    bool MakeSdlWindow(HWND window, NativeWindow& w);
    void MoveEarlyPixels(NativeWindow& w);
    HWND FromSdlId(std::uint32_t id) const;
    void Translate(const SDL_Event& event, std::vector<BackendEvent>& out);
    void ApplyShape(NativeWindow& w, const Region& region);
    void UpdateSurface(NativeWindow& w, const Rect& area);
    void MarkPresented(NativeWindow& w);
    void Start(bool onOwnThread);
    void PushWake();

    // Start: written by the start thread, read by the user-interface thread after joining it.
    std::thread starter_;
    std::optional<StartCpuReserve> cpuReserve_; // the user-interface thread's, until the start is joined
    bool startJoined_ = false;
    bool startOk_ = false;
    std::string startError_;
    std::uint32_t wakeEventType_ = 0;
    // Wake() from other threads before SDL can take events: remembered and delivered once it can.
    std::atomic<bool> acceptsWake_{false};
    std::atomic<bool> wakePending_{false};
    // Our own connection to the display while SDL starts: to know at once whether there is one, and to
    // measure the screen for centring.
    void* probeDisplay_ = nullptr;
    bool probeTried_ = false;

    void* xDisplay_ = nullptr; // Display* of SDL's own X connection, null when not on X11
    std::unordered_map<HWND, NativeWindow> windows_;
    std::unordered_map<std::uint32_t, HWND> bySdlId_;
    HWND capture_ = kNoWindow;
    HWND keyboardHolder_ = kNoWindow; // our last window to get the keyboard (never a popup)
    // Set from kFirstPresentClockVariable: start-up measurements of the real program read the moment
    // its first frame reached the display without changing anything else it does.
    bool reportFirstPresent_ = false;
};

// When this environment variable is set (to anything but empty), the first frame that reaches a shown
// window writes one line "qor-first-present <CLOCK_MONOTONIC nanoseconds>" to standard error.
inline constexpr const char* kFirstPresentClockVariable = "QOR_FIRST_PRESENT_CLOCK";

// Starts SDL video on the X display. Null, with the reason on standard error, when no display is named;
// a named display that cannot be reached is found out while SDL starts (see WaitUntilStarted).
std::unique_ptr<SdlBackend> CreateSdlBackend();

} // namespace qor
