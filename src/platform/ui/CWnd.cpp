#include "platform/ui/CWnd.h"

#include "platform/ui/Application.h"

#include <string>

namespace qor {

namespace {

// The record of a live window of the current application, or null.
WindowRecord* Record(HWND window) {
    Application* app = Application::Current();
    return app ? app->Tree().Get(window) : nullptr;
}

Rect ClientRectOf(const WindowRecord& rec) {
    return Rect::FromXYWH(0, 0, rec.rect.Width(), rec.rect.Height());
}

} // namespace

CWnd::~CWnd() {
    // Only this class's part is left: destroy the window without dispatching to handlers of classes
    // that are already gone.
    // The framework forgets this object first, so nothing reaches it even if the window is already
    // half way through DestroyWindow (an OnDestroy that deletes its own object).
    if (WindowRecord* rec = Record(hwnd_)) {
        rec->wnd = nullptr;
        Application::Current()->DestroyWindow(hwnd_, false);
    }
}

bool CWnd::Create(CWnd* parent, const Rect& rect, int controlId) {
    Application* app = Application::Current();
    if (!app || !parent)
        return false;
    return app->CreateWindowFor(*this, WindowKind::Child, parent->GetSafeHwnd(), rect, std::string(),
                                controlId);
}

bool CWnd::CreateTopLevel(WindowKind kind, const std::string& title, const Rect& screenRect, CWnd* owner) {
    Application* app = Application::Current();
    if (!app || kind == WindowKind::Child)
        return false;
    return app->CreateWindowFor(*this, kind, owner ? owner->GetSafeHwnd() : kNoWindow, screenRect, title, 0);
}

void CWnd::DestroyWindow() {
    if (Application* app = Application::Current(); app && hwnd_ != kNoWindow)
        app->DestroyWindow(hwnd_, true);
}

bool CWnd::IsWindow() const {
    return Record(hwnd_) != nullptr;
}

bool CWnd::IsWindow(HWND window) {
    Application* app = Application::Current();
    return app && app->IsWindow(window);
}

CWnd* CWnd::GetParent() const {
    const WindowRecord* rec = Record(hwnd_);
    if (!rec)
        return nullptr;
    return FromHandle(rec->IsTopLevel() ? rec->owner : rec->parent);
}

CWnd* CWnd::GetTopLevelParent() const {
    Application* app = Application::Current();
    return app ? app->FromHandle(app->Tree().TopLevelOf(hwnd_)) : nullptr;
}

int CWnd::GetDlgCtrlID() const {
    const WindowRecord* rec = Record(hwnd_);
    return rec ? rec->id : 0;
}

CWnd* CWnd::FromHandle(HWND window) {
    Application* app = Application::Current();
    return app ? app->FromHandle(window) : nullptr;
}

Rect CWnd::GetClientRect() const {
    const WindowRecord* rec = Record(hwnd_);
    return rec ? ClientRectOf(*rec) : Rect{};
}

Rect CWnd::GetWindowRect() const {
    const WindowRecord* rec = Record(hwnd_);
    if (!rec)
        return {};
    const Point origin = Application::Current()->Tree().ClientOrigin(hwnd_);
    return Rect::FromXYWH(origin.x, origin.y, rec->rect.Width(), rec->rect.Height());
}

Rect CWnd::GetRectInParent() const {
    const WindowRecord* rec = Record(hwnd_);
    return rec ? rec->rect : Rect{};
}

void CWnd::MoveWindow(const Rect& rectInParent, Redraw redraw) {
    if (Application* app = Application::Current())
        app->MoveWindow(hwnd_, rectInParent, redraw);
}

Point CWnd::ClientToScreen(Point p) const {
    if (!Record(hwnd_))
        return p;
    const Point origin = Application::Current()->Tree().ClientOrigin(hwnd_);
    return {p.x + origin.x, p.y + origin.y};
}

Point CWnd::ScreenToClient(Point p) const {
    if (!Record(hwnd_))
        return p;
    const Point origin = Application::Current()->Tree().ClientOrigin(hwnd_);
    return {p.x - origin.x, p.y - origin.y};
}

void CWnd::CenterWindow(CWnd* alternateOwner) {
    const WindowRecord* rec = Record(hwnd_);
    if (!rec)
        return;
    Application* app = Application::Current();
    Rect area;
    const CWnd* owner = alternateOwner ? alternateOwner : GetParent();
    if (rec->IsTopLevel() && owner && owner->IsWindowVisible()) {
        area = owner->GetWindowRect();
    } else if (rec->IsTopLevel()) {
        const Size screen = app->GetBackend().ScreenSize();
        area = Rect::FromXYWH(0, 0, screen.width, screen.height);
    } else if (const CWnd* parent = GetParent()) {
        area = parent->GetClientRect();
    }
    const int w = rec->rect.Width();
    const int h = rec->rect.Height();
    MoveWindow(Rect::FromXYWH(area.left + (area.Width() - w) / 2, area.top + (area.Height() - h) / 2, w, h));
}

void CWnd::ShowWindow(bool show) {
    if (Application* app = Application::Current())
        app->ShowWindow(hwnd_, show);
}

bool CWnd::IsWindowVisible() const {
    Application* app = Application::Current();
    return app && app->Tree().IsVisibleInTree(hwnd_);
}

void CWnd::EnableWindow(bool enable) {
    if (Application* app = Application::Current())
        app->EnableWindow(hwnd_, enable);
}

bool CWnd::IsWindowEnabled() const {
    const WindowRecord* rec = Record(hwnd_);
    return rec && rec->enabled;
}

void CWnd::SetTabStop(bool tabStop) {
    if (WindowRecord* rec = Record(hwnd_))
        rec->tabStop = tabStop;
}

bool CWnd::IsTabStop() const {
    const WindowRecord* rec = Record(hwnd_);
    return rec && rec->tabStop;
}

void CWnd::SetWindowText(const std::string& text) {
    SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(&text));
}

