#include "platform/sys/InstanceLock.h"
#include "support/TempFolder.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace qor::sys {
namespace {

class InstanceLockTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(scratch_.Root().empty());
        folder_ = scratch_.Root();
    }

    // Runs a child that tries the lock and exits with its status (0 acquired, 1 held, 2 unavailable).
    int StatusInAnotherProcess() {
        pid_t child = ::fork();
        if (child == 0) {
            InstanceLock lock(folder_);
            ::_exit(static_cast<int>(lock.State()));
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    // A child that takes the lock, says so through a pipe, and waits to be killed.
    pid_t HolderProcess() {
        int ready[2];
        if (::pipe(ready) != 0)
            return -1;
        pid_t child = ::fork();
        if (child == 0) {
            InstanceLock lock(folder_);
            char ok = lock.Held() ? 'y' : 'n';
            (void)!::write(ready[1], &ok, 1);
            ::pause();
            ::_exit(0);
        }
        char ok = 0;
        (void)!::read(ready[0], &ok, 1);
        ::close(ready[0]);
        ::close(ready[1]);
        return ok == 'y' ? child : -1;
    }

    test::TempFolder scratch_{"qor-lock-test", "/tmp"};
    std::string folder_;
};

TEST_F(InstanceLockTest, SecondProcessIsRefusedUntilTheFirstEnds) {
    {
        InstanceLock first(folder_);
        ASSERT_EQ(first.State(), InstanceLock::Status::Acquired);
        EXPECT_TRUE(std::filesystem::exists(folder_ + "/QORVR17_GAMING_MOUSE_CONFIG_MUTEX.lock"));
        EXPECT_EQ(StatusInAnotherProcess(), static_cast<int>(InstanceLock::Status::HeldByAnother));
    }
    EXPECT_EQ(StatusInAnotherProcess(), static_cast<int>(InstanceLock::Status::Acquired));
}

TEST_F(InstanceLockTest, LockFreesWhenTheHolderIsKilled) {
    pid_t holder = HolderProcess();
    ASSERT_GT(holder, 0);
    EXPECT_EQ(InstanceLock(folder_).State(), InstanceLock::Status::HeldByAnother);
    ::kill(holder, SIGKILL);
    ::waitpid(holder, nullptr, 0);
    EXPECT_EQ(InstanceLock(folder_).State(), InstanceLock::Status::Acquired);
}

TEST_F(InstanceLockTest, UnusableFolderTellsNothing) {
    EXPECT_EQ(InstanceLock("").State(), InstanceLock::Status::Unavailable);
    EXPECT_EQ(InstanceLock(folder_ + "/missing").State(), InstanceLock::Status::Unavailable);
}

} // namespace
} // namespace qor::sys
