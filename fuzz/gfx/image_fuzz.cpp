// Any bytes through both image decoders: no crash, no hang, and what comes out is either empty or a
// whole picture within the size limits. A decoded PNG must survive our own encoder unchanged.
#include "platform/gfx/Bmp.h"
#include "platform/gfx/Png.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
}

void CheckShape(const qor::Image& image, std::int64_t maxPixels) {
    if (image.IsEmpty())
        return;
    Check(image.width > 0 && image.height > 0);
    const std::int64_t pixels = std::int64_t(image.width) * image.height;
    Check(pixels <= maxPixels);
    Check(image.pixels.size() == static_cast<std::size_t>(pixels));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);

    CheckShape(qor::DecodeBmp(bytes), qor::kMaxBmpPixels);

    const qor::Image png = qor::DecodePng(bytes);
    CheckShape(png, qor::kMaxImagePixels);
    Check(png.IsEmpty() || qor::IsPngSignature(bytes));
    if (!png.IsEmpty() && png.pixels.size() <= 4096) {
        const qor::Image again = qor::DecodePng(qor::EncodePng(png));
        Check(again.width == png.width && again.height == png.height && again.pixels == png.pixels);
    }
    return 0;
}
