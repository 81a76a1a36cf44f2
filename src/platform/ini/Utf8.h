#pragma once
// UTF-8 and UTF-16 helpers for text that comes from files: every decoder here accepts any bytes and
// turns what is not well-formed into U+FFFD, so callers always get valid UTF-8 back.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace qor {

inline constexpr char32_t kReplacementChar = 0xFFFD;

struct Utf8Step {
    char32_t codePoint; // kReplacementChar when the bytes are not well-formed
    std::size_t length; // bytes consumed, at least 1
};

// Decodes one code point at `pos` (pos < text.size()). Overlong forms, surrogates and values above
// U+10FFFF are not well-formed; an invalid sequence consumes its longest valid prefix (at least 1 byte).
Utf8Step DecodeUtf8(std::string_view text, std::size_t pos);

void AppendUtf8(std::string& out, char32_t codePoint);

// Well-formed copy of `text`: every invalid sequence becomes U+FFFD.
std::string SanitizeUtf8(std::string_view text);
bool IsValidUtf8(std::string_view text);

// Number of code points of `text` (invalid sequences count as one each).
std::size_t CountCodePoints(std::string_view text);
// The longest prefix of `text` with at most `maxCodePoints` code points; never splits a sequence.
std::string_view CutToCodePoints(std::string_view text, std::size_t maxCodePoints);

// UTF-16 code units (as 16-bit values) to UTF-8; a lone surrogate becomes U+FFFD.
std::string Utf16ToUtf8(const char16_t* units, std::size_t count);
// Appends `utf8` (sanitised) as UTF-16 code units in the given byte order.
void AppendUtf16(std::string& outBytes, std::string_view utf8, bool bigEndian);

} // namespace qor
