#pragma once
// What a file looks like from outside (whether it is there, its size, modification time and inode):
// the same stamp later means the file is taken to be unchanged.

#include <sys/stat.h>

#include <cstdint>
#include <string>

namespace qor {

struct FileStamp {
    bool exists = false;
    bool regular = false;
    std::int64_t size = 0;
    std::int64_t modifiedNs = 0;
    std::uint64_t inode = 0;
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

inline FileStamp StampOf(const std::string& path) {
    struct stat st {};
    if (path.empty() || ::stat(path.c_str(), &st) != 0) return {};
    return {true, S_ISREG(st.st_mode), std::int64_t(st.st_size),
            std::int64_t(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec, std::uint64_t(st.st_ino)};
}

} // namespace qor
