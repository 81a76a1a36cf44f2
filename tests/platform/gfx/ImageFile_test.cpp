#include "platform/gfx/ImageFile.h"

#include "platform/gfx/Png.h"

#include "GfxTestUtil.h"

#include <fstream>
#include <thread>
#include <vector>

namespace qor {
namespace {

void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// A 2 x 1 24-bit bottom-up BMP: blue, then red.
std::vector<std::uint8_t> TinyBmp() {
    std::vector<std::uint8_t> b = {'B', 'M', 62, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,     // file header
                                   40, 0, 0, 0, 2, 0, 0, 0, 1, 0, 0, 0, 1, 0, 24, 0,  // info header
                                   0, 0, 0, 0, 8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                   0xFF, 0, 0, 0, 0, 0xFF, 0, 0};                       // B,G,R B,G,R pad
    return b;
}

TEST(ImageFile, FormatIsChosenByContentNotByName) {
    test::TempDir dir;
    Image png(3, 2, 0xFF123456);
    WriteBytes(dir.File("really-a-png.bmp"), EncodePng(png));
    WriteBytes(dir.File("really-a-bmp.png"), TinyBmp());

    Image fromPng = LoadImageFile(dir.File("really-a-png.bmp"));
    EXPECT_EQ(png.pixels, fromPng.pixels);
    Image fromBmp = LoadImageFile(dir.File("really-a-bmp.png"));
    ASSERT_EQ(2, fromBmp.width);
    EXPECT_EQ(0xFF0000FFu, fromBmp.At(0, 0));
    EXPECT_EQ(0xFFFF0000u, fromBmp.At(1, 0));
}

TEST(ImageFile, MissingOrBrokenFilesGiveEmptyImages) {
    test::TempDir dir;
    WriteBytes(dir.File("garbage.png"), {1, 2, 3, 4, 5, 6, 7, 8, 9});
    WriteBytes(dir.File("empty.png"), {});
    std::vector<std::uint8_t> cut = EncodePng(Image(10, 10, 0xFF00FF00));
    cut.resize(cut.size() / 2);
    WriteBytes(dir.File("cut.png"), cut);
    for (const char* name : {"missing.png", "garbage.png", "empty.png", "cut.png"}) {
        EXPECT_TRUE(LoadImageFile(dir.File(name)).IsEmpty()) << name;
    }
}

TEST(SharedImage, OneDecodeWhileHeldAndAFreshOneAfterAChange) {
    test::TempDir dir;
    const std::string path = dir.File("button.png");
    WriteBytes(path, EncodePng(Image(4, 4, 0xFF112233)));

    ImagePtr first = LoadSharedImage(path);
    ImagePtr second = LoadSharedImage(path);
    ASSERT_TRUE(first);
    EXPECT_EQ(first.get(), second.get());
    EXPECT_EQ(4, first->width);

    WriteBytes(path, EncodePng(Image(5, 3, 0xFF445566)));
    ImagePtr changed = LoadSharedImage(path);
    EXPECT_EQ(5, changed->width);
    EXPECT_EQ(4, first->width) << "holders of the old picture keep it";

    ImagePtr missing = LoadSharedImage(dir.File("missing.png"));
    ASSERT_TRUE(missing);
    EXPECT_TRUE(missing->IsEmpty());
}

// Threads asking for one file at the same moment share one decode; a prefetch hands its result to
// whoever asks later and copes with files that are not there.
TEST(SharedImage, ConcurrentAndPrefetchedLoadsShareOneImage) {
    test::TempDir dir;
    const std::string path = dir.File("large.png");
    Image picture(600, 400);
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x)
            picture.At(x, y) = MakeArgb(255, std::uint8_t(x * 7 + y), std::uint8_t(x ^ y), std::uint8_t(x * y));
    WriteBytes(path, EncodePng(picture));

    std::vector<ImagePtr> got(6);
    {
        std::vector<std::thread> threads;
        for (ImagePtr& slot : got) threads.emplace_back([&slot, &path] { slot = LoadSharedImage(path); });
        for (std::thread& t : threads) t.join();
    }
    for (const ImagePtr& image : got) {
        ASSERT_TRUE(image);
        EXPECT_EQ(image.get(), got[0].get()) << "one decode for all";
    }
    EXPECT_EQ(got[0]->pixels, picture.pixels);
    got.clear(); // the last holder lets go: the next load decodes afresh

    const std::string other = dir.File("other.png");
    WriteBytes(other, EncodePng(Image(3, 3, 0xFF010203)));
    ImagePrefetch prefetch({path, dir.File("missing.png"), other});
    ImagePtr first = LoadSharedImage(path);
    ImagePtr missing = LoadSharedImage(dir.File("missing.png"));
    ImagePtr third = LoadSharedImage(other);
    EXPECT_EQ(first->pixels, picture.pixels);
    EXPECT_TRUE(missing->IsEmpty());
    EXPECT_EQ(third->At(2, 2), 0xFF010203u);
}

} // namespace
} // namespace qor
