#include "model/StructCodec.h"

#include <algorithm>
#include <vector>

namespace qor {

namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

} // namespace

std::string EncodeStruct(std::span<const std::uint8_t> bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(bytes.size() * 2 + 2);
    unsigned sum = 0;
    const auto put = [&](unsigned b) {
        text += kDigits[(b >> 4) & 0xF];
        text += kDigits[b & 0xF];
    };
    for (const std::uint8_t b : bytes) {
        put(b);
        sum += b;
    }
    put(sum & 0xFF);
    return text;
}

StructDecodeResult DecodeStruct(std::string_view text, std::span<std::uint8_t> target) {
    if (text.size() != target.size() * 2 + 2)
        return StructDecodeResult::WrongLength;
    std::vector<std::uint8_t> decoded(target.size() + 1);
    for (std::size_t i = 0; i < decoded.size(); ++i) {
        const int hi = HexValue(text[2 * i]), lo = HexValue(text[2 * i + 1]);
        if (hi < 0 || lo < 0)
            return StructDecodeResult::NotHex;
        decoded[i] = static_cast<std::uint8_t>(hi * 16 + lo);
    }
    unsigned sum = 0;
    for (std::size_t i = 0; i < target.size(); ++i)
        sum += decoded[i];
    if ((sum & 0xFF) != decoded.back())
        return StructDecodeResult::WrongSum;
    std::copy(decoded.begin(), decoded.end() - 1, target.begin());
    return StructDecodeResult::Ok;
}

} // namespace qor
