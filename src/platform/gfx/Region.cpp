#include "platform/gfx/Region.h"

#include <algorithm>

namespace qor {

Region Region::FromRect(const Rect& r) {
    Region region;
    if (!r.IsEmpty()) {
        region.rects_.push_back(r);
        region.bounds_ = r;
    }
    return region;
}

bool Region::Contains(Point p) const {
    if (!bounds_.Contains(p)) return false;
    // Rects are sorted by top; find the first whose bottom lies below p, then scan its band.
    auto it = std::partition_point(rects_.begin(), rects_.end(), [&](const Rect& r) { return r.bottom <= p.y; });
    for (; it != rects_.end() && it->top <= p.y; ++it) {
        if (it->Contains(p)) return true;
    }
    return false;
}

Region Region::Offset(int dx, int dy) const {
    Region out = *this;
    for (Rect& r : out.rects_) r = r.Offset(dx, dy);
    out.bounds_ = bounds_.IsEmpty() ? bounds_ : bounds_.Offset(dx, dy);
    return out;
}

Region Region::Intersect(const Rect& clip) const {
    Region out;
    for (const Rect& r : rects_) {
        Rect i = r.Intersect(clip);
        if (!i.IsEmpty()) {
            out.rects_.push_back(i);
            out.bounds_ = out.bounds_.Union(i);
        }
    }
    return out;
}

void RegionBuilder::Reserve(std::size_t runs) { region_.rects_.reserve(runs); }

void RegionBuilder::BeginRow(int y) {
    FlushRow();
    rowY_ = y;
    rowStart_ = region_.rects_.size();
    inRow_ = true;
}

// Runs go straight into the region; a row that turns out to repeat the band above is taken back out
// again. This keeps a scan over a large bitmap to one write per run.
void RegionBuilder::AddRun(int left, int right) {
    if (inRow_ && right > left) region_.rects_.push_back({left, rowY_, right, rowY_ + 1});
}

void RegionBuilder::FlushRow() {
    if (!inRow_) return;
    inRow_ = false;
    auto& rects = region_.rects_;
    const std::size_t count = rects.size() - rowStart_;
    if (count == 0) {
        bandCount_ = 0;
        return;
    }
    const Rect rowBounds{rects[rowStart_].left, rowY_, rects.back().right, rowY_ + 1};
    region_.bounds_ = region_.bounds_.Union(rowBounds);
    // A row directly below a band with the same spans only extends that band downwards.
    bool extends = bandCount_ == count && rects[bandStart_].bottom == rowY_;
    for (std::size_t i = 0; extends && i < count; ++i) {
        const Rect& b = rects[bandStart_ + i];
        const Rect& r = rects[rowStart_ + i];
        extends = b.left == r.left && b.right == r.right;
    }
    if (extends) {
        for (std::size_t i = 0; i < count; ++i) rects[bandStart_ + i].bottom = rowY_ + 1;
        rects.resize(rowStart_);
    } else {
        bandStart_ = rowStart_;
        bandCount_ = count;
    }
}

Region RegionBuilder::Build() {
    FlushRow();
    // Rows that merged into bands may leave much of a reservation unused; a region can live long.
    auto& rects = region_.rects_;
    if (rects.capacity() > 2 * rects.size() + 64) rects.shrink_to_fit();
    rowStart_ = bandStart_ = bandCount_ = 0;
    return std::move(region_);
}

} // namespace qor
