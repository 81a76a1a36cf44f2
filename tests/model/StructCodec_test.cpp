#include "model/StructCodec.h"

#include <array>
#include <gtest/gtest.h>

namespace qor {
namespace {

TEST(StructCodec, EncodesUppercaseHexWithTheByteSum) {
    const std::array<std::uint8_t, 4> bytes{0x84, 0x04, 0xFF, 0xab};
    EXPECT_EQ(EncodeStruct(bytes), "8404FFAB32"); // 0x84 + 0x04 + 0xFF + 0xAB = 0x232
    EXPECT_EQ(EncodeStruct({}), "00");
    const std::array<std::uint8_t, 189> block{};
    EXPECT_EQ(EncodeStruct(block).size(), 380u);
}

TEST(StructCodec, DecodesOnlyWholeValuesWithTheRightSum) {
    const std::pair<const char*, StructDecodeResult> cases[] = {
        {"8404FFAB32", StructDecodeResult::Ok},         {"8404ffab32", StructDecodeResult::Ok},
        {"8404FFAB3", StructDecodeResult::WrongLength}, {"8404FFAB3200", StructDecodeResult::WrongLength},
        {"8404FFAB33", StructDecodeResult::WrongSum},   {"84 4FFAB32", StructDecodeResult::NotHex},
        {"8404FFAB3G", StructDecodeResult::NotHex},     {"", StructDecodeResult::WrongLength},
    };
    for (const auto& [text, result] : cases) {
        std::array<std::uint8_t, 4> target{1, 2, 3, 4};
        EXPECT_EQ(DecodeStruct(text, target), result) << text;
        const std::array<std::uint8_t, 4> expected = result == StructDecodeResult::Ok
                                                         ? std::array<std::uint8_t, 4>{0x84, 0x04, 0xFF, 0xAB}
                                                         : std::array<std::uint8_t, 4>{1, 2, 3, 4};
        EXPECT_EQ(target, expected) << text;
    }
}

} // namespace
} // namespace qor
