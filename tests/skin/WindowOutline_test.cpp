#include "skin/WindowOutline.h"

#include <gtest/gtest.h>
#include <random>

namespace qor {
namespace {

constexpr Argb kWhite = 0xFFFFFFFF;
constexpr Argb kDark = 0xFF102030;

// Every pixel of `image` must be inside `region` exactly when it is not pure white.
void ExpectOutlineMatchesPixels(const Region& region, const Image& image) {
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const bool inside = (image.At(x, y) & 0xFFFFFF) != 0xFFFFFF;
            ASSERT_EQ(region.Contains({x, y}), inside) << "at " << x << "," << y;
        }
}

TEST(RegionFromBitmap, CommittedBitmapLosesItsWhiteCorners) {
    const Image image = LoadBitmapFile(QOR_SOURCE_DIR "/tests/skin/fixtures/outline.bmp");
    ASSERT_EQ(image.GetSize(), (Size{6, 4}));
    EXPECT_EQ(image.At(4, 0), 0xFFFFFFFE) << "near-white is a colour of its own";

    const Region region = RegionFromBitmap(image);
    const std::vector<Rect> expected = {
        {2, 0, 5, 1}, // top row: white at 0, 1 and 5; (255, 255, 254) at 4 stays inside
        {0, 1, 6, 3}, // two full rows merged into one band
        {1, 3, 5, 4}, // bottom row without its corners
    };
    EXPECT_EQ(region.Rects(), expected);
    EXPECT_EQ(region.Bounds(), (Rect{0, 0, 6, 4}));
    ExpectOutlineMatchesPixels(region, image);
}

TEST(RegionFromBitmap, NothingButWhiteOrNothingAtAllGivesNoRegion) {
    EXPECT_TRUE(RegionFromBitmap(Image(5, 3, kWhite)).IsEmpty());
    EXPECT_TRUE(RegionFromBitmap(Image(5, 3, 0x00FFFFFF)).IsEmpty()) << "alpha does not matter";
    EXPECT_TRUE(RegionFromBitmap(Image()).IsEmpty());
    Image inconsistent(4, 4, kDark);
    inconsistent.pixels.resize(3); // a hand-made image whose pixels do not match its size
    EXPECT_TRUE(RegionFromBitmap(inconsistent).IsEmpty());
    EXPECT_TRUE(LoadBitmapFile("/nonexistent/cfgMainback.bmp").IsEmpty());
}

TEST(RegionFromBitmap, TransparentBlackIsInside) {
    const Region region = RegionFromBitmap(Image(2, 2, 0x00000000));
    EXPECT_EQ(region.Rects(), (std::vector<Rect>{{0, 0, 2, 2}}));
}

TEST(RegionFromBitmap, CheckerboardMakesOneRectanglePerRun) {
    Image board(1000, 1000, kWhite);
    for (int y = 0; y < 1000; ++y)
        for (int x = (y + 1) % 2; x < 1000; x += 2)
            board.At(x, y) = kDark;
    const Region region = RegionFromBitmap(board);
    ASSERT_EQ(region.Rects().size(), 500000u);
    EXPECT_EQ(region.Rects().front(), (Rect{1, 0, 2, 1}));
    EXPECT_EQ(region.Rects().back(), (Rect{998, 999, 999, 1000}));
    EXPECT_EQ(region.Bounds(), (Rect{0, 0, 1000, 1000}));
    EXPECT_TRUE(region.Contains({999, 0}));
    EXPECT_FALSE(region.Contains({998, 0}));
}

TEST(RegionFromBitmap, MatchesThePixelsOfRandomBitmaps) {
    std::mt19937 rng(99);
    for (int round = 0; round < 50; ++round) {
        Image image(int(rng() % 23) + 1, int(rng() % 17) + 1, kWhite);
        for (Argb& p : image.pixels) {
            const auto r = rng() % 4;
            // Long runs of both kinds, and colours one step away from white.
            p = r == 0 ? kDark : r == 1 ? 0xFFFFFEFF : r == 2 ? kWhite : image.pixels.front();
        }
        const Region region = RegionFromBitmap(image);
        SCOPED_TRACE(round);
        ExpectOutlineMatchesPixels(region, image);
        for (std::size_t i = 1; i < region.Rects().size(); ++i) {
            const Rect& a = region.Rects()[i - 1];
            const Rect& b = region.Rects()[i];
            EXPECT_TRUE(a.top < b.top || (a.top == b.top && a.right <= b.left)) << "rectangles out of order";
        }
    }
}

} // namespace
} // namespace qor
