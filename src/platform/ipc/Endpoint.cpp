// The receiving side. One thread per endpoint waits on the listening socket and every open
// connection with epoll. Everything on that thread is non-blocking, so a slow or hostile peer costs
// at most one connection slot until its read deadline; the number of slots is bounded and the oldest
// reading connection gives way to a new one. Answers to sends are written by whichever thread calls
// `reply`, under a per-connection mutex.

#include "platform/ipc/Ipc.h"
#include "platform/ipc/Wire.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <deque>
#include <fcntl.h>
#include <map>
#include <mutex>
#include <sys/epoll.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>
#include <unordered_map>

namespace qor::ipc {
namespace {

using wire::Clock;

// A frame is written at once after connecting; a peer that has not sent it after this long is gone.
constexpr auto kReadTimeout = std::chrono::milliseconds(1000);
// A send whose handler never replies is given up after this long (longer than any sane sender
// waits), so its descriptor does not stay open for ever.
constexpr auto kReplyExpiry = std::chrono::seconds(30);
constexpr std::size_t kMaxReading = 256;
constexpr std::size_t kMaxWaiting = 256;
constexpr int kAcceptBurst = 64;

// The connection of one send, kept until its answer is written or it is given up.
class PendingReply {
public:
    explicit PendingReply(int fd) : fd_(fd) {}
    ~PendingReply() { Abandon(); }
    PendingReply(const PendingReply&) = delete;
    PendingReply& operator=(const PendingReply&) = delete;

    void Answer(int64_t result) {
        std::lock_guard lock(mutex_);
        if (fd_ < 0)
            return;
        auto bytes = wire::EncodeAnswer(result);
        // 16 bytes always fit into an empty socket buffer; a peer that left simply misses them.
        (void)::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
        ::close(fd_);
        fd_ = -1;
    }

    void Abandon() {
        std::lock_guard lock(mutex_);
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
    }

private:
    std::mutex mutex_;
    int fd_;
};

enum class Probe { Live, Stale, Unusable };

// Whether someone accepts on `path`. A full backlog still means a live window.
Probe ProbeSocket(const std::string& path) {
    sockaddr_un addr;
    if (!wire::UnixAddress(path, addr))
        return Probe::Unusable;
    int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return Probe::Unusable;
    int rc = ::connect(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof(addr));
    int err = errno;
    ::close(fd);
    if (rc == 0 || err == EAGAIN || err == EINPROGRESS)
        return Probe::Live;
    if (err == ECONNREFUSED || err == ENOENT)
        return Probe::Stale;
    return Probe::Unusable;
}

std::string FolderOf(const std::string& path) {
    return path.substr(0, path.rfind('/'));
}

} // namespace

struct Endpoint::Impl {
    std::string title;
    std::string path;
    Handler handler;
    int listenFd = -1;
    int epollFd = -1;
    int wakeFd = -1;
    dev_t socketDev = 0;
    ino_t socketIno = 0;
    std::atomic<bool> stopping{false};
    std::thread thread;

    struct Reading {
        uint64_t order;
        Clock::time_point deadline;
        std::size_t got = 0;
        wire::FrameBytes bytes{};
    };
    std::unordered_map<int, Reading> reading; // by descriptor
    std::map<uint64_t, int> readingByAge;     // order -> descriptor
    uint64_t nextOrder = 0;

    struct Waiting {
        std::weak_ptr<PendingReply> reply;
        Clock::time_point expiry;
    };
    std::deque<Waiting> waiting; // oldest first
    Clock::time_point nextSweep{};

    ~Impl() {
        if (thread.joinable()) {
            stopping = true;
            uint64_t one = 1;
            (void)!::write(wakeFd, &one, sizeof(one));
            thread.join();
        }
        for (auto& [fd, r] : reading)
            ::close(fd);
        for (auto& w : waiting)
            if (auto p = w.reply.lock())
                p->Abandon();
        if (listenFd >= 0) {
            // Remove the socket only if it is still ours: a later registrant may have replaced it.
            struct stat st {};
            if (::lstat(path.c_str(), &st) == 0 && st.st_dev == socketDev && st.st_ino == socketIno)
                ::unlink(path.c_str());
            ::close(listenFd);
        }
        if (epollFd >= 0)
            ::close(epollFd);
        if (wakeFd >= 0)
            ::close(wakeFd);
    }

