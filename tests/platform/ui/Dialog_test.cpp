// Modal and modeless dialogs: nested loops, owner disabling, end codes, keyboard handling, quitting.

#include "DemoWindows.h"
#include "RecordingWnd.h"
#include "platform/backend/headless/HeadlessDriver.h"
#include "platform/ui/Application.h"

#include <gtest/gtest.h>

namespace qor {
namespace {

using test::RecordingWnd;

class ScriptedDialog : public CDialog {
public:
    using CDialog::CDialog;
    std::function<bool()> onInit;
    std::vector<std::string> seen;

protected:
    bool OnInitDialog() override { return onInit ? onInit() : true; }
    void OnOK() override {
        seen.push_back("ok");
        CDialog::OnOK();
    }
    void OnCancel() override {
        seen.push_back("cancel");
        CDialog::OnCancel();
    }
};

class DialogTest : public ::testing::Test {
protected:
    HeadlessDriver ui;
    RecordingWnd owner;
    void SetUp() override {
        ASSERT_TRUE(owner.CreateTopLevel(WindowKind::Main, "owner", Rect::FromXYWH(0, 0, 800, 600)));
        owner.ShowWindow(true);
        ui.Process();
    }
};

TEST_F(DialogTest, ModalRunDisablesTheOwnerAndReturnsTheEndCode) {
    ScriptedDialog dlg(&owner, {200, 100});
    bool ownerWasDisabled = false;
    HWND dialogHandle = kNoWindow;
    ui.Later(10, [&] {
        dialogHandle = dlg.GetSafeHwnd();
        ownerWasDisabled = !owner.IsWindowEnabled();
        EXPECT_TRUE(dlg.IsWindowVisible());
        EXPECT_EQ(dlg.GetWindowRect(), Rect::FromXYWH(300, 250, 200, 100)) << "centred on the owner";
        dlg.EndDialog(42);
    });
    EXPECT_EQ(dlg.DoModal(), 42);
    EXPECT_TRUE(ownerWasDisabled);
    EXPECT_TRUE(owner.IsWindowEnabled());
    EXPECT_FALSE(IsWindow(dialogHandle));
    EXPECT_EQ(ui.Backend().Window(dialogHandle), nullptr) << "the native window is gone";
    EXPECT_FALSE(ui.Backend().HangDetected());
    EXPECT_EQ(owner.Count(WM_ENABLE), 2);
}

TEST_F(DialogTest, EnterConfirmsAndEscapeCancels) {
    struct Case {
        std::uint32_t key;
        int code;
        const char* handler;
    };
    for (const Case c : {Case{VK_RETURN, IDOK, "ok"}, Case{VK_ESCAPE, IDCANCEL, "cancel"}}) {
        ScriptedDialog dlg(&owner);
        ui.Later(10, [&] { ui.Key(c.key); });
        EXPECT_EQ(dlg.DoModal(), c.code);
        EXPECT_EQ(dlg.seen, std::vector<std::string>{c.handler});
    }
}

TEST_F(DialogTest, OtherWindowsKeepGettingMessagesDuringTheModalLoop) {
    ScriptedDialog dlg(&owner);
    owner.SetTimer(5, 100);
    RecordingWnd popup;
    ASSERT_TRUE(popup.CreateTopLevel(WindowKind::Popup, "", Rect::FromXYWH(600, 0, 50, 50)));
    popup.ShowWindow(true);
    ui.Later(10, [&] { owner.PostMessage(3000); });
    ui.Later(20, [&] { ui.Click(popup.GetSafeHwnd(), {5, 5}); });
    ui.Later(20, [&] { ui.Click(owner.GetSafeHwnd(), {5, 5}); });
    ui.Later(350, [&] { dlg.EndDialog(IDOK); });
    owner.Clear();
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(owner.Count(3000), 1);
    EXPECT_EQ(owner.Count(WM_TIMER), 3);
    EXPECT_EQ(owner.Count(WM_LBUTTONDOWN), 0) << "the disabled owner takes no input";
    EXPECT_EQ(popup.Count(WM_LBUTTONDOWN), 1) << "an enabled window does";
}

TEST_F(DialogTest, EndingDuringInitialisationNeverShowsTheDialog) {
    ScriptedDialog dlg(&owner);
    dlg.onInit = [&] {
        dlg.EndDialog(IDCANCEL);
        return true;
    };
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    for (HWND w : ui.Backend().Windows())
        EXPECT_EQ(w, owner.GetSafeHwnd());
    EXPECT_EQ(owner.Count(WM_ENABLE), 0);
}

TEST_F(DialogTest, NestedDialogsUnwindInOrder) {
    ScriptedDialog outer(&owner);
    ScriptedDialog inner(&outer);
    int innerResult = 0;
    bool outerDisabledMeanwhile = false;
    ui.Later(10, [&] {
        ui.Later(10, [&] {
            outerDisabledMeanwhile = !outer.IsWindowEnabled() && !owner.IsWindowEnabled();
            ui.Key(VK_ESCAPE); // reaches the inner dialog, the active one
        });
        innerResult = inner.DoModal();
        ui.Later(10, [&] { ui.Key(VK_RETURN); });
    });
    EXPECT_EQ(outer.DoModal(), IDOK);
    EXPECT_EQ(innerResult, IDCANCEL);
    EXPECT_TRUE(outerDisabledMeanwhile);
    EXPECT_TRUE(owner.IsWindowEnabled());
}

TEST_F(DialogTest, QuittingEndsEveryLoopCleanly) {
    // A dialog-based main window runs modally as the program's only loop; the system's quit request
    // ends it and leaves the quit in place for whatever loop is outside.
    demo::DemoMain main;
    ui.Later(10, [&] { ui.Click(main.openModal.GetSafeHwnd(), {5, 5}); });
    ui.Later(200, [&] { ui.Backend().Quit(); });
    EXPECT_EQ(main.DoModal(), IDCANCEL);
    EXPECT_EQ(main.modalResult, IDCANCEL) << "the nested dialog ended first";
    EXPECT_TRUE(ui.App().QuitRequested());
    EXPECT_EQ(ui.App().Run(), 0) << "an outer loop returns at once";
    EXPECT_FALSE(ui.Backend().HangDetected());
    EXPECT_FALSE(main.IsWindow());
}

TEST_F(DialogTest, TabMovesTheFocusThroughTabStops) {
    ScriptedDialog dlg(&owner, {300, 200});
    RecordingWnd a, b, skipped;
    std::vector<HWND> order;
    HWND ha = kNoWindow, hb = kNoWindow;
    dlg.onInit = [&] {
        a.Create(&dlg, Rect::FromXYWH(0, 0, 10, 10));
        skipped.Create(&dlg, Rect::FromXYWH(0, 20, 10, 10));
        b.Create(&dlg, Rect::FromXYWH(0, 40, 10, 10));
        ha = a.GetSafeHwnd();
        hb = b.GetSafeHwnd();
        a.SetTabStop(true);
        b.SetTabStop(true);
        return true;
    };
    ui.Later(10, [&] {
        order.push_back(GetFocus());
        ui.Key(VK_TAB);
    });
    ui.Later(20, [&] {
        order.push_back(GetFocus());
        ui.Key(VK_TAB);
    });
    ui.Later(30, [&] {
        order.push_back(GetFocus());
        ui.KeyDown(VK_SHIFT);
        ui.Key(VK_TAB);
        ui.KeyUp(VK_SHIFT);
    });
    ui.Later(40, [&] {
        order.push_back(GetFocus());
        dlg.EndDialog(IDOK);
    });
    dlg.DoModal();
    EXPECT_EQ(order, (std::vector<HWND>{ha, hb, ha, hb}));
}

} // namespace
} // namespace qor
