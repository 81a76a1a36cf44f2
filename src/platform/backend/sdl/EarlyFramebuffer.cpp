#include "platform/backend/sdl/EarlyFramebuffer.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <utility>

namespace qor {

namespace {

// How much is copied before the pages behind it are given back.
constexpr std::size_t kReleaseStep = std::size_t(256) * 1024;

} // namespace

EarlyFramebuffer::~EarlyFramebuffer() { Release(); }

EarlyFramebuffer::EarlyFramebuffer(EarlyFramebuffer&& other) noexcept
    : pixels_(std::exchange(other.pixels_, nullptr)), bytes_(std::exchange(other.bytes_, 0)),
      size_(std::exchange(other.size_, {})) {}

EarlyFramebuffer& EarlyFramebuffer::operator=(EarlyFramebuffer&& other) noexcept {
    if (this != &other) {
        Release();
        pixels_ = std::exchange(other.pixels_, nullptr);
        bytes_ = std::exchange(other.bytes_, 0);
        size_ = std::exchange(other.size_, {});
    }
    return *this;
}

void EarlyFramebuffer::Allocate(Size size) {
    Release();
    if (size.width <= 0 || size.height <= 0) return;
    const std::size_t bytes = std::size_t(size.width) * std::size_t(size.height) * sizeof(Argb);
    // Mapped rather than allocated: its pages can be returned one band at a time. Fresh pages are
    // zero, which is transparent black.
    void* memory = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED) return;
    pixels_ = static_cast<Argb*>(memory);
    bytes_ = bytes;
    size_ = size;
}

void EarlyFramebuffer::CopyFrom(const Image& frame) {
    if (frame.GetSize() != size_) Allocate(frame.GetSize());
    if (pixels_ != nullptr) std::memcpy(pixels_, frame.pixels.data(), bytes_);
}

void EarlyFramebuffer::MoveInto(const PixelSurface& target) {
    if (pixels_ == nullptr || target.GetSize() != size_) {
        Release();
        return;
    }
    const auto page = std::size_t(sysconf(_SC_PAGESIZE));
    const std::size_t rowBytes = std::size_t(size_.width) * sizeof(Argb);
    auto* bytes = reinterpret_cast<unsigned char*>(pixels_);
    std::size_t released = 0;
    for (int y = 0; y < size_.height; ++y) {
        std::memcpy(target.Row(y), bytes + std::size_t(y) * rowBytes, rowBytes);
        const std::size_t done = (std::size_t(y) + 1) * rowBytes / page * page;
        if (done - released >= kReleaseStep) {
            madvise(bytes + released, done - released, MADV_DONTNEED);
            released = done;
        }
    }
    Release();
}

void EarlyFramebuffer::Release() {
    if (pixels_ != nullptr) munmap(pixels_, bytes_);
    pixels_ = nullptr;
    bytes_ = 0;
    size_ = {};
}

} // namespace qor
