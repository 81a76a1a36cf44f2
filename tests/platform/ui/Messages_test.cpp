// Handles, posting and sending, private message routing, timers.

#include "RecordingWnd.h"
#include "platform/backend/headless/HeadlessDriver.h"
#include "platform/ui/HostExports.h"
#include "platform/ui/TimerQueue.h"

#include <gtest/gtest.h>
#include <thread>

namespace qor {
namespace {

using test::RecordingWnd;

class MessagesTest : public ::testing::Test {
protected:
    HeadlessDriver ui;
    RecordingWnd top;
    void SetUp() override {
        ASSERT_TRUE(top.CreateTopLevel(WindowKind::Main, "top", Rect::FromXYWH(100, 100, 200, 150)));
        top.ShowWindow(true);
        ui.Process();
        top.Clear();
    }
};

TEST_F(MessagesTest, PostIsQueuedInOrderAndSendReturnsTheHandlersResult) {
    top.onMessage = [&](UINT msg, WPARAM w, LPARAM) -> LRESULT { return msg == 5000 ? w * 2 : 0; };
    ASSERT_TRUE(PostMessage(top.GetSafeHwnd(), 2000, 1));
    ASSERT_TRUE(PostMessage(top.GetSafeHwnd(), 2001, 2));
    EXPECT_TRUE(top.received.empty()) << "posted messages wait for the loop";
    EXPECT_EQ(SendMessage(top.GetSafeHwnd(), 5000, 21), 42);
    ui.Process();
    ASSERT_EQ(top.received.size(), 3u);
    EXPECT_EQ(top.received[0].msg, 5000u);
    EXPECT_EQ(top.received[1].msg, 2000u);
    EXPECT_EQ(top.received[2].msg, 2001u);
}

TEST_F(MessagesTest, DestroyedHandlesNeverResolveAgain) {
    RecordingWnd child;
    ASSERT_TRUE(child.Create(&top, Rect::FromXYWH(0, 0, 10, 10)));
    const HWND handle = child.GetSafeHwnd();
    ASSERT_NE(handle, kNoWindow);
    ASSERT_TRUE(PostMessage(handle, 3000));
    top.DestroyWindow();
    EXPECT_FALSE(IsWindow(handle));
    EXPECT_EQ(child.GetSafeHwnd(), kNoWindow) << "a child goes with its parent";
    EXPECT_FALSE(PostMessage(handle, 3000));
    ui.Process();
    EXPECT_EQ(child.Count(3000), 0) << "a message queued before the destruction is dropped";
}

TEST(HandlesTest, ALaterApplicationHandsOutNewHandles) {
    HWND first;
    {
        HeadlessDriver ui;
        RecordingWnd w;
        ASSERT_TRUE(w.CreateTopLevel(WindowKind::Popup, "", Rect::FromXYWH(0, 0, 5, 5)));
        first = w.GetSafeHwnd();
    }
    HeadlessDriver ui;
    RecordingWnd w;
    ASSERT_TRUE(w.CreateTopLevel(WindowKind::Popup, "", Rect::FromXYWH(0, 0, 5, 5)));
    EXPECT_NE(w.GetSafeHwnd(), first);
    EXPECT_FALSE(IsWindow(first));
}

TEST_F(MessagesTest, FrameworkMessagesReachTheirHandlersAndPrivateOnesOnMessage) {
    struct Handlers : CWnd {
        std::vector<std::string> seen;
        void OnTimer(UINT id) override { seen.push_back("timer " + std::to_string(id)); }
        bool OnCommand(int id, int code, HWND sender) override {
            seen.push_back("command " + std::to_string(id) + "/" + std::to_string(code) + " from " +
                           std::to_string(sender));
            return true;
        }
        void OnEnable(bool on) override { seen.push_back(on ? "enable" : "disable"); }
        LRESULT OnMessage(UINT msg, WPARAM w, LPARAM l) override {
            seen.push_back("private " + std::to_string(msg) + " " + std::to_string(w) + " " +
                           std::to_string(l));
            return 0;
        }
    } w;
    ASSERT_TRUE(w.Create(&top, Rect::FromXYWH(0, 0, 10, 10), 5));
    w.SendMessage(WM_COMMAND, MakeWParam(7, 3), 0x1234);
    w.SendMessage(1245, -1, 0x7FFFFFFFFFFFLL);
    w.SendMessage(13314, 1, 2);
    w.SendMessage(0x0300, 0, 0); // an unknown framework number goes nowhere
    w.EnableWindow(false);
    w.EnableWindow(false); // no change, no message
    w.SetTimer(9, 10);
    ui.Advance(10);
    EXPECT_EQ(w.seen, (std::vector<std::string>{"command 7/3 from 4660", "private 1245 -1 140737488355327",
                                                "private 13314 1 2", "disable", "timer 9"}));
}

TEST_F(MessagesTest, ColourRequestsAreReflectedToTheControlUnlessTheParentAnswers) {
    struct Control : CWnd {
        ControlColors Ask() { return RequestColors(ControlColors{}); }
        bool OnCtlColor(HWND control, ControlColors& colors) override {
            if (control != GetSafeHwnd())
                return CWnd::OnCtlColor(control, colors);
            colors.text = 0xFF112233;
            return true;
        }
    } control;
    struct Parent : RecordingWnd {
        bool answer = false;
        bool OnCtlColor(HWND control, ControlColors& colors) override {
            if (!answer)
                return CWnd::OnCtlColor(control, colors);
            colors.back = 0xFF445566;
            return true;
        }
    } parent;
    ASSERT_TRUE(parent.Create(&top, Rect::FromXYWH(0, 0, 50, 50)));
    ASSERT_TRUE(control.Create(&parent, Rect::FromXYWH(0, 0, 10, 10)));
    ControlColors reflected = control.Ask();
    EXPECT_EQ(reflected.text, 0xFF112233u);
    EXPECT_EQ(reflected.back, ControlColors{}.back);
    parent.answer = true;
    ControlColors answered = control.Ask();
    EXPECT_EQ(answered.text, ControlColors{}.text);
    EXPECT_EQ(answered.back, 0xFF445566u);
}

TEST_F(MessagesTest, TimersFireInOrderOfTheirDueTimesAndStopWhenKilled) {
    std::vector<std::pair<std::uint64_t, UINT>> ticks;
    struct Timed : CWnd {
        std::function<void(UINT)> tick;
        void OnTimer(UINT id) override { tick(id); }
    } a, b;
    ASSERT_TRUE(a.Create(&top, Rect::FromXYWH(0, 0, 10, 10)));
    ASSERT_TRUE(b.Create(&top, Rect::FromXYWH(0, 0, 10, 10)));
    a.tick = [&](UINT id) { ticks.push_back({ui.Backend().NowMs(), id}); };
    b.tick = [&](UINT id) {
        ticks.push_back({ui.Backend().NowMs(), id});
        if (ticks.size() >= 4)
            b.KillTimer(id);
    };
    const std::uint64_t t0 = ui.Backend().NowMs();
    a.SetTimer(1, 30);
    b.SetTimer(2, 20);
    ui.Advance(100);
    std::vector<std::pair<std::uint64_t, UINT>> expected{{20, 2}, {30, 1}, {40, 2},
                                                         {60, 1}, {60, 2}, {90, 1}};
    for (auto& e : expected)
        e.first += t0;
    EXPECT_EQ(ticks, expected);
}

TEST(TimerQueueTest, ATickIsNotQueuedTwiceAndAKilledTimersTickIsDropped) {
    TimerQueue q;
    q.Set(1, 1, 10, 0);
    auto first = q.TakeDue(35);
    ASSERT_EQ(first.size(), 1u);
    EXPECT_TRUE(q.TakeDue(100).empty()) << "the first tick is still waiting to be handled";
    EXPECT_TRUE(q.Deliver(first[0]));
    EXPECT_EQ(q.TakeDue(100).size(), 1u) << "late ticks are not caught up one by one";

    q.Set(2, 7, 5, 0);
    auto second = q.TakeDue(5);
    ASSERT_EQ(second.size(), 1u);
    q.Kill(2, 7);
    q.Set(2, 7, 5, 5); // same id again: the old tick must not count for the new timer
    EXPECT_FALSE(q.Deliver(second[0]));
}

TEST_F(MessagesTest, TimerOfADestroyedWindowGoesAway) {
    RecordingWnd child;
    ASSERT_TRUE(child.Create(&top, Rect::FromXYWH(0, 0, 10, 10)));
    child.SetTimer(1, 10);
    ui.Backend().Advance(10);
    ui.Process(); // tick queued and handled
    ui.Backend().Advance(10);
    child.DestroyWindow();
    ui.Advance(50);
    EXPECT_EQ(child.Count(WM_TIMER), 1);
}

TEST_F(MessagesTest, CommandsFromOtherThreadsArriveThroughTheHostEntryPoint) {
    // The key hook library posts through the exported C function from its own thread.
    auto post = &qor_host_post_message;
    std::thread poster([&] {
        EXPECT_EQ(post(top.GetSafeHwnd(), 2258, 0x41, 0x80), 0);
        EXPECT_NE(post(0xFFFFFFF0u, 2258, 0, 0), 0) << "unknown window";
        EXPECT_NE(post(top.GetSafeHwnd(), WM_SETTEXT, 0, 1), 0) << "messages with pointers are refused";
    });
    poster.join();
    ASSERT_TRUE(ui.RunUntil([&] { return top.Count(2258) == 1; }));
    EXPECT_EQ(top.received.back().wParam, 0x41);
    EXPECT_EQ(top.received.back().lParam, 0x80);
}

TEST_F(MessagesTest, AHungLoopIsEndedByTheWatchdog) {
    EXPECT_FALSE(ui.RunUntil([] { return false; }, 1000));
    EXPECT_TRUE(ui.Backend().HangDetected());
    EXPECT_TRUE(ui.App().QuitRequested());
}

} // namespace
} // namespace qor
