#pragma once
// The windows of the process as the framework sees them: one record per handle, the parent/child
// tree with each parent's children in z-order, the top-level windows in z-order, and the geometry and
// hit testing that follow from them. No messages are sent from here.

#include "platform/gfx/Image.h"
#include "platform/gfx/Region.h"
#include "platform/ui/Handle.h"

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace qor {

class CWnd;

enum class WindowKind : std::uint8_t { Child, Main, Dialog, Popup };

struct WindowRecord {
    HWND hwnd = kNoWindow;
    CWnd* wnd = nullptr; // null once the window is destroyed
    WindowKind kind = WindowKind::Child;
    HWND parent = kNoWindow;    // children only
    HWND owner = kNoWindow;     // top-level windows only
    std::vector<HWND> children; // bottom to top
    Rect rect;                  // children: parent client coordinates; top-levels: screen
    bool visible = false;
    bool enabled = true;
    bool tabStop = false;
    int id = 0;
    std::string text;
    int dispatchDepth = 0; // handlers of this window running on the stack
    bool destroying = false;

    // Top-level windows only.
    Region region;              // empty: rectangular
    Image frame;                // client framebuffer, unless the back end lends its own
    bool nativeFrame = false;   // the last paint went into the back end's framebuffer
    Rect dirty;                 // part of the framebuffer to repaint, client coordinates
    HWND lastFocus = kNoWindow; // focus to restore when the window is activated again
    bool nativeCreated = false;

    bool IsTopLevel() const { return kind != WindowKind::Child; }
};

class WindowTree {
public:
    // Creates a record with a fresh handle; children are placed on top of their siblings.
    WindowRecord& Add(WindowKind kind, HWND parentOrOwner, const Rect& rect, CWnd* wnd);
    // Drops the record (not its children) from the tree; the handle never resolves again.
    void Remove(HWND window);

    // A live window's record, or null.
    WindowRecord* Get(HWND window) const;
    // Keeps a record alive past its removal (for dispatch bookkeeping).
    std::shared_ptr<WindowRecord> Share(HWND window) const;

    HWND TopLevelOf(HWND window) const;
    bool IsSelfOrDescendant(HWND window, HWND ancestor) const;
    // Visible and enabled up to the top-level window.
    bool IsVisibleInTree(HWND window) const;
    bool IsEnabledInTree(HWND window) const;

    // Screen position of the window's client origin.
    Point ClientOrigin(HWND window) const;
    // The window's client rectangle in its top-level window's client coordinates, clipped by every
    // ancestor.
    Rect VisibleRectInTopLevel(HWND window) const;

    // Topmost visible descendant of `top` under `point` (client coordinates of `top`); disabled
    // windows pass the point to their parent. Returns `top` itself when no child is hit, kNoWindow when
    // the point is outside `top` or its region.
    HWND HitTest(HWND top, Point point) const;
    // The window under a screen point over all visible top-level windows, topmost first.
    HWND FromPoint(Point screen) const;

    void RaiseTopLevel(HWND window);
    void RaiseChild(HWND window);
    void LowerChild(HWND window);
    const std::vector<HWND>& TopLevels() const { return topLevels_; }
    std::vector<HWND> SelfAndDescendants(HWND window) const; // parents before children

private:
    std::unordered_map<HWND, std::shared_ptr<WindowRecord>> records_;
    std::vector<HWND> topLevels_; // bottom to top
};

} // namespace qor
