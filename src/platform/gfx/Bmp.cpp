#include "platform/gfx/Bmp.h"

#include "platform/gfx/FileBytes.h"

#include <algorithm>
#include <bit>
#include <vector>

namespace qor {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiRle8 = 1;
constexpr std::uint32_t kBiRle4 = 2;
constexpr std::uint32_t kBiBitfields = 3;
constexpr std::uint32_t kBiAlphaBitfields = 6;
constexpr std::int64_t kMaxDimension = 1 << 16;
// The largest file that can hold a picture within the pixel limit, with room for headers and palette.
constexpr std::size_t kMaxBmpFileBytes = std::size_t(kMaxBmpPixels) * 4 + (std::size_t(1) << 20);
constexpr Argb kOpaque = 0xFF000000u;

std::uint16_t U16(const std::uint8_t* p) {
    return std::uint16_t(p[0] | (p[1] << 8));
}
std::uint32_t U32(const std::uint8_t* p) {
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
           (std::uint32_t(p[3]) << 24);
}

// One colour channel of a bit-field pixel, scaled to 0..255.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    std::uint64_t max = 0;

    explicit Channel(std::uint32_t m) : mask(m) {
        if (m == 0)
            return;
        shift = std::countr_zero(m);
        int bits = std::bit_width(m >> shift);
        max = (std::uint64_t(1) << bits) - 1;
    }
    bool Present() const { return mask != 0; }
    std::uint8_t Of(std::uint32_t pixel) const {
        if (max == 255)
            return std::uint8_t((pixel & mask) >> shift);
        if (max == 0)
            return 0;
        return std::uint8_t((std::uint64_t((pixel & mask) >> shift) * 255 + max / 2) / max);
    }
};

struct Header {
    std::int64_t width = 0;
    std::int64_t height = 0; // rows; always positive here
    bool topDown = false;
    int bpp = 0;
    std::uint32_t compression = kBiRgb;
    std::uint32_t masks[4] = {}; // red, green, blue, alpha
    std::size_t paletteOffset = 0;
    std::size_t paletteCount = 0;
    std::size_t paletteEntrySize = 4;
    std::size_t pixelOffset = 0;
};

