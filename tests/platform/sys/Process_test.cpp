#include "platform/sys/InstanceLock.h"
#include "platform/sys/Process.h"
#include "support/TempFolder.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <signal.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace qor::sys {
namespace {

using namespace std::chrono_literals;

// Waits (bounded) until `path` holds a pid.
pid_t ReadPid(const std::string& path) {
    for (int i = 0; i < 500; ++i) {
        std::ifstream in(path);
        pid_t pid = 0;
        if (in >> pid && pid > 0)
            return pid;
        std::this_thread::sleep_for(10ms);
    }
    return 0;
}

// Fields 4 (parent) and 6 (session) of /proc/<pid>/stat.
std::pair<pid_t, pid_t> ParentAndSession(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    std::getline(in, line);
    std::istringstream rest(line.substr(line.rfind(')') + 2));
    std::string state;
    pid_t parent = 0, group = 0, session = 0;
    rest >> state >> parent >> group >> session;
    return {parent, session};
}

class ProcessTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(scratch_.Root().empty());
        folder_ = scratch_.Root();
    }
    test::TempFolder scratch_{"qor-process-test", "/tmp"};
    std::string folder_;
};

TEST_F(ProcessTest, StartsDetachedInItsOwnSessionAndIsNotOurChild) {
    std::string pidFile = folder_ + "/pid";
    ASSERT_TRUE(StartDetached("/bin/sh", {"-c", "echo $$ > '" + pidFile + "'; exec sleep 30"}));
    pid_t pid = ReadPid(pidFile);
    ASSERT_GT(pid, 0);
    auto [parent, session] = ParentAndSession(pid);
    EXPECT_NE(parent, ::getpid());
    EXPECT_NE(session, ::getsid(0));
    // Nothing of ours is left to reap.
    EXPECT_EQ(::waitpid(-1, nullptr, WNOHANG), -1);
    ::kill(pid, SIGKILL);
}

TEST_F(ProcessTest, StartedProgramDoesNotInheritTheInstanceLock) {
    // The program holding the lock starts a long-running one and dies; the lock must be free.
    std::string pidFile = folder_ + "/pid";
    pid_t holder = ::fork();
    if (holder == 0) {
        InstanceLock lock(folder_);
        StartDetached("/bin/sh", {"-c", "echo $$ > '" + pidFile + "'; exec sleep 30"});
        ::_exit(lock.Held() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(holder, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    pid_t started = ReadPid(pidFile);
    ASSERT_GT(started, 0);
    EXPECT_EQ(InstanceLock(folder_).State(), InstanceLock::Status::Acquired);
    ::kill(started, SIGKILL);
}

TEST_F(ProcessTest, MissingProgramIsHarmless) {
    EXPECT_TRUE(StartDetached(folder_ + "/no-such-program"));
    EXPECT_EQ(::waitpid(-1, nullptr, WNOHANG), -1);
}

} // namespace
} // namespace qor::sys
