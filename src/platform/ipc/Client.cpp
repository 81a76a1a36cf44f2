// The sending side: every call looks the window up afresh by connecting to its socket.

#include "platform/ipc/Ipc.h"
#include "platform/ipc/Wire.h"

#include <unistd.h>

namespace qor::ipc {
namespace {

class Connection {
public:
    Connection(std::string_view title, wire::Clock::time_point deadline)
        : fd_(wire::ConnectUnix(SocketPathFor(title), deadline)) {}
    ~Connection() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    int Fd() const { return fd_; }

private:
    int fd_;
};

} // namespace

bool PostToWindow(std::string_view title, uint32_t msg, int64_t w, int64_t l) {
    auto deadline = wire::Clock::now() + kDefaultSendTimeout;
    Connection c(title, deadline);
    if (c.Fd() < 0)
        return false;
    auto bytes = wire::EncodeFrame({kKindPost, msg, w, l});
    if (!wire::WriteAll(c.Fd(), bytes.data(), bytes.size(), deadline))
        return false;
    // The receiver closes once the message is queued. Waiting for that keeps the posts of one sender
    // in order, even when the receiver serves several connections at once.
    wire::WaitForClose(c.Fd(), deadline);
    return true;
}

std::optional<int64_t> SendToWindow(std::string_view title, uint32_t msg, int64_t w, int64_t l,
                                    std::chrono::milliseconds timeout) {
    auto deadline = wire::Clock::now() + timeout;
    Connection c(title, deadline);
    if (c.Fd() < 0)
        return std::nullopt;
    auto bytes = wire::EncodeFrame({kKindSend, msg, w, l});
    if (!wire::WriteAll(c.Fd(), bytes.data(), bytes.size(), deadline))
        return std::nullopt;
    wire::AnswerBytes answer{};
    if (!wire::ReadExactly(c.Fd(), answer.data(), answer.size(), deadline))
        return std::nullopt;
    return wire::DecodeAnswer(answer);
}

bool WindowExists(std::string_view title) {
    Connection c(title, wire::Clock::now() + std::chrono::seconds(1));
    return c.Fd() >= 0;
}

} // namespace qor::ipc
