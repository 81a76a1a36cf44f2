// The SDL back end on a private Xvfb, driven through the Backend interface with real X input.

#include "SdlTestSupport.h"
#include "platform/backend/sdl/EarlyFramebuffer.h"
#include "platform/backend/sdl/X11Window.h"
#include "platform/gfx/Region.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/shape.h>

#include <algorithm>
#include <atomic>
#include <csignal>
#include <thread>
#include <unistd.h>

namespace qor::test {
namespace {

using Type = BackendEvent::Type;

constexpr Argb kGrey = 0xFF808080;
constexpr Argb kBlue = 0xFF2040C0;

auto Is(Type type, HWND window = kNoWindow) {
    return [=](const BackendEvent& e) { return e.type == type && (window == kNoWindow || e.window == window); };
}

const BackendEvent* FindFirst(const std::vector<BackendEvent>& events, Type type) {
    auto it = std::find_if(events.begin(), events.end(), [&](const BackendEvent& e) { return e.type == type; });
    return it == events.end() ? nullptr : &*it;
}

// A 200 x 200 outline without its top-left 50 x 50 corner.
Region CutCornerRegion() {
    RegionBuilder builder;
    for (int y = 0; y < 200; ++y) {
        builder.BeginRow(y);
        builder.AddRun(y < 50 ? 50 : 0, 200);
    }
    return builder.Build();
}

TEST_F(SdlDisplayTest, ShapedWindowLetsClicksInItsCutOutCornerThrough) {
    const HWND below = OpenWindow(1, NativeWindowKind::Main, Rect::FromXYWH(100, 100, 500, 400), kGrey);
    NativeWindowDesc desc{2, NativeWindowKind::Main, kNoWindow, Rect::FromXYWH(200, 150, 200, 200), "shaped"};
    ASSERT_TRUE(backend_->CreateNativeWindow(desc));
    backend_->SetNativeShape(2, CutCornerRegion()); // before the first present: applied by it
    backend_->ShowNativeWindow(2, true);
    const Image frame(200, 200, kBlue);
    backend_->Present(2, frame, Rect::FromXYWH(0, 0, 200, 200));
    PumpFor(100);

    struct Case {
        Point screen;
        HWND window;
        Point client;
    } cases[] = {
        {{210, 160}, below, {110, 60}}, // in the cut-out corner: the window below gets it
        {{245, 195}, below, {145, 95}}, // still in the corner, next to its edge
        {{255, 160}, 2, {55, 10}},      // right of the corner
        {{300, 250}, 2, {100, 100}},    // middle
        {{205, 205}, 2, {5, 55}},       // below the corner
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(Xdo("mousemove " + std::to_string(c.screen.x) + " " + std::to_string(c.screen.y) + " click 1"));
        const auto events = PumpUntil(Is(Type::MouseUp));
        const BackendEvent* down = FindFirst(events, Type::MouseDown);
        ASSERT_NE(down, nullptr) << "no click arrived at " << c.screen.x << "," << c.screen.y;
        EXPECT_EQ(down->window, c.window) << "at " << c.screen.x << "," << c.screen.y;
        EXPECT_EQ(down->pos, c.client) << "at " << c.screen.x << "," << c.screen.y << ": got " << down->pos.x << ","
                                       << down->pos.y;
        EXPECT_EQ(down->button, MouseButton::Left);
    }

    // An empty region gives the plain rectangle back: the corner takes clicks again.
    backend_->SetNativeShape(2, Region());
    ASSERT_TRUE(Xdo("mousemove 210 160 click 1"));
    const auto events = PumpUntil(Is(Type::MouseUp));
    const BackendEvent* down = FindFirst(events, Type::MouseDown);
    ASSERT_NE(down, nullptr);
    EXPECT_EQ(down->window, 2u);
    EXPECT_EQ(down->pos, (Point{10, 10}));
}

TEST_F(SdlDisplayTest, PopupShowsAboveItsOwnerAndLeavesItTheKeyboard) {
    const HWND owner = OpenWindow(1, NativeWindowKind::Main, Rect::FromXYWH(100, 100, 400, 300), kGrey);
    PumpUntil(Is(Type::FocusGained, owner));
    const HWND popup = OpenWindow(2, NativeWindowKind::Popup, Rect::FromXYWH(300, 200, 150, 100), kBlue, owner);

    XWindowAttributes attributes{};
    ASSERT_TRUE(XGetWindowAttributes(x_, sdl_->XWindowOf(popup), &attributes));
    EXPECT_TRUE(attributes.override_redirect) << "a popup must be kept away from the window manager";

    // Clicked at once: a click that follows a focus change closely is still a click.
    ASSERT_TRUE(Xdo("mousemove 350 250 click 1"));
    auto events = PumpUntil(Is(Type::MouseUp));
    const BackendEvent* down = FindFirst(events, Type::MouseDown);
    ASSERT_NE(down, nullptr);
    EXPECT_EQ(down->window, popup);
    EXPECT_EQ(down->pos, (Point{50, 50}));
    for (const BackendEvent& e : events)
        EXPECT_FALSE(e.window == popup && (e.type == Type::FocusGained || e.type == Type::FocusLost));

    ASSERT_TRUE(Xdo("key a"));
    events = PumpUntil(Is(Type::KeyUp));
    const BackendEvent* key = FindFirst(events, Type::KeyDown);
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->window, owner);
}

TEST_F(SdlDisplayTest, DialogIsTransientForItsOwnerAndTakesTheKeyboard) {
    const HWND owner = OpenWindow(1, NativeWindowKind::Main, Rect::FromXYWH(100, 100, 400, 300), kGrey);
    PumpUntil(Is(Type::FocusGained, owner));
    const HWND dialog = OpenWindow(2, NativeWindowKind::Dialog, Rect::FromXYWH(200, 150, 200, 120), kBlue, owner);

    ::Window transientFor = 0;
    ASSERT_TRUE(XGetTransientForHint(x_, sdl_->XWindowOf(dialog), &transientFor));
    EXPECT_EQ(transientFor, sdl_->XWindowOf(owner));

    ASSERT_TRUE(Xdo("key Escape"));
    const auto events = PumpUntil(Is(Type::KeyUp));
    const BackendEvent* key = FindFirst(events, Type::KeyDown);
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->window, dialog);
    EXPECT_EQ(key->usage, 0x29u);
    const BackendEvent* lost = FindFirst(events, Type::FocusLost);
    ASSERT_NE(lost, nullptr);
    EXPECT_EQ(lost->window, owner);

