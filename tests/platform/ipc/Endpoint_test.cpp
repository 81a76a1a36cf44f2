#include "platform/ipc/Ipc.h"
#include "platform/ipc/IpcTestSupport.h"

#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>

namespace qor::ipc {
namespace {

using namespace std::chrono_literals;
using test::ScratchRuntime;

// What a window's handler saw, in order, with a bounded wait for the next one.
class Recorder {
public:
    Endpoint::Handler Handler(int64_t answer = 0) {
        return [this, answer](const Frame& f, std::function<void(int64_t)> reply) {
            {
                std::lock_guard lock(mutex_);
                frames_.push_back(f);
            }
            changed_.notify_all();
            reply(answer);
        };
    }
    bool WaitFor(std::size_t count, std::chrono::milliseconds limit = 5s) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, limit, [&] { return frames_.size() >= count; });
    }
    std::vector<Frame> Frames() {
        std::lock_guard lock(mutex_);
        return {frames_.begin(), frames_.end()};
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Frame> frames_;
};

using EndpointTest = ScratchRuntime;

TEST_F(EndpointTest, RawPeerPostArrivesWithEveryField) {
    Recorder rec;
    auto ep = Endpoint::Register("QOR VR17 GAMING MOUSE", rec.Handler());
    ASSERT_NE(ep, nullptr);
    EXPECT_EQ(ep->Path(), SocketOf("QOR VR17 GAMING MOUSE"));

    int fd = test::RawConnect(SocketOf("QOR VR17 GAMING MOUSE"));
    ASSERT_GE(fd, 0);
    ASSERT_TRUE(test::RawWrite(fd, test::RawFrame(0x47534D51, 1, 5397, -2, INT64_MIN + 7)));
    // A post is answered by closing, with no bytes.
    EXPECT_TRUE(test::RawReadToEnd(fd).empty());
    ::close(fd);

    ASSERT_TRUE(rec.WaitFor(1));
    Frame f = rec.Frames()[0];
    EXPECT_EQ(f.kind, 1u);
    EXPECT_EQ(f.message, 5397u);
    EXPECT_EQ(f.wParam, -2);
    EXPECT_EQ(f.lParam, INT64_MIN + 7);
}

TEST_F(EndpointTest, RawPeerSendGetsSixteenByteAnswer) {
    Recorder rec;
    auto ep = Endpoint::Register("QORVR17_GamingMouse_HID", rec.Handler(-123456789012345));
    ASSERT_NE(ep, nullptr);
    int fd = test::RawConnect(SocketOf("QORVR17_GamingMouse_HID"));
    ASSERT_GE(fd, 0);
    ASSERT_TRUE(test::RawWrite(fd, test::RawFrame(0x47534D51, 2, 1246, 0, 0)));
    auto answer = test::RawReadToEnd(fd);
    ::close(fd);
    ASSERT_EQ(answer.size(), 16u);
    EXPECT_EQ(test::U32At(answer, 0), 0x47534D51u);
    EXPECT_EQ(test::U32At(answer, 4), 3u);
    EXPECT_EQ(test::I64At(answer, 8), -123456789012345);
}

TEST_F(EndpointTest, ClientSpeaksTheSameBytesAsARawReceiver) {
    // A receiver written with raw sockets checks what SendToWindow and PostToWindow put on the wire.
    ASSERT_FALSE(SocketFolder().empty());
    std::string path = SocketOf("raw");
    int listener = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::strcpy(addr.sun_path, path.c_str());
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)), 0);
    ASSERT_EQ(::listen(listener, 4), 0);
    std::vector<std::vector<unsigned char>> seen;
    std::thread server([&] {
        for (int i = 0; i < 2; ++i) {
            int c = ::accept(listener, nullptr, nullptr);
            std::vector<unsigned char> frame(32);
            ssize_t n = ::recv(c, frame.data(), 32, MSG_WAITALL);
            frame.resize(n > 0 ? n : 0);
            seen.push_back(frame);
            if (n == 32 && test::U32At(frame, 4) == 2) {
                std::vector<unsigned char> answer = test::RawFrame(0x47534D51, 3, 0, 77, 0);
                // magic, kind 3, then the result where the message and reserved words would be.
                answer.resize(16);
                for (int b = 0; b < 8; ++b)
                    answer[8 + b] = static_cast<unsigned char>(uint64_t(-5) >> (8 * b));
                test::RawWrite(c, answer);
            }
            ::close(c);
        }
    });
    EXPECT_TRUE(PostToWindow("raw", 1245, 1, 2));
    EXPECT_EQ(SendToWindow("raw", 1250, 3, -4), std::optional<int64_t>(-5));
    server.join();
    ::close(listener);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0], test::RawFrame(0x47534D51, 1, 1245, 1, 2));
    EXPECT_EQ(seen[1], test::RawFrame(0x47534D51, 2, 1250, 3, -4));
}

