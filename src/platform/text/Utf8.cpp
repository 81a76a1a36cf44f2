#include "platform/text/Utf8.h"

namespace qor {

namespace {

bool IsContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

} // namespace

Utf8Step DecodeUtf8(std::string_view text, std::size_t pos) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(pos);
    if (lead < 0x80)
        return {lead, 1};
    std::size_t need = 0;
    char32_t cp = 0;
    // The allowed range of the second byte rules out overlong forms, surrogates and > U+10FFFF.
    unsigned char lo = 0x80, hi = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        need = 1;
        cp = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        need = 2;
        cp = lead & 0x0F;
        if (lead == 0xE0)
            lo = 0xA0;
        if (lead == 0xED)
            hi = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        need = 3;
        cp = lead & 0x07;
        if (lead == 0xF0)
            lo = 0x90;
        if (lead == 0xF4)
            hi = 0x8F;
    } else {
        return {kReplacementChar, 1};
    }
    std::size_t i = 1;
    for (; i <= need; ++i) {
        if (pos + i >= text.size())
            return {kReplacementChar, i};
        const unsigned char c = byte(pos + i);
        if (i == 1 ? (c < lo || c > hi) : !IsContinuation(c))
            return {kReplacementChar, i};
        cp = (cp << 6) | (c & 0x3F);
    }
    return {cp, need + 1};
}

bool IsWellFormedStep(std::string_view text, std::size_t pos, const Utf8Step& step) {
    return step.codePoint != kReplacementChar || text.substr(pos, step.length) == "\xEF\xBF\xBD";
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        cp = kReplacementChar;
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

bool IsValidUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        if (static_cast<unsigned char>(text[i]) < 0x80) {
            ++i;
            continue;
        }
        const Utf8Step step = DecodeUtf8(text, i);
        if (!IsWellFormedStep(text, i, step))
            return false;
        i += step.length;
    }
    return true;
}

std::string SanitizeUtf8(std::string_view text) {
    if (IsValidUtf8(text))
        return std::string(text);
    std::string out;
    out.reserve(text.size() + 8);
    for (std::size_t i = 0; i < text.size();) {
        const Utf8Step step = DecodeUtf8(text, i);
        AppendUtf8(out, step.codePoint);
        i += step.length;
    }
    return out;
}

std::size_t CountCodePoints(std::string_view text) {
    std::size_t n = 0;
    for (std::size_t i = 0; i < text.size(); ++n)
        i += DecodeUtf8(text, i).length;
    return n;
}

std::string_view CutToCodePoints(std::string_view text, std::size_t maxCodePoints) {
    std::size_t i = 0;
    for (std::size_t n = 0; n < maxCodePoints && i < text.size(); ++n)
        i += DecodeUtf8(text, i).length;
    return text.substr(0, i);
}

std::string Utf16ToUtf8(const char16_t* units, std::size_t count) {
    std::string out;
    out.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const char32_t u = units[i];
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < count && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) {
            AppendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (units[i + 1] - 0xDC00));
            ++i;
        } else {
            AppendUtf8(out, u); // a lone surrogate becomes U+FFFD there
        }
    }
    return out;
}

void AppendUtf16(std::string& out, std::string_view utf8, bool bigEndian) {
    const auto unit = [&](char32_t u) {
        const char lo = static_cast<char>(u & 0xFF), hi = static_cast<char>(u >> 8);
        out += bigEndian ? hi : lo;
        out += bigEndian ? lo : hi;
    };
    for (std::size_t i = 0; i < utf8.size();) {
        const Utf8Step step = DecodeUtf8(utf8, i);
        i += step.length;
        if (step.codePoint >= 0x10000) {
            const char32_t v = step.codePoint - 0x10000;
            unit(0xD800 + (v >> 10));
            unit(0xDC00 + (v & 0x3FF));
        } else {
            unit(step.codePoint);
        }
    }
}

std::u32string DecodeUtf8(std::string_view utf8) {
    std::u32string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const Utf8Step step = DecodeUtf8(utf8, i);
        out.push_back(step.codePoint);
        i += step.length;
    }
    return out;
}

std::string EncodeUtf8(std::u32string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char32_t cp : text)
        AppendUtf8(out, cp);
    return out;
}

} // namespace qor
