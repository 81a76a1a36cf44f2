#pragma once
// The private-profile INI engine: a file parsed into lines that keep their exact bytes, so that a
// rewrite changes only the lines it must.
//
// Reading: a line whose first non-blank character is '[' and which has a later ']' is a section
// header (the name lies between '[' and the last ']'); a line starting with ';' is a comment; any
// other line with '=' is a key with a value, and a non-blank line without '=' is a key without a
// value (it reads as missing). Names and values are trimmed of blanks (space, tab, CR, VT, FF).
// Names compare without regard to ASCII case; the first section of a name and the first key of a
// name within it count, later duplicates are kept but never read or written.
//
// Writing: an existing key has its value replaced in place (its name, '=' and leading blanks stay
// as they were); a new key goes after the last key of its section, a new section at the end of the
// file. Every other byte of the file stays as it was.
//
// Encodings: a file starting with a UTF-16 byte-order mark is UTF-16 (LE, or BE) and is written back
// as such; a UTF-8 mark is kept; anything else is taken as UTF-8 (new files are UTF-8 without a mark).
// Invalid UTF-8, NUL bytes and lone surrogates are kept untouched on disk; values read back are always
// valid UTF-8 (invalid sequences become U+FFFD) and end at the first NUL.
//
// Line endings: both LF and CRLF are read; lines keep their own ending, and new lines take the ending
// of the file's first line. New files use CRLF, so a file we create reads the same, byte for byte, as
// the files the device agent has always been given, on any platform.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qor {

enum class IniEncoding : std::uint8_t { Utf8, Utf8Bom, Utf16Le, Utf16Be };
enum class IniLineEnding : std::uint8_t { CrLf, Lf };

class IniDocument {
public:
    // Files above this size are not ours: they read as absent and are never rewritten.
    static constexpr std::size_t kMaxFileSize = std::size_t{8} << 20;
    static constexpr IniLineEnding kNewFileLineEnding = IniLineEnding::CrLf;

    IniDocument(); // an empty new file
    static IniDocument Parse(std::string_view bytes);

    // The trimmed value of the key, or nothing when the section or key is missing or the key has no
    // value. Blank or trailing-NUL handling as described above.
    std::optional<std::string> Get(std::string_view section, std::string_view key) const;
    bool HasSection(std::string_view section) const;

    // Creates or replaces the value. The value is cut at its first CR, LF or NUL, which could not be
    // stored on one line. Refused (false, nothing changes) when a name is empty after trimming or
    // contains CR, LF or NUL, or when the key name contains '=' or starts with ';' or '['.
    bool Set(std::string_view section, std::string_view key, std::string_view value);

    std::string Serialize() const;

    IniEncoding Encoding() const { return encoding_; }
    IniLineEnding LineEnding() const { return lineEnding_; }

private:
    enum class Kind : std::uint8_t { Other, Section, Key };
    enum class Eol : std::uint8_t { None, Lf, CrLf };
    static constexpr std::size_t npos = std::string::npos;

    struct Line {
        std::size_t begin = 0; // content (without its line ending) in source_, unless owned
        std::size_t end = 0;
        std::string owned; // content in the file's encoding once the line was created or changed
        bool isOwned = false;
        Eol eol = Eol::None;
        Kind kind = Kind::Other;
        std::string name;              // section or key name, UTF-8, trimmed
        std::size_t nameEnd = 0;       // byte offset in the content just after a key's trimmed name
        std::size_t valueBegin = npos; // byte offsets of a key's trimmed value; npos: no '='
        std::size_t valueEnd = npos;
    };

    std::string_view Content(const Line& line) const;
    void Classify(Line& line) const;
    std::size_t UnitSize() const;
    std::string Decode(std::string_view bytes) const; // file encoding -> UTF-8
    std::string Encode(std::string_view utf8) const;  // UTF-8 -> file encoding
    void AppendEol(std::string& out, Eol eol) const;
    Eol NewEol() const { return lineEnding_ == IniLineEnding::CrLf ? Eol::CrLf : Eol::Lf; }
    std::size_t FindSection(std::string_view name) const;
    std::size_t FindKey(std::size_t sectionLine, std::string_view key) const;
    void InsertLine(std::size_t at, std::string_view utf8);

    std::string source_;
    std::vector<Line> lines_;
    IniEncoding encoding_ = IniEncoding::Utf8;
    IniLineEnding lineEnding_ = kNewFileLineEnding;
    std::string trailer_; // an odd last byte of a UTF-16 file, kept at the very end
};

// Trims the INI blanks (space, tab, CR, VT, FF) from both ends.
std::string_view TrimIniBlanks(std::string_view text);
bool EqualsAsciiNoCase(std::string_view a, std::string_view b);

} // namespace qor
