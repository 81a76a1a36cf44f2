#include "platform/sys/InstanceLock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace qor::sys {

InstanceLock::InstanceLock(std::string_view folder, std::string_view name) {
    if (folder.empty())
        return;
    std::string path = std::string(folder) + "/" + std::string(name) + ".lock";
    // Close-on-exec: a program started from here (the device agent) must not inherit the lock and
    // keep it after this process has ended.
    fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd_ < 0)
        return;
    int rc;
    do {
        rc = ::flock(fd_, LOCK_EX | LOCK_NB);
    } while (rc != 0 && errno == EINTR);
    if (rc == 0) {
        status_ = Status::Acquired;
        return;
    }
    status_ = errno == EWOULDBLOCK ? Status::HeldByAnother : Status::Unavailable;
    ::close(fd_);
    fd_ = -1;
}

InstanceLock::~InstanceLock() {
    // The lock file stays: removing it would let a third process lock a fresh file while a second
    // one still waits on the old one.
    if (fd_ >= 0)
        ::close(fd_);
}

} // namespace qor::sys
