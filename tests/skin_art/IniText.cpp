#include "IniText.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <sstream>

namespace qor::skin::test {

namespace {

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return s;
}

std::string Trim(const std::string& s) {
    const auto first = s.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return {};
    const auto last = s.find_last_not_of(" \t\r");
    return s.substr(first, last - first + 1);
}

bool IsValidUtf8(const std::string& bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        const int extra = c < 0x80           ? 0
                          : (c >> 5) == 0x6  ? 1
                          : (c >> 4) == 0xE  ? 2
                          : (c >> 3) == 0x1E ? 3
                                             : -1;
        if (extra < 0 || i + std::size_t(extra) >= bytes.size())
            return false;
        for (int k = 1; k <= extra; ++k) {
            if ((static_cast<unsigned char>(bytes[i + std::size_t(k)]) >> 6) != 0x2)
                return false;
        }
        i += std::size_t(extra) + 1;
    }
    return true;
}

} // namespace

std::optional<IniText> IniText::Load(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return std::nullopt;
    std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (bytes.rfind("\xEF\xBB\xBF", 0) == 0)
        bytes.erase(0, 3);
    IniText ini;
    ini.m_validUtf8 = IsValidUtf8(bytes);
    std::istringstream lines(bytes);
    std::string line;
    std::string section;
    while (std::getline(lines, line)) {
        line = Trim(line);
        if (line.empty() || line[0] == ';')
            continue;
        if (line.front() == '[' && line.back() == ']') {
            section = Lower(line.substr(1, line.size() - 2));
            continue;
        }
        const auto eq = line.find('=');
        if (eq == std::string::npos)
            continue;
        ini.m_sections[section][Trim(line.substr(0, eq))] = Trim(line.substr(eq + 1));
    }
    return ini;
}

std::optional<std::string> IniText::Value(const std::string& section, const std::string& key) const {
    const auto s = m_sections.find(Lower(section));
    if (s == m_sections.end())
        return std::nullopt;
    const auto k = s->second.find(key);
    if (k == s->second.end())
        return std::nullopt;
    return k->second;
}

} // namespace qor::skin::test