bool ParseHeader(std::span<const std::uint8_t> d, Header& h) {
    const std::size_t size = d.size();
    if (size < kFileHeaderSize + 4 || d[0] != 'B' || d[1] != 'M')
        return false;
    const std::uint8_t* p = d.data();
    h.pixelOffset = U32(p + 10);
    const std::uint32_t headerSize = U32(p + 14);
    if (headerSize != kCoreHeaderSize && headerSize < kInfoHeaderSize)
        return false;
    if (headerSize > size - kFileHeaderSize)
        return false;
    const std::uint8_t* ih = p + kFileHeaderSize;
    std::uint32_t colorsUsed = 0;
    if (headerSize == kCoreHeaderSize) {
        h.width = U16(ih + 4);
        h.height = U16(ih + 6);
        h.bpp = U16(ih + 10);
        h.paletteEntrySize = 3;
    } else {
        h.width = std::int32_t(U32(ih + 4));
        std::int64_t height = std::int32_t(U32(ih + 8));
        h.topDown = height < 0;
        h.height = height < 0 ? -height : height; // int64: INT32_MIN negates safely
        h.bpp = U16(ih + 14);
        h.compression = U32(ih + 16);
        colorsUsed = U32(ih + 32);
    }
    if (h.width <= 0 || h.height <= 0 || h.width > kMaxDimension || h.height > kMaxDimension)
        return false;
    if (h.width * h.height > kMaxBmpPixels)
        return false;

    std::size_t afterHeader = kFileHeaderSize + headerSize;
    switch (h.bpp) {
    case 1:
    case 24:
        if (h.compression != kBiRgb)
            return false;
        break;
    case 4:
    case 8:
        if (h.compression == kBiRle4 || h.compression == kBiRle8) {
            // Run-length data is always stored bottom-up and in the depth its name gives.
            if (h.topDown || h.compression != (h.bpp == 8 ? kBiRle8 : kBiRle4))
                return false;
        } else if (h.compression != kBiRgb) {
            return false;
        }
        break;
    case 16:
    case 32:
        if (h.compression == kBiRgb) {
            if (h.bpp == 16) {
                h.masks[0] = 0x7C00, h.masks[1] = 0x03E0, h.masks[2] = 0x001F;
            } else {
                h.masks[0] = 0xFF0000, h.masks[1] = 0x00FF00, h.masks[2] = 0x0000FF;
            }
        } else if (h.compression == kBiBitfields || h.compression == kBiAlphaBitfields) {
            // Masks live in the header when it is long enough, else right after it.
            std::size_t count = h.compression == kBiAlphaBitfields ? 4 : 3;
            std::size_t at = kFileHeaderSize + kInfoHeaderSize;
            if (headerSize == kInfoHeaderSize) {
                if (size < at + 4 * count)
                    return false;
                afterHeader += 4 * count;
            } else {
                count = headerSize >= kInfoHeaderSize + 16
                            ? 4
                            : std::min<std::size_t>(count, (headerSize - kInfoHeaderSize) / 4);
            }
            for (std::size_t i = 0; i < count; ++i)
                h.masks[i] = U32(p + at + 4 * i);
            if (h.bpp == 16)
                for (auto& m : h.masks)
                    m &= 0xFFFF;
        } else {
            return false;
        }
        break;
    default:
        return false;
    }

    if (h.bpp <= 8) {
        const std::size_t maxColors = std::size_t(1) << h.bpp;
        if (colorsUsed > maxColors)
            return false;
        h.paletteCount = colorsUsed ? colorsUsed : maxColors;
        h.paletteOffset = afterHeader;
        if (h.paletteOffset > size || h.paletteCount * h.paletteEntrySize > size - h.paletteOffset)
            return false;
    }

    if (h.pixelOffset < kFileHeaderSize + headerSize || h.pixelOffset > size)
        return false;
    if (h.compression == kBiRle4 || h.compression == kBiRle8)
        return true; // checked while decoding
    // The rows must lie inside the data; the last row may lack its padding.
    const std::uint64_t rowBytes = (std::uint64_t(h.width) * std::uint64_t(h.bpp) + 7) / 8;
    const std::uint64_t stride = (std::uint64_t(h.width) * std::uint64_t(h.bpp) + 31) / 32 * 4;
    const std::uint64_t needed = stride * std::uint64_t(h.height - 1) + rowBytes;
    if (needed > size - h.pixelOffset)
        return false;
    return true;
}

// The full palette of a depth of 8 bits or less; indices past the stored colours read as black.
std::vector<Argb> ReadPalette(std::span<const std::uint8_t> d, const Header& h) {
    std::vector<Argb> palette;
    if (h.bpp > 8)
        return palette;
    palette.assign(std::size_t(1) << h.bpp, kOpaque);
    for (std::size_t i = 0; i < h.paletteCount; ++i) {
        const std::uint8_t* e = d.data() + h.paletteOffset + i * h.paletteEntrySize;
        palette[i] = MakeArgb(255, e[2], e[1], e[0]);
    }
    return palette;
}

