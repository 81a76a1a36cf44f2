#include "DemoWindows.h"

#include "platform/gfx/Painter.h"
#include "platform/ui/Application.h"

namespace qor::demo {

// ---------------------------------------------------------------------------------------------------
// DemoButton

void DemoButton::OnPaint(Painter& painter) {
    const Argb face = !IsWindowEnabled() ? kButtonDisabled
                      : pressed_         ? kButtonPressed
                      : hover_           ? kButtonHover
                                         : kButtonNormal;
    painter.FillRect(GetClientRect(), face);
}

void DemoButton::OnMouseMove(UINT flags, Point p) {
    const HWND self = GetSafeHwnd();
    if ((flags & MK_LBUTTON) && !hover_ && !pressed_) {
        // A drag that started elsewhere does not light the button.
    } else if (GetCapture() != self) {
        hover_ = true;
        SetCapture();
        Invalidate();
    } else if (WindowFromPoint(ClientToScreen(p)) != self) {
        if (hover_) {
            hover_ = false;
            Invalidate();
        }
        if (!(flags & MK_LBUTTON))
            ReleaseCapture();
    }
    if (CWnd* parent = GetParent())
        parent->PostMessage(kMsgPointerMoved, WPARAM(self));
}

void DemoButton::OnLButtonDown(UINT, Point) {
    pressed_ = true;
    SetCapture();
    Invalidate();
}

void DemoButton::OnLButtonUp(UINT, Point p) {
    if (!pressed_)
        return;
    const HWND self = GetSafeHwnd();
    const bool inside = GetClientRect().Contains(p);
    if (inside) {
        ++clicksSeen_;
        if (CWnd* parent = GetParent())
            parent->SendMessage(WM_COMMAND, MakeWParam(GetDlgCtrlID(), BN_CLICKED), LPARAM(self));
    }
    // The report may have destroyed this window; only a deferred delete keeps the object.
    if (touchAfterClick) {
        pressed_ = false;
        ++clicksSeen_;
        --clicksSeen_;
    }
    if (!IsWindow(self))
        return;
    pressed_ = false;
    if (!hover_ || !inside)
        ReleaseCapture();
    Invalidate();
}

void DemoButton::OnCaptureChanged(HWND) {
    if (hover_) {
        hover_ = false;
        Invalidate();
    }
}

// ---------------------------------------------------------------------------------------------------
// DemoField

int DemoField::OnCreate() {
    SetTabStop(true);
    return 0;
}

void DemoField::OnPaint(Painter& painter) {
    const bool focused = GetFocus() == GetSafeHwnd();
    painter.FillRect(GetClientRect(), 0xFFFFFFFF);
    painter.DrawRectOutline(GetClientRect(), 2, focused ? 0xFF0000FF : 0xFF000000);
}

void DemoField::OnLButtonDown(UINT, Point) {
    SetFocus();
}

void DemoField::OnSetFocus(HWND) {
    Invalidate();
    if (CWnd* parent = GetParent())
        parent->PostMessage(kMsgFocusChanged, 1);
}

void DemoField::OnKillFocus(HWND) {
    Invalidate();
    if (CWnd* parent = GetParent())
        parent->PostMessage(kMsgFocusChanged, 2);
}

void DemoField::OnChar(std::uint32_t codePoint) {
    if (codePoint < 0x80)
        typed.push_back(char(codePoint));
}

// ---------------------------------------------------------------------------------------------------
// DemoPopup

int DemoPopup::liveObjects = 0;

DemoPopup::DemoPopup(CWnd* owner, Point at, OnChoice mode) : CDialog(owner, {120, 90}), at_(at), mode_(mode) {
    ++liveObjects;
    SetCenterOnShow(false);
}

int DemoPopup::OnCreate() {
    MoveWindow(Rect::FromXYWH(at_.x, at_.y, 120, 90));
    for (int i = 0; i < 3; ++i) {
        entries[i].Create(this, Rect::FromXYWH(0, i * 30, 120, 30), 100 + i);
        entries[i].touchAfterClick = mode_ == OnChoice::SendToOwner;
    }
    return 0;
}

void DemoPopup::OnPaint(Painter& painter) {
    painter.FillRect(GetClientRect(), 0xFF101010);
}

bool DemoPopup::OnCommand(int id, int, HWND) {
    CWnd* owner = ParentWindow();
    if (!owner)
        return true;
    switch (mode_) {
    case OnChoice::PostOnly:
        owner->PostMessage(kMsgMenuChoice, id - 100);
        break;
    case OnChoice::DestroySelf:
        owner->PostMessage(kMsgMenuChoice, id - 100);
        DestroyWindow(); // the entry whose click runs this goes with it
        break;
    case OnChoice::SendToOwner:
        owner->SendMessage(kMsgMenuChoice, id - 100); // the owner frees this popup at once
        break;
    }
    return true;
}

// ---------------------------------------------------------------------------------------------------
// DemoModal

int DemoModal::OnCreate() {
    ok.Create(this, Rect::FromXYWH(100, 150, 100, 30), IDOK);
    field.Create(this, Rect::FromXYWH(50, 60, 200, 30));
    return 0;
}

bool DemoModal::OnInitDialog() {
    SetTimer(1, 50);
    if (autoCloseMs)
        SetTimer(2, autoCloseMs);
    log.push_back("init");
    return false; // the field gets the focus from timer 1
}

void DemoModal::OnPaint(Painter& painter) {
    painter.FillRect(GetClientRect(), 0xFF404040);
}

void DemoModal::OnTimer(UINT id) {
    log.push_back("timer " + std::to_string(id));
    if (id == 1) {
        KillTimer(1);
        field.SetFocus();
    } else if (id == 2) {
        EndDialog(7);
    }
}

bool DemoModal::OnCommand(int id, int notification, HWND sender) {
    log.push_back("command " + std::to_string(id));
    return CDialog::OnCommand(id, notification, sender);
}

bool DemoModal::PreTranslateMessage(MSG& msg) {
    if (swallowKeys && msg.message == WM_KEYDOWN &&
        (msg.wParam == VK_ESCAPE || msg.wParam == VK_RETURN || msg.wParam == VK_SPACE)) {
        log.push_back("swallowed " + std::to_string(msg.wParam));
        return true;
    }
    return CDialog::PreTranslateMessage(msg);
}

LRESULT DemoModal::OnMessage(UINT msg, WPARAM wParam, LPARAM) {
    if (msg == kMsgFocusChanged)
        log.push_back(wParam == 1 ? "focus gained" : "focus lost");
    return 0;
}

// ---------------------------------------------------------------------------------------------------
// DemoMain

DemoMain::DemoMain() : CDialog(nullptr, {400, 300}) {
    SetTitle("QOR DEMO MAIN");
    SetWindowKind(WindowKind::Main);
}

int DemoMain::OnCreate() {
    RegionBuilder builder;
    for (int y = 0; y < 300; ++y) {
        builder.BeginRow(y);
        builder.AddRun(0, y < 40 ? 360 : 400);
    }
    SetWindowRgn(builder.Build());
    openPopup.Create(this, Rect::FromXYWH(20, 20, 100, 30), 11);
    openModal.Create(this, Rect::FromXYWH(20, 70, 100, 30), 12);
    disabled.Create(this, Rect::FromXYWH(20, 120, 100, 30), 13);
    disabled.EnableWindow(false);
    field.Create(this, Rect::FromXYWH(200, 20, 150, 30));
    return 0;
}

void DemoMain::OnPaint(Painter& painter) {
    painter.FillRect(GetClientRect(), kBackground);
}

bool DemoMain::OnCommand(int id, int notification, HWND sender) {
    if (id == 11) {
        if (popup)
            Application::Current()->DeleteLater(std::move(popup));
        const Rect r = openPopup.GetWindowRect();
        popup = std::make_unique<DemoPopup>(this, Point{r.left, r.bottom}, popupMode);
        popup->CreateModeless(WindowKind::Popup);
        log.push_back("popup opened");
        return true;
    }
    if (id == 12) {
        DemoModal dialog(this);
        dialog.swallowKeys = modalSwallowKeys;
        dialog.autoCloseMs = modalAutoCloseMs;
        modalResult = dialog.DoModal();
        log.push_back("modal " + std::to_string(modalResult));
        for (const std::string& line : dialog.log)
            log.push_back("  " + line);
        return true;
    }
    return CDialog::OnCommand(id, notification, sender);
}

LRESULT DemoMain::OnMessage(UINT msg, WPARAM wParam, LPARAM) {
    if (msg == kMsgMenuChoice) {
        log.push_back("choice " + std::to_string(wParam));
        // Closing from inside the popup's own click: the popup's handlers are still running.
        if (popup)
            Application::Current()->DeleteLater(std::move(popup));
    } else if (msg == kMsgFocusChanged) {
        log.push_back(wParam == 1 ? "focus gained" : "focus lost");
    }
    return 0;
}

} // namespace qor::demo
