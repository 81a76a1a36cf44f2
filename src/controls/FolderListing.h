#pragma once
// What the file dialogs list for a folder, and the folder arithmetic they navigate with. Names are the
// bytes the file system holds (not necessarily UTF-8); only drawing turns them into text.

#include <string>
#include <vector>

namespace qor {

enum class FileEntryKind { Parent, Folder, File };

struct FileEntry {
    std::string name; // ".." for the parent entry
    FileEntryKind kind = FileEntryKind::File;
    friend bool operator==(const FileEntry&, const FileEntry&) = default;
};

struct FolderListing {
    std::vector<FileEntry> entries;
    bool readable = true; // false: the folder could not be opened or read to the end
};

// The entries of `folder` (absolute, as CanonicalFolder gives it): ".." first unless it is the root,
// then the sub-folders, then the regular files matching `patterns` (all when empty); each group sorted
// by name ignoring ASCII case. Hidden names (leading '.') and other kinds of entries are left out;
// links count as what they point to, broken links are left out. An unreadable folder lists only "..".
FolderListing ListFolder(const std::string& folder, const std::vector<std::string>& patterns);

// The absolute, lexically normal form of `folder` without a trailing '/' (the root stays "/").
// Relative paths are taken from the working folder.
std::string CanonicalFolder(const std::string& folder);

// The nearest folder that exists, starting at `folder` and walking up; "/" at the latest.
std::string ExistingFolder(const std::string& folder);

// The parent of a canonical folder; the root is its own parent.
std::string ParentFolder(const std::string& folder);

// `folder` + '/' + `name`, without doubling the root's slash.
std::string JoinPath(const std::string& folder, const std::string& name);

// Orders entries as the list shows them (see ListFolder).
bool EntryOrder(const FileEntry& a, const FileEntry& b);

} // namespace qor
