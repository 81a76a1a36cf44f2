#include "platform/gfx/Painter.h"

#include "GfxTestUtil.h"

#include <limits>

namespace qor {
namespace {

constexpr Argb kBlue = 0xFF0000FF;
constexpr Argb kRed = 0xFFFF0000;
constexpr Argb kWhite = 0xFFFFFFFF;
constexpr Argb kBlack = 0xFF000000;

// Every pixel outside `allowed` still has the background colour.
::testing::AssertionResult NothingOutside(const Image& image, Argb background, const Region& allowed) {
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            if (!allowed.Contains({x, y}) && image.At(x, y) != background) {
                return ::testing::AssertionFailure() << "pixel " << x << "," << y << " was written";
            }
        }
    }
    return ::testing::AssertionSuccess();
}

TEST(PainterFill, OpaqueFillCoversExactlyTheRectangleInsideTheImage) {
    struct Case {
        Rect fill;
        Rect expected;
    };
    const Case cases[] = {
        {{2, 3, 5, 7}, {2, 3, 5, 7}},
        {{-10, -10, 3, 2}, {0, 0, 3, 2}},     // reaches off the top-left
        {{15, 8, 100, 100}, {15, 8, 20, 10}}, // off the bottom-right
        {{5, 5, 5, 9}, {}},                   // empty
        {{30, 0, 40, 10}, {}},                // wholly outside
    };
    for (const Case& c : cases) {
        Image image(20, 10, kBlue);
        Painter(image).FillRect(c.fill, kRed);
        EXPECT_EQ(c.expected, test::InkBounds(image, kBlue));
        EXPECT_EQ(c.expected.Width() * c.expected.Height(), test::CountDiffering(image, kBlue));
    }
}

TEST(PainterFill, TranslucentColoursBlendOverWhatIsThere) {
    struct Case {
        Argb background;
        Argb colour;
        Argb expected;
    };
    const Case cases[] = {
        {kBlue, 0x80FF0000, 0xFF80007F},          // half red over blue
        {kWhite, 0x40000000, 0xFFBFBFBF},         // quarter black over white
        {kBlue, 0x00FF0000, kBlue},               // fully transparent changes nothing
        {0x00000000, 0x80FF0000, 0x80FF0000},     // over nothing: the colour itself
        {0x80FFFFFF, 0x80000000, 0xC0555555},     // both translucent: source over
    };
    for (const Case& c : cases) {
        Image image(4, 4, c.background);
        Painter(image).FillRect({0, 0, 4, 4}, c.colour);
        EXPECT_TRUE(test::ColourNear(c.expected, image.At(2, 2), 2));
    }
}

TEST(PainterFill, OpaqueTargetStaysOpaque) {
    Image image(8, 8, kBlue);
    Painter painter(image);
    painter.FillRect({0, 0, 8, 8}, 0x01FF0000);
    painter.FillRect({0, 0, 8, 8}, 0xFE00FF00);
    for (Argb p : image.pixels) ASSERT_EQ(0xFFu, p >> 24);
}

TEST(PainterClip, ClipRectAndOriginBoundEveryPrimitive) {
    Image image(30, 30, kBlue);
    const Rect clip{10, 10, 20, 20};
    Painter painter(image, clip);
    painter.SetOrigin({10, 10}); // logical (0,0) is target (10,10)
    painter.FillRect({-5, -5, 50, 50}, kRed);
    painter.DrawLine({-20, 5}, {40, 5}, 3.0f, kWhite);
    Image picture(4, 4, kWhite);
    painter.DrawImage(picture, Rect{-30, -30, 60, 60});
    painter.DrawRectOutline({-1, -1, 11, 11}, 2, kBlack);
    EXPECT_TRUE(NothingOutside(image, kBlue, Region::FromRect(clip)));
    EXPECT_EQ(kWhite, image.At(12, 12)) << "the stretched image covers the whole clip";
    EXPECT_EQ(kBlack, image.At(19, 19)) << "the outline's inner edge lies inside the clip";
}

TEST(PainterClip, OriginShiftsDrawing) {
    Image image(10, 10, kBlue);
    Painter painter(image);
    painter.SetOrigin({3, 4});
    painter.FillRect({0, 0, 2, 1}, kRed);
    EXPECT_EQ((Rect{3, 4, 5, 5}), test::InkBounds(image, kBlue));
    EXPECT_EQ((Rect{-3, -4, 7, 6}), painter.ClipBounds());
}

