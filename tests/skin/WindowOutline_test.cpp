#include "skin/WindowOutline.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <random>
#include <string>

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

// A bitmap file of `image` as `bits` per pixel (24 or 32, or 8 with a two-colour palette), rows
// bottom-up unless `topDown`; `cut` bytes are left off the end.
std::string BitmapFile(const Image& image, int bits, bool topDown, std::size_t cut = 0) {
    const std::size_t stride = (std::size_t(image.width) * std::size_t(bits) + 31) / 32 * 4;
    const std::size_t offset = 14 + 40 + (bits == 8 ? 8 : 0);
    std::string b(offset + stride * std::size_t(image.height), '\0');
    auto put = [&](std::size_t at, std::uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            b[at + std::size_t(i)] = char(v >> (8 * i));
    };
    b[0] = 'B';
    b[1] = 'M';
    put(2, std::uint32_t(b.size()), 4);
    put(10, std::uint32_t(offset), 4);
    put(14, 40, 4);
    put(18, std::uint32_t(image.width), 4);
    put(22, std::uint32_t(topDown ? -image.height : image.height), 4);
    put(26, 1, 2);
    put(28, std::uint32_t(bits), 2);
    if (bits == 8)
        put(54, 0x00FFFFFF, 4); // index 0 white, index 1 (left zero) black
    for (int y = 0; y < image.height; ++y) {
        const std::size_t row = offset + stride * std::size_t(topDown ? y : image.height - 1 - y);
        for (int x = 0; x < image.width; ++x) {
            const Argb p = image.At(x, y);
            if (bits == 8)
                b[row + std::size_t(x)] = char((p & 0xFFFFFF) == 0xFFFFFF ? 0 : 1);
            else
                put(row + std::size_t(x) * std::size_t(bits / 8), p, bits / 8);
        }
    }
    b.resize(b.size() - std::min(cut, b.size()));
    return b;
}

// Tracing a file band by band must give exactly what decoding it whole gives, for the files it reads
// itself and for those it leaves to the decoder.
TEST(RegionFromBitmapFile, SameOutlineAsDecodingTheWholeFile) {
    struct Case {
        const char* name;
        int bits;
        bool topDown;
        std::size_t cut;
        bool empty;
    };
    const Case cases[] = {
        {"24-bit bottom-up", 24, false, 0, false},
        {"32-bit top-down", 32, true, 0, false},
        {"24-bit top-down", 24, true, 0, false},
        {"paletted: decoder", 8, false, 0, false},
        {"truncated: nothing", 24, false, 200, true},
    };
    test::TempFolder folder("qor-outline");
    std::mt19937 rng(7);
    Image image(157, 301, kWhite); // rows longer than a read band's worth in total, odd row padding
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            if (std::abs(x - 78) + std::abs(y - 150) < 140 || rng() % 9 == 0)
                image.At(x, y) = rng() % 2 ? kDark : 0xFFFEFFFF;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = folder.Path("outline.bmp");
        test::WriteAll(path, BitmapFile(image, c.bits, c.topDown, c.cut));
        const Region traced = RegionFromBitmapFile(path);
        EXPECT_EQ(traced, RegionFromBitmap(LoadBitmapFile(path)));
        EXPECT_EQ(traced.IsEmpty(), c.empty);
        if (!c.empty)
            ExpectOutlineMatchesPixels(traced, image);
    }
    EXPECT_TRUE(RegionFromBitmapFile(folder.Path("missing.bmp")).IsEmpty());
    EXPECT_TRUE(RegionFromBitmapFile(folder.Root()).IsEmpty()) << "a folder is no bitmap";
}

} // namespace
} // namespace qor
