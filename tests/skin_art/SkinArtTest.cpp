// The generated skin: every file the program loads exists after the build, decodes, has the size we
// drew it at, and every text the windows look up is there. The program itself shows nothing for a
// missing picture or text, so these faults would otherwise only be seen by eye.

#include "IniText.h"
#include "SkinManifest.h"

#include <cairo.h>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace qor::skin {
namespace {

std::filesystem::path SkinPath(std::string_view relative) {
    return std::filesystem::path(QOR_EXE_DIR) / std::string(kSkinFolder) / std::string(relative);
}

bool EndsWith(std::string_view s, std::string_view tail) {
    return s.size() >= tail.size() && s.substr(s.size() - tail.size()) == tail;
}

// A decoded picture as RGBA rows (straight alpha), enough for the checks below.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels; // 0xAARRGGBB
    std::uint32_t At(int x, int y) const {
        return pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)];
    }
};

std::optional<Picture> DecodePng(const std::filesystem::path& path) {
    std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> surface(
        cairo_image_surface_create_from_png(path.c_str()), cairo_surface_destroy);
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS)
        return std::nullopt;
    Picture p;
    p.width = cairo_image_surface_get_width(surface.get());
    p.height = cairo_image_surface_get_height(surface.get());
    const int stride = cairo_image_surface_get_stride(surface.get());
    const unsigned char* data = cairo_image_surface_get_data(surface.get());
    for (int y = 0; y < p.height; ++y) {
        for (int x = 0; x < p.width; ++x) {
            std::uint32_t v;
            std::memcpy(&v, data + y * stride + x * 4, 4);
            p.pixels.push_back(v); // premultiplied; only alpha is examined for PNGs
        }
    }
    return p;
}

std::uint32_t ReadLe(const std::string& b, std::size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(b[at + std::size_t(i)]);
    return v;
}

// Uncompressed 24- and 32-bit BMPs, bottom-up or top-down, as the outline loader needs them.
std::optional<Picture> DecodeBmp(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    const std::string b((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M')
        return std::nullopt;
    const std::uint32_t offset = ReadLe(b, 10, 4);
    const auto width = std::int32_t(ReadLe(b, 18, 4));
    const auto rawHeight = std::int32_t(ReadLe(b, 22, 4));
    const std::uint32_t bpp = ReadLe(b, 28, 2);
    const std::uint32_t compression = ReadLe(b, 30, 4);
    if (width <= 0 || rawHeight == 0 || (bpp != 24 && bpp != 32) || compression != 0)
        return std::nullopt;
    const int height = rawHeight < 0 ? -rawHeight : rawHeight;
    const std::size_t rowBytes = (std::size_t(width) * bpp / 8 + 3) & ~std::size_t(3);
    if (b.size() < offset + rowBytes * std::size_t(height))
        return std::nullopt;
    Picture p{width, height, {}};
    p.pixels.resize(std::size_t(width) * std::size_t(height));
    for (int row = 0; row < height; ++row) {
        const int y = rawHeight > 0 ? height - 1 - row : row;
        for (int x = 0; x < width; ++x) {
            const std::size_t at = offset + std::size_t(row) * rowBytes + std::size_t(x) * bpp / 8;
            p.pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)] = 0xFF000000u | ReadLe(b, at, 3);
        }
    }
    return p;
}

std::optional<Picture> Decode(std::string_view relative) {
    return EndsWith(relative, ".bmp") ? DecodeBmp(SkinPath(relative)) : DecodePng(SkinPath(relative));
}

TEST(SkinArt, EveryFileExistsDecodesAndHasItsSize) {
    for (const ArtFile& file : ArtFiles()) {
        SCOPED_TRACE(std::string(file.path));
        ASSERT_TRUE(std::filesystem::exists(SkinPath(file.path))) << SkinPath(file.path);
        const auto picture = Decode(file.path);
        ASSERT_TRUE(picture.has_value()) << "cannot decode " << SkinPath(file.path);
        EXPECT_EQ(picture->width, file.width);
        EXPECT_EQ(picture->height, file.height);
    }
}

TEST(SkinArt, ManifestNamesEachFileOnce) {
    std::set<std::string_view> seen;
    for (const ArtFile& file : ArtFiles())
        EXPECT_TRUE(seen.insert(file.path).second) << "listed twice: " << file.path;
    EXPECT_TRUE(seen.count(kAppIconPath)) << "the application icon is not drawn";
}

