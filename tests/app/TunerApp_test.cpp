// The program as a process: one copy per user, and a clear refusal without a display. These runs
// have no display on purpose, so a copy that gets past the single-instance check ends at once.

#include "platform/ipc/Ipc.h"
#include "platform/sys/InstanceLock.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace qor {
namespace {

struct ProcessRun {
    int exitCode = -1;
    std::string err;
};

class TunerProcessTest : public ::testing::Test {
protected:
    // Under /tmp: the runtime folder's socket paths must stay within their short length limit.
    test::TempFolder folder{"qor-app", "/tmp"};
    std::filesystem::path root = folder.Root();
    std::string oldRuntime;

    void SetUp() override {
        std::filesystem::create_directories(root / "run");
        std::filesystem::create_directories(root / "home");
        std::filesystem::permissions(root / "run", std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::replace);
        if (const char* v = std::getenv("XDG_RUNTIME_DIR")) oldRuntime = v;
        setenv("XDG_RUNTIME_DIR", (root / "run").c_str(), 1);
    }
    void TearDown() override {
        if (oldRuntime.empty()) unsetenv("XDG_RUNTIME_DIR");
        else setenv("XDG_RUNTIME_DIR", oldRuntime.c_str(), 1);
    }

    ProcessRun RunTuner() {
        const std::string cmd = "env -u DISPLAY -u WAYLAND_DISPLAY XDG_RUNTIME_DIR='" + (root / "run").string() +
                                "' HOME='" + (root / "home").string() + "' " + QOR_EXE_DIR "qor-tuner 2>&1 >/dev/null";
        ProcessRun run;
        FILE* pipe = popen(cmd.c_str(), "r");
        if (!pipe) return run;
        std::array<char, 256> buf{};
        while (std::fgets(buf.data(), int(buf.size()), pipe)) run.err += buf.data();
        const int status = pclose(pipe);
        run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        return run;
    }
};

TEST_F(TunerProcessTest, WithoutADisplayItSaysSoAndFails) {
    const ProcessRun run = RunTuner();
    EXPECT_NE(run.exitCode, 0);
    EXPECT_NE(run.err.find("no display"), std::string::npos) << run.err;
}

TEST_F(TunerProcessTest, ASecondCopyEndsSilentlyAndTouchesNothing) {
    {
        sys::InstanceLock first(ipc::SocketFolder());
        ASSERT_TRUE(first.Held());
        const ProcessRun run = RunTuner();
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.err, "");
        EXPECT_TRUE(std::filesystem::is_empty(root / "home")) << "no folder or file was made";
    }
    // The first copy is gone: the next one gets past the check (and stops at the missing display).
    EXPECT_NE(RunTuner().exitCode, 0);
}

} // namespace
} // namespace qor
