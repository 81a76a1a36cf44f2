// This test program is a host for KBHook.so: it exports the host's C functions, records the messages
// the library posts, and drives the library's key tap itself (no display) or types keys on an X
// server with xdotool (under xvfb-run).

#include "kbhook/KBHook.h"
#include "kbhook/XKeyCodes.h"
#include "platform/sys/SharedLibrary.h"
#include "platform/ui/HostExports.h"

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <gtest/gtest.h>
#include <mutex>
#include <sys/wait.h>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;

struct Post {
    uint32_t window, message;
    int64_t w, l;
    bool operator==(const Post&) const = default;
};

std::mutex gMutex;
std::condition_variable gPosted;
std::vector<Post> gPosts;
QorKeyTapFn gTap = nullptr;
void* gTapContext = nullptr;

std::vector<Post> TakePosts() {
    std::lock_guard lock(gMutex);
    return std::exchange(gPosts, {});
}

// Waits (bounded) until `count` posts are recorded.
bool WaitForPosts(std::size_t count, std::chrono::milliseconds limit) {
    std::unique_lock lock(gMutex);
    return gPosted.wait_for(lock, limit, [&] { return gPosts.size() >= count; });
}

void Tap(uint32_t vk, uint32_t flags) {
    QorKeyTapFn tap;
    void* context;
    {
        std::lock_guard lock(gMutex);
        tap = gTap;
        context = gTapContext;
    }
    if (tap)
        tap(context, vk, flags);
}

} // namespace

extern "C" int qor_host_set_key_tap(QorKeyTapFn fn, void* context) {
    std::lock_guard lock(gMutex);
    gTap = fn;
    gTapContext = context;
    return 0;
}

extern "C" int qor_host_post_message(uint32_t window, uint32_t message, int64_t wParam, int64_t lParam) {
    {
        std::lock_guard lock(gMutex);
        gPosts.push_back({window, message, wParam, lParam});
    }
    gPosted.notify_all();
    return 0;
}

