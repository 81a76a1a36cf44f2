// Windows destroyed while their own messages are being dispatched. These tests matter most under
// AddressSanitizer: a framework that touched a freed window would be reported there.

#include "DemoWindows.h"
#include "RecordingWnd.h"
#include "platform/backend/headless/HeadlessDriver.h"
#include "platform/ui/Application.h"

#include <gtest/gtest.h>

namespace qor {
namespace {

using test::RecordingWnd;

class DestructionTest : public ::testing::Test {
protected:
    HeadlessDriver ui;
    demo::DemoMain main;
    void SetUp() override {
        demo::DemoPopup::liveObjects = 0;
        ASSERT_TRUE(main.CreateModeless(WindowKind::Main));
        ui.Process();
    }
    void OpenPopup(demo::DemoPopup::OnChoice mode) {
        main.popupMode = mode;
        ui.Click(main.openPopup.GetSafeHwnd(), {5, 5});
        ASSERT_TRUE(main.popup && main.popup->IsWindow());
    }
};

TEST_F(DestructionTest, PopupFreedByItsOwnerFromInsideItsEntrysClick) {
    // entry click -> popup command -> owner (sent) frees the popup -> back in the entry's handler,
    // which keeps using its members: the deferred delete keeps them alive until the click is done.
    OpenPopup(demo::DemoPopup::OnChoice::SendToOwner);
    const HWND entry = main.popup->entries[1].GetSafeHwnd();
    ui.Click(entry, {10, 10});
    EXPECT_EQ(main.log.back(), "choice 1");
    EXPECT_FALSE(main.popup);
    EXPECT_FALSE(IsWindow(entry));
    EXPECT_EQ(demo::DemoPopup::liveObjects, 0) << "freed once the click was handled";
    EXPECT_EQ(GetCapture(), kNoWindow);
}

TEST_F(DestructionTest, PopupDestroysItsOwnWindowFromItsEntrysClick) {
    OpenPopup(demo::DemoPopup::OnChoice::DestroySelf);
    const HWND popupHandle = main.popup->GetSafeHwnd();
    ui.MoveTo(main.popup->entries[0].GetSafeHwnd(), {3, 3}); // hover: the entry takes the capture
    ui.Click(main.popup->entries[0].GetSafeHwnd(), {3, 3});
    EXPECT_FALSE(IsWindow(popupHandle));
    EXPECT_EQ(ui.Backend().Window(popupHandle), nullptr);
    EXPECT_EQ(main.log.back(), "choice 0") << "the posted choice arrives after the popup is gone";
    EXPECT_EQ(demo::DemoPopup::liveObjects, 0);
    // Input goes on normally afterwards.
    ui.Click(main.openPopup.GetSafeHwnd(), {5, 5});
    EXPECT_EQ(demo::DemoPopup::liveObjects, 1);
}

TEST_F(DestructionTest, ReopeningThePopupFromItsOwnHoverFreesTheOldOne) {
    OpenPopup(demo::DemoPopup::OnChoice::PostOnly);
    ui.Click(main.openPopup.GetSafeHwnd(), {5, 5});
    ui.Click(main.openPopup.GetSafeHwnd(), {6, 6});
    EXPECT_EQ(demo::DemoPopup::liveObjects, 1);
    main.DestroyWindow(); // takes the owned popup's window with it
    EXPECT_FALSE(main.popup->IsWindow());
}

TEST_F(DestructionTest, HandlersThatDestroyTheirWindowOrDeleteTheirObject) {
    struct SelfDestroying : CWnd {
        int* destroyed = nullptr;
        ~SelfDestroying() override { ++*destroyed; }
        void OnLButtonDown(UINT, Point) override { DestroyWindow(); }
        void OnTimer(UINT) override { delete this; }   // the object goes in its own handler
        void OnDestroy() override { SetTimer(1, 10); } // on a dying window: never fires
    };
    int destroyed = 0;
    auto* a = new SelfDestroying;
    a->destroyed = &destroyed;
    ASSERT_TRUE(a->Create(&main, Rect::FromXYWH(300, 200, 50, 50)));
    a->SetCapture();
    a->SetFocus();
    const HWND handleA = a->GetSafeHwnd();
    ui.Click(handleA, {1, 1});
    EXPECT_FALSE(IsWindow(handleA));
    ui.Advance(50);
    EXPECT_EQ(destroyed, 0);
    delete a;

    auto* b = new SelfDestroying;
    b->destroyed = &destroyed;
    ASSERT_TRUE(b->Create(&main, Rect::FromXYWH(300, 200, 50, 50)));
    b->SetTimer(3, 10);
    ui.Advance(10);
    EXPECT_EQ(destroyed, 2);
    ui.Advance(50);
}

TEST_F(DestructionTest, AnObjectDeletedInOnDestroyIsNotTouchedAfterwards) {
    struct DeletesItself : CWnd {
        void OnDestroy() override { delete this; }
    };
    auto* w = new DeletesItself;
    ASSERT_TRUE(w->Create(&main, Rect::FromXYWH(0, 0, 5, 5)));
    const HWND handle = w->GetSafeHwnd();
    main.DestroyWindow(); // the child's OnDestroy frees it half way through the destruction
    EXPECT_FALSE(IsWindow(handle));
}

TEST_F(DestructionTest, DeferredObjectsWaitForNestedLoopsBelowThem) {
    // A popup hands itself to DeleteLater and then runs a modal dialog from the same handler. The
    // nested loop must not free it: its handler is still on the stack and uses it afterwards.
    struct ModalPopup : CDialog {
        using CDialog::CDialog;
        int* live = nullptr;
        int* liveAfterDialog = nullptr;
        ~ModalPopup() override { --*live; }
        void OnLButtonDown(UINT, Point) override {
            Application::Current()->DeleteLater(std::unique_ptr<CWnd>(this));
            demo::DemoModal dlg(GetParent());
            dlg.autoCloseMs = 100;
            dlg.DoModal();
            *liveAfterDialog = *live;
            *live += 100; // writes through this object: it must still exist
            *live -= 100;
        }
    };
    int live = 1;
    auto* popup = new ModalPopup(&main, {100, 100});
    popup->live = &live;
    ASSERT_TRUE(popup->CreateModeless());
    const HWND handle = popup->GetSafeHwnd();
    int liveAfterDialog = -1;
    popup->liveAfterDialog = &liveAfterDialog;
    ui.Press(handle, {1, 1});
    EXPECT_EQ(liveAfterDialog, 1) << "still alive when the nested loop returned";
    EXPECT_EQ(live, 0) << "freed after the handler returned";
    EXPECT_FALSE(IsWindow(handle));
    EXPECT_FALSE(ui.Backend().HangDetected());
}

} // namespace
} // namespace qor
