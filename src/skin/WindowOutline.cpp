#include "skin/WindowOutline.h"

#include "platform/gfx/Bmp.h"
#include "platform/gfx/ImageFile.h"
#include "platform/gfx/Png.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <utility>
#include <vector>

namespace qor {

namespace {

constexpr Argb kRgbMask = 0x00FFFFFF;

bool IsInside(Argb pixel) {
    return (pixel & kRgbMask) != kRgbMask;
}

// Runs of a row start where an inside pixel follows an outside one (or the left edge).
std::size_t CountRuns(const Argb* row, int width) {
    std::size_t runs = 0;
    bool previous = false;
    for (int x = 0; x < width; ++x) {
        const bool inside = IsInside(row[x]);
        runs += inside && !previous;
        previous = inside;
    }
    return runs;
}

void AddRuns(RegionBuilder& builder, const Argb* row, int width) {
    int x = 0;
    while (x < width) {
        while (x < width && !IsInside(row[x]))
            ++x;
        const int start = x;
        while (x < width && IsInside(row[x]))
            ++x;
        if (x > start)
            builder.AddRun(start, x);
    }
}

// An uncompressed bitmap whose rows can be read straight from the file.
struct PlainBmp {
    int width = 0;
    int height = 0;
    bool bottomUp = true;
    int bytesPerPixel = 0;
    std::size_t stride = 0;
    off_t pixelOffset = 0;
};

std::uint32_t Le32(const std::uint8_t* p) {
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}
std::uint16_t Le16(const std::uint8_t* p) { return std::uint16_t(p[0] | p[1] << 8); }

bool ReadAt(int fd, void* buffer, std::size_t size, off_t offset) {
    auto* out = static_cast<std::uint8_t*>(buffer);
    while (size > 0) {
        const ssize_t n = pread(fd, out, size, offset);
        if (n <= 0)
            return false;
        out += n;
        size -= std::size_t(n);
        offset += n;
    }
    return true;
}

// Only files the full decoder would read the same way and completely: anything else (palettes,
// compression, bit fields, truncation, oversize) is left to it.
std::optional<PlainBmp> ReadPlainBmpHeader(int fd, off_t fileSize) {
    std::array<std::uint8_t, 14 + 40> h{};
    if (fileSize < off_t(h.size()) || !ReadAt(fd, h.data(), h.size(), 0) || h[0] != 'B' || h[1] != 'M')
        return std::nullopt;
    const std::uint8_t* info = h.data() + 14;
    const std::uint32_t infoSize = Le32(info);
    const auto width = std::int32_t(Le32(info + 4));
    const auto height = std::int32_t(Le32(info + 8));
    const std::uint16_t bits = Le16(info + 14);
    const std::uint32_t compression = Le32(info + 16);
    constexpr std::int32_t kMaxSide = 1 << 16;
    if (fileSize > off_t(kMaxImageFileBytes) || infoSize < 40 || Le16(info + 12) != 1 || (bits != 24 && bits != 32) ||
        compression != 0 || width <= 0 || width > kMaxSide || height == 0 || height < -kMaxSide || height > kMaxSide)
        return std::nullopt;
    PlainBmp bmp;
    bmp.width = width;
    bmp.height = std::abs(height);
    bmp.bottomUp = height > 0;
    bmp.bytesPerPixel = bits / 8;
    bmp.stride = (std::size_t(width) * bits + 31) / 32 * 4;
    bmp.pixelOffset = off_t(Le32(h.data() + 10));
    if (std::int64_t(bmp.width) * bmp.height > kMaxBmpPixels || bmp.pixelOffset < off_t(14 + infoSize) ||
        bmp.pixelOffset + off_t(bmp.stride * std::size_t(bmp.height)) > fileSize)
        return std::nullopt;
    return bmp;
}

std::optional<Region> TracePlainBmp(int fd, const PlainBmp& bmp) {
    constexpr std::size_t kBandBytes = std::size_t(64) * 1024;
    const std::size_t bandRows = std::max<std::size_t>(1, kBandBytes / bmp.stride);
    std::vector<std::uint8_t> band(bandRows * bmp.stride);
    // Runs per picture row; the file may hold the rows bottom to top, the region wants them top down.
    std::vector<std::vector<std::pair<int, int>>> runs(std::size_t(bmp.height));
    std::size_t total = 0;
    for (std::size_t first = 0; first < std::size_t(bmp.height); first += bandRows) {
        const std::size_t count = std::min(bandRows, std::size_t(bmp.height) - first);
        if (!ReadAt(fd, band.data(), count * bmp.stride, bmp.pixelOffset + off_t(first * bmp.stride)))
            return std::nullopt;
        for (std::size_t i = 0; i < count; ++i) {
            const std::uint8_t* row = band.data() + i * bmp.stride;
            const std::size_t fileRow = first + i;
            auto& rowRuns = runs[bmp.bottomUp ? std::size_t(bmp.height) - 1 - fileRow : fileRow];
            auto isInside = [&](int x) {
                const std::uint8_t* p = row + std::size_t(x) * std::size_t(bmp.bytesPerPixel);
                return (p[0] & p[1] & p[2]) != 0xFF;
            };
            int x = 0;
            while (x < bmp.width) {
                while (x < bmp.width && !isInside(x))
                    ++x;
                const int start = x;
                while (x < bmp.width && isInside(x))
                    ++x;
                if (x > start)
                    rowRuns.emplace_back(start, x);
            }
            total += rowRuns.size();
        }
    }
    RegionBuilder builder;
    builder.Reserve(total);
    for (int y = 0; y < bmp.height; ++y) {
        builder.BeginRow(y);
        for (auto [left, right] : runs[std::size_t(y)])
            builder.AddRun(left, right);
    }
    return builder.Build();
}

} // namespace

Region RegionFromBitmapFile(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd >= 0) {
        struct stat st {};
        std::optional<Region> region;
        if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode))
            if (const std::optional<PlainBmp> bmp = ReadPlainBmpHeader(fd, st.st_size))
                region = TracePlainBmp(fd, *bmp);
        close(fd);
        if (region)
            return std::move(*region);
    }
    return RegionFromBitmap(LoadBitmapFile(path));
}

// Like the platform picture loader, take whatever picture format the file holds.
Image LoadBitmapFile(const std::string& path) {
    return LoadImageFile(path);
}

Region RegionFromBitmap(const Image& bitmap) {
    RegionBuilder builder;
    if (bitmap.IsEmpty() || bitmap.pixels.size() < std::size_t(bitmap.width) * std::size_t(bitmap.height))
        return builder.Build();
    const int width = bitmap.width;
    auto row = [&](int y) { return bitmap.pixels.data() + std::size_t(y) * std::size_t(width); };

    // Counting first lets the region take all runs in one allocation; a bitmap with many short runs
    // otherwise spends most of its time growing the rectangle list.
    std::size_t runs = 0;
    for (int y = 0; y < bitmap.height; ++y)
        runs += CountRuns(row(y), width);
    builder.Reserve(runs);
    for (int y = 0; y < bitmap.height; ++y) {
        builder.BeginRow(y);
        AddRuns(builder, row(y), width);
    }
    return builder.Build();
}

} // namespace qor
