#include "platform/gfx/Png.h"

#include "GfxTestUtil.h"

#include <png.h>
#include <zlib.h>

#include <sys/resource.h>

#include <fstream>
#include <random>

namespace qor {
namespace {

using Bytes = std::vector<std::uint8_t>;

Image Pattern(int w, int h, bool translucent) {
    Image image(w, h);
    std::mt19937 rng(42);
    for (Argb& p : image.pixels) {
        p = rng();
        if (!translucent) p |= 0xFF000000u;
    }
    if (translucent) {
        image.At(0, 0) = 0x00000000;
        image.At(1, 0) = 0x80FF0000;
    }
    return image;
}

void ExpectSameImage(const Image& expected, const Image& actual) {
    ASSERT_EQ(expected.width, actual.width);
    ASSERT_EQ(expected.height, actual.height);
    for (int y = 0; y < expected.height; ++y) {
        for (int x = 0; x < expected.width; ++x) {
            ASSERT_EQ(expected.At(x, y), actual.At(x, y)) << "at " << x << "," << y;
        }
    }
}

TEST(Png, EncodeThenDecodeGivesTheSamePixels) {
    for (bool translucent : {true, false}) {
        SCOPED_TRACE(translucent ? "with alpha" : "opaque");
        Image image = Pattern(37, 11, translucent);
        Bytes bytes = EncodePng(image);
        ASSERT_FALSE(bytes.empty());
        ExpectSameImage(image, DecodePng(bytes));
    }
}

TEST(Png, SaveThenLoadGivesTheSamePixels) {
    test::TempDir dir;
    Image image = Pattern(64, 48, true);
    std::string path = dir.File("shot.png");
    ASSERT_TRUE(SavePng(image, path));
    ExpectSameImage(image, LoadPng(path));
    // Saving again replaces the file.
    Image other(3, 2, 0xFF00FF00);
    ASSERT_TRUE(SavePng(other, path));
    ExpectSameImage(other, LoadPng(path));
    EXPECT_EQ(1, std::distance(std::filesystem::directory_iterator(std::filesystem::path(path).parent_path()),
                               std::filesystem::directory_iterator{}))
        << "no temporary file may be left behind";
}

TEST(Png, SaveFailsForAnEmptyImageOrAMissingFolder) {
    test::TempDir dir;
    EXPECT_FALSE(SavePng(Image{}, dir.File("empty.png")));
    EXPECT_FALSE(std::filesystem::exists(dir.File("empty.png")));
    EXPECT_FALSE(SavePng(Image(2, 2, 0xFFFFFFFF), dir.File("no/such/folder/x.png")));
}

TEST(Png, LoadOfMissingOrNonRegularFileIsEmpty) {
    test::TempDir dir;
    EXPECT_TRUE(LoadPng(dir.File("missing.png")).IsEmpty());
    std::filesystem::create_directory(dir.File("folder.png"));
    EXPECT_TRUE(LoadPng(dir.File("folder.png")).IsEmpty());
}

// Writes a PNG in a given storage format with libpng, to check that every format decodes to ARGB.
struct RawPng {
    int width = 2;
    int height = 1;
    int colorType = PNG_COLOR_TYPE_RGB;
    int bitDepth = 8;
    bool interlaced = false;
    Bytes rows;                 // packed rows as stored
    std::vector<png_color> palette;
    Bytes trnsAlpha;            // palette alpha
    png_color_16 trnsColour{};  // for grey or RGB
    bool hasTrnsColour = false;
};

void AppendToVector(png_structp png, png_bytep data, png_size_t n) {
    auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + n);
}

Bytes WriteRaw(const RawPng& raw) {
    Bytes out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return {};
    }
    png_set_write_fn(png, &out, AppendToVector, nullptr);
    png_set_IHDR(png, info, png_uint_32(raw.width), png_uint_32(raw.height), raw.bitDepth, raw.colorType,
                 raw.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (!raw.palette.empty()) png_set_PLTE(png, info, raw.palette.data(), int(raw.palette.size()));
    if (!raw.trnsAlpha.empty()) png_set_tRNS(png, info, raw.trnsAlpha.data(), int(raw.trnsAlpha.size()), nullptr);
    if (raw.hasTrnsColour) png_set_tRNS(png, info, nullptr, 0, &raw.trnsColour);
    png_write_info(png, info);
    std::size_t rowBytes = raw.rows.size() / std::size_t(raw.height);
    std::vector<png_bytep> rows;
    for (int y = 0; y < raw.height; ++y) rows.push_back(const_cast<png_bytep>(&raw.rows[std::size_t(y) * rowBytes]));
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

RawPng Raw(int width, int colorType, int bitDepth, Bytes rows) {
    RawPng raw;
    raw.width = width;
    raw.colorType = colorType;
    raw.bitDepth = bitDepth;
    raw.rows = std::move(rows);
    return raw;
}

TEST(Png, EveryStorageFormatDecodesToStraightArgb) {
    struct Case {
        const char* name;
        RawPng raw;
        std::vector<Argb> expected;
    };
    RawPng palette{2, 1, PNG_COLOR_TYPE_PALETTE, 8, false, {0, 1}, {{255, 0, 0}, {0, 0, 255}}, {0x40}, {}, false};
    RawPng palette2bit{4, 1, PNG_COLOR_TYPE_PALETTE, 2, false, {0b00011011}, {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {10, 11, 12}}, {}, {}, false};
    RawPng greyKey{2, 1, PNG_COLOR_TYPE_GRAY, 8, false, {0x10, 0x20}, {}, {}, {0, 0, 0, 0, 0x20}, true};
    Case cases[] = {
        {"grey 8", Raw(2, PNG_COLOR_TYPE_GRAY, 8, {0x00, 0x80}), {0xFF000000, 0xFF808080}},
        {"grey 16", Raw(2, PNG_COLOR_TYPE_GRAY, 16, {0xFF, 0xFF, 0x80, 0x00}), {0xFFFFFFFF, 0xFF808080}},
        {"grey 1", Raw(8, PNG_COLOR_TYPE_GRAY, 1, {0b10100000}),
         {0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF, 0xFF000000, 0xFF000000, 0xFF000000, 0xFF000000, 0xFF000000}},
        {"grey alpha", Raw(1, PNG_COLOR_TYPE_GRAY_ALPHA, 8, {0x30, 0x80}), {0x80303030}},
        {"rgb 8", Raw(1, PNG_COLOR_TYPE_RGB, 8, {0x11, 0x22, 0x33}), {0xFF112233}},
        {"rgb 16", Raw(1, PNG_COLOR_TYPE_RGB, 16, {0x11, 0, 0x22, 0, 0x33, 0}), {0xFF112233}},
        {"rgba 16", Raw(1, PNG_COLOR_TYPE_RGBA, 16, {0x11, 0, 0x22, 0, 0x33, 0, 0x44, 0}), {0x44112233}},
        {"palette with tRNS", palette, {0x40FF0000, 0xFF0000FF}},
        {"palette 2-bit", palette2bit, {0xFF010203, 0xFF040506, 0xFF070809, 0xFF0A0B0C}},
        {"grey with colour key", greyKey, {0xFF101010, 0x00202020}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Image image = DecodePng(WriteRaw(c.raw));
        ASSERT_EQ(c.raw.width, image.width);
        ASSERT_EQ(c.raw.height, image.height);
        for (std::size_t i = 0; i < c.expected.size(); ++i) EXPECT_TRUE(test::ColourNear(c.expected[i], image.pixels[i], 1)) << "pixel " << i;
    }
}

TEST(Png, InterlacedImagesDecode) {
    Image image = Pattern(13, 9, true);
    RawPng raw{13, 9, PNG_COLOR_TYPE_RGBA, 8, true, {}, {}, {}, {}, false};
    for (Argb p : image.pixels) {
        raw.rows.insert(raw.rows.end(), {std::uint8_t(p >> 16), std::uint8_t(p >> 8), std::uint8_t(p), std::uint8_t(p >> 24)});
    }
    ExpectSameImage(image, DecodePng(WriteRaw(raw)));
}

// Rewrites the IHDR's width and height and its checksum, so only the size check can refuse the file.
Bytes WithHeaderSize(Bytes png, std::uint32_t width, std::uint32_t height) {
    auto put32 = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) png[at + std::size_t(i)] = std::uint8_t(v >> (24 - 8 * i));
    };
    put32(16, width);
    put32(20, height);
    put32(29, std::uint32_t(crc32(0, &png[12], 17)));
    return png;
}

TEST(Png, HostileFilesGiveAnEmptyImage) {
    const Bytes good = EncodePng(Pattern(20, 20, true));
    EXPECT_TRUE(DecodePng({}).IsEmpty());
    EXPECT_TRUE(DecodePng(Bytes(good.begin(), good.begin() + 8)).IsEmpty()) << "signature only";
    EXPECT_TRUE(DecodePng(Bytes(100, 0)).IsEmpty()) << "not a PNG";
    EXPECT_TRUE(DecodePng(WithHeaderSize(good, 100000, 1)).IsEmpty()) << "too wide";
    EXPECT_TRUE(DecodePng(WithHeaderSize(good, 16384, 16384)).IsEmpty()) << "too many pixels";
    EXPECT_TRUE(DecodePng(WithHeaderSize(good, 0x7FFFFFFF, 0x7FFFFFFF)).IsEmpty());
    EXPECT_TRUE(DecodePng(WithHeaderSize(good, 20, 4000)).IsEmpty()) << "pixel data shorter than the header says";
}

// The header alone gives the size that decoding would, and nothing where decoding would refuse.
TEST(Png, SizeFromTheHeaderAgreesWithDecoding) {
    const Bytes good = EncodePng(Pattern(20, 12, true));
    Bytes notIhdr = good;
    notIhdr[12] = 'X';
    struct Case {
        const char* what;
        Bytes bytes;
        std::optional<Size> size;
    };
    const Case cases[] = {
        {"whole file", good, Size{20, 12}},
        {"first 24 bytes", Bytes(good.begin(), good.begin() + 24), Size{20, 12}},
        {"23 bytes", Bytes(good.begin(), good.begin() + 23), std::nullopt},
        {"largest allowed", WithHeaderSize(good, 16384, 1024), Size{16384, 1024}},
        {"too wide", WithHeaderSize(good, 100000, 1), std::nullopt},
        {"too many pixels", WithHeaderSize(good, 16384, 16384), std::nullopt},
        {"zero height", WithHeaderSize(good, 20, 0), std::nullopt},
        {"first chunk not IHDR", notIhdr, std::nullopt},
        {"not a PNG", Bytes(40, 0), std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PngSize(c.bytes), c.size) << c.what;
    }
}

// A text chunk that claims a gigabyte in a file of a few dozen bytes: refused before anything of that
// size is allocated (libpng would clear such a buffer, page by page, before finding the file short).
TEST(Png, ChunkClaimingMoreThanTheFileHoldsAllocatesNothingLarge) {
    const Bytes good = EncodePng(Pattern(4, 2, false));
    Bytes hostile(good.begin(), good.begin() + 8 + 25); // signature and IHDR
    const std::uint8_t header[] = {0x40, 0x00, 0x00, 0x00, 't', 'E', 'X', 't', 'a', 'b', 'c'};
    hostile.insert(hostile.end(), std::begin(header), std::end(header));

    rusage before{};
    getrusage(RUSAGE_SELF, &before);
    EXPECT_TRUE(DecodePng(hostile).IsEmpty());
    rusage after{};
    getrusage(RUSAGE_SELF, &after);
    EXPECT_LT(after.ru_maxrss - before.ru_maxrss, 256 * 1024) << "peak grew by KiB";
}

TEST(Png, TruncatedOrDamagedFilesNeverCrash) {
    const Image original = Pattern(20, 20, true);
    const Bytes good = EncodePng(original);
    // Every truncation: the pixels are either all there or the image is empty.
    for (std::size_t n = 0; n < good.size(); ++n) {
        Image image = DecodePng(std::span(good).first(n));
        if (!image.IsEmpty()) {
            ASSERT_EQ(original.pixels, image.pixels) << "length " << n;
        }
    }
    // Damaged bytes: a picture of the right size or nothing.
    std::mt19937 rng(7);
    for (int round = 0; round < 300; ++round) {
        Bytes bad = good;
        for (int k = 0; k < 4; ++k) bad[8 + rng() % (bad.size() - 8)] ^= std::uint8_t(1 + rng() % 255);
        Image image = DecodePng(bad);
        if (!image.IsEmpty()) {
            ASSERT_EQ(20, image.width);
            ASSERT_EQ(std::size_t(400), image.pixels.size());
        }
    }
}

} // namespace
} // namespace qor
