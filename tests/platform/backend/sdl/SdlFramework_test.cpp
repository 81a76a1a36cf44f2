// The window framework on the SDL back end: the demo window set driven with real X input.

#include "DemoWindows.h"
#include "SdlTestSupport.h"
#include "platform/ui/Application.h"

#include <X11/Xlib.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <unistd.h>

namespace qor::test {
namespace {

constexpr UINT kVkLeft = 0x25;

// The few keys these tests type; the program's full usage table lives with the key tables.
UINT TestKeyTranslator(std::uint32_t usage) {
    if (usage >= 0x04 && usage <= 0x1D) return UINT('A' + (usage - 0x04));
    switch (usage) {
    case 0x28: return VK_RETURN;
    case 0x29: return VK_ESCAPE;
    case 0x50: return kVkLeft;
    case 0xE1: return VK_SHIFT;
    default: return 0;
    }
}

class SdlFrameworkTest : public SdlDisplayTest {
protected:
    void SetUp() override {
        SdlDisplayTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        app_ = std::make_unique<Application>(std::move(backend_));
        app_->SetKeyTranslator(TestKeyTranslator);
    }
    void TearDown() override {
        app_.reset();
        SdlDisplayTest::TearDown();
    }

    // Runs the framework's loop until done() or timeoutMs (a watchdog); returns done(). A loop with
    // nothing to do waits for the display without end, so a ticker wakes it to look at the clock.
    bool RunUntil(const std::function<bool()>& done, int timeoutMs = 5000) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        std::atomic<bool> finished{false};
        Backend& backend = app_->GetBackend();
        std::thread ticker([&] {
            while (!finished) {
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
                backend.Wake();
            }
        });
        app_->RunLoop([&] { return done() || std::chrono::steady_clock::now() >= deadline; });
        finished = true;
        ticker.join();
        return done();
    }
    void RunFor(int ms) { RunUntil([] { return false; }, ms); }

    static std::string MoveAndClick(Point screen) {
        return "mousemove " + std::to_string(screen.x) + " " + std::to_string(screen.y) + " click 1";
    }

