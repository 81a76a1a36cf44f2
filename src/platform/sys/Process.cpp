#include "platform/sys/Process.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace qor::sys {

bool StartDetached(const std::string& program, const std::vector<std::string>& args) {
    // Everything the children need is prepared before fork: between fork and exec only
    // async-signal-safe calls are allowed in a process with threads.
    std::vector<std::string> strings;
    strings.push_back(program);
    strings.insert(strings.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& s : strings)
        argv.push_back(s.data());
    argv.push_back(nullptr);

    pid_t child = ::fork();
    if (child < 0)
        return false;
    if (child == 0) {
        ::setsid();
        pid_t grandchild = ::fork();
        if (grandchild != 0)
            ::_exit(0); // the grandchild is adopted by init
        sigset_t none;
        sigemptyset(&none);
        ::sigprocmask(SIG_SETMASK, &none, nullptr);
        for (int sig = 1; sig < NSIG; ++sig)
            ::signal(sig, SIG_DFL);
        int null = ::open("/dev/null", O_RDONLY);
        if (null >= 0) {
            ::dup2(null, 0);
            if (null > 2)
                ::close(null);
        }
        ::syscall(SYS_close_range, 3u, ~0u, 0u);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    int status;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return true;
}

} // namespace qor::sys
