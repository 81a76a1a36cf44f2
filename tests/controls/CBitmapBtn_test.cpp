// The image button driven through the headless back end: faces and caption colours per state, hover
// through the mouse capture, clicks in normal and toggle mode, and a button destroyed by its own click.

#include "ControlsTestSupport.h"
#include "controls/CBitmapBtn.h"
#include "platform/ui/Application.h"

#include <gtest/gtest.h>

namespace qor {
namespace {

using test::HostWnd;
using test::Report;

constexpr Argb kNormal = 0xFFC00000;
constexpr Argb kHover = 0xFF00C000;
constexpr Argb kPressed = 0xFF0000C0;
constexpr Argb kDisabled = 0xFF808080;
constexpr Rect kButtonRect{20, 20, 140, 60};
constexpr int kButtonId = 77;

class ButtonTest : public ::testing::Test {
protected:
    HeadlessDriver ui;
    test::ImageDir images;
    HostWnd host;
    std::unique_ptr<CBitmapBtn> button = std::make_unique<CBitmapBtn>();

    void SetUp() override {
        ASSERT_TRUE(host.CreateTopLevel(WindowKind::Main, "host", Rect::FromXYWH(50, 50, 400, 300)));
        ASSERT_TRUE(button->Create(&host, kButtonRect, kButtonId));
        button->SetImageFiles(images.Solid("n.png", {8, 8}, kNormal), images.Solid("h.png", {8, 8}, kHover),
                              images.Solid("p.png", {8, 8}, kPressed),
                              images.Solid("d.png", {8, 8}, kDisabled));
        host.ShowWindow(true);
        ui.Process();
        ASSERT_NE(ui.App().GetActiveWindow(), kNoWindow);
    }
    HWND Button() const { return button->GetSafeHwnd(); }
    Argb Face() { return test::PixelOf(ui, *button, {3, 3}); }
    std::vector<Report> Commands() const { return host.Only(WM_COMMAND); }
};

TEST_F(ButtonTest, HoverLightsWhileThePointerIsOverAndEndsWhenAnotherWindowIsUnderIt) {
    EXPECT_EQ(Face(), kNormal);
    ui.MoveTo(Button(), {10, 10});
    EXPECT_TRUE(button->Hover);
    EXPECT_EQ(GetCapture(), Button()) << "the hover is held through the capture";
    EXPECT_EQ(Face(), kHover);
    EXPECT_EQ(host.Only(kMsgButtonPointerMoved),
              (std::vector<Report>{{kMsgButtonPointerMoved, WPARAM(Button()), 0}}));

    ui.MoveTo(Button(), {60, 30});
    EXPECT_EQ(host.Only(kMsgButtonPointerMoved).size(), 2u) << "every move over the button is reported";

    // Leaving fast: the next event already lands far away, on the host.
    ui.MoveTo(host.GetSafeHwnd(), {350, 250});
    EXPECT_FALSE(button->Hover);
    EXPECT_EQ(GetCapture(), kNoWindow);
    EXPECT_EQ(Face(), kNormal);
}

TEST_F(ButtonTest, NormalClickCommandsTheParentOnlyWhenPressAndReleaseAreBothOnTheButton) {
    ui.Press(Button(), {10, 10});
    EXPECT_EQ(Face(), kPressed) << "pressed face while held";
    ui.Release(Button(), {12, 12});
    EXPECT_EQ(Commands(),
              (std::vector<Report>{{WM_COMMAND, MakeWParam(kButtonId, BN_CLICKED), LPARAM(Button())}}));
    EXPECT_FALSE(button->Checked) << "a normal button never checks itself";

    // Pressed, dragged off and released elsewhere: no click; the face comes back up while off.
    ui.Press(Button(), {10, 10});
    ui.MoveTo(host.GetSafeHwnd(), {300, 200});
    EXPECT_EQ(Face(), kNormal);
    ui.MoveTo(Button(), {10, 10});
    EXPECT_EQ(Face(), kPressed) << "back over the button while still held";
    ui.MoveTo(host.GetSafeHwnd(), {300, 200});
    ui.Release(host.GetSafeHwnd(), {300, 200});
    EXPECT_EQ(Commands().size(), 1u);
    EXPECT_EQ(GetCapture(), kNoWindow);
}

TEST_F(ButtonTest, ADragThatStartsElsewhereNeitherLightsNorClicksTheButton) {
    for (bool toggle : {false, true}) {
        SCOPED_TRACE(toggle ? "toggle mode" : "normal mode");
        button->ToggleMode = toggle;
        host.reports.clear();
        ui.Press(host.GetSafeHwnd(), {300, 200});
        ui.MoveTo(Button(), {10, 10});
        EXPECT_FALSE(button->Hover);
        EXPECT_EQ(Face(), kNormal);
        EXPECT_TRUE(host.Only(kMsgButtonPointerMoved).empty());
        ui.Release(Button(), {10, 10});
        EXPECT_TRUE(Commands().empty());
        EXPECT_FALSE(button->Checked);
        ui.MoveTo(host.GetSafeHwnd(), {300, 200});
    }
}

TEST_F(ButtonTest, ToggleClicksFlipCheckedAndCommandTheParentEachTime) {
    button->ToggleMode = true;
    ui.Click(Button(), {10, 10});
    EXPECT_TRUE(button->Checked);
    ui.MoveTo(host.GetSafeHwnd(), {300, 200});
    EXPECT_EQ(Face(), kPressed) << "a checked toggle shows the pressed face";
    ui.Click(Button(), {10, 10});
    EXPECT_FALSE(button->Checked);
    const Report command{WM_COMMAND, MakeWParam(kButtonId, 0), LPARAM(Button())};
    EXPECT_EQ(Commands(), (std::vector<Report>{command, command}));

    // Pressed on the button but released elsewhere: not a click.
    ui.Press(Button(), {10, 10});
    ui.MoveTo(host.GetSafeHwnd(), {300, 200});
    ui.Release(host.GetSafeHwnd(), {300, 200});
    EXPECT_FALSE(button->Checked);
    EXPECT_EQ(Commands().size(), 2u);
}

TEST_F(ButtonTest, FaceAndCaptionColourFollowTheStateTable) {
    constexpr std::uint32_t kNormalText = 0x0000FF; // 0x00BBGGRR: red
    constexpr std::uint32_t kHoverText = 0x00FF00;
    constexpr std::uint32_t kPressedText = 0xFF0000;
    button->TextColors = {kNormalText, kHoverText, kPressedText};
    button->FontHeight = 30;
    button->FontWeight = 700;
    button->ShowCaption = true;
    button->SetCaption("HIM", 0, CaptionAlign::Centred);
    const Rect all{0, 0, kButtonRect.Width(), kButtonRect.Height()};
    auto captionIn = [&](std::uint32_t colour) {
        return test::CountColour(ui, *button, all, ArgbFromColorRef(colour)) > 0;
    };

    struct Case {
        const char* what;
        bool toggle, checked, hover, disabled;
        Argb face;
        std::uint32_t caption;
    };
    const Case cases[] = {
        {"normal", false, false, false, false, kNormal, kNormalText},
        {"hover", false, false, true, false, kHover, kHoverText},
        {"checked beats hover, caption stays normal", false, true, true, false, kPressed, kNormalText},
        {"disabled", false, false, false, true, kDisabled, kNormalText},
        {"toggle checked", true, true, false, false, kPressed, kHoverText},
        {"toggle checked and disabled", true, true, false, true, kDisabled, kNormalText},
        {"toggle hover", true, false, true, false, kHover, kHoverText},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        button->ToggleMode = c.toggle;
        button->SetChecked(c.checked);
        button->EnableWindow(!c.disabled);
        ui.MoveTo(c.hover ? Button() : host.GetSafeHwnd(), c.hover ? Point{2, 2} : Point{350, 250});
        button->Invalidate();
        EXPECT_EQ(Face(), c.face);
        for (std::uint32_t colour : {kNormalText, kHoverText, kPressedText})
            EXPECT_EQ(captionIn(colour), colour == c.caption) << std::hex << "caption colour " << colour;
    }

    ui.MoveTo(host.GetSafeHwnd(), {350, 250});
    button->ToggleMode = false;
    button->SetChecked(false);
    button->EnableWindow(true);
    ui.Press(Button(), {2, 2});
    EXPECT_EQ(Face(), kPressed);
    EXPECT_TRUE(captionIn(kPressedText)) << "pressed caption colour while held";
    ui.Release(Button(), {2, 2});
}

TEST_F(ButtonTest, SetCheckedRepaintsOnlyOnAChange) {
    const HWND top = host.GetSafeHwnd();
    ui.Process();
    const int presents = ui.Backend().Window(top)->presents;
    button->SetChecked(false);
    ui.Process();
    EXPECT_EQ(ui.Backend().Window(top)->presents, presents);
    button->SetChecked(true);
    ui.Process();
    EXPECT_EQ(ui.Backend().Window(top)->presents, presents + 1);
    EXPECT_EQ(Face(), kPressed);
}

TEST_F(ButtonTest, SquareImageUsesASquareOfTheClientHeightAndMissingFacesLeaveTheBackColour) {
    button->MoveWindow(Rect::FromXYWH(20, 20, 100, 20));
    button->BackColor = 0x336699; // 0x00BBGGRR
    button->SquareImage = true;
    button->Invalidate();
    EXPECT_EQ(test::PixelOf(ui, *button, {19, 10}), kNormal);
    EXPECT_EQ(test::PixelOf(ui, *button, {20, 10}), ArgbFromColorRef(0x336699));

    button->SetImageFiles(images.Missing(), images.Missing(), images.Missing(), images.Missing());
    ui.Process();
    EXPECT_EQ(test::PixelOf(ui, *button, {5, 5}), ArgbFromColorRef(0x336699));
}

TEST_F(ButtonTest, CaptionPlacementHalvesEachSizeBeforeSubtracting) {
    struct Case {
        CaptionAlign align;
        int offset;
        Point expected;
    };
    // 93 x 26 client, 41 x 17 text: 46 - 20 = 26 across, 13 - 8 = 5 down (not (26 - 17) / 2 = 4).
    const Case cases[] = {
        {CaptionAlign::Centred, 0, {26, 5}},
        {CaptionAlign::Centred, 9, {35, 5}},
        {CaptionAlign::Left, 30, {30, 5}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CaptionOrigin(c.align, c.offset, {93, 26}, {41, 17}), c.expected) << c.offset;
}

TEST_F(ButtonTest, CaptionInTextRectIsDrawnOnlyWithShowCaption) {
    constexpr std::uint32_t kText = 0x00FFFF;
    button->TextColors = {kText, kText, kText};
    button->FontHeight = 20;
    button->FontWeight = 700;
    button->UseTextRect = true;
    button->TextRect = Rect{60, 0, 120, 40};
    button->SetCaption("MMMMMMMMMMMMMMMMMMMMMMMM", 0, CaptionAlign::Centred);
    const Rect left{0, 0, 60, 40};
    const Rect inRect{60, 0, 120, 40};
    EXPECT_EQ(test::CountColour(ui, *button, inRect, ArgbFromColorRef(kText)), 0) << "ShowCaption is clear";

    button->ShowCaption = true;
    button->Invalidate();
    EXPECT_GT(test::CountColour(ui, *button, inRect, ArgbFromColorRef(kText)), 0);
    EXPECT_EQ(test::CountColour(ui, *button, left, ArgbFromColorRef(kText)), 0)
        << "a caption too wide for the rectangle is shortened, not spread over the button";
}

TEST_F(ButtonTest, AParentMayDestroyTheButtonFromItsClick) {
    for (bool toggle : {false, true}) {
        SCOPED_TRACE(toggle ? "toggle mode" : "normal mode");
        if (!button) {
            button = std::make_unique<CBitmapBtn>();
            ASSERT_TRUE(button->Create(&host, kButtonRect, kButtonId));
        }
        button->ToggleMode = toggle;
        const HWND handle = Button();
        host.onCommand = [&](int, int, HWND) { ui.App().DeleteLater(std::move(button)); };
        ui.Click(handle, {10, 10});
        EXPECT_FALSE(IsWindow(handle));
        EXPECT_EQ(button, nullptr);
        EXPECT_EQ(GetCapture(), kNoWindow);
        ui.MoveTo(host.GetSafeHwnd(), {10, 10});
        host.onCommand = nullptr;
    }
}

} // namespace
} // namespace qor
