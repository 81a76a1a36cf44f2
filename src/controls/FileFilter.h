#pragma once
// The filter text of the file dialogs: entries of a description and a pattern list, each ended by a
// bar, e.g. "pfd(*.pfd)|*.pfd|". A pattern list holds patterns separated by ';' with '*' (any run of
// characters) and '?' (one byte). Matching ignores ASCII case, so "PROFILE.PFD" passes "*.pfd".

#include <string>
#include <string_view>
#include <vector>

namespace qor {

struct FileFilterEntry {
    std::string description;
    std::vector<std::string> patterns;
    friend bool operator==(const FileFilterEntry&, const FileFilterEntry&) = default;
};

// Entries in order; an entry without a pattern part, or with no usable pattern, is dropped. An empty
// or unusable text gives no entries (the dialogs then show every file).
std::vector<FileFilterEntry> ParseFileFilter(std::string_view text);

// True when `name` matches `pattern` as a whole.
bool MatchesPattern(std::string_view name, std::string_view pattern);

// True when `name` matches any of `patterns`; an empty list matches everything.
bool MatchesAnyPattern(std::string_view name, const std::vector<std::string>& patterns);

} // namespace qor