    // Raising the owner hands the keyboard back.
    backend_->RaiseNativeWindow(owner);
    EXPECT_FALSE(PumpUntil(Is(Type::FocusGained, owner)).empty());
}

TEST_F(SdlDisplayTest, KeysArriveAsUsagesWithTheirText) {
    const HWND window = OpenWindow(1, NativeWindowKind::Main, Rect::FromXYWH(100, 100, 300, 200), kGrey);
    PumpUntil(Is(Type::FocusGained, window));

    struct Case {
        const char* xdotoolKeys;
        std::uint32_t usage; // of the last key pressed
        const char* text;    // typed text, "" for none
    } cases[] = {
        {"a", 0x04, "a"},          {"shift+a", 0x04, "A"},     {"1", 0x1E, "1"},   {"space", 0x2C, " "},
        {"Return", 0x28, ""},      {"Escape", 0x29, ""},       {"BackSpace", 0x2A, ""}, {"Tab", 0x2B, ""},
        {"F5", 0x3E, ""},          {"F12", 0x45, ""},          {"Delete", 0x4C, ""}, {"Left", 0x50, ""},
        {"KP_Enter", 0x58, ""},    {"KP_Add", 0x57, "+"},      {"Control_L", 0xE0, ""}, {"Shift_R", 0xE5, ""},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(Xdo(std::string("key ") + c.xdotoolKeys));
        const std::uint32_t usage = c.usage;
        const auto events = PumpUntil([&](const BackendEvent& e) { return e.type == Type::KeyUp && e.usage == usage; });
        std::vector<std::uint32_t> downs;
        std::string text;
        for (const BackendEvent& e : events) {
            EXPECT_EQ(e.window, window);
            if (e.type == Type::KeyDown) downs.push_back(e.usage);
            if (e.type == Type::TextInput) text += e.text;
        }
        ASSERT_FALSE(downs.empty()) << c.xdotoolKeys;
        EXPECT_EQ(downs.back(), c.usage) << c.xdotoolKeys;
        EXPECT_EQ(text, c.text) << c.xdotoolKeys;
    }
}

