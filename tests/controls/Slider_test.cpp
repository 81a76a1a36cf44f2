// The image sliders: value arithmetic on its own, then dragging, clicking and enabling through the
// headless back end, with the reports their parent receives.

#include "ControlsTestSupport.h"
#include "controls/CPngHSliderBar.h"
#include "controls/CPngSliderBar.h"
#include "controls/SliderGeometry.h"
#include "platform/gfx/ImageFile.h"
#include "platform/ui/Application.h"

#include <climits>
#include <gtest/gtest.h>

namespace qor {
namespace {

using test::HostWnd;
using test::Report;

TEST(SliderGeometry, DropPositionsRoundByHalfATrackStep) {
    // Track 0..210, thumb 18, range 1..4: travel 192, step 70.
    struct Case {
        int edge;
        int value;
    };
    for (const Case c : {Case{0, 1}, Case{30, 1}, Case{36, 2}, Case{40, 2}, Case{100, 2}, Case{192, 4}})
        EXPECT_EQ(SliderValueFromThumb(c.edge, 1, 4, 0, 210, 18), c.value) << "edge " << c.edge;
    // The same arithmetic on a track that does not start at 0.
    EXPECT_EQ(SliderValueFromThumb(540, 1, 4, 500, 710, 18), 2);
}

TEST(SliderGeometry, DegenerateRangesAndTracksGiveTheMinimumInsteadOfDividingByZero) {
    struct Case {
        const char* what;
        int min, max, low, high, thumb;
    };
    const Case cases[] = {
        {"empty range", 5, 5, 0, 210, 18},
        {"reversed range", 9, 2, 0, 210, 18},
        {"thumb as long as the track", 1, 4, 0, 18, 18},
        {"thumb longer than the track", 1, 4, 0, 10, 18},
        {"track of no length", 1, 4, 30, 30, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(SliderValueFromThumb(c.low + 3, c.min, c.max, c.low, c.high, c.thumb), c.min);
        if (c.max <= c.min || c.high <= c.low) { // a click does not depend on the thumb
            EXPECT_EQ(SliderValueFromPoint(c.low + 3, c.min, c.max, c.low, c.high), c.min);
        }
        EXPECT_EQ(SliderThumbPosition(c.max, c.min, c.max, c.low, c.high, c.thumb), c.low);
    }
    // The widest range there is stays within itself.
    const int v = SliderValueFromPoint(1000, INT_MIN, INT_MAX, 0, 2000);
    EXPECT_GE(v, INT_MIN);
    EXPECT_LE(SliderThumbPosition(INT_MAX, INT_MIN, INT_MAX, 0, 2000, 10), 1990);
}

constexpr Argb kThumb = 0xFFE0E000;
constexpr Argb kAltThumb = 0xFF00E0E0;
constexpr Argb kTrack = 0xFF404040;
constexpr int kId = 10004;

class SliderTest : public ::testing::Test {
protected:
    HeadlessDriver ui;
    test::ImageDir images;
    HostWnd host;
    CPngHSliderBar slider;  // 500,200 .. 710,218; thumb 18 x 18; range 1..4
    CPngSliderBar vertical; // 100,40 .. 122,221; thumb 22 x 12; range 1..92; disabled face

    void SetUp() override {
        ASSERT_TRUE(host.CreateTopLevel(WindowKind::Main, "host", Rect::FromXYWH(0, 0, 800, 600)));
        ASSERT_TRUE(
            slider.Create(images.Solid("y.png", {18, 18}, kThumb), "", Rect{500, 200, 710, 218}, &host, kId));
        slider.SetTrackImage(LoadSharedImage(images.Solid("track.png", {4, 4}, kTrack)));
        slider.SetRange(1, 4);
        ASSERT_TRUE(vertical.Create(images.Solid("x.png", {22, 12}, kThumb),
                                    images.Solid("alt.png", {22, 12}, kAltThumb), Rect{100, 40, 122, 221},
                                    &host, 10008));
        vertical.SetRange(1, 92);
        host.ShowWindow(true);
        ui.Process();
    }
    HWND Thumb() const { return slider.Thumb.GetSafeHwnd(); }
    std::vector<Report> Values() const { return host.Only(kMsgSliderValue); }
    static Report ValueReport(int value, int id = kId) { return {kMsgSliderValue, value, id}; }
};

TEST_F(SliderTest, CreationPlacesTheThumbAtZeroAndSetPosReplacesValuesOutsideTheRange) {
    EXPECT_EQ(slider.Thumb.GetRectInParent(), Rect::FromXYWH(0, 0, 18, 18));
    EXPECT_EQ(slider.ThumbImageSize(), (Size{18, 18}));
    struct Case {
        int asked, value, left;
    };
    for (const Case c : {Case{0, 1, 0}, Case{25, 1, 0}, Case{-3, 1, 0}, Case{2, 2, 64}, Case{4, 4, 192}}) {
        slider.SetPos(c.asked);
        EXPECT_EQ(slider.Thumb.Value, c.value) << c.asked;
        EXPECT_EQ(slider.Thumb.GetRectInParent().left, c.left) << c.asked;
    }
    ui.Process();
    EXPECT_TRUE(Values().empty()) << "SetPos reports nothing";
    EXPECT_EQ(test::PixelOf(ui, slider, {195, 9}), kThumb);
    EXPECT_EQ(test::PixelOf(ui, slider, {100, 9}), kTrack);
}

TEST_F(SliderTest, DraggingStaysOnTheTrackAndReportsOnlyOnRelease) {
    ui.Press(Thumb(), {5, 5});
    ui.MoveTo(Thumb(), {5 + 40, 5 + 30});
    EXPECT_EQ(slider.Thumb.GetRectInParent(), Rect::FromXYWH(40, 0, 18, 18)) << "follows x only";
    ui.MoveTo(Thumb(), {5 - 100, 5});
    EXPECT_EQ(slider.Thumb.GetRectInParent().left, 0) << "stops at the left end";
    ui.MoveTo(Thumb(), {5 + 400, 5});
    EXPECT_EQ(slider.Thumb.GetRectInParent().left, 192) << "stops at the right end";
    EXPECT_TRUE(Values().empty());
    ui.Release(Thumb(), {5, 5});
    EXPECT_EQ(Values(), std::vector<Report>{ValueReport(4)});

    host.reports.clear();
    ui.Press(Thumb(), {5, 5});
    ui.MoveTo(Thumb(), {5 - 162, 5}); // left edge at 30
    ui.Release(Thumb(), {5, 5});
    EXPECT_EQ(Values(), std::vector<Report>{ValueReport(1)});
    EXPECT_EQ(slider.Thumb.GetRectInParent().left, 30) << "not snapped to the value's position";
    EXPECT_EQ(slider.GetPos(), 1);
}

TEST_F(SliderTest, AClickOnTheTrackReportsAtPressAndAtRelease) {
    ui.Click(slider.GetSafeHwnd(), {100, 9});
    EXPECT_EQ(Values(), (std::vector<Report>{ValueReport(2), ValueReport(2)}));
    EXPECT_EQ(slider.Thumb.GetRectInParent().left, 64);

    // Here the thumb jumps under the pointer (to 90..108), so the release lands on the thumb. Read
    // back from that position the value would be 9: the thumb must not report a value of its own.
    slider.SetRange(1, 20);
    host.reports.clear();
    ui.Click(slider.GetSafeHwnd(), {100, 9});
    EXPECT_EQ(slider.Thumb.GetRectInParent().left, 90);
    ASSERT_FALSE(Values().empty());
    for (const Report& r : Values())
        EXPECT_EQ(r, ValueReport(10));
}

TEST_F(SliderTest, VerticalSliderMovesAlongYAndShowsItsDisabledFace) {
    const HWND thumb = vertical.Thumb.GetSafeHwnd();
    ui.Press(thumb, {3, 3});
    ui.MoveTo(thumb, {3 + 50, 3 + 90});
    EXPECT_EQ(vertical.Thumb.GetRectInParent(), Rect::FromXYWH(0, 90, 22, 12)) << "follows y only";
    ui.Release(thumb, {3, 3});
    // travel 181 - 12 = 169, 90 * 91 / 169 = 48, step 181 / 91 = 1: 90 - 48 > 0, so 1 + 48 + 1.
    EXPECT_EQ(Values(), std::vector<Report>{ValueReport(50, 10008)});

    vertical.SetPos(92);
    EXPECT_EQ(vertical.Thumb.GetRectInParent().top, 169);
    EXPECT_EQ(test::PixelOf(ui, vertical.Thumb, {5, 5}), kThumb);
    vertical.EnableWindow(false);
    EXPECT_FALSE(vertical.Thumb.Enabled);
    EXPECT_EQ(test::PixelOf(ui, vertical.Thumb, {5, 5}), kAltThumb);
    host.reports.clear();
    ui.Click(thumb, {3, 3});
    EXPECT_TRUE(Values().empty()) << "a disabled slider takes no input";
    vertical.EnableWindow(true);
    EXPECT_EQ(test::PixelOf(ui, vertical.Thumb, {5, 5}), kThumb);

    // Without a disabled face the normal one stays.
    slider.EnableWindow(false);
    EXPECT_EQ(test::PixelOf(ui, slider.Thumb, {5, 5}), kThumb);
}

TEST_F(SliderTest, ADragCutShortEndsWhereTheThumbIs) {
    ui.Press(Thumb(), {5, 5});
    ui.MoveTo(Thumb(), {5 + 40, 5});
    host.SetCapture(); // something else takes the mouse (a dialog opening, say)
    ui.Process();
    EXPECT_FALSE(slider.Thumb.Dragging);
    EXPECT_EQ(Values(), std::vector<Report>{ValueReport(2)});
    ReleaseCapture();
    ui.Release(host.GetSafeHwnd(), {0, 0});
    ui.MoveTo(Thumb(), {9, 9});
    ui.MoveTo(Thumb(), {15, 9});
    EXPECT_EQ(slider.Thumb.GetRectInParent().left, 40) << "no drag without a press";
}

TEST_F(SliderTest, MissingImagesLeaveTheBlackTrackAndAThumbOfNoSize) {
    CPngHSliderBar bare;
    ASSERT_TRUE(bare.Create(images.Missing(), images.Missing(), Rect{500, 300, 710, 318}, &host, 1));
    bare.SetRange(1, 10);
    bare.SetPos(10);
    EXPECT_EQ(bare.Thumb.GetRectInParent(), Rect::FromXYWH(210, 0, 0, 0));
    EXPECT_EQ(test::PixelOf(ui, bare, {100, 9}), 0xFF000000u);
    ui.Click(bare.GetSafeHwnd(), {209, 9});
    EXPECT_EQ(Values().back(), ValueReport(10, 1));
}

} // namespace
} // namespace qor
