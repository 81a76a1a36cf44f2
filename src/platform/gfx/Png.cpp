#include "platform/gfx/Png.h"

#include "platform/gfx/FileBytes.h"

#include <png.h>

#include <algorithm>
#include <bit>
#include <csetjmp>
#include <cstdlib>
#include <cstring>

namespace qor {

namespace {

// libpng reports errors by longjmp. Everything the decoder touches after setjmp lives in this struct,
// which belongs to the caller's frame, so nothing in the frame that calls setjmp changes afterwards.
struct ReadState {
    std::span<const std::uint8_t> data;
    std::size_t offset = 0;
    Image image;
    std::vector<png_bytep> rows;
};

// A chunk may claim up to 2 GiB whatever the file holds, and libpng allocates and clears a text chunk's
// buffer before reading it. No block a real picture needs comes near this: a row of the widest image
// at 16 bits a channel is 128 KiB.
constexpr png_alloc_size_t kMaxBlock = png_alloc_size_t(8) << 20;

png_voidp BoundedMalloc(png_structp, png_alloc_size_t size) {
    return size <= kMaxBlock ? std::malloc(size) : nullptr;
}
void BoundedFree(png_structp, png_voidp block) { std::free(block); }

// The sizes decoding accepts, whether read from the header alone or by libpng.
bool SizeWithinLimits(png_uint_32 width, png_uint_32 height) {
    return width != 0 && height != 0 && width <= png_uint_32(kMaxImageDimension) &&
           height <= png_uint_32(kMaxImageDimension) && std::int64_t(width) * height <= kMaxImagePixels;
}

void SilentError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void SilentWarning(png_structp, png_const_charp) {}

void ReadFromSpan(png_structp png, png_bytep out, png_size_t length) {
    auto* state = static_cast<ReadState*>(png_get_io_ptr(png));
    if (length > state->data.size() - state->offset) png_error(png, "truncated");
    std::memcpy(out, state->data.data() + state->offset, length);
    state->offset += length;
}

// Argb is a native 32-bit word 0xAARRGGBB: bytes B, G, R, A on little-endian machines. There the
// rows are read as R, G, B, A and red and blue change places afterwards, two instructions a word;
// libpng's own byte swap costs more than the inflating.
void SetArgbLayout(png_structp png, bool hasAlpha) {
    if constexpr (std::endian::native == std::endian::little) {
        if (!hasAlpha) png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    } else {
        if (hasAlpha) png_set_swap_alpha(png);
        else png_set_filler(png, 0xFF, PNG_FILLER_BEFORE);
    }
}

void SwapRedAndBlue(std::vector<Argb>& pixels) {
    if constexpr (std::endian::native == std::endian::little) {
        // 0xAABBGGRR -> 0xRRGGBBAA -> 0xAARRGGBB
        for (Argb& p : pixels) p = std::rotr(__builtin_bswap32(p), 8);
    }
}

bool ReadInto(png_structp png, png_infop info, ReadState& state) {
    if (setjmp(png_jmpbuf(png))) return false;

    png_set_read_fn(png, &state, ReadFromSpan);
    png_read_info(png, info);

    png_uint_32 width = 0, height = 0;
    int bitDepth = 0, colorType = 0, interlace = 0;
    png_get_IHDR(png, info, &width, &height, &bitDepth, &colorType, &interlace, nullptr, nullptr);
    if (!SizeWithinLimits(width, height))
        return false;

    png_set_expand(png); // palette to RGB, grey below 8 bits to 8 bits, tRNS to an alpha channel
    if (bitDepth == 16) png_set_scale_16(png);
    if (!(colorType & PNG_COLOR_MASK_COLOR)) png_set_gray_to_rgb(png);
    bool hasAlpha = (colorType & PNG_COLOR_MASK_ALPHA) || png_get_valid(png, info, PNG_INFO_tRNS);
    SetArgbLayout(png, hasAlpha);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != std::size_t(width) * 4) return false;

