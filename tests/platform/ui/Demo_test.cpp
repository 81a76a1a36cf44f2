// The demonstration window set driven the way a person would use it.

#include "DemoWindows.h"
#include "platform/backend/headless/HeadlessDriver.h"
#include "platform/ui/Application.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace qor {
namespace {

using demo::DemoMain;

TEST(DemoTest, ButtonsLightWhileHoveredAndHoldTheCaptureExactlyThen) {
    HeadlessDriver ui;
    DemoMain main;
    ASSERT_TRUE(main.CreateModeless(WindowKind::Main));
    const HWND a = main.openPopup.GetSafeHwnd();
    const HWND b = main.openModal.GetSafeHwnd();
    ui.Process();

    ui.ClearPosted();
    ui.MoveTo(a, {10, 10});
    EXPECT_TRUE(main.openPopup.Hover());
    const auto reports = ui.PostedTo(main.GetSafeHwnd(), demo::kMsgPointerMoved);
    ASSERT_EQ(reports.size(), 1u) << "each move over a button is reported to its parent";
    EXPECT_EQ(HWND(reports[0].wParam), a);
    EXPECT_EQ(GetCapture(), a);
    EXPECT_EQ(ui.App().Framebuffer(main.GetSafeHwnd())->At(30, 30), demo::kButtonHover);
    ui.MoveTo(b, {10, 10}); // straight onto the next button: the first lets go
    EXPECT_FALSE(main.openPopup.Hover());
    ui.MoveTo(b, {11, 10});
    EXPECT_TRUE(main.openModal.Hover());
    EXPECT_EQ(GetCapture(), b);
    ui.MoveTo(main.GetSafeHwnd(), {300, 250}); // fast move far away: still ends the hover
    EXPECT_FALSE(main.openModal.Hover());
    EXPECT_EQ(GetCapture(), kNoWindow);
    EXPECT_EQ(ui.App().Framebuffer(main.GetSafeHwnd())->At(30, 80), demo::kButtonNormal);

    // Pressing elsewhere and dragging over a button does not light it.
    ui.Press(main.GetSafeHwnd(), {300, 250});
    ui.MoveTo(a, {10, 10});
    EXPECT_FALSE(main.openPopup.Hover());
    ui.Release(a, {10, 10});

    // A disabled button gets no mouse at all; its parent does.
    ui.MoveTo(main.disabled.GetSafeHwnd(), {10, 10});
    EXPECT_FALSE(main.disabled.Hover());
    EXPECT_EQ(ui.App().Framebuffer(main.GetSafeHwnd())->At(30, 130), demo::kButtonDisabled);
}

TEST(DemoTest, ModalDialogWithTimerFocusAndKeyFilter) {
    HeadlessDriver ui;
    DemoMain main;
    main.modalSwallowKeys = true;
    ASSERT_TRUE(main.CreateModeless(WindowKind::Main));
    ui.Process();
    main.field.SetFocus();
    ui.Process();
    main.log.clear();

    ui.Later(100, [&] {
        // Timer 1 has focused the dialog's field by now; keys that would close the dialog are eaten.
        ui.Key(VK_ESCAPE);
        ui.Key(VK_RETURN);
        ui.Key(VK_SPACE);
        ui.Type("ok");
    });
    ui.Later(200, [&] {
        CWnd* dialog = CWnd::FromHandle(ui.Backend().ActiveWindow());
        ASSERT_NE(dialog, nullptr);
        auto* modal = static_cast<demo::DemoModal*>(dialog);
        EXPECT_EQ(modal->field.typed, "ok");
        ui.Click(modal->ok.GetSafeHwnd(), {5, 5});
    });
    ui.Click(main.openModal.GetSafeHwnd(), {5, 5});

    EXPECT_EQ(main.modalResult, IDOK);
    EXPECT_EQ(main.log, (std::vector<std::string>{"focus lost", "modal 1", "  init", "  timer 1",
                                                  "  focus gained", "  swallowed 27", "  swallowed 13",
                                                  "  swallowed 32", "  command 1", "focus gained"}));
    EXPECT_EQ(GetFocus(), main.field.GetSafeHwnd()) << "the focus returns to the main window's field";
    EXPECT_FALSE(ui.Backend().HangDetected());
}

TEST(DemoTest, DialogEndedByItsOwnTimer) {
    HeadlessDriver ui;
    DemoMain main;
    main.modalAutoCloseMs = 300;
    ASSERT_TRUE(main.CreateModeless(WindowKind::Main));
    ui.Process();
    const std::uint64_t start = ui.Backend().NowMs();
    ui.Click(main.openModal.GetSafeHwnd(), {5, 5});
    EXPECT_EQ(main.modalResult, 7);
    EXPECT_EQ(ui.Backend().NowMs() - start, 300u);
}

TEST(DemoTest, MainWindowRunsModallyAndEndsWithEscape) {
    HeadlessDriver ui;
    DemoMain main;
    std::string shot;
    ui.Later(10, [&] { ui.Click(main.openPopup.GetSafeHwnd(), {5, 5}); });
    ui.Later(20, [&] {
        ASSERT_TRUE(main.popup);
        ui.Click(main.popup->entries[2].GetSafeHwnd(), {5, 5});
    });
    ui.Later(30, [&] {
        const Image* frame = ui.App().Framebuffer(main.GetSafeHwnd());
        ASSERT_NE(frame, nullptr);
        EXPECT_EQ(frame->At(390, 10), 0u) << "the cut-out corner is transparent";
        EXPECT_EQ(frame->At(390, 50), demo::kBackground);
        const auto* native = ui.Backend().Window(main.GetSafeHwnd());
        ASSERT_NE(native, nullptr);
        EXPECT_EQ(native->shape, main.GetWindowRgn()) << "the native window has the outline";
        EXPECT_EQ(native->desc.kind, NativeWindowKind::Main);
        // For people and documentation: QOR_UI_SHOT_DIR=folder keeps a picture of the window.
        if (const char* dir = std::getenv("QOR_UI_SHOT_DIR")) {
            EXPECT_TRUE(ui.App().SaveScreenshot(main.GetSafeHwnd(), std::string(dir) + "/demo-main.png"));
        }
        ui.Key(VK_ESCAPE);
    });
    EXPECT_EQ(main.DoModal(), IDCANCEL);
    EXPECT_EQ(main.log, (std::vector<std::string>{"focus gained", "popup opened", "choice 2"}))
        << "the field, the first tab stop, had the focus from the start";
    EXPECT_TRUE(ui.Backend().Windows().empty());
    EXPECT_FALSE(ui.Backend().HangDetected());
}

} // namespace
} // namespace qor
