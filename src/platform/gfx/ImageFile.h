#pragma once
// Image files of the skin: PNG or BMP, told apart by their content rather than by their name.
// A missing, unreadable or damaged file gives an empty image, which draws nothing.

#include "platform/gfx/Geometry.h"
#include "platform/gfx/Image.h"

#include <cstdint>
#include <optional>
#include <span>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace qor {

Image DecodeImage(std::span<const std::uint8_t> data);
Image LoadImageFile(const std::string& path);
// The size of the image in a file: a PNG's from its header alone, any other through LoadSharedImage.
// Nothing when the file holds no image this program can show.
std::optional<Size> ImageFileSize(const std::string& path);

// The same decoded image for every caller that asks for the same unchanged file while any of them
// still holds it; once the last holder lets go the pixels are freed. Never null: a missing or
// broken file gives a shared empty image. Thread-safe: a file that one thread is decoding is not
// decoded again by another, which waits for that result instead.
ImagePtr LoadSharedImage(const std::string& path);

// Decodes files through LoadSharedImage on a worker thread of low priority, so that start-up work
// that does not need them yet (connecting to the display, creating windows) runs meanwhile and goes
// first; their later LoadSharedImage finds them ready or waits for the decode under way. Holds the
// images until it is destroyed; the destructor waits for the worker.
class ImagePrefetch {
public:
    explicit ImagePrefetch(std::vector<std::string> paths);
    ~ImagePrefetch();
    ImagePrefetch(const ImagePrefetch&) = delete;
    ImagePrefetch& operator=(const ImagePrefetch&) = delete;

private:
    std::mutex mutex_;
    std::vector<ImagePtr> held_;
    std::thread worker_; // last: starts once everything it touches exists
};

} // namespace qor
