#pragma once
// Reads and writes values of one INI file by section and key (names compare without regard to ASCII
// case). Reads never fail: a missing file, section or key gives the caller's default. Writes replace the
// whole file atomically; a failed write is lost silently, as the callers expect.
//
// IniFile touches the disk on every call. IniBatch loads a file once, serves any number of reads and
// writes from memory and puts the result on disk with one atomic replace in Commit(); every operation
// that writes several values to one file uses it, so the device agent never sees a half-written file.

#include "platform/sys/AtomicFile.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace qor {

class IniDocument; // the engine, platform/ini

class IniBatch {
public:
    explicit IniBatch(std::string path);
    ~IniBatch();
    IniBatch(IniBatch&&) noexcept;
    IniBatch& operator=(IniBatch&&) noexcept;

    const std::string& Path() const { return path_; }

    // Signed decimal: leading blanks skipped, reading stops at the first non-digit; empty gives def.
    std::int32_t ReadInt(std::string_view section, std::string_view key, std::int32_t def) const;
    // At most 2047 characters (cut on a character boundary).
    std::string ReadString(std::string_view section, std::string_view key, std::string_view def) const;
    // Uppercase hex bytes plus an 8-bit sum. Leaves target unchanged unless the value has exactly
    // 2 * size + 2 hex digits; returns false when missing, of the wrong length or with a wrong sum.
    bool ReadStruct(std::string_view section, std::string_view key, std::span<std::uint8_t> target) const;

    void WriteInt(std::string_view section, std::string_view key, std::int32_t value); // "%d"
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteStruct(std::string_view section, std::string_view key, std::span<const std::uint8_t> bytes);

    // Writes the file once if anything changed: temporary file, flush, rename. False on failure.
    bool Commit();
    // FolderSync::Later leaves flushing the folder to the caller (SyncFolderOf), for operations that
    // replace several files of one folder.
    bool Commit(FolderSync sync);

    // False when the file exists but cannot be ours: unreadable, not a regular file or larger than
    // IniDocument::kMaxFileSize. Such a file reads as absent and Commit() never touches it.
    bool Writable() const { return writable_; }
    // True when the file was there and read.
    bool Exists() const { return exists_; }

private:
    std::string path_;
    std::unique_ptr<IniDocument> doc_;
    bool dirty_ = false;
    bool writable_ = true;
    bool exists_ = false;
};

class IniFile {
public:
    explicit IniFile(std::string path) : path_(std::move(path)) {}
    const std::string& Path() const { return path_; }

    std::int32_t ReadInt(std::string_view section, std::string_view key, std::int32_t def) const;
    std::string ReadString(std::string_view section, std::string_view key, std::string_view def) const;
    bool ReadStruct(std::string_view section, std::string_view key, std::span<std::uint8_t> target) const;

    // Each write is on disk, complete, when it returns.
    void WriteInt(std::string_view section, std::string_view key, std::int32_t value);
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteStruct(std::string_view section, std::string_view key, std::span<const std::uint8_t> bytes);

private:
    std::string path_;
};

} // namespace qor
