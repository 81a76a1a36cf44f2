#include "platform/sys/AtomicFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace qor {

namespace {

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

mode_t ReadUmask() {
    // Linux reports the umask without changing it; setting it to read it back would race with
    // other threads creating files.
    const ReadResult status = ReadFileLimited("/proc/self/status", 1 << 16);
    const std::size_t at = status.bytes.find("\nUmask:");
    if (at != std::string::npos)
        return static_cast<mode_t>(std::strtoul(status.bytes.c_str() + at + 7, nullptr, 8) & 0777);
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return mask;
}

// The umask is read once: the program never changes it.
mode_t CurrentUmask() {
    static const mode_t mask = ReadUmask();
    return mask;
}

} // namespace

bool WriteFileAtomically(const std::string& path, std::string_view bytes) {
    return WriteFileAtomically(path, bytes, FolderSync::Now);
}

bool SyncFolderOf(const std::string& path) {
    const int dir = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0)
        return false;
    const bool ok = ::fsync(dir) == 0;
    ::close(dir);
    return ok;
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes, FolderSync sync) {
    if (path.empty() || path.back() == '/')
        return false;
    mode_t mode = 0666 & ~CurrentUmask();
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0) {
        if (S_ISREG(st.st_mode)) {
            // Root may write anything; a read-only file still means "do not replace".
            if ((st.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0)
                return false;
            mode = st.st_mode & 07777;
        } else if (!S_ISLNK(st.st_mode)) {
            return false;
        }
    }

    const std::string folder = FolderOf(path);
    const std::size_t slash = path.rfind('/');
    const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::string prefix = (folder == "/" ? std::string() : folder) + "/." + base.substr(0, 200) +
                               ".tmp-" + std::to_string(::getpid()) + "-";
    // The temporary file is created with its final mode, so no separate permission change has to
    // reach the disk; the umask can only take bits away, and then fchmod restores them.
    static unsigned counter = 0;
    std::string temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = prefix + std::to_string(counter++);
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, mode);
        if (fd < 0 && errno != EEXIST)
            return false;
    }
    if (fd < 0)
        return false;
    bool ok = WriteAll(fd, bytes);
    if (ok && (mode & CurrentUmask()) != 0)
        ok = ::fchmod(fd, mode) == 0;
    ok = ok && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (!ok || ::rename(temp.c_str(), path.c_str()) != 0) {
        ::unlink(temp.c_str());
        return false;
    }
    // The rename is durable only once the folder's entry is on disk.
    if (sync == FolderSync::Now)
        SyncFolderOf(path);
    return true;
}

ReadResult ReadFileLimited(const std::string& path, std::size_t maxSize) {
    ReadResult result;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        result.status = (errno == ENOENT || errno == ENOTDIR) ? ReadStatus::Missing : ReadStatus::Unreadable;
        return result;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        result.status = ReadStatus::Unreadable;
        return result;
    }
    if (static_cast<unsigned long long>(st.st_size) > maxSize) {
        ::close(fd);
        result.status = ReadStatus::TooLarge;
        return result;
    }
    // The file may grow while we read: never read more than maxSize + 1 bytes.
    std::string bytes(static_cast<std::size_t>(st.st_size) + 1, '\0');
    std::size_t have = 0;
    for (;;) {
        if (have == bytes.size()) {
            if (bytes.size() > maxSize)
                break;
            bytes.resize(std::min(maxSize + 1, bytes.size() * 2));
        }
        const ssize_t n = ::read(fd, bytes.data() + have, bytes.size() - have);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ::close(fd);
            result.status = ReadStatus::Unreadable;
            return result;
        }
        if (n == 0)
            break;
        have += static_cast<std::size_t>(n);
    }
    ::close(fd);
    if (have > maxSize) {
        result.status = ReadStatus::TooLarge;
        return result;
    }
    bytes.resize(have);
    result.bytes = std::move(bytes);
    result.status = ReadStatus::Ok;
    return result;
}

} // namespace qor
