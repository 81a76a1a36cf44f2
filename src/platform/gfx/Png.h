#pragma once
// PNG files: skin artwork in, screenshots out. Decoding accepts every standard PNG (palette, grey,
// 16-bit, interlaced, tRNS) and turns it into straight-alpha ARGB32; a damaged, truncated or
// oversized file yields an empty image, never a crash.

#include "platform/gfx/Geometry.h"
#include "platform/gfx/Image.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace qor {

// Images larger than this in either direction, or with more pixels in total, are refused.
inline constexpr int kMaxImageDimension = 16384;
inline constexpr std::int64_t kMaxImagePixels = std::int64_t(1) << 24;
// Image files larger than this are not read at all.
inline constexpr std::size_t kMaxImageFileBytes = std::size_t(64) << 20;

bool IsPngSignature(std::span<const std::uint8_t> data);

Image DecodePng(std::span<const std::uint8_t> data);
Image LoadPng(const std::string& path);

// The size a PNG's header gives, within the limits above, read from its first 24 bytes without
// decoding anything; nothing for anything else. A file whose pixels are damaged still decodes empty.
std::optional<Size> PngSize(std::span<const std::uint8_t> head);

// 8-bit RGBA, or RGB when every pixel is opaque. Empty for an empty image.
std::vector<std::uint8_t> EncodePng(const Image& image);
// Writes the file atomically; false when the image is empty or the file cannot be written.
bool SavePng(const Image& image, const std::string& path);

} // namespace qor
