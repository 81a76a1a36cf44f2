// Runs one start-up program and reports, as one line "exec_ns first_frame_ns peak_kib", when it was
// started, when it presented its first frame and its peak resident memory.
//
// The benchmark does not start the programs itself because a process inherits the peak memory of the
// address space it replaces at exec: spawned straight from the benchmark, every program would count
// at least the benchmark's own peak. This launcher is small, so the figures are the programs' own.
//
// Two ways to learn the moment of the first frame:
//   startup_launch PROGRAM ARGS...   the program prints it on standard output and exits; its peak
//                                    memory is read when it ends (wait4).
//   startup_launch --stderr-probe PROGRAM ARGS...   our programs (the demo and the real one), which
//                                    keep running: their SDL back end prints "qor-first-present NS" on
//                                    standard error when asked by the environment; the peak memory up
//                                    to then is read from /proc, then the program is asked to end
//                                    (SIGTERM, SIGKILL if it lingers).

#include "FirstFrameClock.h"
#include "SpawnAndRead.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <string>

extern char** environ;

namespace {

constexpr const char* kProbeLine = "qor-first-present ";
constexpr int kProbeTimeoutMs = 20000;

long PeakKiBOf(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0) return std::atol(line.c_str() + 6);
    return 0;
}

// Ends the program: it has shown what was measured. Its exit status is of no interest here.
void Stop(pid_t pid) {
    kill(pid, SIGTERM);
    int status = 0;
    for (int i = 0; i < 300; ++i) {
        const pid_t got = waitpid(pid, &status, WNOHANG);
        if (got == pid || (got < 0 && errno != EINTR)) return;
        usleep(10000);
    }
    kill(pid, SIGKILL);
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
}

int RunWithStderrProbe(char** program) {
    setenv("QOR_FIRST_PRESENT_CLOCK", "1", 1);
    int fds[2];
    if (pipe(fds) != 0) return 2;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], 2);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    posix_spawn_file_actions_addclose(&actions, fds[1]);
    pid_t pid = -1;
    const std::int64_t start = MonotonicNs();
    const int spawned = posix_spawn(&pid, program[0], &actions, nullptr, program, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (spawned != 0) return 2;
    std::string err;
    long long frame = 0;
    long peakKiB = 0;
    char buffer[256];
    while (frame == 0) {
        pollfd p{fds[0], POLLIN, 0};
        const int ready = poll(&p, 1, kProbeTimeoutMs);
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) break;
        const ssize_t n = read(fds[0], buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        err.append(buffer, std::size_t(n));
        const std::size_t at = err.find(kProbeLine);
        if (at != std::string::npos && err.find('\n', at) != std::string::npos) {
            peakKiB = PeakKiBOf(pid);
            frame = std::atoll(err.c_str() + at + std::strlen(kProbeLine));
        }
    }
    close(fds[0]);
    Stop(pid);
    if (frame <= start || peakKiB <= 0) {
        std::fprintf(stderr, "startup_launch: no first frame from %s\n%s", program[0], err.c_str());
        return 1;
    }
    std::printf("%lld %lld %ld\n", static_cast<long long>(start), frame, peakKiB);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    if (std::strcmp(argv[1], "--stderr-probe") == 0) return argc < 3 ? 2 : RunWithStderrProbe(argv + 2);
    const std::int64_t start = MonotonicNs();
    const std::optional<SpawnedOutput> run = SpawnAndRead(argv + 1);
    if (!run) return 2;
    const pid_t pid = run->pid;
    const std::string& out = run->out;
    int status = 0;
    rusage usage{};
    while (wait4(pid, &status, 0, &usage) < 0 && errno == EINTR) {
    }
    const long long frame = std::atoll(out.c_str());
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || frame <= start) return 1;
    std::printf("%lld %lld %ld\n", static_cast<long long>(start), frame, usage.ru_maxrss);
    return 0;
}