TEST(PainterClip, RegionLimitsDrawingToItsRectangles) {
    // An L-shaped region: a bar across the top and a column down the left.
    RegionBuilder builder;
    for (int y = 0; y < 12; ++y) {
        builder.BeginRow(y);
        builder.AddRun(2, y < 4 ? 18 : 6);
    }
    const Region region = builder.Build();
    const Rect clip{0, 0, 16, 10};

    Image image(20, 12, kBlue);
    Painter painter(image, clip);
    painter.SetClipRegion(region);
    painter.FillRect({0, 0, 20, 12}, 0x80FF0000);
    painter.DrawLine({0, 0}, {19, 11}, 2.0f, kWhite);
    painter.DrawText("Wide text over the region", Rect{0, 0, 20, 12}, Font{}, kWhite, TextAlign::Left);
    EXPECT_TRUE(NothingOutside(image, kBlue, region.Intersect(clip)));
    EXPECT_NE(kBlue, image.At(15, 1));
    EXPECT_NE(kBlue, image.At(3, 9));

    painter.ClearClipRegion();
    painter.FillRect({0, 0, 20, 12}, kRed);
    EXPECT_TRUE(NothingOutside(image, kBlue, Region::FromRect(clip)));
    EXPECT_EQ(kRed, image.At(10, 8));
}

TEST(PainterClip, IntersectClipRectOnlyNarrows) {
    Image image(20, 20, kBlue);
    Painter painter(image, {0, 0, 10, 10});
    painter.IntersectClipRect({5, 5, 30, 30});
    painter.FillRect({0, 0, 20, 20}, kRed);
    EXPECT_EQ((Rect{5, 5, 10, 10}), test::InkBounds(image, kBlue));
}

TEST(PainterShapes, RectOutlineLiesInsideTheRectangle) {
    Image image(20, 20, kBlue);
    Painter(image).DrawRectOutline({3, 4, 13, 12}, 2, 0x80FF0000);
    EXPECT_EQ((Rect{3, 4, 13, 12}), test::InkBounds(image, kBlue));
    EXPECT_EQ(image.At(3, 4), image.At(4, 8)) << "a translucent frame is blended once everywhere, corners too";
    EXPECT_EQ(image.At(3, 4), image.At(12, 11));
    EXPECT_EQ(kBlue, image.At(5, 6)) << "the inside stays untouched";
    EXPECT_NE(kBlue, image.At(4, 5));
}

TEST(PainterShapes, StraightLinesOfWholeWidthsAreSharp) {
    struct Case {
        float width;
        Rect expected; // for a line from (2,5) to (9,5)
    };
    const Case cases[] = {
        {1.0f, {2, 5, 10, 6}},
        {2.0f, {1, 4, 10, 6}},
        {3.0f, {1, 4, 11, 7}},
    };
    for (const Case& c : cases) {
        Image image(16, 12, kBlue);
        Painter(image).DrawLine({2, 5}, {9, 5}, c.width, kRed);
        EXPECT_EQ(c.expected, test::InkBounds(image, kBlue)) << "width " << c.width;
        for (int y = c.expected.top; y < c.expected.bottom; ++y) {
            for (int x = c.expected.left; x < c.expected.right; ++x) ASSERT_EQ(kRed, image.At(x, y)) << x << "," << y;
        }
        // The same line drawn vertically covers the transposed pixels.
        Image vertical(12, 16, kBlue);
        Painter(vertical).DrawLine({5, 2}, {5, 9}, c.width, kRed);
        Rect t = c.expected;
        EXPECT_EQ((Rect{t.top, t.left, t.bottom, t.right}), test::InkBounds(vertical, kBlue));
    }
}

TEST(PainterShapes, TranslucentAndDiagonalLines) {
    Image image(20, 20, kBlue);
    Painter painter(image);
    painter.DrawLine({1, 1}, {18, 1}, 1.0f, 0x80FF0000);
    EXPECT_TRUE(test::ColourNear(0xFF80007F, image.At(10, 1), 2));

    painter.DrawLine({2, 4}, {17, 19}, 1.5f, kWhite);
    // Pixels on the diagonal are fully covered, the line is anti-aliased next to it and the far
    // corners stay untouched.
    EXPECT_EQ(kWhite, image.At(10, 12));
    const Argb beside = image.At(11, 12);
    EXPECT_NE(kBlue, beside);
    EXPECT_NE(kWhite, beside);
    EXPECT_EQ(kBlue, image.At(17, 4));
    EXPECT_EQ(kBlue, image.At(2, 19));
    EXPECT_EQ(image.At(9, 12), image.At(11, 12)) << "symmetric about the line";
}

