#pragma once
// UTF-8 and UTF-16 helpers for text that comes from files, the keyboard or other programs: every
// decoder here accepts any bytes and turns each maximal ill-formed subsequence (stray continuation
// bytes, truncated sequences, overlong forms, surrogates, values above U+10FFFF) into one U+FFFD, so
// callers always get valid text back.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace qor {

inline constexpr char32_t kReplacementChar = 0xFFFD;
inline constexpr char32_t kReplacementCharacter = kReplacementChar;

struct Utf8Step {
    char32_t codePoint; // kReplacementChar when the bytes are not well-formed
    std::size_t length; // bytes consumed, at least 1
};

// Decodes one code point at `pos` (pos < text.size()). An invalid sequence consumes its longest
// valid prefix (at least 1 byte), so the byte that broke it is decoded afresh.
Utf8Step DecodeUtf8(std::string_view text, std::size_t pos);
// True when the bytes `step` consumed at `pos` were a well-formed sequence (a literal U+FFFD is).
bool IsWellFormedStep(std::string_view text, std::size_t pos, const Utf8Step& step);

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

// Whole strings to and from code points, for drawing and editing.
std::u32string DecodeUtf8(std::string_view utf8);
std::string EncodeUtf8(std::u32string_view text);

} // namespace qor
