// Windows reachable from other processes: a registered window takes posts and answers sends on the
// user-interface thread; FindWindow, PostMessage and SendMessage reach windows of other processes.

#include "RecordingWnd.h"
#include "platform/backend/headless/HeadlessDriver.h"
#include "platform/ipc/Ipc.h"

#include <cstdlib>
#include <filesystem>
#include <future>
#include <gtest/gtest.h>
#include <thread>

namespace qor {
namespace {

using test::RecordingWnd;

class CrossProcessTest : public ::testing::Test {
protected:
    std::filesystem::path runtimeDir;
    std::string oldRuntime;
    bool hadRuntime = false;
    HeadlessDriver ui;
    RecordingWnd main;

    void SetUp() override {
        if (const char* v = std::getenv("XDG_RUNTIME_DIR")) {
            hadRuntime = true;
            oldRuntime = v;
        }
        char pattern[] = "/tmp/qor-ui-ipc-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        runtimeDir = pattern;
        setenv("XDG_RUNTIME_DIR", pattern, 1);
        ASSERT_TRUE(main.CreateTopLevel(WindowKind::Main, "QOR UI TEST MAIN", Rect::FromXYWH(0, 0, 50, 50)));
        ASSERT_TRUE(main.ExposeToOtherProcesses());
        main.Clear();
    }
    void TearDown() override {
        main.DestroyWindow();
        if (hadRuntime)
            setenv("XDG_RUNTIME_DIR", oldRuntime.c_str(), 1);
        else
            unsetenv("XDG_RUNTIME_DIR");
        std::filesystem::remove_all(runtimeDir);
    }
};

TEST_F(CrossProcessTest, PostsAreQueuedAndSendsAnsweredOnTheUserInterfaceThread) {
    const std::thread::id uiThread = std::this_thread::get_id();
    std::thread::id handlerThread;
    main.onMessage = [&](UINT msg, WPARAM w, LPARAM l) -> LRESULT {
        handlerThread = std::this_thread::get_id();
        return msg == 5397 ? w + l : 0;
    };
    auto peer = std::async(std::launch::async, [] {
        const bool posted = ipc::PostToWindow("QOR UI TEST MAIN", 1245, 1, 0);
        return std::make_pair(posted, ipc::SendToWindow("QOR UI TEST MAIN", 5397, 40, 2));
    });
    ASSERT_TRUE(ui.RunUntil(
        [&] { return peer.wait_for(std::chrono::milliseconds(0)) == std::future_status::ready; }));
    const auto [posted, answer] = peer.get();
    EXPECT_TRUE(posted);
    ASSERT_TRUE(answer.has_value());
    EXPECT_EQ(*answer, 42);
    ui.Process();
    EXPECT_EQ(main.Messages(1245).size(), 1u);
    EXPECT_EQ(handlerThread, uiThread);
}

TEST_F(CrossProcessTest, FrameworkMessagesFromOutsideAreIgnored) {
    // Framework messages carry pointers and window states of this process; a peer cannot send them.
    auto peer = std::async(std::launch::async, [] {
        ipc::PostToWindow("QOR UI TEST MAIN", WM_SETTEXT, 0, 0xDEADBEEF);
        ipc::PostToWindow("QOR UI TEST MAIN", WM_PAINT, 0x1234, 0);
        ipc::PostToWindow("QOR UI TEST MAIN", WM_CLOSE, 0, 0);
        ipc::PostToWindow("QOR UI TEST MAIN", 1245, 0, 0);
    });
    ASSERT_TRUE(ui.RunUntil([&] { return main.Count(1245) == 1; }));
    peer.get();
    EXPECT_EQ(main.Messages(), std::vector<UINT>{1245});
    EXPECT_TRUE(main.IsWindow());
}

TEST_F(CrossProcessTest, WindowsOfOtherProcessesAreFoundAndMessaged) {
    std::vector<ipc::Frame> got;
    std::mutex gotMutex;
    auto agent = ipc::Endpoint::Register("QOR UI TEST AGENT", [&](const ipc::Frame& f, auto reply) {
        std::lock_guard lock(gotMutex);
        got.push_back(f);
        reply(f.message == 1246 ? 7 : 0);
    });
    ASSERT_TRUE(agent);
    EXPECT_EQ(FindWindow("NO SUCH WINDOW"), kNoWindow);
    EXPECT_EQ(FindWindow("QOR UI TEST MAIN"), main.GetSafeHwnd()) << "own windows are found directly";
    const HWND remote = FindWindow("QOR UI TEST AGENT");
    ASSERT_NE(remote, kNoWindow);
    EXPECT_EQ(FindWindow("QOR UI TEST AGENT"), remote);
    EXPECT_TRUE(IsWindow(remote));
    EXPECT_EQ(SendMessage(remote, 1246, 3, 4), 7);
    EXPECT_TRUE(PostMessage(remote, 1250, 5, 6));
    for (int i = 0; i < 200; ++i) {
        {
            std::lock_guard lock(gotMutex);
            if (got.size() == 2)
                break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    {
        std::lock_guard lock(gotMutex);
        ASSERT_EQ(got.size(), 2u);
        EXPECT_EQ(got[0].message, 1246u);
        EXPECT_EQ(got[1].message, 1250u);
        EXPECT_EQ(got[1].lParam, 6);
    }
    agent.reset();
    EXPECT_FALSE(IsWindow(remote));
    EXPECT_FALSE(PostMessage(remote, 1250, 0, 0));
    EXPECT_EQ(SendMessage(remote, 1246, 0, 0), 0);
}

TEST_F(CrossProcessTest, TheRegistrationFollowsTheTitleAndEndsWithTheWindow) {
    main.SetWindowText("QOR UI TEST RENAMED");
    EXPECT_TRUE(ipc::WindowExists("QOR UI TEST RENAMED"));
    EXPECT_FALSE(ipc::WindowExists("QOR UI TEST MAIN"));
    EXPECT_EQ(ui.Backend().Window(main.GetSafeHwnd())->title, "QOR UI TEST RENAMED");
    main.DestroyWindow();
    EXPECT_FALSE(ipc::WindowExists("QOR UI TEST RENAMED"));
}

} // namespace
} // namespace qor