TEST(PainterShapes, DegenerateLinesAreSafe) {
    Image image(10, 10, kBlue);
    Painter painter(image);
    painter.DrawLine({4, 4}, {4, 4}, 1.0f, kRed);
    EXPECT_EQ((Rect{4, 4, 5, 5}), test::InkBounds(image, kBlue)) << "a point is one pixel";

    Image other(10, 10, kBlue);
    Painter hostile(other);
    for (float width : {0.0f, -3.0f, std::numeric_limits<float>::quiet_NaN()}) hostile.DrawLine({0, 0}, {9, 9}, width, kRed);
    EXPECT_EQ(0, test::CountDiffering(other, kBlue)) << "no width, no line";
    hostile.DrawLine({-2000000000, 5}, {2000000000, 5}, 1e9f, kRed);
    EXPECT_EQ(100, test::CountDiffering(other, kBlue)) << "a huge line covers the image and nothing else";
}

Image Checkerboard(int w, int h, Argb a, Argb b) {
    Image image(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) image.At(x, y) = ((x + y) % 2) ? b : a;
    }
    return image;
}

TEST(PainterImage, SameSizeCopiesPixelsExactly) {
    Image picture = Checkerboard(5, 3, 0xFF102030, 0xFF405060);
    Image image(10, 10, kBlue);
    Painter(image).DrawImage(picture, Point{2, 3});
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x) ASSERT_EQ(picture.At(x, y), image.At(x + 2, y + 3));
    }
    EXPECT_EQ((Rect{2, 3, 7, 6}), test::InkBounds(image, kBlue));
}

TEST(PainterImage, EnlargingInterpolatesBetweenSourcePixels) {
    Image picture(2, 1);
    picture.pixels = {kBlack, kWhite};
    Image image(8, 1, kBlue);
    Painter(image).DrawImage(picture, Rect{0, 0, 8, 1});
    // Edges keep the source colours; in between the values rise steadily.
    EXPECT_EQ(kBlack, image.At(0, 0));
    EXPECT_EQ(kWhite, image.At(7, 0));
    for (int x = 1; x < 8; ++x) EXPECT_GE(image.At(x, 0) & 0xFF, image.At(x - 1, 0) & 0xFF);
    EXPECT_TRUE(test::ColourNear(0xFF808080, image.At(4, 0), 33)) << "the middle is a mid grey";
    EXPECT_EQ(image.At(3, 0) & 0xFF, 255 - (image.At(4, 0) & 0xFF)) << "symmetric";
}

TEST(PainterImage, ReducingAveragesTheArea) {
    Image picture = Checkerboard(8, 8, kBlack, kWhite);
    Image image(2, 2, kBlue);
    Painter(image).DrawImage(picture, Rect{0, 0, 2, 2});
    for (Argb p : image.pixels) EXPECT_TRUE(test::ColourNear(0xFF808080, p, 2));
    // A non-integer ratio still averages to the same grey (no aliasing to black or white).
    Image odd(3, 3, kBlue);
    Painter(odd).DrawImage(Checkerboard(10, 10, kBlack, kWhite), Rect{0, 0, 3, 3});
    for (Argb p : odd.pixels) EXPECT_TRUE(test::ColourNear(0xFF808080, p, 30));
}

TEST(PainterImage, AlphaBlendsOverTheBackground) {
    for (Rect dest : {Rect{0, 0, 4, 4}, Rect{0, 0, 8, 8}, Rect{0, 0, 3, 3}}) {
        Image picture(4, 4, 0x80FF0000);
        Image image(8, 8, kBlue);
        Painter(image).DrawImage(picture, dest);
        EXPECT_TRUE(test::ColourNear(0xFF80007F, image.At(1, 1), 2)) << "dest width " << dest.Width();
        EXPECT_EQ(dest, test::InkBounds(image, kBlue));
    }
}

TEST(PainterImage, TransparentPixelsDoNotDarkenFilteredEdges) {
    // Transparent black next to opaque white: filtering straight colours would bleed grey.
    Image picture(2, 2);
    picture.pixels = {0x00000000, kWhite, 0x00000000, kWhite};
    for (Rect dest : {Rect{0, 0, 7, 5}, Rect{0, 0, 1, 1}}) {
        Image image(8, 8, kWhite);
        Painter(image).DrawImage(picture, dest);
        for (Argb p : image.pixels) ASSERT_TRUE(test::ColourNear(kWhite, p, 1));
    }
}