    void Run() {
        epoll_event events[64];
        while (!stopping) {
            int timeout = reading.empty() && waiting.empty() ? -1 : 100;
            int n = ::epoll_wait(epollFd, events, 64, timeout);
            if (n < 0 && errno != EINTR)
                break;
            for (int i = 0; i < n && !stopping; ++i) {
                int fd = events[i].data.fd;
                if (fd == wakeFd)
                    continue;
                if (fd == listenFd) {
                    AcceptSome();
                } else if (reading.count(fd)) {
                    ReadFrom(fd);
                }
            }
            Sweep();
        }
    }

    void AcceptSome() {
        for (int i = 0; i < kAcceptBurst; ++i) {
            int fd = ::accept4(listenFd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
            if (fd < 0) {
                if (errno == EMFILE || errno == ENFILE)
                    MakeRoom();
                return;
            }
            ucred cred{};
            socklen_t len = sizeof(cred);
            if (::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &cred, &len) != 0 || cred.uid != ::geteuid()) {
                ::close(fd);
                continue;
            }
            if (reading.size() >= kMaxReading)
                DropOldestReading();
            epoll_event ev{};
            ev.events = EPOLLIN | EPOLLRDHUP;
            ev.data.fd = fd;
            if (::epoll_ctl(epollFd, EPOLL_CTL_ADD, fd, &ev) != 0) {
                ::close(fd);
                continue;
            }
            uint64_t order = nextOrder++;
            reading.emplace(fd, Reading{order, Clock::now() + kReadTimeout});
            readingByAge.emplace(order, fd);
            // The frame is usually there already; reading it now saves a trip through epoll.
            ReadFrom(fd);
        }
    }

    void MakeRoom() {
        if (!reading.empty()) {
            DropOldestReading();
        } else if (!waiting.empty()) {
            if (auto p = waiting.front().reply.lock())
                p->Abandon();
            waiting.pop_front();
        }
    }

    void DropOldestReading() {
        if (readingByAge.empty())
            return;
        CloseReading(readingByAge.begin()->second);
    }

    // Stops watching a connection; returns the descriptor still open.
    int Detach(int fd) {
        auto it = reading.find(fd);
        readingByAge.erase(it->second.order);
        reading.erase(it);
        ::epoll_ctl(epollFd, EPOLL_CTL_DEL, fd, nullptr);
        return fd;
    }

    void CloseReading(int fd) { ::close(Detach(fd)); }

    void ReadFrom(int fd) {
        Reading& r = reading.at(fd);
        // Ask for one byte more than a frame so that an oversized frame shows.
        unsigned char buffer[kFrameSize + 1];
        for (;;) {
            ssize_t n = ::recv(fd, buffer, kFrameSize + 1 - r.got, MSG_DONTWAIT);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
                return; // wait for more
            if (n <= 0 || r.got + static_cast<std::size_t>(n) > kFrameSize) {
                CloseReading(fd); // error, end of stream before a whole frame, or too long
                return;
            }
            std::memcpy(r.bytes.data() + r.got, buffer, static_cast<std::size_t>(n));
            r.got += static_cast<std::size_t>(n);
            if (r.got == kFrameSize)
                break;
        }
        unsigned char extra;
        ssize_t more = ::recv(fd, &extra, 1, MSG_DONTWAIT);
        wire::FrameBytes bytes = r.bytes;
        Detach(fd);
        auto frame = wire::DecodeFrame(bytes);
        if (more > 0 || !frame) {
            ::close(fd);
            return;
        }
        Dispatch(fd, *frame);
    }