// Buttons and slider tracks paint black behind their picture; a transparent pixel would show it.
TEST(SkinArt, ButtonFacesAndTracksAreOpaque) {
    const std::set<std::string_view> roundThumbs = {"controls/x.png", "controls/x2.png", "controls/x3.png",
                                                    "controls/y.png"};
    for (const ArtFile& file : ArtFiles()) {
        const bool face = file.path.starts_with("buttons/") || file.path.starts_with("controls/");
        if (!face || roundThumbs.count(file.path))
            continue;
        SCOPED_TRACE(std::string(file.path));
        const auto picture = Decode(file.path);
        ASSERT_TRUE(picture.has_value());
        int transparent = 0;
        for (std::uint32_t pixel : picture->pixels)
            transparent += (pixel >> 24) != 0xFF;
        EXPECT_EQ(transparent, 0);
    }
}

// Pure white marks "outside the window" in an outline: only the rounded corners may hold it, and the
// corners themselves must be cut.
TEST(SkinArt, OutlinesAreWhiteOnlyInTheirCorners) {
    const std::string_view outlines[] = {"background/cfgMainback.bmp", "background/cfgMainback2.bmp",
                                         "background/cfgMainback3.bmp"};
    for (std::string_view path : outlines) {
        SCOPED_TRACE(std::string(path));
        const auto p = Decode(path);
        ASSERT_TRUE(p.has_value());
        const auto white = [&](int x, int y) { return (p->At(x, y) & 0xFFFFFF) == 0xFFFFFF; };
        EXPECT_TRUE(white(0, 0) && white(p->width - 1, 0) && white(0, p->height - 1) &&
                    white(p->width - 1, p->height - 1))
            << "corners must lie outside the window";
        const int corner = 24; // larger than any corner radius we draw
        int whiteInside = 0;
        for (int y = 0; y < p->height; ++y) {
            for (int x = 0; x < p->width; ++x) {
                const bool inCorner =
                    (x < corner || x >= p->width - corner) && (y < corner || y >= p->height - corner);
                whiteInside += !inCorner && white(x, y);
            }
        }
        EXPECT_EQ(whiteInside, 0) << "pure white inside the window would cut holes into it";
    }
}

// The PNG face of the main window has the outline's silhouette, so the frame follows the cut edge.
TEST(SkinArt, MainFaceMatchesItsOutline) {
    const auto face = Decode("background/cfgMainback.png");
    const auto outline = Decode("background/cfgMainback.bmp");
    ASSERT_TRUE(face && outline);
    for (int y = 0; y < face->height; ++y) {
        for (int x = 0; x < face->width; ++x) {
            const bool outside = (outline->At(x, y) & 0xFFFFFF) == 0xFFFFFF;
            const bool clear = (face->At(x, y) >> 24) == 0;
            ASSERT_EQ(outside, clear) << "at " << x << "," << y;
        }
    }
}

// Every control of the main window must lie well inside its face: the window takes the face's size.
TEST(SkinArt, MainWindowHoldsEveryControl) {
    const auto face = Decode("background/cfgMainback.png");
    ASSERT_TRUE(face.has_value());
    // The outermost documented controls: Export's left edge, the close button's right and top edges,
    // the bottom row's lower edge.
    constexpr int left = 57, top = 34, right = 756, bottom = 586;
    constexpr int margin = 20;
    EXPECT_GE(left, margin);
    EXPECT_GE(top, margin);
    EXPECT_GE(face->width - right, margin) << "face width " << face->width;
    EXPECT_GE(face->height - bottom, margin) << "face height " << face->height;
}

TEST(SkinText, EveryTextTheWindowsReadIsPresent) {
    for (const TextKeys& keys : RequiredTexts()) {
        const auto ini = test::IniText::Load(SkinPath(keys.file));
        ASSERT_TRUE(ini.has_value()) << "missing " << SkinPath(keys.file);
        EXPECT_TRUE(ini->ValidUtf8()) << keys.file;
        for (int number : keys.numbers) {
            const auto value = ini->Value(std::string(keys.section), std::to_string(number));
            EXPECT_TRUE(value && !value->empty()) << keys.file << " [" << keys.section << "] " << number;
        }
    }
}

} // namespace
} // namespace qor::skin