std::string CWnd::GetWindowText() const {
    const WindowRecord* rec = Record(hwnd_);
    return rec ? rec->text : std::string();
}

void CWnd::BringWindowToTop() {
    if (Application* app = Application::Current())
        app->BringToTop(hwnd_);
}

void CWnd::SendToBottom() {
    const WindowRecord* rec = Record(hwnd_);
    if (!rec || rec->IsTopLevel())
        return;
    Application::Current()->Tree().LowerChild(hwnd_);
    Invalidate();
}

void CWnd::Minimize() {
    const WindowRecord* rec = Record(hwnd_);
    if (rec && rec->IsTopLevel())
        Application::Current()->GetBackend().MinimizeNativeWindow(hwnd_);
}

void CWnd::SetIcon(const Image& icon) {
    const WindowRecord* rec = Record(hwnd_);
    if (rec && rec->IsTopLevel())
        Application::Current()->GetBackend().SetNativeIcon(hwnd_, icon);
}

void CWnd::SetWindowRgn(const Region& region, Redraw redraw) {
    if (Application* app = Application::Current())
        app->SetWindowRgn(hwnd_, region, redraw);
}

Region CWnd::GetWindowRgn() const {
    const WindowRecord* rec = Record(hwnd_);
    return rec ? rec->region : Region();
}

void CWnd::Invalidate() {
    if (const WindowRecord* rec = Record(hwnd_))
        Application::Current()->Invalidate(hwnd_, ClientRectOf(*rec));
}

void CWnd::InvalidateRect(const Rect& clientRect) {
    if (Application* app = Application::Current())
        app->Invalidate(hwnd_, clientRect);
}

void CWnd::UpdateWindow() {
    if (Application* app = Application::Current())
        app->UpdateWindow(hwnd_);
}

void CWnd::SetTimer(UINT id, std::uint32_t periodMs) {
    if (Application* app = Application::Current())
        app->SetTimer(hwnd_, id, periodMs);
}

void CWnd::KillTimer(UINT id) {
    if (Application* app = Application::Current())
        app->KillTimer(hwnd_, id);
}

HWND CWnd::SetCapture() {
    Application* app = Application::Current();
    return app ? app->SetCapture(hwnd_) : kNoWindow;
}

void CWnd::SetFocus() {
    if (Application* app = Application::Current(); app && IsWindow())
        app->SetFocus(hwnd_);
}

void CWnd::TrackMouseLeave() {
    if (Application* app = Application::Current())
        app->TrackMouseLeave(hwnd_);
}

void CWnd::BeginWindowDrag() {
    if (Application* app = Application::Current())
        app->BeginWindowDrag(hwnd_);
}

