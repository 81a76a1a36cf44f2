#pragma once
// Single instance: an exclusive flock on <folder>/<name>.lock, held for the life of the object.
// The kernel drops the lock when the holder dies, so a crashed copy never blocks the next one.

#include <string>
#include <string_view>

namespace qor::sys {

inline constexpr std::string_view kInstanceLockName = "QORVR17_GAMING_MOUSE_CONFIG_MUTEX";

class InstanceLock {
public:
    enum class Status {
        Acquired,      // this process is the one instance
        HeldByAnother, // another process holds the lock: this copy should end
        Unavailable,   // the lock file could not be opened (no usable folder): nothing is known
    };

    // Tries once, without waiting. The program passes qor::ipc::SocketFolder() as `folder`.
    explicit InstanceLock(std::string_view folder, std::string_view name = kInstanceLockName);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    Status State() const { return status_; }
    bool Held() const { return status_ == Status::Acquired; }

private:
    int fd_ = -1;
    Status status_ = Status::Unavailable;
};

} // namespace qor::sys