    state.image = Image(int(width), int(height));
    state.rows.resize(height);
    for (png_uint_32 y = 0; y < height; ++y) {
        state.rows[y] = reinterpret_cast<png_bytep>(&state.image.pixels[std::size_t(y) * width]);
    }
    png_read_image(png, state.rows.data());
    SwapRedAndBlue(state.image.pixels);
    // The chunks after the pixels carry nothing we use; a damaged tail does not spoil the picture.
    return true;
}

struct WriteState {
    std::vector<std::uint8_t> out;
};

void WriteToVector(png_structp png, png_bytep data, png_size_t length) {
    auto* state = static_cast<WriteState*>(png_get_io_ptr(png));
    state->out.insert(state->out.end(), data, data + length);
}

void FlushNothing(png_structp) {}

bool WriteFrom(png_structp png, png_infop info, const Image& image, bool opaque, WriteState& state) {
    if (setjmp(png_jmpbuf(png))) return false;

    png_set_write_fn(png, &state, WriteToVector, FlushNothing);
    png_set_IHDR(png, info, png_uint_32(image.width), png_uint_32(image.height), 8,
                 opaque ? PNG_COLOR_TYPE_RGB : PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, 6);
    png_write_info(png, info);
    if constexpr (std::endian::native == std::endian::little) {
        png_set_bgr(png);
        if (opaque) png_set_filler(png, 0, PNG_FILLER_AFTER); // drops the alpha byte
    } else {
        if (opaque) png_set_filler(png, 0, PNG_FILLER_BEFORE);
        else png_set_swap_alpha(png);
    }
    for (int y = 0; y < image.height; ++y) {
        // libpng only reads the row, its API is just not const-correct.
        auto* row = const_cast<Argb*>(&image.pixels[std::size_t(y) * std::size_t(image.width)]);
        png_write_row(png, reinterpret_cast<png_bytep>(row));
    }
    png_write_end(png, nullptr);
    return true;
}

} // namespace

bool IsPngSignature(std::span<const std::uint8_t> data) {
    return data.size() >= 8 && png_sig_cmp(data.data(), 0, 8) == 0;
}

std::optional<Size> PngSize(std::span<const std::uint8_t> head) {
    // Signature, then the header chunk: length 13, "IHDR", width and height big-endian.
    if (!IsPngSignature(head) || head.size() < 24 || png_get_uint_32(head.data() + 8) != 13 ||
        std::memcmp(head.data() + 12, "IHDR", 4) != 0)
        return std::nullopt;
    const png_uint_32 width = png_get_uint_32(head.data() + 16);
    const png_uint_32 height = png_get_uint_32(head.data() + 20);
    if (!SizeWithinLimits(width, height))
        return std::nullopt;
    return Size{int(width), int(height)};
}

Image DecodePng(std::span<const std::uint8_t> data) {
    if (!IsPngSignature(data)) return {};
    png_structp png = png_create_read_struct_2(PNG_LIBPNG_VER_STRING, nullptr, SilentError, SilentWarning, nullptr,
                                               BoundedMalloc, BoundedFree);
    if (!png) return {};
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return {};
    }
    // Bounds on what ancillary chunks may allocate; the pixel buffer is ours and bounded by the checks
    // in ReadInto.
    png_set_user_limits(png, kMaxImageDimension, kMaxImageDimension);
    png_set_chunk_cache_max(png, 128);
    png_set_chunk_malloc_max(png, kMaxBlock);
#ifdef PNG_IGNORE_ADLER32
    // Every chunk's CRC already guards the compressed bytes; the zlib checksum over the inflated pixels
    // repeats that guard at about a fifth of the decoding time.
    png_set_option(png, PNG_IGNORE_ADLER32, PNG_OPTION_ON);
#endif

    ReadState state;
    state.data = data;
    bool ok = ReadInto(png, info, state);
    png_destroy_read_struct(&png, &info, nullptr);
    if (!ok) return {};
    return std::move(state.image);
}

Image LoadPng(const std::string& path) {
    auto bytes = ReadFileBytes(path, kMaxImageFileBytes);
    if (!bytes) return {};
    return DecodePng(*bytes);
}

std::vector<std::uint8_t> EncodePng(const Image& image) {
    if (image.IsEmpty() || image.pixels.size() != std::size_t(image.width) * std::size_t(image.height)) return {};
    bool opaque = std::all_of(image.pixels.begin(), image.pixels.end(), [](Argb p) { return (p >> 24) == 0xFF; });

    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, SilentError, SilentWarning);
    if (!png) return {};
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return {};
    }
    WriteState state;
    bool ok = WriteFrom(png, info, image, opaque, state);
    png_destroy_write_struct(&png, &info);
    if (!ok) return {};
    return std::move(state.out);
}

bool SavePng(const Image& image, const std::string& path) {
    std::vector<std::uint8_t> bytes = EncodePng(image);
    return !bytes.empty() && WriteFileAtomically(path, bytes);
}

} // namespace qor
