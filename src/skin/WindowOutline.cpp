#include "skin/WindowOutline.h"

#include "platform/gfx/ImageFile.h"

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

} // namespace

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
