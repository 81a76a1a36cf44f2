#pragma once
// A small reader for the skin's text files, independent of the program's INI engine: sections and
// keys as written, values trimmed. It also reports whether the file is valid UTF-8.

#include <filesystem>
#include <map>
#include <optional>
#include <string>

namespace qor::skin::test {

class IniText {
public:
    static std::optional<IniText> Load(const std::filesystem::path& path);

    // Section names compare without regard to ASCII case, as the program's engine does.
    std::optional<std::string> Value(const std::string& section, const std::string& key) const;
    bool ValidUtf8() const { return m_validUtf8; }

private:
    std::map<std::string, std::map<std::string, std::string>> m_sections; // lower-case section name
    bool m_validUtf8 = true;
};

} // namespace qor::skin::test