TEST_F(SdlDisplayTest, CaptureKeepsMotionOutsideTheWindowAndHoldsBackLeave) {
    const HWND window = OpenWindow(1, NativeWindowKind::Main, Rect::FromXYWH(100, 100, 200, 200), kGrey);
    PumpUntil(Is(Type::FocusGained, window));
    ASSERT_TRUE(Xdo("mousemove 150 150"));
    PumpUntil(Is(Type::MouseMove, window));

    backend_->SetNativeCapture(window);
    ASSERT_TRUE(Xdo("mousemove 40 60"));
    auto events = PumpUntil([](const BackendEvent& e) { return e.type == Type::MouseMove && e.pos == Point{-60, -40}; });
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.back().pos, (Point{-60, -40})) << "motion outside must arrive in window coordinates";
    EXPECT_EQ(events.back().window, window);
    events = PumpFor(100);
    EXPECT_EQ(FindFirst(events, Type::MouseLeave), nullptr);
    EXPECT_EQ(backend_->CursorScreenPos(), (Point{40, 60}));

    backend_->SetNativeCapture(kNoWindow);
    ASSERT_TRUE(Xdo("mousemove 150 150"));
    PumpUntil(Is(Type::MouseMove, window));
    ASSERT_TRUE(Xdo("mousemove 40 60"));
    events = PumpUntil(Is(Type::MouseLeave));
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.back().type, Type::MouseLeave);
    EXPECT_EQ(events.back().window, window);
}

TEST_F(SdlDisplayTest, MoveRelocatesTheXWindowWithoutEchoingItBack) {
    const HWND window = OpenWindow(1, NativeWindowKind::Main, Rect::FromXYWH(100, 100, 200, 150), kGrey);
    PumpFor(50);
    backend_->MoveNativeWindow(window, Rect::FromXYWH(260, 180, 220, 150));
    const auto events = PumpFor(200);
    EXPECT_EQ(XWindowPos(window), (Point{260, 180}));
    EXPECT_EQ(FindFirst(events, Type::Moved), nullptr);
    XWindowAttributes attributes{};
    ASSERT_TRUE(XGetWindowAttributes(x_, sdl_->XWindowOf(window), &attributes));
    EXPECT_EQ(attributes.width, 220);
    EXPECT_EQ(attributes.height, 150);
    // A frame painted for the old size is shown as far as it fits, never beyond.
    const Image oldFrame(200, 150, kBlue);
    backend_->Present(window, oldFrame, Rect::FromXYWH(-10, -10, 400, 400));
}

TEST_F(SdlDisplayTest, MinimiseAsksTheWindowManagerToIconify) {
    const HWND window = OpenWindow(1, NativeWindowKind::Main, Rect::FromXYWH(100, 100, 200, 150), kGrey);
    // A window manager learns of the request from a client message to the root window.
    XSelectInput(x_, DefaultRootWindow(x_), SubstructureNotifyMask);
    XSync(x_, False);
    const Atom changeState = XInternAtom(x_, "WM_CHANGE_STATE", False);
    backend_->MinimizeNativeWindow(window);

    bool asked = false;
    for (int i = 0; i < 200 && !asked; ++i) {
        while (XPending(x_) && !asked) {
            XEvent event;
            XNextEvent(x_, &event);
            asked = event.type == ClientMessage && event.xclient.message_type == changeState &&
                    event.xclient.window == sdl_->XWindowOf(window) && event.xclient.data.l[0] == IconicState;
        }
        if (!asked) usleep(10000);
    }
    EXPECT_TRUE(asked);
}

