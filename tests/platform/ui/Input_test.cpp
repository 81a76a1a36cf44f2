// Hit testing, mouse capture, hover tracking, keyboard focus, keys and window dragging.

#include "RecordingWnd.h"
#include "platform/backend/headless/HeadlessDriver.h"
#include "platform/ui/HostExports.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

namespace qor {
namespace {

using test::RecordingWnd;

class InputTest : public ::testing::Test {
protected:
    HeadlessDriver ui;
    RecordingWnd top;   // 300 x 200 at (100, 50); its top-left 50 x 50 corner is cut out
    RecordingWnd left;  // (60, 60)-(160, 160)
    RecordingWnd inner; // (10, 10)-(50, 50) inside left
    RecordingWnd right; // (150, 60)-(250, 160), overlaps left and lies above it
    void SetUp() override {
        ASSERT_TRUE(top.CreateTopLevel(WindowKind::Main, "top", Rect::FromXYWH(100, 50, 300, 200)));
        RegionBuilder b;
        for (int y = 0; y < 200; ++y) {
            b.BeginRow(y);
            b.AddRun(y < 50 ? 50 : 0, 300);
        }
        top.SetWindowRgn(b.Build());
        ASSERT_TRUE(left.Create(&top, Rect{60, 60, 160, 160}, 1));
        ASSERT_TRUE(inner.Create(&left, Rect{10, 10, 50, 50}, 2));
        ASSERT_TRUE(right.Create(&top, Rect{150, 60, 250, 160}, 3));
        top.ShowWindow(true);
        ui.Process();
    }
    HWND At(int x, int y) { return ui.App().WindowFromPoint({100 + x, 50 + y}); }
};

TEST_F(InputTest, HitTestingFindsTheTopmostVisibleEnabledWindow) {
    struct Case {
        Point p;
        HWND expected;
        const char* why;
    };
    const Case cases[] = {
        {{20, 20}, kNoWindow, "cut out of the outline"},
        {{70, 20}, top.GetSafeHwnd(), "the top-level background"},
        {{80, 80}, inner.GetSafeHwnd(), "a grandchild"},
        {{65, 65}, left.GetSafeHwnd(), "a child around a grandchild"},
        {{155, 100}, right.GetSafeHwnd(), "the later sibling lies on top"},
        {{299, 199}, top.GetSafeHwnd(), "last pixel"},
        {{300, 100}, kNoWindow, "right edge is outside"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(At(c.p.x, c.p.y), c.expected) << c.why;

    right.ShowWindow(false);
    EXPECT_EQ(At(155, 100), left.GetSafeHwnd()) << "hidden windows are not hit";
    left.BringWindowToTop();
    right.ShowWindow(true);
    EXPECT_EQ(At(155, 100), left.GetSafeHwnd()) << "raised above its sibling";
    inner.EnableWindow(false);
    EXPECT_EQ(At(80, 80), left.GetSafeHwnd()) << "a disabled window passes the point to its parent";
}

TEST_F(InputTest, MouseMessagesCarryClientCoordinatesAndButtonFlags) {
    ui.Click(inner.GetSafeHwnd(), {5, 7});
    ASSERT_EQ(inner.Count(WM_LBUTTONDOWN), 1);
    const auto& down = inner.received[inner.received.size() - 2];
    EXPECT_EQ(down.msg, UINT(WM_LBUTTONDOWN));
    EXPECT_EQ(PointFromLParam(down.lParam), (Point{5, 7}));
    EXPECT_EQ(down.wParam & MK_LBUTTON, MK_LBUTTON);
    const auto& up = inner.received.back();
    EXPECT_EQ(up.msg, UINT(WM_LBUTTONUP));
    EXPECT_EQ(up.wParam & MK_LBUTTON, 0);

    top.Clear();
    ui.Click(top.GetSafeHwnd(), {20, 20}); // in the cut-out corner
    EXPECT_EQ(top.Count(WM_LBUTTONDOWN), 0);
}

TEST_F(InputTest, CaptureRoutesEveryMouseEventAndReportsItsLoss) {
    ui.Press(left.GetSafeHwnd(), {5, 5});
    EXPECT_EQ(left.SetCapture(), kNoWindow);
    left.Clear();
    right.Clear();
    ui.MoveTo(right.GetSafeHwnd(), {10, 10}); // over another window
    ui.MoveTo(top.GetSafeHwnd(), {-30, -20}); // outside the program's window
    ASSERT_EQ(left.Count(WM_MOUSEMOVE), 2);
    EXPECT_EQ(right.Count(WM_MOUSEMOVE), 0);
    EXPECT_EQ(PointFromLParam(left.received[0].lParam), (Point{100, 10}));
    EXPECT_EQ(PointFromLParam(left.received[1].lParam), (Point{-90, -80}))
        << "negative points keep their sign";
    EXPECT_EQ(ui.Backend().NativeCapture(), top.GetSafeHwnd());

    EXPECT_EQ(right.SetCapture(), left.GetSafeHwnd());
    ASSERT_EQ(left.Count(WM_CAPTURECHANGED), 1);
    EXPECT_EQ(HWND(left.received.back().lParam), right.GetSafeHwnd());
    ReleaseCapture();
    ASSERT_EQ(right.Count(WM_CAPTURECHANGED), 1);
    EXPECT_EQ(right.received.back().lParam, 0);
    EXPECT_EQ(ui.Backend().NativeCapture(), kNoWindow);
}

TEST_F(InputTest, CaptureFocusAndHoverAreWeakReferences) {
    inner.SetCapture();
    inner.SetFocus();
    inner.TrackMouseLeave();
    const HWND gone = inner.GetSafeHwnd();
    left.DestroyWindow(); // takes inner with it
    EXPECT_EQ(GetCapture(), kNoWindow);
    EXPECT_EQ(GetFocus(), kNoWindow);
    EXPECT_FALSE(IsWindow(gone));
    ui.MoveTo(top.GetSafeHwnd(), {200, 180});
    ui.Click(top.GetSafeHwnd(), {200, 180});
    EXPECT_EQ(top.Count(WM_LBUTTONDOWN), 1) << "input flows normally again";
}

TEST_F(InputTest, MouseLeaveComesOnceWhenThePointerLeavesTheTrackedWindow) {
    ui.MoveTo(left.GetSafeHwnd(), {5, 5});
    left.TrackMouseLeave();
    ui.MoveTo(left.GetSafeHwnd(), {6, 6});
    EXPECT_EQ(left.Count(WM_MOUSELEAVE), 0);
    ui.MoveTo(inner.GetSafeHwnd(), {1, 1}); // a child covers the tracked window there
    EXPECT_EQ(left.Count(WM_MOUSELEAVE), 1);
    ui.MoveTo(right.GetSafeHwnd(), {1, 1});
    EXPECT_EQ(left.Count(WM_MOUSELEAVE), 1) << "tracking ends with the first leave";

    right.TrackMouseLeave();
    RecordingWnd other;
    ASSERT_TRUE(other.CreateTopLevel(WindowKind::Popup, "", Rect::FromXYWH(600, 600, 50, 50)));
    other.ShowWindow(true);
    ui.MoveTo(other.GetSafeHwnd(), {10, 10}); // onto another native window
    EXPECT_EQ(right.Count(WM_MOUSELEAVE), 1);

    // Tracking a window the pointer is not over reports at once.
    left.TrackMouseLeave();
    ui.Process();
    EXPECT_EQ(left.Count(WM_MOUSELEAVE), 2);
}

TEST_F(InputTest, FocusChangesNotifyBothWindowsAndKeysGoToTheFocus) {
    left.SetFocus();
    right.SetFocus();
    ASSERT_GE(left.Count(WM_KILLFOCUS), 1);
    EXPECT_EQ(HWND(left.received.back().wParam), right.GetSafeHwnd());
    ASSERT_EQ(right.Count(WM_SETFOCUS), 1);
    EXPECT_EQ(HWND(right.received.back().wParam), left.GetSafeHwnd());

    right.Clear();
    ui.Key(0x41);
    ui.Type("hé");
    EXPECT_EQ(right.Messages(), (std::vector<UINT>{WM_KEYDOWN, WM_KEYUP, WM_CHAR, WM_CHAR}));
    EXPECT_EQ(right.received[0].wParam, 0x41);
    EXPECT_EQ(right.received[1].lParam & kKeyReleaseFlag, kKeyReleaseFlag);
    EXPECT_EQ(right.received[3].wParam, 0xE9);

    // Deactivation takes the focus away; activation brings it back to the same window.
    RecordingWnd other;
    ASSERT_TRUE(other.CreateTopLevel(WindowKind::Dialog, "", Rect::FromXYWH(600, 600, 50, 50)));
    other.ShowWindow(true);
    ui.Process();
    EXPECT_EQ(GetFocus(), other.GetSafeHwnd());
    EXPECT_EQ(right.Count(WM_KILLFOCUS), 1);
    ui.Backend().Activate(top.GetSafeHwnd());
    ui.Process();
    EXPECT_EQ(GetFocus(), right.GetSafeHwnd());
}

TEST_F(InputTest, KeysAreTranslatedByTheInjectedTableAndSeenByTheKeyTap) {
    struct Tap {
        std::vector<std::pair<uint32_t, uint32_t>> keys;
    } tap;
    // The key hook library looks the entry point up in the running program.
    auto setTap = reinterpret_cast<int (*)(QorKeyTapFn, void*)>(dlsym(RTLD_DEFAULT, "qor_host_set_key_tap"));
    ASSERT_NE(setTap, nullptr) << "the program must export its host functions";
    ASSERT_EQ(setTap(
                  [](void* c, uint32_t vk, uint32_t flags) {
                      static_cast<Tap*>(c)->keys.push_back({vk, flags});
                  },
                  &tap),
              0);
    ui.App().SetKeyTranslator([](std::uint32_t usage) -> UINT { return usage == 0x04 ? 0x41 : 0; });
    top.SetFocus();
    top.Clear();
    ui.Key(0x04); // A
    ui.Key(0x05); // not in the table
    setTap(nullptr, nullptr);
    ui.Key(0x04);
    EXPECT_EQ(tap.keys, (std::vector<std::pair<uint32_t, uint32_t>>{{0x41, 0}, {0x41, 0x80}}));
    EXPECT_EQ(top.Count(WM_KEYDOWN), 2);
    EXPECT_EQ(top.received[0].wParam, 0x41);
    EXPECT_EQ((top.received[0].lParam >> 16) & 0xFF, 0x04) << "the usage travels with the key";
}

TEST_F(InputTest, AWindowFollowsThePointerWhileDragged) {
    top.onMouse = [&](UINT msg, Point) {
        if (msg == WM_LBUTTONDOWN)
            top.BeginWindowDrag();
    };
    ui.Press(top.GetSafeHwnd(), {280, 20});
    ui.MoveTo(top.GetSafeHwnd(), {300, 40});  // 20 right and down
    ui.MoveTo(top.GetSafeHwnd(), {290, 30});  // window moved already: 10 further each way
    ui.Release(top.GetSafeHwnd(), {280, 20}); // where the pointer now is in the moved window
    EXPECT_EQ(top.GetWindowRect(), Rect::FromXYWH(130, 80, 300, 200));
    EXPECT_EQ(ui.Backend().Window(top.GetSafeHwnd())->screenRect, Rect::FromXYWH(130, 80, 300, 200));
    EXPECT_EQ(left.ClientToScreen({0, 0}), (Point{190, 140}));
    ui.MoveTo(top.GetSafeHwnd(), {10, 150});
    EXPECT_EQ(top.GetWindowRect().left, 130) << "the drag ended with the button";
}

} // namespace
} // namespace qor
