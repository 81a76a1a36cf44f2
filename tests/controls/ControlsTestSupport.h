#pragma once
// What the control tests share: a top-level window that hosts the controls and records what they
// report, solid-colour face images written to a temporary folder, and framebuffer reads.

#include "platform/backend/headless/HeadlessDriver.h"
#include "platform/gfx/Painter.h"
#include "platform/gfx/Png.h"
#include "platform/ui/CWnd.h"
#include "support/TempFolder.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace qor::test {

struct Report {
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
    friend bool operator==(const Report&, const Report&) = default;
};

inline std::ostream& operator<<(std::ostream& out, const Report& r) {
    return out << "{" << r.msg << ", " << r.wParam << ", " << r.lParam << "}";
}

// Paints itself in one colour and records private messages and commands from its children.
class HostWnd : public CWnd {
public:
    Argb fill = 0xFF102030;
    std::vector<Report> reports;
    std::function<void(int id, int notification, HWND sender)> onCommand;

    std::vector<Report> Only(UINT msg) const {
        std::vector<Report> out;
        for (const Report& r : reports)
            if (r.msg == msg)
                out.push_back(r);
        return out;
    }

protected:
    void OnPaint(Painter& painter) override { painter.FillRect(GetClientRect(), fill); }
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        reports.push_back({msg, wParam, lParam});
        return 0;
    }
    bool OnCommand(int id, int notification, HWND sender) override {
        reports.push_back({WM_COMMAND, MakeWParam(id, notification), LPARAM(sender)});
        if (onCommand)
            onCommand(id, notification, sender);
        return true;
    }
};

// A folder of solid-colour PNG files, removed at the end of the test.
class ImageDir {
public:
    std::string Solid(const std::string& name, Size size, Argb colour) const {
        const std::string file = folder_.Path(name);
        EXPECT_TRUE(SavePng(Image(size.width, size.height, colour), file)) << file;
        return file;
    }
    std::string Missing() const { return folder_.Path("missing.png"); }

private:
    TempFolder folder_{"qor-controls"};
};

// A pixel of `window` (client coordinates), read from its top-level window's framebuffer.
inline Argb PixelOf(HeadlessDriver& ui, const CWnd& window, Point p) {
    Application& app = ui.App();
    const HWND top = app.Tree().TopLevelOf(window.GetSafeHwnd());
    const Image* frame = app.Framebuffer(top);
    if (!frame)
        return 0;
    const Point origin = window.ClientToScreen(p);
    const Rect topRect = app.Tree().Get(top)->rect;
    const int x = origin.x - topRect.left;
    const int y = origin.y - topRect.top;
    if (x < 0 || y < 0 || x >= frame->width || y >= frame->height)
        return 0;
    return frame->At(x, y);
}

// How many pixels of `window`'s client rectangle `r` have exactly `colour`.
inline int CountColour(HeadlessDriver& ui, const CWnd& window, Rect r, Argb colour) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            n += PixelOf(ui, window, {x, y}) == colour;
    return n;
}

} // namespace qor::test
