#include "macro/MacroName.h"

#include <cstdint>

namespace qor {
namespace {

// Length in bytes of the valid UTF-8 sequence starting at text[pos] and its code point; 0 when the
// bytes there are not a valid, shortest-form sequence of a scalar value.
std::size_t DecodeUtf8(std::string_view text, std::size_t pos, char32_t& cp)
{
    const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
    const std::uint8_t lead = byte(pos);
    std::size_t length;
    char32_t min;
    if (lead < 0x80) {
        cp = lead;
        return 1;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, min = 0x80, cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, min = 0x800, cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, min = 0x10000, cp = lead & 0x07;
    } else {
        return 0;
    }
    if (text.size() - pos < length)
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        const std::uint8_t next = byte(pos + i);
        if ((next & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (next & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return length;
}

bool IsControl(char32_t cp) { return cp < 0x20 || (cp >= 0x7F && cp <= 0x9F); }

} // namespace

bool IsListableMacroName(std::string_view name)
{
    for (std::size_t pos = 0; pos < name.size();) {
        char32_t cp = 0;
        const std::size_t length = DecodeUtf8(name, pos, cp);
        if (length == 0) {
            ++pos; // a stray byte cannot end a line
            continue;
        }
        if (IsControl(cp))
            return false;
        pos += length;
    }
    return true;
}

bool IsSafeMacroName(std::string_view name)
{
    if (name.empty() || name == "." || name == ".." || name.front() == ' ' || name.back() == ' ')
        return false;
    if (name.size() + kMacroFileExtension.size() > kFileNameMaxBytes)
        return false;
    for (std::size_t pos = 0; pos < name.size();) {
        char32_t cp = 0;
        const std::size_t length = DecodeUtf8(name, pos, cp);
        if (length == 0 || cp == U'/' || IsControl(cp))
            return false;
        pos += length;
    }
    return true;
}

std::string MacroNameFromImportPath(std::string_view path)
{
    std::string_view base = path;
    if (const auto slash = base.rfind('/'); slash != std::string_view::npos)
        base.remove_prefix(slash + 1);
    if (const auto dot = base.rfind('.'); dot != std::string_view::npos)
        base = base.substr(0, dot);
    return std::string(base);
}

std::string TruncateToCodePoints(std::string_view text, std::size_t limit)
{
    std::size_t pos = 0;
    for (std::size_t count = 0; count < limit && pos < text.size(); ++count) {
        char32_t cp = 0;
        const std::size_t length = DecodeUtf8(text, pos, cp);
        pos += length == 0 ? 1 : length;
    }
    return std::string(text.substr(0, pos));
}

} // namespace qor