TEST(PainterImage, SourceRectangleSelectsPartOfTheImage) {
    Image atlas(4, 2);
    atlas.pixels = {kRed, kRed, kWhite, kWhite, kRed, kRed, kWhite, kWhite};
    Image image(6, 6, kBlue);
    Painter painter(image);
    painter.DrawImage(atlas, Rect{2, 0, 4, 2}, Rect{0, 0, 6, 6});
    EXPECT_EQ(0, test::CountDiffering(image, kWhite)) << "only the white half, no bleeding from the red";

    // A source reaching past the image keeps its scale: the missing part is not drawn.
    Image partial(8, 4, kBlue);
    Painter(partial).DrawImage(atlas, Rect{2, 0, 6, 2}, Rect{0, 0, 8, 4});
    EXPECT_EQ((Rect{0, 0, 4, 4}), test::InkBounds(partial, kBlue));
    EXPECT_EQ(kWhite, partial.At(3, 3));
}

TEST(PainterImage, MissingImagesDrawNothing) {
    Image image(4, 4, kBlue);
    Painter painter(image);
    painter.DrawImage(Image{}, Rect{0, 0, 4, 4});
    painter.DrawImage(ImagePtr{}, Rect{0, 0, 4, 4});
    painter.DrawImage(Image(2, 2, kRed), Rect{0, 0, 0, 4});
    painter.DrawImage(Image(2, 2, kRed), Rect{5, 5, 9, 9}, Rect{0, 0, 4, 4});
    EXPECT_EQ(0, test::CountDiffering(image, kBlue));
}

TEST(PainterImage, HugeDestinationIsClippedWithoutWorkOutside) {
    Image image(16, 16, kBlue);
    Painter painter(image, {4, 4, 12, 12});
    painter.DrawImage(Image(3, 3, kRed), Rect{-1000000, -1000000, 1000000, 1000000});
    EXPECT_EQ((Rect{4, 4, 12, 12}), test::InkBounds(image, kBlue));
    EXPECT_EQ(kRed, image.At(8, 8));
}

TEST(PainterSurface, EmptyTargetAcceptsEveryCall) {
    Image empty;
    Painter painter(empty, {0, 0, 100, 100});
    painter.FillRect({0, 0, 10, 10}, kRed);
    painter.DrawLine({0, 0}, {10, 10}, 2.0f, kRed);
    painter.DrawImage(Image(2, 2, kRed), Rect{0, 0, 5, 5});
    painter.DrawText("text", Rect{0, 0, 50, 20}, Font{}, kRed, kTextCentered);
    EXPECT_TRUE(empty.pixels.empty());
}

TEST(PainterSurface, ClearRectWritesTheColourAsItIs) {
    Image image(4, 4, kBlue);
    Painter(image, {0, 0, 2, 4}).ClearRect({0, 0, 4, 4}, 0x00000000);
    EXPECT_EQ(0x00000000u, image.At(1, 1));
    EXPECT_EQ(kBlue, image.At(2, 1));
}

// A surface lent by someone else has rows longer than its width: drawing stays in the width.
TEST(PainterSurface, PaintsOnlyTheSurfacesOwnPixelsOfEachRow) {
    constexpr Argb kGuard = 0x12345678;
    constexpr std::size_t kStride = 13;
    std::vector<Argb> storage(kStride * 6, kGuard);
    const PixelSurface surface(storage.data(), 10, 6, kStride);
    Painter painter(surface, Rect{0, 0, 100, 100});
    painter.FillRect(Rect{-5, -5, 50, 50}, 0xFF00FF00);
    painter.DrawLine(Point{0, 5}, Point{40, 5}, 3.0f, 0xFFFF0000);
    for (std::size_t y = 0; y < 6; ++y) {
        for (std::size_t x = 0; x < kStride; ++x) {
            const Argb p = storage[y * kStride + x];
            if (x < 10) EXPECT_NE(p, kGuard) << x << "," << y;
            else EXPECT_EQ(p, kGuard) << "outside the width at " << x << "," << y;
        }
    }
    EXPECT_EQ(surface.At(3, 1), 0xFF00FF00u);
}

} // namespace
} // namespace qor
