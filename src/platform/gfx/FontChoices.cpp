#include "platform/gfx/FontChoices.h"

#include "platform/gfx/FileBytes.h"
#include "platform/gfx/FileStamp.h"

#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <string_view>

namespace qor {

namespace {

constexpr std::string_view kHeader = "qor-font-choices 1";
constexpr std::size_t kMaxFileBytes = 64 * 1024;
constexpr std::size_t kMaxChoices = 64;
constexpr int kFields = 10;

// Modification time (ns), size and inode of a path, or "-" when there is nothing.
std::string StampSummary(const std::string& path) {
    const FileStamp stamp = StampOf(path);
    if (!stamp.exists) return "-";
    return std::to_string(stamp.modifiedNs) + ":" + std::to_string(stamp.size) + ":" + std::to_string(stamp.inode);
}

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// A text that may go into one field of a line.
bool Storable(std::string_view text) {
    return text.find_first_of("\t\r\n") == std::string_view::npos;
}

template <typename T>
bool ParseNumber(std::string_view text, T& out) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), out);
    return error == std::errc() && end == text.data() + text.size();
}

std::vector<std::string_view> SplitTabs(std::string_view line) {
    std::vector<std::string_view> fields;
    for (std::size_t start = 0;;) {
        const std::size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start));
        if (tab == std::string_view::npos)
            return fields;
        start = tab + 1;
    }
}

bool ParseChoice(std::string_view line, FontChoice& c) {
    const std::vector<std::string_view> f = SplitTabs(line);
    int italic = 0;
    int bold = 0;
    int slanted = 0;
    if (f.size() != std::size_t(kFields) || f[0].empty() || f[3].empty() || f[3].front() != '/' ||
        !ParseNumber(f[1], c.weight) || !ParseNumber(f[2], italic) || !ParseNumber(f[4], c.file.index) ||
        !ParseNumber(f[6], bold) || !ParseNumber(f[7], slanted) || !ParseNumber(f[8], c.fileModifiedNs) ||
        !ParseNumber(f[9], c.fileSize) || italic < 0 || italic > 1 || bold < 0 || bold > 1 || slanted < 0 ||
        slanted > 1)
        return false;
    c.family = std::string(f[0]);
    c.italic = italic != 0;
    c.file.path = std::string(f[3]);
    c.file.family = std::string(f[5]);
    c.file.syntheticBold = bold != 0;
    c.file.syntheticItalic = slanted != 0;
    return true;
}

} // namespace

FontChoice MakeFontChoice(const Font& request, const FontFile& file) {
    FontChoice c;
    c.family = request.family;
    c.weight = request.weight;
    c.italic = request.italic;
    c.file = file;
    if (const FileStamp stamp = StampOf(file.path); stamp.exists) {
        c.fileModifiedNs = stamp.modifiedNs;
        c.fileSize = stamp.size;
    }
    return c;
}

bool FontFileUnchanged(const FontChoice& choice) {
    const FileStamp stamp = StampOf(choice.file.path);
    return stamp.regular && stamp.modifiedNs == choice.fileModifiedNs && stamp.size == choice.fileSize;
}

bool SameRequest(const FontChoice& choice, const Font& request) {
    return choice.family == request.family && choice.weight == request.weight && choice.italic == request.italic;
}

std::string FontSetupFingerprint() {
    const std::string home = Env("HOME");
    const std::string configHome = Env("XDG_CONFIG_HOME").empty() ? home + "/.config" : Env("XDG_CONFIG_HOME");
    const std::string dataHome = Env("XDG_DATA_HOME").empty() ? home + "/.local/share" : Env("XDG_DATA_HOME");
    std::string print;
    // Where fontconfig looks and which language it prefers.
    for (const char* name : {"FONTCONFIG_FILE", "FONTCONFIG_PATH", "FONTCONFIG_SYSROOT", "HOME", "XDG_CONFIG_HOME",
                             "XDG_DATA_HOME", "XDG_CACHE_HOME", "LANGUAGE", "LC_ALL", "LC_CTYPE", "LANG"})
        print += Env(name) + ";";
    // What it reads: the configuration, and the folders whose fonts it lists.
    for (const std::string& path :
         {std::string("/etc/fonts"), std::string("/etc/fonts/fonts.conf"), std::string("/etc/fonts/conf.d"),
          configHome + "/fontconfig", configHome + "/fontconfig/fonts.conf", configHome + "/fontconfig/conf.d",
          home + "/.fonts.conf", home + "/.fonts.conf.d", home + "/.fonts", dataHome + "/fonts",
          std::string("/usr/share/fonts"), std::string("/usr/local/share/fonts"), std::string("/var/cache/fontconfig"),
          Env("FONTCONFIG_FILE")})
        print += StampSummary(path) + ";";
    for (char& ch : print)
        if (ch == '\n' || ch == '\r' || ch == '\t')
            ch = '?';
    return print;
}

std::vector<FontChoice> ReadFontChoices(const std::string& path, const std::string& fingerprint) {
    const std::optional<std::vector<std::uint8_t>> bytes = ReadFileBytes(path, kMaxFileBytes);
    if (!bytes)
        return {};
    const std::string_view text(reinterpret_cast<const char*>(bytes->data()), bytes->size());
    std::vector<std::string_view> lines;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            return {}; // a file cut short is not trusted at all
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    if (lines.size() < 2 || lines[0] != kHeader || lines[1] != fingerprint || lines.size() - 2 > kMaxChoices)
        return {};
    std::vector<FontChoice> choices;
    for (std::size_t i = 2; i < lines.size(); ++i) {
        FontChoice c;
        if (!ParseChoice(lines[i], c))
            return {};
        choices.push_back(std::move(c));
    }
    return choices;
}

bool WriteFontChoices(const std::string& path, const std::string& fingerprint, const std::vector<FontChoice>& choices) {
    if (!Storable(fingerprint))
        return false;
    std::string text = std::string(kHeader) + "\n" + fingerprint + "\n";
    std::size_t stored = 0;
    for (const FontChoice& c : choices) {
        if (stored == kMaxChoices || text.size() > kMaxFileBytes / 2 || c.family.empty() || c.file.path.empty() || c.file.path.front() != '/' ||
            !Storable(c.family) || !Storable(c.file.path) || !Storable(c.file.family))
            continue;
        text += c.family + "\t" + std::to_string(c.weight) + "\t" + (c.italic ? "1" : "0") + "\t" + c.file.path + "\t" +
                std::to_string(c.file.index) + "\t" + c.file.family + "\t" + (c.file.syntheticBold ? "1" : "0") + "\t" +
                (c.file.syntheticItalic ? "1" : "0") + "\t" + std::to_string(c.fileModifiedNs) + "\t" +
                std::to_string(c.fileSize) + "\n";
        ++stored;
    }
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ec);
    return WriteFileAtomically(path, std::vector<std::uint8_t>(text.begin(), text.end()));
}

} // namespace qor
