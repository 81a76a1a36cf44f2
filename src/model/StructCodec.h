#pragma once
// The struct encoding of INI values that the device agent shares: every byte as two uppercase hex
// digits, first byte first, then two hex digits of the sum of all bytes modulo 256.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace qor {

enum class StructDecodeResult { Ok, WrongLength, NotHex, WrongSum };

std::string EncodeStruct(std::span<const std::uint8_t> bytes);

// Decodes `text` (exactly 2 * target.size() + 2 hex digits, either case) into `target`. The target is
// changed only on Ok: a value with a wrong sum is damaged, and damaged bytes are never handed on.
StructDecodeResult DecodeStruct(std::string_view text, std::span<std::uint8_t> target);

} // namespace qor
