#include "platform/ini/IniDocument.h"

#include "platform/ini/Utf8.h"

#include <cstring>

namespace qor {

namespace {

bool IsBlank(char32_t u) {
    return u == ' ' || u == '\t' || u == '\r' || u == '\v' || u == '\f';
}

char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Reads code units of one line's bytes: bytes for UTF-8, 16-bit units for UTF-16.
struct Units {
    std::string_view bytes;
    std::size_t size;     // in units
    std::size_t unitSize; // 1 or 2
    bool bigEndian;

    char32_t operator[](std::size_t i) const {
        const auto b = [&](std::size_t k) { return static_cast<unsigned char>(bytes[k]); };
        if (unitSize == 1)
            return b(i);
        return bigEndian ? (char32_t{b(2 * i)} << 8) | b(2 * i + 1)
                         : (char32_t{b(2 * i + 1)} << 8) | b(2 * i);
    }
};

bool IsValidName(std::string_view name) {
    return !name.empty() && name.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

} // namespace

std::string_view TrimIniBlanks(std::string_view text) {
    std::size_t b = 0, e = text.size();
    while (b < e && IsBlank(static_cast<unsigned char>(text[b])))
        ++b;
    while (e > b && IsBlank(static_cast<unsigned char>(text[e - 1])))
        --e;
    return text.substr(b, e - b);
}

bool EqualsAsciiNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (AsciiLower(a[i]) != AsciiLower(b[i]))
            return false;
    return true;
}

IniDocument::IniDocument() = default;

IniDocument IniDocument::Parse(std::string_view bytes) {
    IniDocument doc;
    doc.lineEnding_ = kNewFileLineEnding;
    if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE') {
        doc.encoding_ = IniEncoding::Utf16Le;
        bytes.remove_prefix(2);
    } else if (bytes.size() >= 2 && bytes[0] == '\xFE' && bytes[1] == '\xFF') {
        doc.encoding_ = IniEncoding::Utf16Be;
        bytes.remove_prefix(2);
    } else if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF") {
        doc.encoding_ = IniEncoding::Utf8Bom;
        bytes.remove_prefix(3);
    }
    const std::size_t unit = doc.UnitSize();
    if (bytes.size() % unit != 0) {
        doc.trailer_ = std::string(bytes.substr(bytes.size() - 1));
        bytes.remove_suffix(1);
    }
    doc.source_ = std::string(bytes);

    const Units units{doc.source_, doc.source_.size() / unit, unit, doc.encoding_ == IniEncoding::Utf16Be};
    bool endingKnown = false;
    std::size_t start = 0; // in units
    while (start < units.size) {
        std::size_t lf = start;
        if (unit == 1) {
            const void* hit = std::memchr(doc.source_.data() + start, '\n', units.size - start);
            lf = hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - doc.source_.data())
                     : units.size;
        } else {
            while (lf < units.size && units[lf] != '\n')
                ++lf;
        }
        Line line;
        std::size_t end = lf;
        if (lf < units.size) {
            line.eol = Eol::Lf;
            if (end > start && units[end - 1] == '\r') {
                --end;
                line.eol = Eol::CrLf;
            }
            if (!endingKnown) {
                doc.lineEnding_ = line.eol == Eol::CrLf ? IniLineEnding::CrLf : IniLineEnding::Lf;
                endingKnown = true;
            }
        }
        line.begin = start * unit;
        line.end = end * unit;
        doc.Classify(line);
        doc.lines_.push_back(std::move(line));
        start = lf + 1;
    }
    return doc;
}

std::size_t IniDocument::UnitSize() const {
    return (encoding_ == IniEncoding::Utf16Le || encoding_ == IniEncoding::Utf16Be) ? 2 : 1;
}

std::string_view IniDocument::Content(const Line& line) const {
    if (line.isOwned)
        return line.owned;
    return std::string_view(source_).substr(line.begin, line.end - line.begin);
}

std::string IniDocument::Decode(std::string_view bytes) const {
    if (UnitSize() == 1)
        return std::string(bytes);
    std::u16string units(bytes.size() / 2, u'\0');
    const bool be = encoding_ == IniEncoding::Utf16Be;
    for (std::size_t i = 0; i < units.size(); ++i) {
        const auto lo = static_cast<unsigned char>(bytes[2 * i + (be ? 1 : 0)]);
        const auto hi = static_cast<unsigned char>(bytes[2 * i + (be ? 0 : 1)]);
        units[i] = static_cast<char16_t>((hi << 8) | lo);
    }
    return Utf16ToUtf8(units.data(), units.size());
}

std::string IniDocument::Encode(std::string_view utf8) const {
    if (UnitSize() == 1)
        return std::string(utf8);
    std::string out;
    out.reserve(utf8.size() * 2);
    AppendUtf16(out, utf8, encoding_ == IniEncoding::Utf16Be);
    return out;
}

void IniDocument::AppendEol(std::string& out, Eol eol) const {
    if (eol == Eol::None)
        return;
    if (UnitSize() == 1) {
        out += eol == Eol::CrLf ? "\r\n" : "\n";
        return;
    }
    const bool be = encoding_ == IniEncoding::Utf16Be;
    const auto unit = [&](char c) {
        out += be ? '\0' : c;
        out += be ? c : '\0';
    };
    if (eol == Eol::CrLf)
        unit('\r');
    unit('\n');
}

