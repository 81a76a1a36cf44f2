#pragma once
// A region is a union of rectangles, kept as horizontal bands of disjoint spans. It gives a window its
// outline: painting and hit testing are clipped to it and the back end shapes the real window with it.

#include "platform/gfx/Geometry.h"

#include <cstddef>
#include <vector>

namespace qor {

class Region {
public:
    Region() = default;
    static Region FromRect(const Rect& r);

    bool IsEmpty() const { return rects_.empty(); }
    bool Contains(Point p) const;
    Rect Bounds() const { return bounds_; }
    // Disjoint rectangles sorted by top, then left; rows with identical spans are merged into one band.
    const std::vector<Rect>& Rects() const { return rects_; }
    Region Offset(int dx, int dy) const;
    Region Intersect(const Rect& clip) const;

    friend bool operator==(const Region&, const Region&) = default;

private:
    friend class RegionBuilder;
    std::vector<Rect> rects_;
    Rect bounds_{};
};

// Builds a region row by row from horizontal runs, the natural output of a scan over pixels.
// Rows must be added top to bottom and the runs of a row left to right, without overlap.
class RegionBuilder {
public:
    // Makes room for this many runs in advance, so that a scan that counted them first fills the region
    // without growing it step by step.
    void Reserve(std::size_t runs);
    void BeginRow(int y);
    void AddRun(int left, int right);
    Region Build();

private:
    void FlushRow();

    Region region_;
    std::size_t rowStart_ = 0;        // the current row's runs are region_.rects_ from here on
    std::size_t bandStart_ = 0;       // first rect of the last band in region_.rects_
    std::size_t bandCount_ = 0;       // number of rects in that band
    int rowY_ = 0;
    bool inRow_ = false;
};

} // namespace qor
