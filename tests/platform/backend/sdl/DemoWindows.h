#pragma once
// A small window set on the real framework for the display tests: a shaped main window with a button
// and a text field, a popup and a modal dialog. Each records what reached it.

#include "platform/ui/CDialog.h"
#include "platform/ui/CWnd.h"

#include <string>
#include <vector>

namespace qor::test {

// A plain child that records clicks and keys.
class CDemoControl : public CWnd {
public:
    explicit CDemoControl(Argb colour) : colour_(colour) {}
    std::vector<Point> clicks;
    std::vector<UINT> keysDown;
    std::u32string typed;

protected:
    void OnPaint(Painter& painter) override;
    void OnLButtonDown(UINT, Point p) override { clicks.push_back(p); }
    void OnKeyDown(UINT vk, LPARAM) override { keysDown.push_back(vk); }
    void OnChar(std::uint32_t codePoint) override { typed.push_back(char32_t(codePoint)); }

private:
    Argb colour_;
};

// 400 x 300 without its top-left 60 x 60 corner; a button at (100, 100, 220, 140), a field at
// (100, 200, 300, 230). A press on the bare surface drags the window.
class CDemoMain : public CWnd {
public:
    static constexpr Rect kButton{100, 100, 220, 140};
    static constexpr Rect kField{100, 200, 300, 230};
    static constexpr int kCutCorner = 60;

    CDemoMain() : button(0xFFC04020), field(0xFFFFFFFF) {}
    bool Open(Point screenPos);

    CDemoControl button;
    CDemoControl field;
    std::vector<Point> surfaceClicks;

protected:
    int OnCreate() override;
    void OnPaint(Painter& painter) override;
    void OnLButtonDown(UINT, Point p) override;
};

// A dialog that, once its loop runs, starts `script` (xdotool arguments) in the background: the test's
// input arrives while the modal loop owns the thread.
class CDemoDialog : public CDialog {
public:
    CDemoDialog(CWnd* owner, std::string script) : CDialog(owner, {200, 120}), script_(std::move(script)) {}

protected:
    bool OnInitDialog() override;
    void OnTimer(UINT id) override;
    void OnPaint(Painter& painter) override;

private:
    std::string script_;
    int focusWaits_ = 0;
};

} // namespace qor::test
