#include "platform/gfx/Bmp.h"

#include <climits>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <random>
#include <unistd.h>

namespace qor {
namespace {

using Bytes = std::vector<std::uint8_t>;

void Put16(Bytes& b, std::size_t at, std::uint32_t v) {
    b[at] = std::uint8_t(v);
    b[at + 1] = std::uint8_t(v >> 8);
}
void Put32(Bytes& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + std::size_t(i)] = std::uint8_t(v >> (8 * i));
}

// Builds a BMP file: file header, info header of `headerSize` bytes, optional masks after a 40-byte
// header, palette, then the rows exactly as given (already padded, in file order).
struct BmpLayout {
    std::int32_t width = 1;
    std::int32_t height = 1;
    std::uint16_t bpp = 24;
    std::uint32_t compression = 0;
    std::uint32_t headerSize = 40;
    std::uint32_t colorsUsed = 0;
    std::vector<std::uint32_t> masks;   // in the header (V4) or after a 40-byte header
    std::vector<std::uint32_t> palette; // 0x00RRGGBB
    Bytes pixels;
};

Bytes MakeBmp(const BmpLayout& s) {
    const bool core = s.headerSize == 12;
    const std::size_t paletteBytes = s.palette.size() * (core ? 3 : 4);
    const std::size_t maskBytes = s.headerSize == 40 ? s.masks.size() * 4 : 0;
    const std::size_t offset = 14 + s.headerSize + maskBytes + paletteBytes;
    Bytes b(offset, 0);
    b[0] = 'B';
    b[1] = 'M';
    Put32(b, 2, std::uint32_t(offset + s.pixels.size()));
    Put32(b, 10, std::uint32_t(offset));
    Put32(b, 14, s.headerSize);
    if (core) {
        Put16(b, 18, std::uint32_t(s.width));
        Put16(b, 20, std::uint32_t(s.height));
        Put16(b, 22, 1);
        Put16(b, 24, s.bpp);
    } else {
        Put32(b, 18, std::uint32_t(s.width));
        Put32(b, 22, std::uint32_t(s.height));
        Put16(b, 26, 1);
        Put16(b, 28, s.bpp);
        Put32(b, 30, s.compression);
        Put32(b, 46, s.colorsUsed);
        for (std::size_t i = 0; i < s.masks.size(); ++i)
            Put32(b, 54 + 4 * i, s.masks[i]);
    }
    std::size_t at = 14 + s.headerSize + maskBytes;
    for (std::uint32_t c : s.palette) {
        b[at++] = std::uint8_t(c);
        b[at++] = std::uint8_t(c >> 8);
        b[at++] = std::uint8_t(c >> 16);
        if (!core)
            b[at++] = 0;
    }
    b.insert(b.end(), s.pixels.begin(), s.pixels.end());
    return b;
}

constexpr Argb kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF, kWhite = 0xFFFFFFFF,
               kBlack = 0xFF000000;

void ExpectPixels(const Image& image, int width, int height, const std::vector<Argb>& expected) {
    ASSERT_EQ(image.width, width);
    ASSERT_EQ(image.height, height);
    ASSERT_EQ(image.pixels.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(image.pixels[i], expected[i])
            << "pixel " << i << " expected 0x" << std::hex << expected[i] << " got 0x" << image.pixels[i];
}

// A 3 x 2 picture, top row red green blue, bottom row white black red, as 24-bit bottom-up rows.
BmpLayout ThreeByTwo24() {
    BmpLayout s;
    s.width = 3;
    s.height = 2;
    s.pixels = {0xFF, 0xFF, 0xFF, 0, 0,    0, 0,    0, 0xFF, 0, 0, 0,  // bottom row + 3 bytes padding
                0,    0,    0xFF, 0, 0xFF, 0, 0xFF, 0, 0,    0, 0, 0}; // top row
    return s;
}
const std::vector<Argb> kThreeByTwo = {kRed, kGreen, kBlue, kWhite, kBlack, kRed};

TEST(DecodeBmp, TwentyFourBitBottomUpWithPadding) {
    ExpectPixels(DecodeBmp(MakeBmp(ThreeByTwo24())), 3, 2, kThreeByTwo);
}

TEST(DecodeBmp, LastRowMayLackItsPadding) {
    Bytes file = MakeBmp(ThreeByTwo24());
    file.erase(file.end() - 3, file.end());
    ExpectPixels(DecodeBmp(file), 3, 2, kThreeByTwo);
}

TEST(DecodeBmp, ThirtyTwoBitTopDownIgnoresTheUnusedByte) {
    BmpLayout s;
    s.width = 2;
    s.height = -2;
    s.bpp = 32;
    s.pixels = {0,    0, 0xFF, 0x00, 0,    0xFF, 0,    0x7F, // top row: red, green (stray byte ignored)
                0xFF, 0, 0,    0x00, 0x10, 0x20, 0x30, 0};
    ExpectPixels(DecodeBmp(MakeBmp(s)), 2, 2, {kRed, kGreen, kBlue, 0xFF302010});
}

TEST(DecodeBmp, PalettedDepths) {
    BmpLayout one;
    one.width = 10;
    one.height = 1;
    one.bpp = 1;
    one.palette = {0xFFFFFF, 0x0000FF};
    one.pixels = {0b10100000, 0b01000000, 0, 0};
    ExpectPixels(DecodeBmp(MakeBmp(one)), 10, 1,
                 {kBlue, kWhite, kBlue, kWhite, kWhite, kWhite, kWhite, kWhite, kWhite, kBlue});

    BmpLayout four;
    four.width = 3;
    four.height = 1;
    four.bpp = 4;
    four.palette = {0x000000, 0xFF0000, 0x00FF00};
    four.colorsUsed = 3;
    four.pixels = {0x12, 0x70, 0, 0}; // index 7 lies past the 3 colours used: black
    ExpectPixels(DecodeBmp(MakeBmp(four)), 3, 1, {kRed, kGreen, kBlack});

    BmpLayout eight;
    eight.width = 2;
    eight.height = 2;
    eight.bpp = 8;
    eight.palette.assign(256, 0);
    eight.palette[1] = 0xFF0000;
    eight.palette[200] = 0x0000FF;
    eight.palette[255] = 0xFFFFFF;
    eight.pixels = {255, 0, 0, 0, 1, 200, 0, 0};
    ExpectPixels(DecodeBmp(MakeBmp(eight)), 2, 2, {kRed, kBlue, kWhite, kBlack});

    BmpLayout core; // the old 12-byte header with 3-byte palette entries
    core.headerSize = 12;
    core.width = 2;
    core.height = 1;
    core.bpp = 8;
    core.palette.assign(256, 0);
    core.palette[3] = 0x00FF00;
    core.pixels = {3, 0, 0, 0};
    ExpectPixels(DecodeBmp(MakeBmp(core)), 2, 1, {kGreen, kBlack});
}

TEST(DecodeBmp, SixteenBitDefaultAndMasks) {
    BmpLayout rgb555;
    rgb555.width = 2;
    rgb555.height = 1;
    rgb555.bpp = 16;
    rgb555.pixels = {0x00, 0x7C, 0x1F, 0x00}; // red, blue
    ExpectPixels(DecodeBmp(MakeBmp(rgb555)), 2, 1, {kRed, kBlue});

    BmpLayout rgb565 = rgb555;
    rgb565.compression = 3;
    rgb565.masks = {0xF800, 0x07E0, 0x001F};
    rgb565.pixels = {0xE0, 0x07, 0x00, 0xF8}; // green, red
    ExpectPixels(DecodeBmp(MakeBmp(rgb565)), 2, 1, {kGreen, kRed});
}

TEST(DecodeBmp, AlphaMaskIsHonouredUnlessEveryAlphaIsZero) {
    BmpLayout s;
    s.headerSize = 108; // V4 header carries the masks
    s.width = 2;
    s.height = 1;
    s.bpp = 32;
    s.compression = 3;
    s.masks = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
    s.pixels = {0, 0, 0xFF, 0x80, 0xFF, 0, 0, 0x00};
    ExpectPixels(DecodeBmp(MakeBmp(s)), 2, 1, {0x80FF0000, 0x000000FF});

    s.pixels = {0, 0, 0xFF, 0x00, 0xFF, 0, 0, 0x00};
    ExpectPixels(DecodeBmp(MakeBmp(s)), 2, 1, {kRed, kBlue});
}

TEST(DecodeBmp, RunLengthEncoded) {
    BmpLayout rle8;
    rle8.width = 4;
    rle8.height = 3;
    rle8.bpp = 8;
    rle8.compression = 1;
    rle8.palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
    rle8.colorsUsed = 4;
    rle8.pixels = {
        3, 1, 0, 0,       // bottom row: three red, end of line
        0, 3, 2, 3, 1, 0, // middle row: literal green blue red (padded), then a run past the edge
        5, 2, 0, 0,       //   five green: the one past the right edge is dropped
        0, 2, 2, 0,       // top row: move right by 2
        1, 3, 0, 1,       //   one blue, end of bitmap
    };
    ExpectPixels(DecodeBmp(MakeBmp(rle8)), 4, 3,
                 {kBlack, kBlack, kBlue, kBlack, kGreen, kBlue, kRed, kGreen, kRed, kRed, kRed, kBlack});

    BmpLayout rle4 = rle8;
    rle4.bpp = 4;
    rle4.compression = 2;
    rle4.height = 1;
    rle4.pixels = {3, 0x12, 0, 0, 1}; // red green red, end of bitmap
    ExpectPixels(DecodeBmp(MakeBmp(rle4)), 4, 1, {kRed, kGreen, kRed, kBlack});
    rle4.pixels = {0, 3, 0x31, 0x20, 0, 1}; // literal blue red green
    ExpectPixels(DecodeBmp(MakeBmp(rle4)), 4, 1, {kBlue, kRed, kGreen, kBlack});

    rle8.pixels = {3, 1, 0, 0, 0, 3, 2, 3}; // literal cut short, no end marker
    EXPECT_TRUE(DecodeBmp(MakeBmp(rle8)).IsEmpty());
    rle8.pixels = {0, 2, 255, 0, 0, 2, 255, 0, 0, 2}; // moves past the edge, then truncated
    EXPECT_TRUE(DecodeBmp(MakeBmp(rle8)).IsEmpty());
    rle8.pixels = {0, 2, 200, 255}; // moves past the top: done
    EXPECT_EQ(DecodeBmp(MakeBmp(rle8)).pixels.size(), 12u);
    rle8.height = -3; // run-length data cannot be top-down
    rle8.pixels = {0, 1};
    EXPECT_TRUE(DecodeBmp(MakeBmp(rle8)).IsEmpty());
}

TEST(DecodeBmp, DamagedOrHostileHeadersGiveEmptyImages) {
    struct Case {
        const char* what;
        std::function<void(BmpLayout&)> change;
        std::function<void(Bytes&)> damage;
    };
    const Case cases[] = {
        {"zero width", [](BmpLayout& s) { s.width = 0; }, nullptr},
        {"negative width", [](BmpLayout& s) { s.width = -3; }, nullptr},
        {"zero height", [](BmpLayout& s) { s.height = 0; }, nullptr},
        {"most negative height", [](BmpLayout& s) { s.height = INT32_MIN; }, nullptr},
        {"huge height", [](BmpLayout& s) { s.height = INT32_MAX; }, nullptr},
        {"huge area", [](BmpLayout& s) { s.width = 60000, s.height = 60000; }, nullptr},
        {"bit depth 7", [](BmpLayout& s) { s.bpp = 7; }, nullptr},
        {"bit depth 0", [](BmpLayout& s) { s.bpp = 0; }, nullptr},
        {"run-length on 24 bits", [](BmpLayout& s) { s.compression = 1; }, nullptr},
        {"JPEG inside", [](BmpLayout& s) { s.compression = 4; }, nullptr},
        {"masks on 24 bits", [](BmpLayout& s) { s.compression = 3; }, nullptr},
        {"truncated rows", nullptr, [](Bytes& b) { b.erase(b.end() - 4, b.end()); }},
        {"no rows at all", nullptr, [](Bytes& b) { b.erase(b.begin() + 54, b.end()); }},
        {"header cut short", nullptr, [](Bytes& b) { b.erase(b.begin() + 30, b.end()); }},
        {"not a bitmap", nullptr, [](Bytes& b) { b[0] = 'P'; }},
        {"pixel offset past the end", nullptr, [](Bytes& b) { Put32(b, 10, 0xFFFFFFF0u); }},
        {"pixel offset inside the header", nullptr, [](Bytes& b) { Put32(b, 10, 20); }},
        {"header size 20", nullptr, [](Bytes& b) { Put32(b, 14, 20); }},
        {"header size past the end", nullptr, [](Bytes& b) { Put32(b, 14, 0x7FFFFFFF); }},
    };
    for (const auto& c : cases) {
        BmpLayout s = ThreeByTwo24();
        if (c.change)
            c.change(s);
        Bytes file = MakeBmp(s);
        if (c.damage)
            c.damage(file);
        EXPECT_TRUE(DecodeBmp(file).IsEmpty()) << c.what;
    }
    EXPECT_TRUE(DecodeBmp({}).IsEmpty());
}

TEST(DecodeBmp, PaletteLargerThanTheDepthAllowsOrPastTheEnd) {
    BmpLayout s;
    s.width = 1;
    s.height = 1;
    s.bpp = 4;
    s.palette.assign(17, 0);
    s.colorsUsed = 17;
    s.pixels = {0, 0, 0, 0};
    EXPECT_TRUE(DecodeBmp(MakeBmp(s)).IsEmpty()) << "17 colours at 4 bits";

    s.palette.assign(16, 0);
    s.colorsUsed = 0xFFFFFFFF;
    EXPECT_TRUE(DecodeBmp(MakeBmp(s)).IsEmpty()) << "colour count overflow";

    s.bpp = 8; // 256 colours implied, only 16 stored
    s.colorsUsed = 0;
    s.pixels.clear();
    EXPECT_TRUE(DecodeBmp(MakeBmp(s)).IsEmpty()) << "palette past the end";
}

TEST(DecodeBmp, EveryTruncationAndRandomDamageIsSafe) {
    BmpLayout s;
    s.width = 5;
    s.height = -3;
    s.bpp = 8;
    s.palette.assign(256, 0x123456);
    s.pixels.assign(24, 7);
    const Bytes good = MakeBmp(s);
    ASSERT_FALSE(DecodeBmp(good).IsEmpty());
    for (std::size_t n = 0; n < good.size() - 3; ++n) {
        Bytes cut(good.begin(), good.begin() + std::ptrdiff_t(n));
        EXPECT_TRUE(DecodeBmp(cut).IsEmpty()) << "cut at " << n;
    }
    std::mt19937 rng(1234);
    for (int i = 0; i < 3000; ++i) {
        Bytes bad = good;
        for (int k = 0; k < 3; ++k)
            bad[rng() % 60] = std::uint8_t(rng());
        Image image = DecodeBmp(bad);
        if (!image.IsEmpty()) {
            EXPECT_EQ(image.pixels.size(), std::size_t(image.width) * std::size_t(image.height));
        }
    }
}

TEST(LoadBmpFile, ReadsAFileAndRejectsWhatIsNotOne) {
    const auto dir = std::filesystem::temp_directory_path() / ("qor-bmp-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const auto path = dir / "pic.bmp";
    const Bytes file = MakeBmp(ThreeByTwo24());
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(file.data()), std::streamsize(file.size()));

    ExpectPixels(LoadBmpFile(path.string()), 3, 2, kThreeByTwo);
    EXPECT_TRUE(LoadBmpFile((dir / "missing.bmp").string()).IsEmpty());
    EXPECT_TRUE(LoadBmpFile(dir.string()).IsEmpty());
    EXPECT_TRUE(LoadBmpFile("/dev/zero").IsEmpty());
    std::filesystem::remove_all(dir);
}

} // namespace
} // namespace qor
