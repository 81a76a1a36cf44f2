// Runs one start-up program and reports, as one line "exec_ns first_frame_ns peak_kib", when it was
// started, when it presented its first frame and its peak resident memory (wait4).
//
// The benchmark does not start the programs itself because a process inherits the peak memory of the
// address space it replaces at exec: spawned straight from the benchmark, every program would count
// at least the benchmark's own peak. This launcher is small, so the figures are the programs' own.

#include "FirstFrameClock.h"

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

extern char** environ;

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    int fds[2];
    if (pipe(fds) != 0) return 2;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    posix_spawn_file_actions_addclose(&actions, fds[1]);
    pid_t pid = -1;
    const std::int64_t start = MonotonicNs();
    const int spawned = posix_spawn(&pid, argv[1], &actions, nullptr, argv + 1, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (spawned != 0) return 2;
    std::string out;
    char buffer[64];
    for (ssize_t n; (n = read(fds[0], buffer, sizeof buffer)) != 0;) {
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) break;
        out.append(buffer, std::size_t(n));
    }
    close(fds[0]);
    int status = 0;
    rusage usage{};
    while (wait4(pid, &status, 0, &usage) < 0 && errno == EINTR) {
    }
    const long long frame = std::atoll(out.c_str());
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || frame <= start) return 1;
    std::printf("%lld %lld %ld\n", static_cast<long long>(start), frame, usage.ru_maxrss);
    return 0;
}
