// The struct decoder takes any text: it either refuses it and leaves the target alone, or the
// decoded bytes encode back to the same value.
#include "model/StructCodec.h"

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    if (size == 0)
        return 0;
    const std::size_t targetSize = bytes[0] % 200; // up to the largest record (189 bytes) and beyond
    const std::string text(reinterpret_cast<const char*>(bytes) + 1, size - 1);
    std::vector<std::uint8_t> target(targetSize, 0x5A);
    const qor::StructDecodeResult result = qor::DecodeStruct(text, target);
    if (result != qor::StructDecodeResult::Ok) {
        if (std::any_of(target.begin(), target.end(), [](std::uint8_t b) { return b != 0x5A; }))
            std::abort();
        return 0;
    }
    std::string upper = text;
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return std::toupper(c); });
    if (qor::EncodeStruct(target) != upper)
        std::abort();
    return 0;
}
