#pragma once
// A window that records every message it handles, for tests that check what arrived and in which
// order.

#include "platform/gfx/Painter.h"
#include "platform/ui/CWnd.h"

#include <functional>
#include <string>
#include <vector>

namespace qor::test {

struct Received {
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
};

class RecordingWnd : public CWnd {
public:
    std::vector<Received> received;
    Argb fill = 0;                                          // painted over the client area unless 0
    std::function<LRESULT(UINT, WPARAM, LPARAM)> onMessage; // private messages
    std::function<void(UINT, Point)> onMouse;               // mouse messages (msg, client point)

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg != WM_PAINT)
            received.push_back({msg, wParam, lParam});
        return CWnd::WindowProc(msg, wParam, lParam);
    }

    std::vector<UINT> Messages(UINT only = 0) const {
        std::vector<UINT> out;
        for (const Received& r : received)
            if (only == 0 || r.msg == only)
                out.push_back(r.msg);
        return out;
    }
    int Count(UINT msg) const {
        int n = 0;
        for (const Received& r : received)
            n += r.msg == msg;
        return n;
    }
    void Clear() { received.clear(); }

protected:
    void OnPaint(Painter& painter) override {
        if (fill)
            painter.FillRect(GetClientRect(), fill);
    }
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        return onMessage ? onMessage(msg, wParam, lParam) : 0;
    }
    void OnMouseMove(UINT, Point p) override { Mouse(WM_MOUSEMOVE, p); }
    void OnLButtonDown(UINT, Point p) override { Mouse(WM_LBUTTONDOWN, p); }
    void OnLButtonUp(UINT, Point p) override { Mouse(WM_LBUTTONUP, p); }

private:
    void Mouse(UINT msg, Point p) {
        if (onMouse)
            onMouse(msg, p);
    }
};

} // namespace qor::test