bool CWnd::PostMessage(UINT msg, WPARAM wParam, LPARAM lParam) const {
    Application* app = Application::Current();
    return app && app->PostMessage(hwnd_, msg, wParam, lParam);
}

LRESULT CWnd::SendMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    Application* app = Application::Current();
    return app ? app->SendMessage(hwnd_, msg, wParam, lParam) : 0;
}

bool CWnd::ExposeToOtherProcesses() {
    Application* app = Application::Current();
    return app && app->ExposeToOtherProcesses(hwnd_);
}

LRESULT CWnd::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    // Every case returns straight after its handler: the handler may have destroyed this object.
    const Point point = PointFromLParam(lParam);
    switch (msg) {
    case WM_CREATE:
        return OnCreate();
    case WM_DESTROY:
        OnDestroy();
        return 0;
    case WM_PAINT:
        if (wParam != 0)
            OnPaint(*reinterpret_cast<Painter*>(wParam));
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(UINT(wParam), point);
        return 0;
    case WM_LBUTTONDOWN:
        OnLButtonDown(UINT(wParam), point);
        return 0;
    case WM_LBUTTONUP:
        OnLButtonUp(UINT(wParam), point);
        return 0;
    case WM_RBUTTONDOWN:
        OnRButtonDown(UINT(wParam), point);
        return 0;
    case WM_RBUTTONUP:
        OnRButtonUp(UINT(wParam), point);
        return 0;
    case WM_MOUSEWHEEL:
        OnMouseWheel(UINT(LoWord(wParam)), int(std::int16_t(HiWord(wParam))) / 120, point);
        return 0;
    case WM_MOUSELEAVE:
        OnMouseLeave();
        return 0;
    case WM_KEYDOWN:
        OnKeyDown(UINT(wParam), lParam);
        return 0;
    case WM_KEYUP:
        OnKeyUp(UINT(wParam), lParam);
        return 0;
    case WM_CHAR:
        OnChar(std::uint32_t(wParam));
        return 0;
    case WM_TIMER:
        OnTimer(UINT(wParam));
        return 0;
    case WM_COMMAND:
        return OnCommand(LoWord(wParam), HiWord(wParam), HWND(lParam)) ? 1 : 0;
    case WM_ENABLE:
        OnEnable(wParam != 0);
        return 0;
    case WM_CAPTURECHANGED:
        OnCaptureChanged(HWND(lParam));
        return 0;
    case WM_SETFOCUS:
        OnSetFocus(HWND(wParam));
        return 0;
    case WM_KILLFOCUS:
        OnKillFocus(HWND(wParam));
        return 0;
    case WM_SETTEXT:
        if (Application* app = Application::Current(); app && lParam != 0)
            app->SetWindowText(hwnd_, *reinterpret_cast<const std::string*>(lParam));
        return 1;
    case WM_CLOSE:
        OnClose();
        return 0;
    case WM_CTLCOLOR:
        return lParam != 0 && OnCtlColor(HWND(wParam), *reinterpret_cast<ControlColors*>(lParam)) ? 1 : 0;
    default:
        if (msg >= WM_USER)
            return OnMessage(msg, wParam, lParam);
        return 0;
    }
}

bool CWnd::PreTranslateMessage(MSG&) {
    return false;
}

void CWnd::OnClose() {
    const WindowRecord* rec = Record(hwnd_);
    const bool isMain = rec && rec->kind == WindowKind::Main;
    DestroyWindow();
    // Closing the main window ends the program, as the desktop convention has it.
    if (isMain)
        PostQuitMessage(0);
}

bool CWnd::OnCtlColor(HWND control, ControlColors& colors) {
    if (control == kNoWindow || control == hwnd_)
        return false;
    Application* app = Application::Current();
    return app &&
           app->SendMessage(control, WM_CTLCOLOR, WPARAM(control), reinterpret_cast<LPARAM>(&colors)) != 0;
}

ControlColors CWnd::RequestColors(const ControlColors& defaults) {
    ControlColors colors = defaults;
    const WindowRecord* rec = Record(hwnd_);
    if (!rec)
        return colors;
    const HWND asked = !rec->IsTopLevel() && rec->parent != kNoWindow ? rec->parent : hwnd_;
    Application::Current()->SendMessage(asked, WM_CTLCOLOR, WPARAM(hwnd_), reinterpret_cast<LPARAM>(&colors));
    return colors;
}

} // namespace qor
