#pragma once
// Message numbers and message words of the window framework. The framework's own messages keep the
// numbers of the desktop convention the product was designed for (all below WM_USER); the product's
// private messages (1245 to 13314) start above WM_USER and reach a window's OnMessage unchanged.

#include "platform/gfx/Geometry.h"
#include "platform/ui/Handle.h"

#include <cstdint>

namespace qor {

using UINT = std::uint32_t;
using WPARAM = std::int64_t;
using LPARAM = std::int64_t;
using LRESULT = std::int64_t;

enum class Redraw : bool { No = false, Yes = true };

struct MSG {
    HWND hwnd = kNoWindow;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

// Framework messages.
enum : UINT {
    WM_NULL = 0x0000,
    WM_CREATE = 0x0001,     // sent while creating; OnCreate returning -1 fails the creation
    WM_DESTROY = 0x0002,    // sent to a window that DestroyWindow() is destroying
    WM_SETFOCUS = 0x0007,   // wParam = window that lost the focus (may be 0)
    WM_KILLFOCUS = 0x0008,  // wParam = window that gets the focus (may be 0)
    WM_ENABLE = 0x000A,     // wParam = 1 enabled, 0 disabled
    WM_SETTEXT = 0x000C,    // lParam = const std::string* (UTF-8)
    WM_PAINT = 0x000F,      // wParam = Painter* set up for this window (0 when posted: ignored)
    WM_CLOSE = 0x0010,      // the user asked to close a top-level window
    WM_KEYDOWN = 0x0100,    // wParam = virtual-key code, lParam = key flags below
    WM_KEYUP = 0x0101,      // wParam = virtual-key code, lParam = key flags below
    WM_CHAR = 0x0102,       // wParam = Unicode code point typed
    WM_INITDIALOG = 0x0110, // sent to a dialog after creation, before it is shown
    WM_COMMAND = 0x0111,    // wParam = MakeWParam(control id, notification), lParam = sender's handle
    WM_TIMER = 0x0113,      // wParam = timer id
    WM_CTLCOLOR = 0x0019,   // wParam = control asking, lParam = ControlColors*; reflected to the control
    WM_MOUSEMOVE = 0x0200,  // wParam = MK_* flags, lParam = MakePointLParam(client point)
    WM_LBUTTONDOWN = 0x0201,
    WM_LBUTTONUP = 0x0202,
    WM_RBUTTONDOWN = 0x0204,
    WM_RBUTTONUP = 0x0205,
    WM_MBUTTONDOWN = 0x0207,
    WM_MBUTTONUP = 0x0208,
    WM_MOUSEWHEEL = 0x020A,     // wParam = MK_* flags | (notches * 120) << 16, lParam = client point
    WM_CAPTURECHANGED = 0x0215, // sent to the window losing the capture; lParam = new capture (or 0)
    WM_MOUSELEAVE = 0x02A3,     // posted once after TrackMouseLeave() when the pointer leaves the window
    WM_USER = 0x0400,           // first private number
};

// Mouse key flags in the wParam of mouse messages.
enum : UINT {
    MK_LBUTTON = 0x0001,
    MK_RBUTTON = 0x0002,
    MK_MBUTTON = 0x0010,
};

// Key flags in the lParam of key messages: the key's USB HID usage in bits 16..23, bit 30 set when the
// key was already down (auto-repeat), bit 31 set for a release.
constexpr LPARAM kKeyRepeatFlag = LPARAM(1) << 30;
constexpr LPARAM kKeyReleaseFlag = LPARAM(1) << 31;

// Dialog end codes and the commands that produce them.
enum : int { IDOK = 1, IDCANCEL = 2 };
// Button notification carried in the high half of a command's wParam.
enum : int { BN_CLICKED = 0 };

// Virtual keys the framework itself interprets (dialog keyboard handling).
enum : UINT {
    VK_TAB = 0x09,
    VK_RETURN = 0x0D,
    VK_SHIFT = 0x10,
    VK_ESCAPE = 0x1B,
    VK_SPACE = 0x20,
};

constexpr WPARAM MakeWParam(int low, int high) {
    return WPARAM((std::uint32_t(std::uint16_t(low))) | (std::uint32_t(std::uint16_t(high)) << 16));
}
constexpr int LoWord(std::int64_t v) {
    return int(std::uint16_t(std::uint64_t(v) & 0xFFFF));
}
constexpr int HiWord(std::int64_t v) {
    return int(std::uint16_t((std::uint64_t(v) >> 16) & 0xFFFF));
}

// Client points travel as two signed 16-bit halves, so points left of or above a capturing window
// keep their sign.
constexpr LPARAM MakePointLParam(Point p) {
    return LPARAM(std::uint32_t(std::uint16_t(std::int16_t(p.x))) |
                  (std::uint32_t(std::uint16_t(std::int16_t(p.y))) << 16));
}
constexpr Point PointFromLParam(LPARAM l) {
    return {int(std::int16_t(std::uint16_t(std::uint64_t(l) & 0xFFFF))),
            int(std::int16_t(std::uint16_t((std::uint64_t(l) >> 16) & 0xFFFF)))};
}

// Colours a control asks its parent for (WM_CTLCOLOR); 0xAARRGGBB. A handler changes what it wants to.
struct ControlColors {
    std::uint32_t text = 0xFF000000;
    std::uint32_t back = 0xFFFFFFFF;
    bool transparent = false; // draw no background of its own
};

} // namespace qor
