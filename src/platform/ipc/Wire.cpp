#include "platform/ipc/Wire.h"

#include <cerrno>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

namespace qor::ipc::wire {
namespace {

// The wire format is little-endian whatever the host is.
void PutU32(unsigned char* p, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<unsigned char>(v >> (8 * i));
}
void PutI64(unsigned char* p, int64_t value) {
    auto v = static_cast<uint64_t>(value);
    for (int i = 0; i < 8; ++i)
        p[i] = static_cast<unsigned char>(v >> (8 * i));
}
uint32_t GetU32(const unsigned char* p) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | p[i];
    return v;
}
int64_t GetI64(const unsigned char* p) {
    uint64_t v = 0;
    for (int i = 7; i >= 0; --i)
        v = (v << 8) | p[i];
    return static_cast<int64_t>(v);
}

int MillisecondsUntil(Clock::time_point deadline) {
    auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0)
        return 0;
    return left > 60'000 ? 60'000 : static_cast<int>(left);
}

bool WaitFor(int fd, short events, Clock::time_point deadline) {
    for (;;) {
        pollfd p{fd, events, 0};
        int n = ::poll(&p, 1, MillisecondsUntil(deadline));
        if (n > 0)
            return true;
        if (n == 0)
            return false;
        if (errno != EINTR)
            return false;
    }
}

} // namespace

FrameBytes EncodeFrame(const Frame& frame) {
    FrameBytes b{};
    PutU32(&b[0], kFrameMagic);
    PutU32(&b[4], frame.kind);
    PutU32(&b[8], frame.message);
    PutU32(&b[12], 0);
    PutI64(&b[16], frame.wParam);
    PutI64(&b[24], frame.lParam);
    return b;
}

std::optional<Frame> DecodeFrame(const FrameBytes& b) {
    if (GetU32(&b[0]) != kFrameMagic)
        return std::nullopt;
    Frame f{GetU32(&b[4]), GetU32(&b[8]), GetI64(&b[16]), GetI64(&b[24])};
    if (f.kind != kKindPost && f.kind != kKindSend)
        return std::nullopt;
    return f;
}

AnswerBytes EncodeAnswer(int64_t result) {
    AnswerBytes b{};
    PutU32(&b[0], kFrameMagic);
    PutU32(&b[4], kKindAnswer);
    PutI64(&b[8], result);
    return b;
}

std::optional<int64_t> DecodeAnswer(const AnswerBytes& b) {
    if (GetU32(&b[0]) != kFrameMagic || GetU32(&b[4]) != kKindAnswer)
        return std::nullopt;
    return GetI64(&b[8]);
}

bool UnixAddress(const std::string& path, sockaddr_un& addr) {
    addr = sockaddr_un{};
    if (path.empty() || path.size() >= sizeof(addr.sun_path))
        return false;
    addr.sun_family = AF_UNIX;
    std::memcpy(addr.sun_path, path.data(), path.size());
    return true;
}

int ConnectUnix(const std::string& path, Clock::time_point deadline) {
    sockaddr_un addr;
    if (!UnixAddress(path, addr))
        return -1;
    auto delay = std::chrono::microseconds(50);
    for (;;) {
        int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        if (fd < 0)
            return -1;
        if (::connect(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof(addr)) == 0)
            return fd;
        int err = errno;
        ::close(fd);
        // A full backlog answers EAGAIN on a non-blocking Unix socket: the window exists but is busy.
        if (err != EAGAIN && err != EINTR)
            return -1;
        if (Clock::now() + delay >= deadline)
            return -1;
        std::this_thread::sleep_for(delay);
        if (delay < std::chrono::milliseconds(20))
            delay *= 2;
    }
}

bool WriteAll(int fd, const unsigned char* data, std::size_t size, Clock::time_point deadline) {
    std::size_t done = 0;
    while (done < size) {
        ssize_t n = ::send(fd, data + done, size - done, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (!WaitFor(fd, POLLOUT, deadline))
                return false;
        } else {
            return false;
        }
    }
    return true;
}

bool ReadExactly(int fd, unsigned char* data, std::size_t size, Clock::time_point deadline) {
    std::size_t done = 0;
    while (done < size) {
        ssize_t n = ::recv(fd, data + done, size - done, MSG_DONTWAIT);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
        } else if (n == 0) {
            return false;
        } else if (errno == EINTR) {
            continue;
        } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
            if (!WaitFor(fd, POLLIN, deadline))
                return false;
        } else {
            return false;
        }
    }
    return true;
}

void WaitForClose(int fd, Clock::time_point deadline) {
    WaitFor(fd, POLLIN, deadline);
}

} // namespace qor::ipc::wire
