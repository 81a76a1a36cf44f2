// Painting into the top-level framebuffer: z-order, clipping by parents and by the window outline,
// invalid areas, screenshots; each with the framework's own framebuffer and with one that the back
// end lends (as the display back end does).

#include "RecordingWnd.h"
#include "platform/backend/headless/HeadlessDriver.h"
#include "platform/gfx/ImageFile.h"

#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

namespace qor {
namespace {

using test::RecordingWnd;

constexpr Argb kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF, kGrey = 0xFF808080;

// The scene every painting test looks at; lend: the back end lends its framebuffer.
class PaintingScene {
protected:
    static constexpr int kPadding = 3; // spare words at the end of each lent row
    HeadlessDriver ui;
    RecordingWnd top;   // 100 x 80, grey; the left 10 columns of the first 10 rows are cut out
    RecordingWnd panel; // red, (20,20)-(60,60)
    RecordingWnd chip;  // green, at (30,30) in the panel: it sticks out and is clipped by it
    RecordingWnd cover; // blue, (50,10)-(70,30): a later sibling drawn over the panel's corner
    void Build(bool lend) {
        if (lend)
            ui.Backend().LendFramebuffers(kPadding);
        ASSERT_TRUE(top.CreateTopLevel(WindowKind::Dialog, "paint", Rect::FromXYWH(0, 0, 100, 80)));
        top.fill = kGrey;
        RegionBuilder b;
        for (int y = 0; y < 80; ++y) {
            b.BeginRow(y);
            b.AddRun(y < 10 ? 10 : 0, 100);
        }
        top.SetWindowRgn(b.Build());
        ASSERT_TRUE(panel.Create(&top, Rect{20, 20, 60, 60}));
        panel.fill = kRed;
        ASSERT_TRUE(chip.Create(&panel, Rect{30, 30, 60, 60}));
        chip.fill = kGreen;
        ASSERT_TRUE(cover.Create(&top, Rect{50, 10, 70, 30}));
        cover.fill = kBlue;
        top.ShowWindow(true);
        ui.Process();
    }
    Argb Pixel(int x, int y) { return ui.App().Framebuffer(top.GetSafeHwnd())->At(x, y); }
};

class PaintingTest : public ::testing::TestWithParam<bool>, public PaintingScene {
protected:
    void SetUp() override { Build(GetParam()); }
};

class LentPaintingTest : public ::testing::Test, public PaintingScene {
protected:
    void SetUp() override { Build(true); }
};

TEST_P(PaintingTest, ChildrenPaintOverParentsInZOrderAndStayInsideThem) {
    struct Case {
        Point p;
        Argb expected;
        const char* why;
    };
    const Case cases[] = {
        {{5, 5}, 0x00000000, "outside the outline stays transparent"},
        {{15, 5}, kGrey, "the top-level background"},
        {{25, 25}, kRed, "the panel"},
        {{55, 55}, kGreen, "the chip"},
        {{65, 65}, kGrey, "the chip is clipped by the panel"},
        {{55, 25}, kBlue, "the later sibling covers the panel"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Pixel(c.p.x, c.p.y), c.expected) << c.why << " at " << c.p.x << "," << c.p.y;
}

TEST_P(PaintingTest, OnlyTheInvalidPartIsRepaintedAndHiddenWindowsAreSkipped) {
    const int presentsBefore = ui.Backend().Window(top.GetSafeHwnd())->presents;
    chip.fill = kBlue;
    panel.fill = kGreen; // changed but not invalidated: must not show
    chip.InvalidateRect(Rect{0, 0, 5, 5});
    ui.Process();
    EXPECT_EQ(Pixel(52, 52), kBlue);
    EXPECT_EQ(Pixel(56, 56), kGreen) << "the chip outside the invalid part keeps its old paint";
    EXPECT_EQ(Pixel(25, 25), kRed);
    EXPECT_EQ(ui.Backend().Window(top.GetSafeHwnd())->presents, presentsBefore + 1);
    EXPECT_EQ(ui.Backend().Window(top.GetSafeHwnd())->lastDirty, (Rect{50, 50, 55, 55}));

    panel.ShowWindow(false);
    ui.Process();
    EXPECT_EQ(Pixel(25, 25), kGrey);
    EXPECT_EQ(Pixel(52, 52), kGrey) << "a hidden parent hides its children";
    panel.ShowWindow(true);
    chip.MoveWindow(Rect{0, 0, 10, 10});
    ui.Process();
    EXPECT_EQ(Pixel(25, 25), kBlue) << "moved chip at its new place";
    EXPECT_EQ(Pixel(55, 55), kGreen) << "and the panel shows where it was";
}

TEST_P(PaintingTest, ScreenshotsAreWrittenAsPng) {
    const std::string path =
        (std::filesystem::temp_directory_path() / ("qor-ui-shot-" + std::to_string(::getpid()) + ".png"))
            .string();
    ASSERT_TRUE(ui.App().SaveScreenshot(top.GetSafeHwnd(), path));
    const Image shot = LoadImageFile(path);
    std::remove(path.c_str());
    ASSERT_EQ(shot.GetSize(), (Size{100, 80}));
    EXPECT_EQ(shot.At(5, 5) >> 24, 0u);
    EXPECT_EQ(shot.At(55, 55), kGreen);
    EXPECT_FALSE(ui.App().SaveScreenshot(panel.GetSafeHwnd(), path)) << "only top-level windows";
}

// Only the window's own pixels of the lent framebuffer are painted, and storage that the back end
// replaces (a new size) is painted whole before it is shown.
TEST_F(LentPaintingTest, ItHoldsThePaintAndNothingBesideIt) {
    const HWND h = top.GetSafeHwnd();
    const std::vector<Argb>& lent = ui.Backend().Window(h)->lent;
    const std::size_t stride = ui.Backend().Window(h)->lentStride;
    ASSERT_EQ(stride, 100u + kPadding);
    ASSERT_EQ(lent.size(), stride * 80);
    EXPECT_EQ(lent[25 * stride + 25], kRed) << "painted straight into the lent pixels";
    for (int y = 0; y < 80; ++y)
        for (int x = 100; x < 100 + kPadding; ++x)
            ASSERT_EQ(lent[std::size_t(y) * stride + std::size_t(x)], HeadlessBackend::kPaddingGuard)
                << "row padding touched at " << x << "," << y;
    const Image* snapshot = ui.App().Framebuffer(h);
    ASSERT_NE(snapshot, nullptr);
    ASSERT_EQ(snapshot->GetSize(), (Size{100, 80}));
    EXPECT_EQ(snapshot->At(55, 55), kGreen);
    EXPECT_EQ(snapshot->At(5, 5), 0u);

    const int presentsBefore = ui.Backend().Window(h)->presents;
    top.MoveWindow(Rect::FromXYWH(0, 0, 120, 90));
    ui.Process();
    EXPECT_EQ(ui.Backend().Window(h)->lentStride, 120u + kPadding);
    EXPECT_GT(ui.Backend().Window(h)->presents, presentsBefore);
    EXPECT_EQ(ui.Backend().Window(h)->lastDirty, (Rect{0, 0, 120, 90})) << "new storage is painted whole";
    EXPECT_EQ(Pixel(110, 85), 0u) << "outside the outline a new framebuffer is transparent";
    EXPECT_EQ(Pixel(25, 25), kRed);
}

INSTANTIATE_TEST_SUITE_P(Framebuffers, PaintingTest, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "Lent" : "Own"; });

} // namespace
} // namespace qor