    void Dispatch(int fd, const Frame& frame) {
        if (frame.kind == kKindPost) {
            Call(frame, [](int64_t) {});
            ::close(fd); // tells the sender that the message is queued
            return;
        }
        auto pending = std::make_shared<PendingReply>(fd);
        if (waiting.size() >= kMaxWaiting) {
            if (auto p = waiting.front().reply.lock())
                p->Abandon();
            waiting.pop_front();
        }
        waiting.push_back({pending, Clock::now() + kReplyExpiry});
        // When the handler keeps no copy of `reply`, the connection closes here and the sender learns
        // at once that no answer comes.
        Call(frame, [pending = std::move(pending)](int64_t result) { pending->Answer(result); });
    }

    void Call(const Frame& frame, std::function<void(int64_t)> reply) {
        try {
            handler(frame, std::move(reply));
        } catch (...) {
            // A handler's failure must not end the endpoint; the frame is simply lost.
        }
    }

    void Sweep() {
        auto now = Clock::now();
        if (now < nextSweep)
            return;
        nextSweep = now + std::chrono::milliseconds(50);
        while (!readingByAge.empty() && reading.at(readingByAge.begin()->second).deadline <= now)
            DropOldestReading();
        std::erase_if(waiting, [now](Waiting& w) {
            auto p = w.reply.lock();
            if (p && w.expiry <= now)
                p->Abandon();
            return !p || w.expiry <= now;
        });
    }
};

Endpoint::Endpoint(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
Endpoint::~Endpoint() = default;

const std::string& Endpoint::Title() const {
    return impl_->title;
}
const std::string& Endpoint::Path() const {
    return impl_->path;
}

std::unique_ptr<Endpoint> Endpoint::Register(std::string title, Handler handler) {
    std::string path = SocketPathFor(title);
    if (path.empty() || !handler)
        return nullptr;

    auto impl = std::make_unique<Impl>();
    impl->title = std::move(title);
    impl->path = path;
    impl->handler = std::move(handler);

    {
        // Two processes registering the same title at once must not both see a stale socket and both
        // bind: the check and the bind happen under a lock on the folder.
        int folderFd = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (folderFd < 0)
            return nullptr;
        ::flock(folderFd, LOCK_EX);
        struct FolderUnlock {
            int fd;
            ~FolderUnlock() { ::close(fd); }
        } unlock{folderFd};

        switch (ProbeSocket(path)) {
        case Probe::Live:
        case Probe::Unusable:
            return nullptr;
        case Probe::Stale:
            ::unlink(path.c_str());
            break;
        }
        impl->listenFd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        if (impl->listenFd < 0)
            return nullptr;
        sockaddr_un addr;
        wire::UnixAddress(path, addr);
        if (::bind(impl->listenFd, reinterpret_cast<const sockaddr*>(&addr), sizeof(addr)) != 0) {
            ::close(impl->listenFd);
            impl->listenFd = -1; // the path is not ours: the destructor must not remove it
            return nullptr;
        }
        struct stat st {};
        ::lstat(path.c_str(), &st);
        impl->socketDev = st.st_dev;
        impl->socketIno = st.st_ino;
        if (::listen(impl->listenFd, SOMAXCONN) != 0)
            return nullptr;
    }

    impl->epollFd = ::epoll_create1(EPOLL_CLOEXEC);
    impl->wakeFd = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (impl->epollFd < 0 || impl->wakeFd < 0)
        return nullptr;
    for (int fd : {impl->listenFd, impl->wakeFd}) {
        epoll_event ev{};
        ev.events = EPOLLIN;
        ev.data.fd = fd;
        if (::epoll_ctl(impl->epollFd, EPOLL_CTL_ADD, fd, &ev) != 0)
            return nullptr;
    }
    Impl* raw = impl.get();
    impl->thread = std::thread([raw] { raw->Run(); });
    return std::unique_ptr<Endpoint>(new Endpoint(std::move(impl)));
}

} // namespace qor::ipc
