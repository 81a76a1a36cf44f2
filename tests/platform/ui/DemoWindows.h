#pragma once
// A small window set built on the framework the way the product's windows are: a shaped main dialog
// with skinned-style buttons (hover through mouse capture), a popup menu that goes away from one of its
// own clicks, a focus-reporting field, and a modal dialog with timers and a key filter. Tests drive it
// through the headless back end.

#include "platform/ui/CDialog.h"

#include <memory>
#include <string>
#include <vector>

namespace qor::demo {

// Private messages, in the product's style (numbers above WM_USER).
inline constexpr UINT kMsgPointerMoved = 5393; // button -> parent, wParam = button handle
inline constexpr UINT kMsgFocusChanged = 5123; // field -> parent, wParam 1 gained / 2 lost
inline constexpr UINT kMsgMenuChoice = 1281;   // popup -> owner, wParam = entry index

inline constexpr Argb kBackground = 0xFF203040;
inline constexpr Argb kButtonNormal = 0xFF606060;
inline constexpr Argb kButtonHover = 0xFF8080C0;
inline constexpr Argb kButtonPressed = 0xFF204080;
inline constexpr Argb kButtonDisabled = 0xFF303030;

// A push button that lights while the pointer is over it: it holds the mouse capture exactly while
// lit, and gives it up as soon as another window is under the pointer.
class DemoButton : public CWnd {
public:
    bool Hover() const { return hover_; }
    bool Pressed() const { return pressed_; }
    int ClicksSeen() const { return clicksSeen_; }
    // Touch members after reporting a click even when the report destroyed the window; safe only while
    // the object's owner frees it with Application::DeleteLater.
    bool touchAfterClick = false;

protected:
    void OnPaint(Painter& painter) override;
    void OnMouseMove(UINT flags, Point p) override;
    void OnLButtonDown(UINT flags, Point p) override;
    void OnLButtonUp(UINT flags, Point p) override;
    void OnCaptureChanged(HWND newCapture) override;

private:
    bool hover_ = false;
    bool pressed_ = false;
    int clicksSeen_ = 0;
};

// A field that takes the focus when clicked and reports focus changes to its parent.
class DemoField : public CWnd {
public:
    std::string typed;

protected:
    int OnCreate() override;
    void OnPaint(Painter& painter) override;
    void OnLButtonDown(UINT flags, Point p) override;
    void OnSetFocus(HWND previous) override;
    void OnKillFocus(HWND next) override;
    void OnChar(std::uint32_t codePoint) override;
};

// A popup of three entries. A click posts the entry index to the owner and then, depending on the
// mode, destroys the popup's own window from inside the entry's click.
class DemoPopup : public CDialog {
public:
    enum class OnChoice { PostOnly, DestroySelf, SendToOwner };
    DemoPopup(CWnd* owner, Point at, OnChoice mode);
    DemoButton entries[3];
    static int liveObjects;
    ~DemoPopup() override { --liveObjects; }

protected:
    int OnCreate() override;
    void OnPaint(Painter& painter) override;
    bool OnCommand(int id, int notification, HWND sender) override;

private:
    Point at_;
    OnChoice mode_;
};

// A modal dialog: timer 1 (50 ms, one shot) focuses its field, timer 2 (if autoCloseMs) ends it with
// code 7; Escape, Enter and Space are swallowed when swallowKeys is set.
class DemoModal : public CDialog {
public:
    explicit DemoModal(CWnd* parent) : CDialog(parent, {300, 200}) {}
    DemoButton ok;
    DemoField field;
    bool swallowKeys = false;
    std::uint32_t autoCloseMs = 0;
    std::vector<std::string> log;

protected:
    int OnCreate() override;
    bool OnInitDialog() override;
    void OnPaint(Painter& painter) override;
    void OnTimer(UINT id) override;
    bool OnCommand(int id, int notification, HWND sender) override;
    bool PreTranslateMessage(MSG& msg) override;
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

// The main window: 400 x 300, its top-right 40 x 40 corner cut out of the outline. Buttons: open the
// popup (at 20,20), open the modal dialog (at 20,70), a disabled one (at 20,120); a field at 200,20.
class DemoMain : public CDialog {
public:
    DemoMain();
    DemoButton openPopup;
    DemoButton openModal;
    DemoButton disabled;
    DemoField field;
    std::unique_ptr<DemoPopup> popup;
    DemoPopup::OnChoice popupMode = DemoPopup::OnChoice::PostOnly;
    // Handed to each modal dialog before it runs.
    bool modalSwallowKeys = false;
    std::uint32_t modalAutoCloseMs = 0;
    std::vector<std::string> log;
    int modalResult = 0;

protected:
    int OnCreate() override;
    void OnPaint(Painter& painter) override;
    bool OnCommand(int id, int notification, HWND sender) override;
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

} // namespace qor::demo
