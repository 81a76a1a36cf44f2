#pragma once
// The window base class. A CWnd object is a C++ handle to one framework window: creating it makes the
// window, DestroyWindow() or the destructor ends it, and every operation on an object whose window is
// gone does nothing. Child windows belong to their parent window: destroying a parent destroys the
// children's windows (their C++ objects, usually members of the parent's class, stay valid).
//
// Messages reach a window through WindowProc, whose one switch forwards framework messages to the
// protected handlers below and private numbers (WM_USER and above) to OnMessage. The dispatcher
// never touches a window object after its handler returns, so a handler may destroy its own window.
// To free the object of a window whose handler may still be running (a popup closed from one of its
// own buttons), give it to Application::DeleteLater instead of deleting it.

#include "platform/gfx/Geometry.h"
#include "platform/gfx/Image.h"
#include "platform/gfx/Region.h"
#include "platform/ui/Messages.h"
#include "platform/ui/WindowTree.h"

#include <string>

namespace qor {

class Painter;

class CWnd {
public:
    CWnd() = default;
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    // A visible child window at `rect` in the parent's client coordinates. OnCreate runs before it
    // returns; false if the parent is gone or OnCreate returned -1.
    bool Create(CWnd* parent, const Rect& rect, int controlId = 0);
    // A hidden top-level window at `screenRect` (size = client size; windows have no frame).
    bool CreateTopLevel(WindowKind kind, const std::string& title, const Rect& screenRect,
                        CWnd* owner = nullptr);
    // Destroys the window and its children; WM_DESTROY reaches this window first. Safe to call again.
    void DestroyWindow();

    HWND GetSafeHwnd() const { return hwnd_; }
    bool IsWindow() const;
    static bool IsWindow(HWND window); // any live window, also one of another process
    CWnd* GetParent() const;           // parent of a child, owner of a top-level window
    CWnd* GetTopLevelParent() const;   // the top-level window this window belongs to (itself if top-level)
    int GetDlgCtrlID() const;
    static CWnd* FromHandle(HWND window);

    // Geometry. Client rectangles start at (0, 0).
    Rect GetClientRect() const;
    Rect GetWindowRect() const;   // screen coordinates
    Rect GetRectInParent() const; // parent client coordinates (screen for top-level windows)
    void MoveWindow(const Rect& rectInParent, Redraw redraw = Redraw::Yes);
    Point ClientToScreen(Point p) const;
    Point ScreenToClient(Point p) const;
    void CenterWindow(CWnd* alternateOwner = nullptr); // over the owner, else on the screen

    // State.
    void ShowWindow(bool show);
    bool IsWindowVisible() const;   // this window and all its parents are shown
    void EnableWindow(bool enable); // sends WM_ENABLE when the state changes
    bool IsWindowEnabled() const;
    void SetTabStop(bool tabStop);
    bool IsTabStop() const;
    void SetWindowText(const std::string& text);
    std::string GetWindowText() const;
    void BringWindowToTop();         // top of its siblings (top-level: above the others)
    void SendToBottom();             // children only: below all siblings
    void Minimize();                 // top-level windows only
    void SetIcon(const Image& icon); // top-level windows only

    // Outline of a top-level window in client coordinates; an empty region makes it rectangular.
    void SetWindowRgn(const Region& region, Redraw redraw = Redraw::Yes);
    Region GetWindowRgn() const;

    // Painting.
    void Invalidate();
    void InvalidateRect(const Rect& clientRect);
    void UpdateWindow(); // paints the window's top-level window now if any of it is invalid

    // Timers, delivered as queued WM_TIMER with wParam = id.
    void SetTimer(UINT id, std::uint32_t periodMs);
    void KillTimer(UINT id);

    // Mouse and keyboard.
    HWND SetCapture(); // returns the previous capture window
    void SetFocus();
    void TrackMouseLeave(); // one WM_MOUSELEAVE when the pointer leaves this window
    void BeginWindowDrag(); // the top-level window follows the pointer until the button is up

    bool PostMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const;
    LRESULT SendMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);

    // Makes this top-level window reachable from other processes under its title (and under each later
    // title). False when the title is taken by a live window of another process or cannot be used.
    bool ExposeToOtherProcesses();

    // The one message switch. Overrides call the base for what they do not handle.
    virtual LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
    // Called for key and mouse messages aimed at this window or any of its descendants before they are
    // dispatched; returning true swallows the message.
    virtual bool PreTranslateMessage(MSG& msg);

protected:
    virtual int OnCreate() { return 0; }
    virtual void OnDestroy() {}
    virtual void OnPaint(Painter&) {}
    virtual void OnMouseMove(UINT /*flags*/, Point) {}
    virtual void OnLButtonDown(UINT /*flags*/, Point) {}
    virtual void OnLButtonUp(UINT /*flags*/, Point) {}
    virtual void OnRButtonDown(UINT /*flags*/, Point) {}
    virtual void OnRButtonUp(UINT /*flags*/, Point) {}
    virtual void OnMouseWheel(UINT /*flags*/, int /*notches*/, Point) {}
    virtual void OnMouseLeave() {}
    virtual void OnKeyDown(UINT /*vk*/, LPARAM /*flags*/) {}
    virtual void OnKeyUp(UINT /*vk*/, LPARAM /*flags*/) {}
    virtual void OnChar(std::uint32_t /*codePoint*/) {}
    virtual void OnTimer(UINT /*id*/) {}
    // Returns true when handled; unhandled commands of a child go on to nothing.
    virtual bool OnCommand(int /*id*/, int /*notification*/, HWND /*sender*/) { return false; }
    virtual void OnEnable(bool /*enabled*/) {}
    virtual void OnCaptureChanged(HWND /*newCapture*/) {}
    virtual void OnSetFocus(HWND /*previous*/) {}
    virtual void OnKillFocus(HWND /*next*/) {}
    virtual void OnClose(); // default: DestroyWindow()
    // A control's colour request; the default reflects a request from a child back to that child.
    virtual bool OnCtlColor(HWND control, ControlColors& colors);
    // Private messages (WM_USER and above).
    virtual LRESULT OnMessage(UINT /*msg*/, WPARAM /*wParam*/, LPARAM /*lParam*/) { return 0; }

    // Asks the parent for this control's colours (the parent reflects the request back by default).
    ControlColors RequestColors(const ControlColors& defaults);

private:
    friend class Application;
    HWND hwnd_ = kNoWindow;
};

} // namespace qor
