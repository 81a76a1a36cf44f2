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

void RegionBuilder::BeginRow(int y) {
    FlushRow();
    rowY_ = y;
    inRow_ = true;
}

void RegionBuilder::AddRun(int left, int right) {
    if (right > left) row_.push_back({left, rowY_, right, rowY_ + 1});
}

void RegionBuilder::FlushRow() {
    if (!inRow_) return;
    inRow_ = false;
    if (row_.empty()) {
        bandCount_ = 0;
        return;
    }
    auto& rects = region_.rects_;
    // A row directly below a band with the same spans only extends that band downwards.
    bool extends = bandCount_ == row_.size() && rects[bandStart_].bottom == rowY_;
    for (std::size_t i = 0; extends && i < row_.size(); ++i) {
        const Rect& b = rects[bandStart_ + i];
        extends = b.left == row_[i].left && b.right == row_[i].right;
    }
    if (extends) {
        for (std::size_t i = 0; i < row_.size(); ++i) rects[bandStart_ + i].bottom = rowY_ + 1;
    } else {
        bandStart_ = rects.size();
        bandCount_ = row_.size();
        rects.insert(rects.end(), row_.begin(), row_.end());
    }
    Rect rowBounds{row_.front().left, rowY_, row_.back().right, rowY_ + 1};
    region_.bounds_ = region_.bounds_.Union(rowBounds);
    row_.clear();
}

Region RegionBuilder::Build() {
    FlushRow();
    bandStart_ = bandCount_ = 0;
    return std::move(region_);
}

} // namespace qor