TEST_F(EndpointTest, ReplyFromAnotherThreadLater) {
    std::mutex m;
    std::vector<std::function<void(int64_t)>> replies;
    auto ep = Endpoint::Register("w", [&](const Frame&, std::function<void(int64_t)> reply) {
        std::lock_guard lock(m);
        replies.push_back(std::move(reply));
    });
    ASSERT_NE(ep, nullptr);
    std::thread ui([&] {
        // The "user-interface thread" answers when it gets round to it.
        for (int i = 0; i < 500; ++i) {
            {
                std::lock_guard lock(m);
                if (!replies.empty()) {
                    replies.front()(42);
                    return;
                }
            }
            std::this_thread::sleep_for(10ms);
        }
    });
    EXPECT_EQ(SendToWindow("w", 7, 0, 0), std::optional<int64_t>(42));
    ui.join();
}

TEST_F(EndpointTest, WrongFramesAreDroppedWithoutEffect) {
    Recorder rec;
    auto ep = Endpoint::Register("w", rec.Handler(9));
    ASSERT_NE(ep, nullptr);
    auto good = test::RawFrame(0x47534D51, 2, 1246, 0, 0);
    struct Case {
        const char* what;
        std::vector<unsigned char> bytes;
    };
    std::vector<Case> cases = {
        {"nothing", {}},
        {"short", {good.begin(), good.end() - 1}},
        {"long",
         [&] {
             auto b = good;
             b.push_back(0);
             return b;
         }()},
        {"two frames",
         [&] {
             auto b = good;
             b.insert(b.end(), good.begin(), good.end());
             return b;
         }()},
        {"wrong magic", test::RawFrame(0x47534D52, 2, 1246, 0, 0)},
        {"magic big-endian", test::RawFrame(0x514D5347, 2, 1246, 0, 0)},
        {"kind 0", test::RawFrame(0x47534D51, 0, 1246, 0, 0)},
        {"kind answer", test::RawFrame(0x47534D51, 3, 1246, 0, 0)},
        {"kind 99", test::RawFrame(0x47534D51, 99, 1246, 0, 0)},
    };
    for (const auto& c : cases) {
        int fd = test::RawConnect(SocketOf("w"));
        ASSERT_GE(fd, 0) << c.what;
        test::RawWrite(fd, c.bytes);
        ::shutdown(fd, SHUT_WR);
        EXPECT_TRUE(test::RawReadToEnd(fd).empty()) << c.what << ": no answer to a wrong frame";
        ::close(fd);
    }
    // The window still works, and nothing of the above reached it.
    EXPECT_EQ(SendToWindow("w", 1, 2, 3), std::optional<int64_t>(9));
    ASSERT_TRUE(rec.WaitFor(1));
    auto frames = rec.Frames();
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].message, 1u);
}

