#pragma once
// Starts a program with its standard output on a pipe and reads everything it writes there, until it
// closes it (usually by ending). The caller waits for the process.

#include <spawn.h>
#include <unistd.h>

#include <cerrno>
#include <optional>
#include <string>

extern char** environ;

struct SpawnedOutput {
    pid_t pid = -1;
    std::string out;
};

// argv[0] is the program's path; argv ends with a null pointer. Empty when it could not be started.
inline std::optional<SpawnedOutput> SpawnAndRead(char* const argv[]) {
    int fds[2];
    if (pipe(fds) != 0) return std::nullopt;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    posix_spawn_file_actions_addclose(&actions, fds[1]);
    SpawnedOutput result;
    const int spawned = posix_spawn(&result.pid, argv[0], &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (spawned != 0) {
        close(fds[0]);
        return std::nullopt;
    }
    char buffer[128];
    for (ssize_t n; (n = read(fds[0], buffer, sizeof buffer)) != 0;) {
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) break;
        result.out.append(buffer, std::size_t(n));
    }
    close(fds[0]);
    return result;
}