// Run-length encoded 4 or 8-bit data. Pixels the stream skips keep colour 0; pixels past the right edge
// are dropped. A stream that ends before the last row without its end marker is truncated: empty image.
Image DecodeRunLength(std::span<const std::uint8_t> d, const Header& h) {
    const int width = int(h.width);
    const int height = int(h.height);
    const std::vector<Argb> palette = ReadPalette(d, h);
    const bool four = h.compression == kBiRle4;
    Image image(width, height, palette[0]);
    std::size_t at = h.pixelOffset;
    const std::size_t end = d.size();
    int x = 0;
    int row = 0; // counted from the bottom
    auto put = [&](unsigned index) {
        if (x >= width)
            return;
        image.At(x, height - 1 - row) = palette[index];
        ++x;
    };
    while (row < height) {
        if (end - at < 2)
            return {};
        const unsigned count = d[at], value = d[at + 1];
        at += 2;
        if (count > 0) {
            for (unsigned i = 0; i < count; ++i)
                put(four ? ((i & 1) ? value & 0xF : value >> 4) : value);
        } else if (value == 0) { // end of line
            x = 0;
            ++row;
        } else if (value == 1) { // end of bitmap
            break;
        } else if (value == 2) { // move right and up
            if (end - at < 2)
                return {};
            x = std::min(x + d[at], width);
            row += d[at + 1];
            at += 2;
        } else { // `value` literal pixels, padded to an even number of bytes
            const std::size_t bytes = four ? (value + 1) / 2 : value;
            const std::size_t padded = bytes + (bytes & 1);
            if (end - at < padded)
                return {};
            for (unsigned i = 0; i < value; ++i) {
                const unsigned b = d[at + (four ? i / 2 : i)];
                put(four ? ((i & 1) ? b & 0xF : b >> 4) : b);
            }
            at += padded;
        }
    }
    return image;
}

Image DecodePixels(std::span<const std::uint8_t> d, const Header& h) {
    if (h.compression == kBiRle4 || h.compression == kBiRle8)
        return DecodeRunLength(d, h);
    const int width = int(h.width);
    const int height = int(h.height);
    const std::size_t stride = (std::size_t(width) * std::size_t(h.bpp) + 31) / 32 * 4;
    const std::vector<Argb> palette = ReadPalette(d, h);
    const Channel red(h.masks[0]), green(h.masks[1]), blue(h.masks[2]), alpha(h.masks[3]);
    bool anyAlpha = false;

    Image image(width, height);
    for (int row = 0; row < height; ++row) {
        const std::uint8_t* src = d.data() + h.pixelOffset + std::size_t(row) * stride;
        Argb* dst =
            image.pixels.data() + std::size_t(h.topDown ? row : height - 1 - row) * std::size_t(width);
        switch (h.bpp) {
        case 1:
            for (int x = 0; x < width; ++x)
                dst[x] = palette[(src[x >> 3] >> (7 - (x & 7))) & 1];
            break;
        case 4:
            for (int x = 0; x < width; ++x)
                dst[x] = palette[(src[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xF];
            break;
        case 8:
            for (int x = 0; x < width; ++x)
                dst[x] = palette[src[x]];
            break;
        case 24:
            for (int x = 0; x < width; ++x, src += 3)
                dst[x] = MakeArgb(255, src[2], src[1], src[0]);
            break;
        case 16:
        case 32:
            for (int x = 0; x < width; ++x) {
                std::uint32_t v = h.bpp == 16 ? U16(src + 2 * std::size_t(x)) : U32(src + 4 * std::size_t(x));
                std::uint8_t a = alpha.Present() ? alpha.Of(v) : 255;
                anyAlpha |= a != 0;
                dst[x] = MakeArgb(a, red.Of(v), green.Of(v), blue.Of(v));
            }
            break;
        }
    }
    // Many writers declare an alpha mask and leave it zero; such a picture is meant to be opaque.
    if (alpha.Present() && !anyAlpha)
        for (Argb& px : image.pixels)
            px |= kOpaque;
    return image;
}

} // namespace

Image DecodeBmp(std::span<const std::uint8_t> data) {
    Header header;
    if (!ParseHeader(data, header))
        return {};
    return DecodePixels(data, header);
}

Image LoadBmpFile(const std::string& path) {
    auto bytes = ReadFileBytes(path, kMaxBmpFileBytes);
    return bytes ? DecodeBmp(*bytes) : Image{};
}

} // namespace qor
