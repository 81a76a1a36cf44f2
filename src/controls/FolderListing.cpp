#include "controls/FolderListing.h"

#include "controls/FileFilter.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace qor {

namespace {

int Rank(FileEntryKind kind) {
    return kind == FileEntryKind::Parent ? 0 : kind == FileEntryKind::Folder ? 1 : 2;
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

} // namespace

bool EntryOrder(const FileEntry& a, const FileEntry& b) {
    if (Rank(a.kind) != Rank(b.kind))
        return Rank(a.kind) < Rank(b.kind);
    const bool less = std::lexicographical_compare(a.name.begin(), a.name.end(), b.name.begin(), b.name.end(),
                                                   [](char x, char y) { return Lower(x) < Lower(y); });
    const bool greater =
        std::lexicographical_compare(b.name.begin(), b.name.end(), a.name.begin(), a.name.end(),
                                     [](char x, char y) { return Lower(x) < Lower(y); });
    // Names equal but for case keep a fixed order.
    return less || (!greater && a.name < b.name);
}

FolderListing ListFolder(const std::string& folder, const std::vector<std::string>& patterns) {
    FolderListing listing;
    if (folder != "/")
        listing.entries.push_back({"..", FileEntryKind::Parent});
    std::error_code ec;
    fs::directory_iterator it(fs::path(folder), ec);
    if (ec) {
        listing.readable = false;
        return listing;
    }
    std::vector<FileEntry> found;
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec)
            break;
        const std::string name = it->path().filename().string();
        if (name.empty() || name.front() == '.')
            continue;
        std::error_code statError;
        if (it->is_directory(statError))
            found.push_back({name, FileEntryKind::Folder});
        else if (it->is_regular_file(statError) && MatchesAnyPattern(name, patterns))
            found.push_back({name, FileEntryKind::File});
    }
    if (ec) {
        // A folder that stops answering half way shows nothing rather than a part of itself.
        listing.readable = false;
        return listing;
    }
    std::sort(found.begin(), found.end(), EntryOrder);
    listing.entries.insert(listing.entries.end(), found.begin(), found.end());
    return listing;
}

std::string CanonicalFolder(const std::string& folder) {
    std::error_code ec;
    fs::path path = folder.empty() ? fs::path("/") : fs::path(folder);
    if (path.is_relative()) {
        const fs::path absolute = fs::absolute(path, ec);
        path = ec ? fs::path("/") / path : absolute;
    }
    std::string text = path.lexically_normal().string();
    while (text.size() > 1 && text.back() == '/')
        text.pop_back();
    return text.empty() ? std::string("/") : text;
}

std::string ExistingFolder(const std::string& folder) {
    std::string current = CanonicalFolder(folder);
    for (;;) {
        std::error_code ec;
        if (fs::is_directory(fs::path(current), ec))
            return current;
        if (current == "/")
            return current;
        current = ParentFolder(current);
    }
}

std::string ParentFolder(const std::string& folder) {
    const std::size_t slash = folder.find_last_of('/');
    if (slash == std::string::npos || slash == 0)
        return "/";
    return folder.substr(0, slash);
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (folder.empty() || folder.back() == '/')
        return folder + name;
    return folder + "/" + name;
}

} // namespace qor
