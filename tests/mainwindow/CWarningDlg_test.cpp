// The confirmation box, run modally over an owner through the headless back end: how each way of
// ending it answers, what it shows, and where.

#include "mainwindow/CWarningDlg.h"
#include "platform/backend/headless/HeadlessDriver.h"
#include "platform/gfx/ImageFile.h"
#include "platform/gfx/Painter.h"
#include "skin/SkinPaths.h"
#include "skin/SkinText.h"

#include <functional>
#include <gtest/gtest.h>

namespace qor {
namespace {

class Owner : public CWnd {
protected:
    void OnPaint(Painter& painter) override { painter.FillRect(GetClientRect(), 0xFF000000); }
};

class WarningDlgTest : public ::testing::Test {
protected:
    HeadlessDriver ui;
    Owner owner;
    void SetUp() override {
        SetSkinRoot(QOR_EXE_DIR "images/0409/");
        ASSERT_TRUE(owner.CreateTopLevel(WindowKind::Main, "owner", Rect::FromXYWH(0, 0, 800, 620)));
        owner.ShowWindow(true);
        ui.Process();
    }
    void TearDown() override { SetSkinRoot(""); }
    // Runs the dialog; `act` runs once it is up.
    int Run(CWarningDlg& dlg, const std::function<void()>& act) {
        ui.Later(20, act);
        return dlg.DoModal();
    }
};

TEST_F(WarningDlgTest, EachWayOfEndingItAnswersConfirmOrCancel) {
    struct Case {
        const char* what;
        std::function<void(HeadlessDriver&, CWarningDlg&)> act;
        int result;
    };
    const Case cases[] = {
        {"OK button",
         [](HeadlessDriver& ui, CWarningDlg& d) {
             ui.Click(d.OkButton().GetSafeHwnd(), {40, 12});
         },
         IDOK},
        {"Cancel button",
         [](HeadlessDriver& ui, CWarningDlg& d) {
             ui.Click(d.CancelButton().GetSafeHwnd(), {40, 12});
         },
         IDCANCEL},
        {"Enter while Cancel has the focus",
         [](HeadlessDriver& ui, CWarningDlg& d) {
             d.CancelButton().SetFocus();
             ui.Key(VK_RETURN);
         },
         IDOK},
        {"Escape", [](HeadlessDriver& ui, CWarningDlg&) { ui.Key(VK_ESCAPE); }, IDCANCEL},
        {"closed by the system",
         [](HeadlessDriver& ui, CWarningDlg& d) { ui.Backend().Close(d.GetSafeHwnd()); }, IDCANCEL},
        {"pressed on OK, released off it",
         [](HeadlessDriver& ui, CWarningDlg& d) {
             ui.Press(d.OkButton().GetSafeHwnd(), {40, 12});
             ui.Release(d.GetSafeHwnd(), {5, 5});
             ui.Key(VK_ESCAPE);
         },
         IDCANCEL},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CWarningDlg dlg(&owner, "Title", "Line one", "Line two");
        EXPECT_EQ(Run(dlg, [&] { c.act(ui, dlg); }), c.result);
        EXPECT_FALSE(dlg.IsWindow());
        EXPECT_TRUE(owner.IsWindowEnabled());
        EXPECT_FALSE(ui.Backend().HangDetected());
    }
}

TEST_F(WarningDlgTest, ShowsItsTextsAndArtworkAtTheirPlaces) {
    CWarningDlg dlg(&owner, "Reset Profile", "Reset this profile to factory settings?",
                    "All changes to this profile will be lost.");
    Rect window, ok, cancel;
    std::string texts[3], okCaption, cancelCaption;
    Rect textRects[3];
    Argb symbolPixel = 0;
    Run(dlg, [&] {
        window = dlg.GetWindowRect();
        ok = dlg.OkButton().GetRectInParent();
        cancel = dlg.CancelButton().GetRectInParent();
        okCaption = dlg.OkButton().GetCaption();
        cancelCaption = dlg.CancelButton().GetCaption();
        for (int i = 0; i < 3; ++i) {
            texts[i] = dlg.TextControl(i).GetWindowText();
            textRects[i] = dlg.TextControl(i).GetRectInParent();
        }
        const Image* frame = ui.App().Framebuffer(dlg.GetSafeHwnd());
        if (frame)
            symbolPixel = frame->At(34 + 48, 104 + 45);
        dlg.EndDialog(IDCANCEL);
    });
    EXPECT_EQ(window, Rect::FromXYWH((800 - 478) / 2, (620 - 292) / 2, 478, 292)) << "centred on the owner";
    EXPECT_EQ(ok, (Rect{135, 219, 228, 245}));
    EXPECT_EQ(cancel, (Rect{234, 219, 327, 245}));
    EXPECT_FALSE(okCaption.empty());
    EXPECT_EQ(okCaption, SkinText("General", 46));
    EXPECT_EQ(cancelCaption, SkinText("General", 47));
    EXPECT_EQ(texts[0], "Reset Profile");
    EXPECT_EQ(texts[1], "Reset this profile to factory settings?");
    EXPECT_EQ(texts[2], "All changes to this profile will be lost.");
    EXPECT_EQ(textRects[0], (Rect{103, 42, 376, 69}));
    EXPECT_EQ(textRects[1], (Rect{127, 103, 405, 141}));
    EXPECT_EQ(textRects[2], (Rect{127, 157, 405, 187}));

    // The symbol is drawn at its own size at 34,104; an opaque pixel of it shows unchanged.
    const Image symbol = LoadImageFile(SkinPath(SkinFolder::Background, "warn.png"));
    ASSERT_EQ(symbol.GetSize(), (Size{96, 90})) << "the generated skin is missing";
    if ((symbol.At(48, 45) >> 24) == 0xFF) {
        EXPECT_EQ(symbolPixel, symbol.At(48, 45));
    }
}

TEST_F(WarningDlgTest, WithoutSkinFilesItStillRunsAndAnswers) {
    SetSkinRoot("/nonexistent/skin/");
    CWarningDlg dlg(&owner, "", "", "");
    std::string caption = "unset";
    EXPECT_EQ(Run(dlg,
                  [&] {
                      caption = dlg.OkButton().GetCaption();
                      ui.Click(dlg.OkButton().GetSafeHwnd(), {40, 12});
                  }),
              IDOK);
    EXPECT_EQ(caption, "");
}

} // namespace
} // namespace qor
