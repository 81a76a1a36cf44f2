#pragma once
// Whole-file reads and crash-safe whole-file writes.

#include <cstddef>
#include <string>
#include <string_view>

namespace qor {

// Replaces (or creates) the file at `path` with `bytes`: a temporary file in the same folder is
// written, flushed to disk and renamed over the target, then the folder is flushed, so a crash at any
// moment leaves either the old or the new file. An existing file keeps its permission bits; a new one
// gets 0666 less the umask. Refused (false, nothing changes) when the target is not a regular file
// or is read-only. A symbolic link at `path` is replaced by the file, never followed.
bool WriteFileAtomically(const std::string& path, std::string_view bytes);

// Flushing the folder costs as much as flushing the file. An operation that replaces several files
// in one folder writes them with FolderSync::Later and then calls SyncFolderOf once: each file is
// still old-or-new at any moment, and all are durable when SyncFolderOf returns.
enum class FolderSync { Now, Later };
bool WriteFileAtomically(const std::string& path, std::string_view bytes, FolderSync sync);
// Flushes the folder that holds `path` (its entries: creations and renames). False on failure.
bool SyncFolderOf(const std::string& path);

enum class ReadStatus { Ok, Missing, TooLarge, Unreadable };

struct ReadResult {
    ReadStatus status = ReadStatus::Missing;
    std::string bytes;
};

// Reads a regular file of at most `maxSize` bytes. Missing: no such file or folder. TooLarge and
// Unreadable (a folder, a device, a pipe, no permission, an I/O error) leave `bytes` empty. Never
// blocks on a pipe or a device.
ReadResult ReadFileLimited(const std::string& path, std::size_t maxSize);

} // namespace qor
