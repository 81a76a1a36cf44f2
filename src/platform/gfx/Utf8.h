#pragma once
// UTF-8 to code points for drawing. Every maximal ill-formed subsequence (stray continuation bytes,
// truncated sequences, overlong forms, surrogates, values above U+10FFFF) becomes one U+FFFD.

#include <string>
#include <string_view>

namespace qor {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

std::u32string DecodeUtf8(std::string_view utf8);
std::string EncodeUtf8(std::u32string_view text);

} // namespace qor