void IniDocument::Classify(Line& line) const {
    const std::string_view bytes = Content(line);
    const std::size_t us = UnitSize();
    const Units u{bytes, bytes.size() / us, us, encoding_ == IniEncoding::Utf16Be};
    const auto trimRight = [&](std::size_t from, std::size_t to) {
        while (to > from && IsBlank(u[to - 1]))
            --to;
        return to;
    };
    line.kind = Kind::Other;
    line.name.clear();
    line.valueBegin = line.valueEnd = npos;

    std::size_t i = 0;
    while (i < u.size && IsBlank(u[i]))
        ++i;
    if (i == u.size || u[i] == ';')
        return;
    if (u[i] == '[') {
        std::size_t close = u.size;
        while (close > i + 1 && u[close - 1] != ']')
            --close;
        if (close > i + 1) { // u[close - 1] is the last ']'
            std::size_t b = i + 1;
            while (b < close - 1 && IsBlank(u[b]))
                ++b;
            const std::size_t e = trimRight(b, close - 1);
            line.kind = Kind::Section;
            line.name = Decode(bytes.substr(b * us, (e - b) * us));
            return;
        }
    }
    std::size_t eq = i;
    while (eq < u.size && u[eq] != '=')
        ++eq;
    const std::size_t nameEnd = trimRight(i, eq);
    if (nameEnd == i)
        return; // "=value": a key without a name can never be asked for
    line.kind = Kind::Key;
    line.name = Decode(bytes.substr(i * us, (nameEnd - i) * us));
    line.nameEnd = nameEnd * us;
    if (eq < u.size) {
        std::size_t vb = eq + 1;
        while (vb < u.size && IsBlank(u[vb]))
            ++vb;
        line.valueBegin = vb * us;
        line.valueEnd = trimRight(vb, u.size) * us;
    }
}

std::size_t IniDocument::FindSection(std::string_view name) const {
    for (std::size_t i = 0; i < lines_.size(); ++i)
        if (lines_[i].kind == Kind::Section && EqualsAsciiNoCase(lines_[i].name, name))
            return i;
    return npos;
}

std::size_t IniDocument::FindKey(std::size_t sectionLine, std::string_view key) const {
    for (std::size_t i = sectionLine + 1; i < lines_.size() && lines_[i].kind != Kind::Section; ++i)
        if (lines_[i].kind == Kind::Key && EqualsAsciiNoCase(lines_[i].name, key))
            return i;
    return npos;
}

bool IniDocument::HasSection(std::string_view section) const {
    return FindSection(TrimIniBlanks(section)) != npos;
}

std::optional<std::string> IniDocument::Get(std::string_view section, std::string_view key) const {
    section = TrimIniBlanks(section);
    key = TrimIniBlanks(key);
    if (section.empty() || key.empty())
        return std::nullopt;
    const std::size_t s = FindSection(section);
    if (s == npos)
        return std::nullopt;
    const std::size_t k = FindKey(s, key);
    if (k == npos || lines_[k].valueBegin == npos)
        return std::nullopt;
    const Line& line = lines_[k];
    std::string value = Decode(Content(line).substr(line.valueBegin, line.valueEnd - line.valueBegin));
    if (const std::size_t nul = value.find('\0'); nul != std::string::npos)
        value.resize(nul);
    if (UnitSize() == 1)
        value = SanitizeUtf8(value);
    return value;
}

void IniDocument::InsertLine(std::size_t at, std::string_view utf8) {
    // The line before a new line must end; only the file's last line can lack an ending.
    if (at > 0 && lines_[at - 1].eol == Eol::None)
        lines_[at - 1].eol = NewEol();
    Line line;
    line.owned = Encode(utf8);
    line.isOwned = true;
    line.eol = NewEol();
    Classify(line);
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
}

bool IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
    section = TrimIniBlanks(section);
    key = TrimIniBlanks(key);
    if (!IsValidName(section) || !IsValidName(key) || key.find('=') != std::string_view::npos ||
        key.front() == ';' || key.front() == '[')
        return false;
    value = value.substr(0, value.find_first_of(std::string_view("\r\n\0", 3)));

    const std::size_t s = FindSection(section);
    if (s == npos) {
        InsertLine(lines_.size(), "[" + std::string(section) + "]");
        InsertLine(lines_.size(), std::string(key) + "=" + std::string(value));
        return true;
    }
    if (const std::size_t k = FindKey(s, key); k != npos) {
        Line& line = lines_[k];
        const std::string_view old = Content(line);
        std::string content;
        if (line.valueBegin != npos) {
            content.assign(old.substr(0, line.valueBegin));
        } else {
            content.assign(old.substr(0, line.nameEnd));
            content += Encode("=");
        }
        content += Encode(value);
        line.owned = std::move(content);
        line.isOwned = true;
        Classify(line);
        return true;
    }
    std::size_t after = s;
    for (std::size_t i = s + 1; i < lines_.size() && lines_[i].kind != Kind::Section; ++i)
        if (lines_[i].kind == Kind::Key)
            after = i;
    InsertLine(after + 1, std::string(key) + "=" + std::string(value));
    return true;
}

std::string IniDocument::Serialize() const {
    std::string out;
    std::size_t total = trailer_.size() + 3;
    for (const Line& line : lines_)
        total += (line.isOwned ? line.owned.size() : line.end - line.begin) + 2 * UnitSize();
    out.reserve(total);
    switch (encoding_) {
    case IniEncoding::Utf8:
        break;
    case IniEncoding::Utf8Bom:
        out += "\xEF\xBB\xBF";
        break;
    case IniEncoding::Utf16Le:
        out += "\xFF\xFE";
        break;
    case IniEncoding::Utf16Be:
        out += "\xFE\xFF";
        break;
    }
    for (const Line& line : lines_) {
        out += Content(line);
        AppendEol(out, line.eol);
    }
    out += trailer_;
    return out;
}

} // namespace qor