TEST_F(EndpointTest, StaleSocketIsReplacedLiveOneIsNotStolen) {
    ASSERT_FALSE(SocketFolder().empty());
    // A socket left behind by a process that died: bound, never accepting.
    {
        int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un addr{};
        addr.sun_family = AF_UNIX;
        std::strcpy(addr.sun_path, SocketOf("w").c_str());
        ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)), 0);
        ::close(fd);
    }
    EXPECT_FALSE(WindowExists("w"));
    Recorder first;
    auto ep = Endpoint::Register("w", first.Handler(1));
    ASSERT_NE(ep, nullptr) << "a stale socket must be replaced";
    EXPECT_TRUE(WindowExists("w"));

    Recorder second;
    EXPECT_EQ(Endpoint::Register("w", second.Handler(2)), nullptr) << "a live window must not be stolen";
    EXPECT_EQ(SendToWindow("w", 1, 0, 0), std::optional<int64_t>(1));

    ep.reset();
    struct stat st {};
    EXPECT_NE(::lstat(SocketOf("w").c_str(), &st), 0) << "the socket file is removed on destruction";
    EXPECT_FALSE(WindowExists("w"));
    EXPECT_EQ(SendToWindow("w", 1, 0, 0), std::nullopt);
    EXPECT_FALSE(PostToWindow("w", 1, 0, 0));
    EXPECT_NE(Endpoint::Register("w", second.Handler(2)), nullptr);
}

TEST_F(EndpointTest, TitlesThatCannotBeSocketNamesAreRefused) {
    Recorder rec;
    for (std::string title : {std::string(), std::string("a/b"), std::string(".."), std::string(200, 'x')}) {
        EXPECT_EQ(Endpoint::Register(title, rec.Handler()), nullptr) << title;
        EXPECT_FALSE(WindowExists(title)) << title;
    }
}

TEST_F(EndpointTest, WindowThatNeverAnswersGivesNothingWithinTheTimeout) {
    std::mutex m;
    std::vector<std::function<void(int64_t)>> kept;
    auto ep = Endpoint::Register("hung", [&](const Frame&, std::function<void(int64_t)> reply) {
        std::lock_guard lock(m);
        kept.push_back(std::move(reply)); // kept, never called
    });
    ASSERT_NE(ep, nullptr);
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(SendToWindow("hung", 1246, 0, 0), std::nullopt);
    // Watchdog on the documented bound, not a speed check.
    EXPECT_LT(std::chrono::steady_clock::now() - start, 6s);
    EXPECT_EQ(SendToWindow("hung", 1246, 0, 0, 100ms), std::nullopt);

    // A handler that drops its reply lets the sender know at once.
    auto dropper = Endpoint::Register("dropper", [](const Frame&, std::function<void(int64_t)>) {});
    EXPECT_EQ(SendToWindow("dropper", 1, 0, 0), std::nullopt);

    // Replying after the window is gone is harmless.
    ep.reset();
    std::lock_guard lock(m);
    for (auto& r : kept)
        r(1);
}

TEST_F(EndpointTest, IdlePeersDoNotBlockOthers) {
    Recorder rec;
    auto ep = Endpoint::Register("w", rec.Handler(5));
    ASSERT_NE(ep, nullptr);
    std::vector<int> idle;
    for (int i = 0; i < 400; ++i)
        idle.push_back(test::RawConnect(SocketOf("w")));
    EXPECT_EQ(SendToWindow("w", 1, 0, 0), std::optional<int64_t>(5));
    for (int fd : idle)
        if (fd >= 0)
            ::close(fd);
}

std::size_t OpenDescriptors() {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator("/proc/self/fd"),
                                                  std::filesystem::directory_iterator()));
}

