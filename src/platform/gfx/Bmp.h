#pragma once
// Windows bitmap (BMP/DIB) decoding into ARGB32. Handles the core and info headers (up to V5), 1, 4, 8,
// 16, 24 and 32 bits per pixel, uncompressed, with bit-field masks or run-length encoded (4 and 8 bits),
// bottom-up and top-down rows.
// Anything else, and every damaged or hostile file (sizes that are zero, negative, huge or larger than
// the data, palettes larger than the bit depth allows, truncated pixel data), gives an empty image;
// nothing is allocated before the header has been checked against the data.

#include "platform/gfx/Image.h"

#include <cstdint>
#include <span>
#include <string>

namespace qor {

// Decoded images are limited to this many pixels (64 MiB of ARGB), far above any window background.
inline constexpr std::int64_t kMaxBmpPixels = std::int64_t(1) << 24;

Image DecodeBmp(std::span<const std::uint8_t> data);

// Reads a regular file and decodes it; a missing, unreadable or oversized file gives an empty image.
Image LoadBmpFile(const std::string& path);

} // namespace qor
