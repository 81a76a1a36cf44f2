#pragma once
// A decoded picture: 32-bit ARGB pixels (0xAARRGGBB, straight alpha), rows top to bottom.
// An empty image (a missing or broken file) has no pixels and draws nothing.

#include "platform/gfx/Geometry.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace qor {

using Argb = std::uint32_t;

constexpr Argb MakeArgb(std::uint8_t a, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return (Argb(a) << 24) | (Argb(r) << 16) | (Argb(g) << 8) | Argb(b);
}

// The product's colour values are 0x00BBGGRR (red in the low byte).
constexpr Argb ArgbFromColorRef(std::uint32_t colorRef, std::uint8_t alpha = 255) {
    return MakeArgb(alpha, colorRef & 0xFF, (colorRef >> 8) & 0xFF, (colorRef >> 16) & 0xFF);
}

struct Image {
    int width = 0;
    int height = 0;
    std::vector<Argb> pixels; // width * height

    Image() = default;
    Image(int w, int h, Argb fill = 0) : width(w), height(h), pixels(std::size_t(w) * std::size_t(h), fill) {}

    bool IsEmpty() const { return width <= 0 || height <= 0 || pixels.empty(); }
    Size GetSize() const { return {width, height}; }
    Argb At(int x, int y) const { return pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }
    Argb& At(int x, int y) { return pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }
};

// Pixels owned by someone else, laid out like an Image but with `stride` pixels from one row to the
// next: a window's framebuffer that a back end lends out so that the framework paints straight into it.
struct PixelSurface {
    Argb* pixels = nullptr;
    int width = 0;
    int height = 0;
    std::size_t stride = 0; // pixels, at least width

    PixelSurface() = default;
    PixelSurface(Argb* p, int w, int h, std::size_t rowPixels) : pixels(p), width(w), height(h), stride(rowPixels) {}
    explicit PixelSurface(Image& image)
        : pixels(image.pixels.data()), width(image.width), height(image.height), stride(std::size_t(image.width)) {
        if (image.IsEmpty()) *this = PixelSurface{};
    }

    bool IsEmpty() const { return width <= 0 || height <= 0 || pixels == nullptr; }
    Size GetSize() const { return {width, height}; }
    Argb* Row(int y) const { return pixels + std::size_t(y) * stride; }
    Argb& At(int x, int y) const { return Row(y)[x]; }
};

// Images shared by several controls or states are reference-counted and immutable.
using ImagePtr = std::shared_ptr<const Image>;

} // namespace qor