    std::unique_ptr<Application> app_;
};

TEST_F(SdlFrameworkTest, ClicksReachTheChildUnderThemExceptInTheCutOutCorner) {
    CDemoMain main;
    ASSERT_TRUE(main.Open({200, 150}));
    RunFor(200);

    struct Case {
        Point screen;
        const std::vector<Point>* receiver; // null: nothing of ours may get it
        Point client;
    } cases[] = {
        {{200 + 150, 150 + 115}, &main.button.clicks, {50, 15}},
        {{200 + 101, 150 + 229}, &main.field.clicks, {1, 29}},
        {{200 + 10, 150 + 10}, nullptr, {}},                  // cut-out corner
        {{200 + 59, 150 + 59}, nullptr, {}},                  // its last pixel
        {{200 + 60, 150 + 10}, &main.surfaceClicks, {60, 10}}, // just right of it
    };
    for (const Case& c : cases) {
        const std::size_t before = main.button.clicks.size() + main.field.clicks.size() + main.surfaceClicks.size();
        auto total = [&] { return main.button.clicks.size() + main.field.clicks.size() + main.surfaceClicks.size(); };
        ASSERT_TRUE(Xdo(MoveAndClick(c.screen)));
        if (c.receiver == nullptr) {
            RunFor(300);
            EXPECT_EQ(total(), before) << "a click in the cut-out corner reached the window at " << c.screen.x << ","
                                       << c.screen.y;
            continue;
        }
        ASSERT_TRUE(RunUntil([&] { return total() > before; })) << "no click at " << c.screen.x << "," << c.screen.y;
        ASSERT_FALSE(c.receiver->empty()) << "the click went elsewhere at " << c.screen.x << "," << c.screen.y;
        EXPECT_EQ(c.receiver->back(), c.client) << "at " << c.screen.x << "," << c.screen.y << ": got "
                                                << c.receiver->back().x << "," << c.receiver->back().y;
        RunFor(50); // let the button come up before the next case
    }
}

TEST_F(SdlFrameworkTest, PopupAboveTheMainWindowTakesClicksButNotTheKeyboard) {
    CDemoMain main;
    ASSERT_TRUE(main.Open({200, 150}));
    main.field.SetFocus();
    CDemoControl popup(0xFF20A040);
    ASSERT_TRUE(popup.CreateTopLevel(WindowKind::Popup, "menu", Rect::FromXYWH(280, 230, 120, 80), &main));
    popup.ShowWindow(true);
    RunFor(200);

    // Over the main window's button: the popup is on top.
    ASSERT_TRUE(Xdo(MoveAndClick({310, 260})));
    ASSERT_TRUE(RunUntil([&] { return !popup.clicks.empty(); }));
    EXPECT_EQ(popup.clicks.back(), (Point{30, 30}));
    EXPECT_TRUE(main.button.clicks.empty());

    ASSERT_TRUE(Xdo("key a"));
    ASSERT_TRUE(RunUntil([&] { return !main.field.keysDown.empty(); }));
    EXPECT_EQ(main.field.keysDown.back(), UINT('A'));
    EXPECT_TRUE(popup.keysDown.empty());
}

TEST_F(SdlFrameworkTest, KeysReachTheFocusedControlAsVirtualKeysAndCharacters) {
    CDemoMain main;
    ASSERT_TRUE(main.Open({200, 150}));
    main.field.SetFocus();
    RunFor(200);

    ASSERT_TRUE(Xdo("key a shift+b Left Return"));
    ASSERT_TRUE(RunUntil([&] { return main.field.keysDown.size() >= 5; }));
    RunFor(100);
    EXPECT_EQ(main.field.keysDown, (std::vector<UINT>{'A', VK_SHIFT, 'B', kVkLeft, VK_RETURN}));
    EXPECT_EQ(main.field.typed, U"aB");
    EXPECT_TRUE(main.button.keysDown.empty());
}

TEST_F(SdlFrameworkTest, DraggingTheSurfaceMovesTheWindow) {
    CDemoMain main;
    ASSERT_TRUE(main.Open({200, 150}));
    RunFor(200);

    ASSERT_TRUE(Xdo("mousemove 500 170 mousedown 1"));
    ASSERT_TRUE(RunUntil([&] { return !main.surfaceClicks.empty(); }));
    // Steps as a hand makes them; each is taken in before the next.
    for (Point to : {Point{530, 190}, Point{580, 215}, Point{600, 220}}) {
        ASSERT_TRUE(Xdo("mousemove " + std::to_string(to.x) + " " + std::to_string(to.y)));
        const Rect expected = Rect::FromXYWH(200 + to.x - 500, 150 + to.y - 170, 400, 300);
        EXPECT_TRUE(RunUntil([&] { return main.GetWindowRect() == expected; }))
            << "window at " << main.GetWindowRect().left << "," << main.GetWindowRect().top;
    }
    ASSERT_TRUE(Xdo("mouseup 1"));
    RunFor(100);
    EXPECT_EQ(main.GetWindowRect(), Rect::FromXYWH(300, 200, 400, 300));
    EXPECT_EQ(XWindowPos(main.GetSafeHwnd()), (Point{300, 200})) << "the X window must follow";

    // The drag is over: moving the pointer leaves the window where it is.
    ASSERT_TRUE(Xdo("mousemove 650 300"));
    RunFor(200);
    EXPECT_EQ(main.GetWindowRect(), Rect::FromXYWH(300, 200, 400, 300));
}

TEST_F(SdlFrameworkTest, ModalDialogTakesTheKeyboardWhileItsOwnerIgnoresClicks) {
    struct Case {
        const char* key;
        int result;
    } cases[] = {{"Return", IDOK}, {"Escape", IDCANCEL}};
    CDemoMain main;
    ASSERT_TRUE(main.Open({200, 150}));
    RunFor(200);
    for (const Case& c : cases) {
        // The owner's button at screen 310,260 lies under the dialog; its far corner does not.
        CDemoDialog dialog(&main, "mousemove 590 440 click 1 sleep 0.3 key " + std::string(c.key));
        alarm(30); // watchdog for the nested loop
        EXPECT_EQ(dialog.DoModal(), c.result) << c.key;
        alarm(0);
        EXPECT_TRUE(main.surfaceClicks.empty()) << "the owner took a click during the modal loop";
        EXPECT_TRUE(main.IsWindowEnabled());
    }
}

} // namespace
} // namespace qor::test