namespace {

struct Hook {
    qor::sys::SharedLibrary library{std::string(QOR_EXE_DIR) + "KBHook.so"};
    KBHookInstallFn install = library.Find<KBHookInstallFn>("installhook");
    KBHookEnableFn enable = library.Find<KBHookEnableFn>("enablehook");
    KBHookRemoveFn remove = library.Find<KBHookRemoveFn>("removehook");
    KBHookMouseFn installMouse = library.Find<KBHookMouseFn>("installmousehook");
    KBHookMouseFn removeMouse = library.Find<KBHookMouseFn>("removemousehook");
};

TEST(KBHookTest, ReportsHostKeysOnlyWhileEnabled) {
    ::unsetenv("DISPLAY"); // the host's own windows are then the only source
    Hook hook;
    ASSERT_TRUE(hook.library.Loaded());
    ASSERT_TRUE(hook.install && hook.enable && hook.remove && hook.installMouse && hook.removeMouse);
    TakePosts();

    hook.install(77);
    {
        std::lock_guard lock(gMutex);
        ASSERT_NE(gTap, nullptr) << "installhook sets the host's key tap";
    }
    Tap(0x41, 0);
    EXPECT_TRUE(TakePosts().empty()) << "nothing before enablehook(1)";

    hook.enable(1);
    struct Case {
        uint32_t vk, hostFlags;
        int64_t lParam;
    };
    for (Case c : {Case{0x41, 0, 0}, {0x41, 0x80, 0x80}, {0x25, 0, 1}, {0xA3, 0x80, 0x81}, {0x0D, 0, 0}}) {
        Tap(c.vk, c.hostFlags);
        auto posts = TakePosts();
        ASSERT_EQ(posts.size(), 1u) << "vk " << c.vk;
        EXPECT_EQ(posts[0], (Post{77, 2258, c.vk, c.lParam})) << "vk " << c.vk << " lParam " << posts[0].l;
    }
    Tap(0, 0);
    Tap(300, 0);
    EXPECT_TRUE(TakePosts().empty()) << "no report for codes that are not virtual keys";

    hook.enable(0);
    Tap(0x42, 0);
    EXPECT_TRUE(TakePosts().empty()) << "enablehook(0) stops every report";

    hook.install(78); // a later dialog takes over
    hook.enable(1);
    Tap(0x43, 0);
    EXPECT_EQ(TakePosts(), (std::vector<Post>{{78, 2258, 0x43, 0}}));

    hook.remove();
    {
        std::lock_guard lock(gMutex);
        EXPECT_EQ(gTap, nullptr) << "removehook takes the key tap away";
    }
    EXPECT_EQ(hook.installMouse(), 0);
    EXPECT_EQ(hook.removeMouse(), 0);
}

TEST(KBHookTest, EveryKeyOfTheUsageTableCanBeTypedOnAnX11Keyboard) {
    std::vector<bool> reached(256);
    for (int keycode = 8; keycode < 256; ++keycode)
        reached[qor::kbhook::XKeycodeToVk(keycode)] = true;
    for (const auto& pair : qor::kKeyUsageTable)
        EXPECT_TRUE(reached[pair.vk]) << "vk " << int(pair.vk);

    // A few evdev key codes of a pc105 keyboard.
    struct Case {
        int keycode, vk;
    };
    for (Case c : {Case{38, 0x41},
                   {36, 0x0D},
                   {104, 0x6C},
                   {105, 0xA3},
                   {113, 0x25},
                   {133, 0x5B},
                   {135, 0x5D},
                   {107, 0x2A},
                   {127, 0x13},
                   {96, 0x7B},
                   {121, 0xAD},
                   {94, 0}}) {
        EXPECT_EQ(qor::kbhook::XKeycodeToVk(c.keycode), c.vk) << "keycode " << c.keycode;
    }
}

// Runs itself again inside xvfb-run; the inner run types with xdotool and checks the reports.
TEST(KBHookXTest, ReportsKeysTypedAnywhereOnTheDisplay) {
    if (!std::getenv("QOR_KBHOOK_X_CHILD")) {
        if (std::system("command -v xvfb-run >/dev/null && command -v xdotool >/dev/null") != 0)
            GTEST_SKIP() << "xvfb-run or xdotool is missing";
        std::string command = "xvfb-run -a env QOR_KBHOOK_X_CHILD=1 /proc/" + std::to_string(::getpid()) +
                              "/exe --gtest_filter=KBHookXTest.ReportsKeysTypedAnywhereOnTheDisplay";
        int status = std::system(command.c_str());
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0) << "the run under Xvfb failed; its output is above";
        return;
    }

    Hook hook;
    ASSERT_TRUE(hook.library.Loaded());
    hook.install(5);
    hook.enable(1);
    // The raw-event listener starts on its own thread; type until its first report arrives.
    bool heard = false;
    for (int i = 0; i < 50 && !heard; ++i) {
        ASSERT_EQ(std::system("xdotool key a"), 0);
        heard = WaitForPosts(2, 200ms);
    }
    ASSERT_TRUE(heard) << "no report of a key typed with xdotool";
    std::this_thread::sleep_for(200ms);
    TakePosts();

    // (Modifiers are left out on purpose: xdotool releases them twice.)
    ASSERT_EQ(std::system("xdotool keydown Left keydown KP_Enter keyup KP_Enter keyup Left"), 0);
    ASSERT_TRUE(WaitForPosts(4, 5s));
    EXPECT_EQ(TakePosts(),
              (std::vector<Post>{
                  {5, 2258, 0x25, 1}, {5, 2258, 0x6C, 1}, {5, 2258, 0x6C, 0x81}, {5, 2258, 0x25, 0x81}}));

    // The X source sees the host's own windows too, so the tap is not used while it listens.
    Tap(0x43, 0);
    EXPECT_TRUE(TakePosts().empty()) << "a key from the tap would be reported twice";

    hook.enable(0);
    ASSERT_EQ(std::system("xdotool key b"), 0);
    EXPECT_FALSE(WaitForPosts(1, 500ms)) << "a key was reported while disabled";

    hook.remove();
    hook.enable(1);
    ASSERT_EQ(std::system("xdotool key c"), 0);
    EXPECT_FALSE(WaitForPosts(1, 500ms)) << "a key was reported after removehook";
}

} // namespace
