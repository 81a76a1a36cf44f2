#pragma once
// Image files of the skin: PNG or BMP, told apart by their content rather than by their name.
// A missing, unreadable or damaged file gives an empty image, which draws nothing.

#include "platform/gfx/Image.h"

#include <cstdint>
#include <span>
#include <string>

namespace qor {

Image DecodeImage(std::span<const std::uint8_t> data);
Image LoadImageFile(const std::string& path);

// The same decoded image for every caller that asks for the same unchanged file while any of them
// still holds it; once the last holder lets go the pixels are freed. Never null: a missing or
// broken file gives a shared empty image. Thread-safe.
ImagePtr LoadSharedImage(const std::string& path);

} // namespace qor
