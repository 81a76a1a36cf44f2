#pragma once
// Small helpers shared by the pixel tests: comparing colours within a tolerance, finding ink, temporary
// folders.

#include "platform/gfx/Image.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace qor::test {

inline int Channel(Argb c, int shift) { return int((c >> shift) & 0xFF); }

inline ::testing::AssertionResult ColourNear(Argb expected, Argb actual, int tolerance) {
    for (int shift : {24, 16, 8, 0}) {
        if (std::abs(Channel(expected, shift) - Channel(actual, shift)) > tolerance) {
            char buf[96];
            std::snprintf(buf, sizeof buf, "expected %08X, actual %08X (tolerance %d)", expected, actual, tolerance);
            return ::testing::AssertionFailure() << buf;
        }
    }
    return ::testing::AssertionSuccess();
}

// Bounding box of the pixels that differ from `background`; empty when there are none.
inline Rect InkBounds(const Image& image, Argb background) {
    Rect box{};
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            if (image.At(x, y) != background) box = box.Union(Rect{x, y, x + 1, y + 1});
        }
    }
    return box;
}

inline int CountDiffering(const Image& image, Argb background) {
    int n = 0;
    for (Argb p : image.pixels) n += p != background;
    return n;
}

// A fresh folder removed at the end of the test.
class TempDir {
public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "qor-gfx-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data()) ? pattern : std::string();
    }
    ~TempDir() {
        std::error_code ec;
        if (!path_.empty()) std::filesystem::remove_all(path_, ec);
    }
    std::string File(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

} // namespace qor::test
