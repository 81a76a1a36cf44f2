#pragma once
// The pixels of a window painted before its SDL window exists. Its memory goes back to the system a
// band of rows at a time while it is moved into the window surface, so that the move never holds two
// whole frames at once.

#include "platform/gfx/Geometry.h"
#include "platform/gfx/Image.h"

#include <cstddef>

namespace qor {

class EarlyFramebuffer {
public:
    EarlyFramebuffer() = default;
    ~EarlyFramebuffer();
    EarlyFramebuffer(EarlyFramebuffer&& other) noexcept;
    EarlyFramebuffer& operator=(EarlyFramebuffer&& other) noexcept;
    EarlyFramebuffer(const EarlyFramebuffer&) = delete;
    EarlyFramebuffer& operator=(const EarlyFramebuffer&) = delete;

    // Storage for a frame of this size (transparent black); empty when the system has none to give.
    void Allocate(Size size);
    void CopyFrom(const Image& frame);
    bool IsEmpty() const { return pixels_ == nullptr; }
    Size GetSize() const { return size_; }
    PixelSurface Surface() { return PixelSurface(pixels_, size_.width, size_.height, std::size_t(size_.width)); }
    // Copies every row into target, which has this size, and frees the storage; empty afterwards.
    void MoveInto(const PixelSurface& target);
    void Release();

private:
    Argb* pixels_ = nullptr;
    std::size_t bytes_ = 0;
    Size size_;
};

} // namespace qor
