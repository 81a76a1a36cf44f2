#include "macro/MacroName.h"

#include "platform/text/Utf8.h"

namespace qor {
namespace {

// Length in bytes of the valid UTF-8 sequence starting at text[pos] and its code point; 0 when the
// bytes there are not a valid, shortest-form sequence of a scalar value.
std::size_t ValidSequence(std::string_view text, std::size_t pos, char32_t& cp)
{
    const Utf8Step step = DecodeUtf8(text, pos);
    if (!IsWellFormedStep(text, pos, step))
        return 0;
    cp = step.codePoint;
    return step.length;
}

bool IsControl(char32_t cp) { return cp < 0x20 || (cp >= 0x7F && cp <= 0x9F); }

} // namespace

bool IsListableMacroName(std::string_view name)
{
    for (std::size_t pos = 0; pos < name.size();) {
        char32_t cp = 0;
        const std::size_t length = ValidSequence(name, pos, cp);
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
        const std::size_t length = ValidSequence(name, pos, cp);
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
        const std::size_t length = ValidSequence(text, pos, cp);
        pos += length == 0 ? 1 : length;
    }
    return std::string(text.substr(0, pos));
}

} // namespace qor