TEST_F(SdlDisplayTest, IconBecomesTheWindowsNetWmIconAndCanBeCleared) {
    const HWND window = OpenWindow(1, NativeWindowKind::Main, Rect::FromXYWH(100, 100, 200, 150), kGrey);
    Image icon(16, 8, 0xFF112233);
    icon.At(3, 2) = 0x80FF0000;
    backend_->SetNativeIcon(window, icon);
    PumpFor(50);

    const Atom netWmIcon = XInternAtom(x_, "_NET_WM_ICON", False);
    auto readIcon = [&] {
        std::vector<unsigned long> values;
        Atom type = 0;
        int format = 0;
        unsigned long count = 0;
        unsigned long after = 0;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(x_, sdl_->XWindowOf(window), netWmIcon, 0, 1 << 16, False, XA_CARDINAL, &type, &format,
                               &count, &after, &data) == Success &&
            data != nullptr) {
            auto* longs = reinterpret_cast<unsigned long*>(data); // format 32 arrives as longs
            for (unsigned long i = 0; i < count; ++i) values.push_back(longs[i] & 0xFFFFFFFFu);
            XFree(data);
        }
        return values;
    };
    const std::vector<unsigned long> values = readIcon();
    ASSERT_EQ(values.size(), 2u + 16 * 8);
    EXPECT_EQ(values[0], 16u);
    EXPECT_EQ(values[1], 8u);
    EXPECT_EQ(values[2], 0xFF112233u);
    EXPECT_EQ(values[2 + 2 * 16 + 3], 0x80FF0000u);

    backend_->SetNativeIcon(window, Image());
    XSync(x_, False);
    EXPECT_TRUE(readIcon().empty());
}

TEST_F(SdlDisplayTest, CloseRequestsAndSignalsReachTheProgram) {
    const HWND window = OpenWindow(1, NativeWindowKind::Main, Rect::FromXYWH(100, 100, 200, 150), kGrey);
    // What a window manager sends when the user closes the window.
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = sdl_->XWindowOf(window);
    event.xclient.message_type = XInternAtom(x_, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = long(XInternAtom(x_, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(x_, sdl_->XWindowOf(window), False, NoEventMask, &event);
    XFlush(x_);
    auto events = PumpUntil(Is(Type::Close));
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.back().type, Type::Close);
    EXPECT_EQ(events.back().window, window);

    // Closing a window is not quitting; a terminating signal is.
    EXPECT_EQ(FindFirst(events, Type::Quit), nullptr);
    kill(getpid(), SIGTERM);
    events = PumpUntil(Is(Type::Quit));
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.back().type, Type::Quit);
    EXPECT_EQ(events.back().window, kNoWindow);
}

TEST_F(SdlDisplayTest, WakeFromAnotherThreadEndsAnEndlessWait) {
    OpenWindow(1, NativeWindowKind::Main, Rect::FromXYWH(100, 100, 200, 150), kGrey);
    PumpFor(100);
    alarm(30); // watchdog: a lost wake-up would otherwise wait forever
    std::thread waker([this] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        backend_->Wake();
    });
    std::vector<BackendEvent> events;
    backend_->PumpEvents(-1, events);
    alarm(0);
    waker.join();
    for (const BackendEvent& e : events) EXPECT_NE(e.window, kNoWindow) << "the wake-up is no event for the framework";
}

// The fixture's back end has only just begun starting SDL: a window made at once is most likely made
// before SDL is ready, which is the way the program's own main window comes up.
TEST_F(SdlDisplayTest, FramePaintedBeforeTheWindowExistsIsWhatItShows) {
    constexpr HWND window = 1;
    constexpr Argb kGreen = 0xFF30C060;
    NativeWindowDesc desc{window, NativeWindowKind::Main, kNoWindow, Rect::FromXYWH(120, 90, 64, 48), "early"};
    ASSERT_TRUE(backend_->CreateNativeWindow(desc));
    backend_->SetNativeTitle(window, "early, renamed");
    backend_->SetNativeShape(window, Region::FromRect(Rect::FromXYWH(0, 0, 32, 48))); // left half only

    NativeFramebuffer lent = backend_->ClientFramebuffer(window);
    ASSERT_EQ(lent.pixels.GetSize(), (Size{64, 48}));
    EXPECT_TRUE(lent.fresh);
    for (int y = 0; y < 48; ++y)
        std::fill(lent.pixels.Row(y), lent.pixels.Row(y) + 64, y < 24 ? kGreen : kBlue);
    backend_->PresentClientFramebuffer(window, Rect::FromXYWH(0, 0, 64, 48));
    EXPECT_FALSE(backend_->ClientFramebuffer(window).fresh) << "what was painted is still there";

    backend_->ShowNativeWindow(window, true);
    const unsigned long xWindow = sdl_->XWindowOf(window);
    ASSERT_NE(xWindow, 0u);
    XSync(x_, False);
    XImage* image = XGetImage(x_, xWindow, 0, 0, 64, 48, AllPlanes, ZPixmap);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(XGetPixel(image, 10, 5) & 0xFFFFFF, kGreen & 0xFFFFFF);
    EXPECT_EQ(XGetPixel(image, 10, 40) & 0xFFFFFF, kBlue & 0xFFFFFF);
    XDestroyImage(image);

    // The pixels moved into the window surface, which is lent from now on with them in it.
    const NativeFramebuffer surface = backend_->ClientFramebuffer(window);
    ASSERT_EQ(surface.pixels.GetSize(), (Size{64, 48}));
    EXPECT_FALSE(surface.fresh);
    EXPECT_EQ(surface.pixels.At(3, 3) & 0xFFFFFF, kGreen & 0xFFFFFF);

    char* name = nullptr;
    ASSERT_TRUE(XFetchName(x_, xWindow, &name));
    EXPECT_STREQ(name, "early, renamed");
    XFree(name);
    int count = 0;
    int ordering = 0;
    XRectangle* shape = XShapeGetRectangles(x_, xWindow, ShapeBounding, &count, &ordering);
    ASSERT_EQ(count, 1) << "the outline given before the window existed";
    EXPECT_EQ(shape[0].width, 32);
    XFree(shape);
}

