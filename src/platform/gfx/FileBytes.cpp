#include "platform/gfx/FileBytes.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qor {

namespace {

// Closes the descriptor on every return path.
struct Fd {
    int fd = -1;
    ~Fd() {
        if (fd >= 0) ::close(fd);
    }
};

bool WriteAll(int fd, const std::uint8_t* data, std::size_t size) {
    while (size > 0) {
        ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += n;
        size -= std::size_t(n);
    }
    return true;
}

// At most limit bytes from the start of a regular file; a larger file is refused when whole is set.
std::optional<std::vector<std::uint8_t>> ReadRegularFile(const std::string& path, std::size_t limit, bool whole) {
    // O_NONBLOCK keeps a FIFO from blocking the open; the regular-file check rejects it afterwards.
    Fd file{::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)};
    if (file.fd < 0) return std::nullopt;
    struct stat st{};
    if (::fstat(file.fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size < 0) return std::nullopt;
    if (whole && std::uint64_t(st.st_size) > limit) return std::nullopt;

    std::vector<std::uint8_t> bytes(std::size_t(std::min<std::uint64_t>(std::uint64_t(st.st_size), limit)));
    std::size_t got = 0;
    while (got < bytes.size()) {
        ssize_t n = ::read(file.fd, bytes.data() + got, bytes.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break; // the file shrank while we read it: keep what is there
        got += std::size_t(n);
    }
    bytes.resize(got);
    return bytes;
}

} // namespace

std::optional<std::vector<std::uint8_t>> ReadFileBytes(const std::string& path, std::size_t maxBytes) {
    return ReadRegularFile(path, maxBytes, true);
}

std::optional<std::vector<std::uint8_t>> ReadFileHead(const std::string& path, std::size_t count) {
    return ReadRegularFile(path, count, false);
}

bool WriteFileAtomically(const std::string& path, const std::vector<std::uint8_t>& data) {
    std::string temp = path + ".XXXXXX";
    Fd file{::mkostemp(temp.data(), O_CLOEXEC)};
    if (file.fd < 0) return false;
    bool ok = ::fchmod(file.fd, 0644) == 0 && WriteAll(file.fd, data.data(), data.size()) && ::fsync(file.fd) == 0;
    ok = ::close(file.fd) == 0 && ok;
    file.fd = -1;
    if (ok && ::rename(temp.c_str(), path.c_str()) == 0) return true;
    ::unlink(temp.c_str());
    return false;
}

} // namespace qor
