#pragma once
// Window outlines cut from background bitmaps: every pixel that is not pure white (red, green and blue
// all 255; alpha is not looked at) belongs to the window.

#include "platform/gfx/Image.h"
#include "platform/gfx/Region.h"

#include <string>

namespace qor {

// Reads and decodes an outline bitmap (BMP, or PNG); an empty image when the file is missing or cannot
// be decoded.
Image LoadBitmapFile(const std::string& path);

// The union of all pixels of `bitmap` that are not pure white, one rectangle per run of such pixels
// (rows with identical runs merge into bands). Empty for an empty or entirely white bitmap: the window
// then keeps its rectangular outline.
Region RegionFromBitmap(const Image& bitmap);

// RegionFromBitmap(LoadBitmapFile(path)), without holding the whole picture: the common uncompressed
// 24- and 32-bit bitmaps are read a band of rows at a time (an outline bitmap is as large as its
// window); every other file takes the full decoder.
Region RegionFromBitmapFile(const std::string& path);

} // namespace qor