TEST_F(SdlDisplayTest, WakeBeforeSdlIsReadyIsNotLost) {
    alarm(30); // watchdog: a lost wake-up would otherwise wait forever
    std::thread([this] { backend_->Wake(); }).join();
    std::vector<BackendEvent> events;
    backend_->PumpEvents(-1, events);
    alarm(0);
    EXPECT_TRUE(events.empty());
}

TEST(EarlyFramebuffer, MovesIntoASurfaceWithItsOwnRowLength) {
    EarlyFramebuffer early;
    early.Allocate({300, 700}); // more than one release step of rows
    ASSERT_FALSE(early.IsEmpty());
    PixelSurface pixels = early.Surface();
    EXPECT_EQ(pixels.At(299, 699), 0u) << "starts transparent";
    for (int y = 0; y < 700; ++y)
        for (int x = 0; x < 300; ++x)
            pixels.At(x, y) = Argb(y * 1000 + x);

    std::vector<Argb> storage(std::size_t(320) * 700, 0xDEADBEEF);
    const PixelSurface target(storage.data(), 300, 700, 320);
    early.MoveInto(target);
    EXPECT_TRUE(early.IsEmpty());
    for (int y : {0, 1, 350, 699})
        for (int x : {0, 150, 299})
            EXPECT_EQ(target.At(x, y), Argb(y * 1000 + x)) << x << "," << y;
    EXPECT_EQ(storage[320 * 5 + 300], 0xDEADBEEF) << "past each row's end nothing is touched";

    early.CopyFrom(Image(4, 3, kGrey));
    EXPECT_EQ(early.GetSize(), (Size{4, 3}));
    EXPECT_EQ(early.Surface().At(3, 2), kGrey);
    early.MoveInto(PixelSurface(storage.data(), 5, 3, 5)); // another size: nothing is copied
    EXPECT_TRUE(early.IsEmpty());
    EXPECT_EQ(storage[0], Argb(0));
    early.Allocate({0, 10});
    EXPECT_TRUE(early.IsEmpty());
}

TEST_F(SdlDisplayTest, UnknownHandlesAndOddFramesAreIgnored) {
    const HWND window = OpenWindow(1, NativeWindowKind::Main, Rect::FromXYWH(100, 100, 50, 40), kGrey);
    NativeWindowDesc duplicate{window, NativeWindowKind::Main, kNoWindow, Rect::FromXYWH(0, 0, 10, 10), "again"};
    EXPECT_FALSE(backend_->CreateNativeWindow(duplicate));
    NativeWindowDesc empty{7, NativeWindowKind::Popup, kNoWindow, Rect{}, ""};
    EXPECT_TRUE(backend_->CreateNativeWindow(empty)) << "a zero-sized window still gets a native window";

    Image broken(50, 40);
    broken.pixels.resize(10); // fewer pixels than its size claims
    backend_->Present(window, broken, Rect::FromXYWH(0, 0, 50, 40));
    backend_->Present(window, Image(), Rect::FromXYWH(0, 0, 50, 40));
    Image brokenIcon(16, 16);
    brokenIcon.pixels.clear();
    backend_->SetNativeIcon(window, brokenIcon);
    for (HWND unknown : {HWND(0), HWND(99)}) {
        backend_->ShowNativeWindow(unknown, true);
        backend_->MoveNativeWindow(unknown, Rect::FromXYWH(0, 0, 10, 10));
        backend_->Present(unknown, Image(4, 4), Rect::FromXYWH(0, 0, 4, 4));
        backend_->SetNativeShape(unknown, Region::FromRect(Rect::FromXYWH(0, 0, 2, 2)));
        backend_->SetNativeCapture(unknown);
        backend_->DestroyNativeWindow(unknown);
    }
    backend_->DestroyNativeWindow(window);
    backend_->DestroyNativeWindow(window);
    PumpFor(50);
}

