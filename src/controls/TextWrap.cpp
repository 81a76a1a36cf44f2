#include "controls/TextWrap.h"

#include "platform/gfx/Text.h"

namespace qor {

namespace {

void WrapParagraph(std::string_view paragraph, const Font& font, int maxWidth,
                   std::vector<std::string>& lines) {
    std::string line;
    std::size_t at = 0;
    bool any = false;
    while (at <= paragraph.size()) {
        std::size_t end = paragraph.find(' ', at);
        if (end == std::string_view::npos)
            end = paragraph.size();
        const std::string_view word = paragraph.substr(at, end - at);
        std::string candidate = line;
        if (any)
            candidate += ' ';
        candidate += word;
        if (any && MeasureText(candidate, font).width > maxWidth) {
            lines.push_back(line);
            line = std::string(word);
        } else {
            line = std::move(candidate);
        }
        any = true;
        at = end + 1;
    }
    lines.push_back(line);
}

} // namespace

std::vector<std::string> WrapText(std::string_view utf8, const Font& font, int maxWidth) {
    std::vector<std::string> lines;
    if (utf8.empty())
        return lines;
    std::size_t at = 0;
    for (;;) {
        std::size_t end = utf8.find('\n', at);
        std::string_view paragraph =
            utf8.substr(at, end == std::string_view::npos ? std::string_view::npos : end - at);
        if (!paragraph.empty() && paragraph.back() == '\r')
            paragraph.remove_suffix(1);
        WrapParagraph(paragraph, font, maxWidth, lines);
        if (end == std::string_view::npos)
            break;
        at = end + 1;
    }
    return lines;
}

} // namespace qor
