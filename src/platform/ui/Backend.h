#pragma once
// The back end: what the window framework needs from a display (SDL2) or from memory (headless tests).
// The framework owns one back end through std::unique_ptr and calls it only from the user-interface
// thread, except Wake(). Native windows are named by the framework handle of their top-level window;
// every event names the top-level window it belongs to. A back end keeps all of its state in its own
// object and releases every native resource in its destructor.

#include "platform/gfx/Geometry.h"
#include "platform/gfx/Image.h"
#include "platform/gfx/Region.h"
#include "platform/ui/Handle.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qor {

enum class NativeWindowKind {
    Main,   // the application window: has a taskbar entry and the application icon
    Dialog, // a modal dialog: has a taskbar entry, stays above its owner where the system allows
    Popup,  // a menu-like window: no taskbar entry, no decoration, not activated by the window manager
};

struct NativeWindowDesc {
    HWND window = kNoWindow; // the framework handle that names this native window from now on
    NativeWindowKind kind = NativeWindowKind::Main;
    HWND owner = kNoWindow; // top-level owner, if any (dialogs and popups)
    Rect screenRect;        // outer position and size on the screen; windows have no decoration
    std::string title;      // UTF-8
};

enum class MouseButton : std::uint8_t { Left, Right, Middle };

struct BackendEvent {
    enum class Type : std::uint8_t {
        MouseMove,   // pos
        MouseDown,   // pos, button
        MouseUp,     // pos, button
        MouseWheel,  // pos, wheel (positive = away from the user, one notch = 1)
        MouseLeave,  // the pointer left the native window (not sent while the mouse is captured)
        KeyDown,     // usage, repeat
        KeyUp,       // usage
        TextInput,   // text: UTF-8 typed by the user (after KeyDown of the keys that produced it)
        FocusGained, // the native window became the active one
        FocusLost,   // the native window stopped being the active one
        Expose,      // the native window needs its framebuffer presented again
        Moved,       // pos = new screen position of the window's top-left corner (moved by the system)
        Close,       // the user or the window manager asked to close this window
        Quit,        // the session or a signal asked the whole program to end (window = 0)
    };
    Type type = Type::MouseMove;
    HWND window = kNoWindow; // top-level window concerned (0 for Quit)
    Point pos;               // client coordinates of that window (may lie outside while captured)
    MouseButton button = MouseButton::Left;
    int wheel = 0;
    std::uint32_t usage = 0; // USB HID usage ID (Keyboard/Keypad page 0x07) of the key
    bool repeat = false;     // KeyDown produced by auto-repeat
    std::string text;
};

// A native window's own client framebuffer, lent to the framework to paint in (see ClientFramebuffer).
struct NativeFramebuffer {
    PixelSurface pixels; // empty: the back end has none to lend
    bool fresh = false;  // storage new since the last call: nothing painted in it survives
};

class Backend {
public:
    virtual ~Backend() = default;

    // Waits at most timeoutMs (0 = do not wait, negative = until something happens) for native events
    // or Wake(), then appends every pending event to out in arrival order.
    virtual void PumpEvents(int timeoutMs, std::vector<BackendEvent>& out) = 0;
    // Thread-safe: makes a PumpEvents that is waiting (or the next one) return at once.
    virtual void Wake() = 0;
    // Monotonic milliseconds; timers are measured against this clock (virtual in headless tests).
    virtual std::uint64_t NowMs() = 0;
    // Size of the screen the windows live on (for centring).
    virtual Size ScreenSize() = 0;
    // Where the pointer is now, in screen coordinates (window dragging follows it).
    virtual Point CursorScreenPos() = 0;

    // Creates a hidden native window; false if the system refused (the framework then has none).
    virtual bool CreateNativeWindow(const NativeWindowDesc& desc) = 0;
    // Destroys the native window; unknown handles are ignored (true of every call below).
    virtual void DestroyNativeWindow(HWND window) = 0;
    // Shows or hides it; showing a Main or Dialog window also activates it.
    virtual void ShowNativeWindow(HWND window, bool show) = 0;
    // Moves and resizes it (screen coordinates of the outer rectangle).
    virtual void MoveNativeWindow(HWND window, const Rect& screenRect) = 0;
    // Brings it above the program's other windows and gives it keyboard focus.
    virtual void RaiseNativeWindow(HWND window) = 0;
    // Changes the title (UTF-8) that the system shows for it.
    virtual void SetNativeTitle(HWND window, const std::string& title) = 0;
    // Shows frame (the window's whole ARGB client framebuffer); dirty is the part that changed.
    virtual void Present(HWND window, const Image& frame, const Rect& dirty) = 0;
    // The native window's own framebuffer, when the framework may paint straight into it (0xAARRGGBB
    // words; the system may ignore the alpha byte): one copy of each window's pixels instead of two.
    // Valid until the next call that resizes, shows, hides or destroys the window; its size may
    // differ from the window's for a moment after a resize. Back ends without one return it empty and
    // get Present instead.
    virtual NativeFramebuffer ClientFramebuffer(HWND /*window*/) { return {}; }
    // Shows the part dirty of what was painted into ClientFramebuffer.
    virtual void PresentClientFramebuffer(HWND /*window*/, const Rect& /*dirty*/) {}
    // Gives the native window this outline in client coordinates (clicks outside it pass through);
    // an empty region restores the plain rectangle.
    virtual void SetNativeShape(HWND window, const Region& region) = 0;
    // Minimises (iconifies) it.
    virtual void MinimizeNativeWindow(HWND window) = 0;
    // Routes all mouse input to this window, even outside it (kNoWindow = release).
    virtual void SetNativeCapture(HWND window) = 0;
    // Sets the icon the system shows for it (taskbar, switcher); an empty image clears it.
    virtual void SetNativeIcon(HWND window, const Image& icon) = 0;
};

} // namespace qor
