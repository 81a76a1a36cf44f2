#include "platform/ui/CDialog.h"

#include "platform/ui/Application.h"

#include <algorithm>
#include <vector>

namespace qor {

CDialog::CDialog(CWnd* parent, Size initialSize) : parent_(parent), initialSize_(initialSize) {}

int CDialog::DoModal() {
    Application* app = Application::Current();
    if (!app || running_ || IsWindow())
        return -1;
    ending_ = false;
    result_ = IDCANCEL;
    CWnd* parent = ParentWindow();
    if (!CreateTopLevel(kind_, title_, Rect::FromXYWH(0, 0, initialSize_.width, initialSize_.height), parent))
        return -1;
    const HWND self = GetSafeHwnd();
    const HWND owner = app->Tree().TopLevelOf(parent ? parent->GetSafeHwnd() : kNoWindow);
    running_ = true;

    const bool focusFirst = SendMessage(WM_INITDIALOG) != 0;
    const bool disableOwner = owner != kNoWindow && app->Tree().Get(owner) && app->Tree().Get(owner)->enabled;
    if (app->IsWindow(self) && !ending_) {
        if (center_)
            CenterWindow();
        if (disableOwner)
            app->EnableWindow(owner, false);
        ShowWindow(true);
        if (focusFirst && app->IsWindow(self)) {
            SetFocus();
            NextTabStop(false);
        }
        app->RunLoop([&] { return ending_ || !app->IsWindow(self); });
    }
    // Re-enable the owner before the dialog disappears, so the owner is the one activated next.
    if (disableOwner && app->IsWindow(owner))
        app->EnableWindow(owner, true);
    if (app->IsWindow(self)) {
        ShowWindow(false);
        DestroyWindow();
    }
    if (app->IsWindow(owner) && app->Tree().Get(owner)->visible)
        app->GetBackend().RaiseNativeWindow(owner);
    running_ = false;
    return result_;
}

bool CDialog::CreateModeless(WindowKind kind) {
    if (IsWindow() || kind == WindowKind::Child)
        return false;
    if (!CreateTopLevel(kind, title_, Rect::FromXYWH(0, 0, initialSize_.width, initialSize_.height), parent_))
        return false;
    const HWND self = GetSafeHwnd();
    SendMessage(WM_INITDIALOG);
    if (!qor::IsWindow(self))
        return false;
    ShowWindow(true);
    return qor::IsWindow(self);
}

void CDialog::EndDialog(int result) {
    result_ = result;
    if (running_) {
        // The loop notices at its next step; the window goes when DoModal unwinds.
        ending_ = true;
        return;
    }
    DestroyWindow();
}

LRESULT CDialog::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG)
        return OnInitDialog() ? 1 : 0;
    return CWnd::WindowProc(msg, wParam, lParam);
}

bool CDialog::OnCommand(int id, int notification, HWND) {
    if (notification != BN_CLICKED)
        return false;
    if (id == IDOK) {
        OnOK();
        return true;
    }
    if (id == IDCANCEL) {
        OnCancel();
        return true;
    }
    return false;
}

bool CDialog::PreTranslateMessage(MSG& msg) {
    if (msg.message != WM_KEYDOWN)
        return false;
    switch (UINT(msg.wParam)) {
    case VK_RETURN:
        SendMessage(WM_COMMAND, MakeWParam(IDOK, BN_CLICKED), 0);
        return true;
    case VK_ESCAPE:
        SendMessage(WM_COMMAND, MakeWParam(IDCANCEL, BN_CLICKED), 0);
        return true;
    case VK_TAB: {
        Application* app = Application::Current();
        NextTabStop(app && app->IsKeyDown(VK_SHIFT));
        return true;
    }
    default:
        return false;
    }
}

void CDialog::NextTabStop(bool backwards) {
    Application* app = Application::Current();
    if (!app || !IsWindow())
        return;
    const WindowTree& tree = app->Tree();
    // Depth first in creation (z) order: the order a person reads the controls in.
    std::vector<HWND> stops;
    std::vector<HWND> stack{GetSafeHwnd()};
    while (!stack.empty()) {
        const HWND h = stack.back();
        stack.pop_back();
        const WindowRecord* rec = tree.Get(h);
        if (!rec || !rec->visible || !rec->enabled)
            continue;
        if (h != GetSafeHwnd() && rec->tabStop)
            stops.push_back(h);
        for (auto it = rec->children.rbegin(); it != rec->children.rend(); ++it)
            stack.push_back(*it);
    }
    if (stops.empty())
        return;
    const HWND focus = app->GetFocus();
    auto current = std::find(stops.begin(), stops.end(), focus);
    std::size_t next;
    if (current == stops.end())
        next = backwards ? stops.size() - 1 : 0;
    else if (backwards)
        next = current == stops.begin() ? stops.size() - 1 : std::size_t(current - stops.begin()) - 1;
    else
        next = (std::size_t(current - stops.begin()) + 1) % stops.size();
    app->SetFocus(stops[next]);
}

} // namespace qor