TEST_F(EndpointTest, FloodOfConnectionsNeitherCrashesNorStarvesTheWindow) {
    // The handler only queues, as the real window does; a separate "user-interface thread" drains the
    // queue and answers sends. During a flood of 10 000 connections (idle ones, garbage, valid posts),
    // sends from another client keep getting their answers.
    std::mutex m;
    std::condition_variable cv;
    std::deque<std::pair<Frame, std::function<void(int64_t)>>> queue;
    std::atomic<bool> quit{false};
    std::atomic<int> posts{0};
    auto ep = Endpoint::Register("w", [&](const Frame& f, std::function<void(int64_t)> reply) {
        std::lock_guard lock(m);
        queue.emplace_back(f, std::move(reply));
        cv.notify_one();
    });
    ASSERT_NE(ep, nullptr);
    std::size_t baseline = OpenDescriptors();
    std::thread ui([&] {
        std::unique_lock lock(m);
        while (!quit) {
            cv.wait_for(lock, 50ms, [&] { return !queue.empty() || quit; });
            while (!queue.empty()) {
                auto [f, reply] = std::move(queue.front());
                queue.pop_front();
                if (f.kind == kKindPost)
                    ++posts;
                reply(f.wParam * 2);
            }
        }
    });

    std::vector<std::thread> flooders;
    for (int t = 0; t < 4; ++t) {
        flooders.emplace_back([&, t] {
            for (int i = 0; i < 2500; ++i) {
                int fd = test::RawConnect(SocketOf("w"));
                if (fd < 0)
                    continue;
                switch ((i + t) % 4) {
                case 0:
                    break; // connect and leave
                case 1:
                    test::RawWrite(fd, {1, 2, 3});
                    break;
                case 2:
                    test::RawWrite(fd, test::RawFrame(0x47534D51, 1, 99, i, 0));
                    break;
                case 3:
                    test::RawWrite(fd, test::RawFrame(0, 0, 0, 0, 0));
                    break;
                }
                ::close(fd);
            }
        });
    }
    int answered = 0;
    for (int i = 0; i < 20; ++i)
        if (SendToWindow("w", 1, i, 0) == std::optional<int64_t>(2 * i))
            ++answered;
    for (auto& f : flooders)
        f.join();
    EXPECT_EQ(answered, 20);
    EXPECT_EQ(SendToWindow("w", 1, 21, 0), std::optional<int64_t>(42));
    EXPECT_GT(posts.load(), 0);

    // Every connection of the flood is closed again once the read deadline has passed.
    std::this_thread::sleep_for(1500ms);
    EXPECT_LE(OpenDescriptors(), baseline + 2);
    quit = true;
    cv.notify_all();
    ui.join();
}

TEST_F(EndpointTest, PeerOfAnotherUserIsRefused) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to run a peer as another user";
    Recorder rec;
    auto ep = Endpoint::Register("w", rec.Handler(3));
    ASSERT_NE(ep, nullptr);
    // Open the way through the file system, so that only the peer check stands between the two.
    ASSERT_EQ(::chmod(root_.c_str(), 0755), 0);
    ASSERT_EQ(::chmod(Folder().c_str(), 0711), 0);
    ASSERT_EQ(::chmod(SocketOf("w").c_str(), 0777), 0);

    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(10);
        int fd = test::RawConnect(SocketOf("w"));
        if (fd < 0)
            ::_exit(11);
        test::RawWrite(fd, test::RawFrame(0x47534D51, 2, 1246, 0, 0));
        auto answer = test::RawReadToEnd(fd);
        ::_exit(answer.empty() ? 0 : 12);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ::chmod(Folder().c_str(), 0700);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "10: could not drop to uid 65534, 11: could not connect, "
                                         "12: the other user got an answer";
    EXPECT_FALSE(rec.WaitFor(1, 200ms)) << "the other user's message reached the window";
}

TEST_F(EndpointTest, PostsFromOneSenderArriveInOrder) {
    Recorder rec;
    auto ep = Endpoint::Register("w", rec.Handler());
    ASSERT_NE(ep, nullptr);
    for (int i = 0; i < 200; ++i)
        ASSERT_TRUE(PostToWindow("w", 5397, i, 0));
    ASSERT_TRUE(rec.WaitFor(200));
    auto frames = rec.Frames();
    for (int i = 0; i < 200; ++i)
        EXPECT_EQ(frames[i].wParam, i);
}

} // namespace
} // namespace qor::ipc
