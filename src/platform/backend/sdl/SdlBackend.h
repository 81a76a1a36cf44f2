#pragma once
// The display back end: one borderless SDL2 window per top-level window, presented from the window
// surface (no OpenGL), outlines given to the X window with the X Shape extension. SDL itself is
// process-wide, so only one SdlBackend may exist at a time; everything else it needs lives here.

#include "platform/ui/Backend.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <unordered_map>

struct SDL_Window;
union SDL_Event;

namespace qor {

class SdlBackend final : public Backend {
public:
    // Use CreateSdlBackend(): it reports a missing display instead of handing out a dead back end.
    explicit SdlBackend(std::uint32_t wakeEventType);
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

    // The X window id behind a framework window (0 if unknown or not on X11); for tests and tools.
    unsigned long XWindowOf(HWND window) const;

private:
    struct NativeWindow {
        SDL_Window* sdl = nullptr;
        std::uint32_t sdlId = 0;
        unsigned long xWindow = 0;
        NativeWindowKind kind = NativeWindowKind::Main;
        Point requestedPos;
        bool presented = false;
        // The window surface last lent to the framework, to tell when SDL has replaced it.
        const void* lentSurface = nullptr;
        const void* lentPixels = nullptr;
        Size lentSize;
        std::optional<Region> pendingShape; // waits for the first present
    };

    NativeWindow* Find(HWND window);
    const NativeWindow* Find(HWND window) const;
    HWND FromSdlId(std::uint32_t id) const;
    void Translate(const SDL_Event& event, std::vector<BackendEvent>& out);
    void ApplyShape(NativeWindow& w, const Region& region);
    void UpdateSurface(NativeWindow& w, const Rect& area);
    void MarkPresented(NativeWindow& w);

    std::uint32_t wakeEventType_;
    void* xDisplay_ = nullptr; // Display* of SDL's own X connection, null when not on X11
    std::unordered_map<HWND, NativeWindow> windows_;
    std::unordered_map<std::uint32_t, HWND> bySdlId_;
    HWND capture_ = kNoWindow;
    HWND keyboardHolder_ = kNoWindow; // our last window to get the keyboard (never a popup)
    // Set from kFirstPresentClockVariable: start-up measurements of the real program read the moment
    // its first frame reached the display without changing anything else it does.
    bool reportFirstPresent_ = false;
};

// When this environment variable is set (to anything but empty), the first present of any window
// writes one line "qor-first-present <CLOCK_MONOTONIC nanoseconds>" to standard error.
inline constexpr const char* kFirstPresentClockVariable = "QOR_FIRST_PRESENT_CLOCK";

// Starts SDL video on the X display. Null, with the reason on standard error, when no display can be
// opened.
std::unique_ptr<Backend> CreateSdlBackend();

} // namespace qor
