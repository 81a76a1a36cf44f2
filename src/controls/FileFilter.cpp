#include "controls/FileFilter.h"

#include <cstddef>

namespace qor {

namespace {

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

} // namespace

std::vector<FileFilterEntry> ParseFileFilter(std::string_view text) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t bar = text.find('|', start);
        if (bar == std::string_view::npos) {
            parts.push_back(text.substr(start)); // a missing final bar is forgiven
            break;
        }
        parts.push_back(text.substr(start, bar - start));
        start = bar + 1;
    }
    std::vector<FileFilterEntry> entries;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        FileFilterEntry entry;
        entry.description = std::string(parts[i]);
        std::string_view list = parts[i + 1];
        while (!list.empty()) {
            const std::size_t semi = list.find(';');
            const std::string_view pattern = Trim(list.substr(0, semi));
            if (!pattern.empty())
                entry.patterns.emplace_back(pattern);
            list = semi == std::string_view::npos ? std::string_view() : list.substr(semi + 1);
        }
        if (!entry.patterns.empty())
            entries.push_back(std::move(entry));
    }
    return entries;
}

bool MatchesPattern(std::string_view name, std::string_view pattern) {
    // Iterative matching with one backtrack point: linear in practice, never exponential on hostile
    // patterns such as "*a*a*a*a*b".
    std::size_t n = 0;
    std::size_t p = 0;
    std::size_t starP = std::string_view::npos;
    std::size_t starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || Lower(pattern[p]) == Lower(name[n]))) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

bool MatchesAnyPattern(std::string_view name, const std::vector<std::string>& patterns) {
    if (patterns.empty())
        return true;
    for (const std::string& pattern : patterns)
        if (MatchesPattern(name, pattern))
            return true;
    return false;
}

} // namespace qor
