#pragma once
// Helpers for the ipc tests: a scratch runtime folder per test, and a peer that speaks the wire
// protocol with raw sockets, written from the protocol description alone (it shares no code with the
// library, so an encoding mistake in either shows).

#include "support/TempFolder.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <vector>

namespace qor::ipc::test {

class ScratchRuntime : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(scratch_.Root().empty());
        root_ = scratch_.Root();
        ::setenv("XDG_RUNTIME_DIR", root_.c_str(), 1);
    }
    std::string Folder() const { return root_ + "/qorvr17"; }
    std::string SocketOf(const std::string& title) const { return Folder() + "/" + title + ".sock"; }

    // Under /tmp: socket paths below it must stay within their short length limit.
    qor::test::TempFolder scratch_{"qor-ipc-test", "/tmp"};
    std::string root_;
};

// A frame as the protocol describes it: 32 bytes, little-endian.
inline std::vector<unsigned char> RawFrame(uint32_t magic, uint32_t kind, uint32_t message, int64_t wParam,
                                           int64_t lParam) {
    std::vector<unsigned char> b;
    auto put = [&b](uint64_t v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            b.push_back(static_cast<unsigned char>(v >> (8 * i)));
    };
    put(magic, 4);
    put(kind, 4);
    put(message, 4);
    put(0, 4);
    put(static_cast<uint64_t>(wParam), 8);
    put(static_cast<uint64_t>(lParam), 8);
    return b;
}

inline int RawConnect(const std::string& path) {
    int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::strncpy(addr.sun_path, path.c_str(), sizeof(addr.sun_path) - 1);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)) != 0) {
        ::close(fd);
        return -1;
    }
    timeval tv{5, 0}; // the peer never waits longer than this for anything
    ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof(tv));
    return fd;
}

inline bool RawWrite(int fd, const std::vector<unsigned char>& bytes) {
    // The other side may already have closed (a refused peer): that must not raise SIGPIPE.
    return ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(bytes.size());
}

// Everything the other side writes until it closes (or 5 s pass).
inline std::vector<unsigned char> RawReadToEnd(int fd) {
    std::vector<unsigned char> all;
    unsigned char buf[64];
    for (;;) {
        ssize_t n = ::read(fd, buf, sizeof(buf));
        if (n <= 0)
            break;
        all.insert(all.end(), buf, buf + n);
    }
    return all;
}

inline uint32_t U32At(const std::vector<unsigned char>& b, std::size_t at) {
    return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 | uint32_t(b[at + 3]) << 24;
}

inline int64_t I64At(const std::vector<unsigned char>& b, std::size_t at) {
    uint64_t v = 0;
    for (int i = 7; i >= 0; --i)
        v = (v << 8) | b[at + i];
    return static_cast<int64_t>(v);
}

} // namespace qor::ipc::test
