// A message from one process to another's window and its answer. Target: median send round trip
// at most 0.5 ms. The peers are a forked process (answering on the endpoint's thread, or from a
// separate "user-interface" thread as the program does) and the real hid agent.

#include "platform/ipc/Ipc.h"

#include <benchmark/benchmark.h>
#include <condition_variable>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <mutex>
#include <signal.h>
#include <spawn.h>
#include <string>
#include <fcntl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

using namespace qor::ipc;

// Runs a peer in a child process until the benchmark process ends (the pipe closes).
class Peer {
public:
    Peer() {
        char pattern[] = "/tmp/qor-ipc-bench-XXXXXX";
        if (!::mkdtemp(pattern))
            std::abort();
        runtime_ = pattern;
        ::setenv("XDG_RUNTIME_DIR", runtime_.c_str(), 1);
        ::setenv("HOME", runtime_.c_str(), 1);
        int fds[2];
        // Close-on-exec: the agent started below must not hold the pipe open, or the child never ends.
        if (::pipe2(fds, O_CLOEXEC) != 0)
            std::abort();
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(fds[1]);
            RunChild(fds[0]);
            ::_exit(0);
        }
        ::close(fds[0]);
        keepAlive_ = fds[1];
        for (int i = 0; i < 500 && !(WindowExists("inline") && WindowExists("queued")); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        // The real agent, started as the program starts it.
        std::string hid = std::string(QOR_EXE_DIR) + "hid";
        char* argv[] = {hid.data(), nullptr};
        posix_spawn(&hid_, hid.c_str(), nullptr, nullptr, argv, environ);
        for (int i = 0; i < 500 && !WindowExists("QORVR17_GamingMouse_HID"); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ~Peer() {
        ::close(keepAlive_);
        ::waitpid(pid_, nullptr, 0);
        ::kill(hid_, SIGTERM);
        ::waitpid(hid_, nullptr, 0);
        std::error_code ec;
        std::filesystem::remove_all(runtime_, ec);
    }

private:
    static void RunChild(int keepAlive) {
        auto inlineEp = Endpoint::Register(
            "inline", [](const Frame& f, std::function<void(int64_t)> reply) { reply(f.wParam + 1); });
        std::mutex m;
        std::condition_variable cv;
        std::deque<std::pair<Frame, std::function<void(int64_t)>>> queue;
        bool quit = false;
        auto queuedEp = Endpoint::Register("queued", [&](const Frame& f, std::function<void(int64_t)> reply) {
            std::lock_guard lock(m);
            queue.emplace_back(f, std::move(reply));
            cv.notify_one();
        });
        std::thread ui([&] {
            std::unique_lock lock(m);
            for (;;) {
                cv.wait(lock, [&] { return quit || !queue.empty(); });
                if (quit)
                    return;
                auto [f, reply] = std::move(queue.front());
                queue.pop_front();
                reply(f.wParam + 1);
            }
        });
        char c;
        while (::read(keepAlive, &c, 1) > 0) {
        }
        {
            std::lock_guard lock(m);
            quit = true;
        }
        cv.notify_one();
        ui.join();
    }

    std::string runtime_;
    pid_t pid_ = -1;
    pid_t hid_ = -1;
    int keepAlive_ = -1;
};

Peer& ThePeer() {
    static Peer peer;
    return peer;
}

void SendRoundTrip(benchmark::State& state, const char* title, uint32_t message) {
    ThePeer();
    int64_t i = 0;
    for (auto _ : state) {
        auto answer = SendToWindow(title, message, i, 0);
        if (!answer) {
            state.SkipWithError("no answer");
            break;
        }
        benchmark::DoNotOptimize(answer);
        ++i;
    }
}

void BM_SendAnsweredOnEndpointThread(benchmark::State& state) {
    SendRoundTrip(state, "inline", 1);
}
void BM_SendAnsweredByUiThread(benchmark::State& state) {
    SendRoundTrip(state, "queued", 1);
}
void BM_SendToHidAgent(benchmark::State& state) {
    SendRoundTrip(state, "QORVR17_GamingMouse_HID", 1246);
}

void BM_Post(benchmark::State& state) {
    ThePeer();
    for (auto _ : state) {
        if (!PostToWindow("queued", 2, 0, 0)) {
            state.SkipWithError("not delivered");
            break;
        }
    }
}

BENCHMARK(BM_SendAnsweredOnEndpointThread)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();
BENCHMARK(BM_SendAnsweredByUiThread)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(BM_SendToHidAgent)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(BM_Post)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly();

} // namespace