TEST(SdlBackendWithoutDisplay, ReportsAndGivesNoBackend) {
    const char* display = std::getenv("DISPLAY");
    const std::string saved = display ? display : "";
    unsetenv("DISPLAY");
    testing::internal::CaptureStderr();
    std::unique_ptr<Backend> backend = CreateSdlBackend();
    const std::string said = testing::internal::GetCapturedStderr();
    if (display) setenv("DISPLAY", saved.c_str(), 1);
    EXPECT_EQ(backend, nullptr);
    EXPECT_NE(said.find("No display"), std::string::npos) << said;
}

// A bare virtual display resets whenever its last client leaves and drops the connections being set up
// at that moment; short-lived clients (a script polling for our window) make that happen at any time.
TEST(SdlBackendOnAResettingServer, StartsWhileOtherClientsComeAndGo) {
    if (!XvfbServer::Installed()) GTEST_SKIP() << "Xvfb is not installed";
    XvfbServer server(800, 600, /*resetsWhenIdle=*/true);
    ASSERT_TRUE(server.Running());
    const char* display = std::getenv("DISPLAY");
    const std::string saved = display ? display : "";
    setenv("DISPLAY", server.Display().c_str(), 1);
    PrepareXThreads();

    std::atomic<bool> stop{false};
    std::thread poller([&] {
        while (!stop.load())
            if (Display* x = XOpenDisplay(server.Display().c_str())) XCloseDisplay(x);
    });
    int started = 0;
    constexpr int kStarts = 25;
    for (int i = 0; i < kStarts; ++i) {
        std::unique_ptr<SdlBackend> backend = CreateSdlBackend();
        if (backend == nullptr) break;
        const bool reached = backend->DisplayReachable();
        const Size screen = backend->ScreenSize();
        if (!reached || screen.width != 800 || screen.height != 600 || !backend->WaitUntilStarted()) break;
        ++started;
    }
    stop.store(true);
    poller.join();
    if (display) setenv("DISPLAY", saved.c_str(), 1);
    else unsetenv("DISPLAY");
    EXPECT_EQ(started, kStarts);
}

TEST(ShapeBatches, EndAtBandBoundaries) {
    // Three bands: two rectangles at top 0, three at top 1, one at top 2.
    const std::vector<Rect> rects = {{0, 0, 1, 1}, {2, 0, 3, 1}, {0, 1, 1, 2}, {2, 1, 3, 2},
                                     {4, 1, 5, 2}, {0, 2, 1, 3}};
    struct Case {
        std::size_t max;
        std::vector<std::pair<std::size_t, std::size_t>> batches; // first, count
    } cases[] = {
        {100, {{0, 6}}},
        {5, {{0, 5}, {5, 1}}},
        {4, {{0, 2}, {2, 4}}},
        {2, {{0, 2}, {2, 3}, {5, 1}}}, // a band longer than the limit stays whole
        {0, {{0, 2}, {2, 3}, {5, 1}}},
    };
    for (const Case& c : cases) {
        std::vector<std::pair<std::size_t, std::size_t>> got;
        for (const RectBatch& b : ShapeBatches(rects, c.max)) got.emplace_back(b.first, b.count);
        EXPECT_EQ(got, c.batches) << "max " << c.max;
    }
    EXPECT_TRUE(ShapeBatches({}, 10).empty());
}

} // namespace
} // namespace qor::test
