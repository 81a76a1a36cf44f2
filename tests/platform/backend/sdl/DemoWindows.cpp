#include "DemoWindows.h"

#include "platform/gfx/Painter.h"
#include "platform/gfx/Region.h"
#include "platform/ui/Application.h"

#include <cstdlib>

namespace qor::test {

void CDemoControl::OnPaint(Painter& painter) { painter.FillRect(GetClientRect(), colour_); }

bool CDemoMain::Open(Point screenPos) {
    if (!CreateTopLevel(WindowKind::Main, "demo main", Rect::FromXYWH(screenPos.x, screenPos.y, 400, 300))) return false;
    RegionBuilder outline;
    for (int y = 0; y < 300; ++y) {
        outline.BeginRow(y);
        outline.AddRun(y < kCutCorner ? kCutCorner : 0, 400);
    }
    SetWindowRgn(outline.Build());
    ShowWindow(true);
    return true;
}

int CDemoMain::OnCreate() {
    if (!button.Create(this, kButton, 1) || !field.Create(this, kField, 2)) return -1;
    field.SetTabStop(true);
    return 0;
}

void CDemoMain::OnPaint(Painter& painter) { painter.FillRect(GetClientRect(), 0xFF3060A0); }

void CDemoMain::OnLButtonDown(UINT, Point p) {
    surfaceClicks.push_back(p);
    BeginWindowDrag();
}

bool CDemoDialog::OnInitDialog() {
    SetTimer(1, 50);
    return true;
}

void CDemoDialog::OnTimer(UINT id) {
    // The script types into the focused window, so it may only start once the dialog has the keyboard;
    // on a loaded machine the X server can take a while to map and focus it.
    Application* app = Application::Current();
    if (app && app->GetActiveWindow() != GetSafeHwnd() && ++focusWaits_ < 100)
        return;
    KillTimer(id);
    const std::string command = "xdotool " + script_ + " >/dev/null 2>&1 &";
    std::system(command.c_str());
}

void CDemoDialog::OnPaint(Painter& painter) { painter.FillRect(GetClientRect(), 0xFFE0E0E0); }

} // namespace qor::test
