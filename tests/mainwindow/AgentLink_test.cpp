// Finding and starting the device agent: with no agent window, the main window starts the agent
// program from its own folder once at creation and once more 500 ms later, and never again.

#include "MainWindowFixture.h"

#include "agent/AgentLink.h"

#include <chrono>
#include <fstream>
#include <thread>

namespace qor::test {
namespace {

int LineCount(const std::filesystem::path& file) {
    std::ifstream in(file);
    int n = 0;
    for (std::string line; std::getline(in, line);) ++n;
    return n;
}

// Waits (in real time) until the detached starts have written their lines.
int SettledLineCount(const std::filesystem::path& file, int expected) {
    for (int i = 0; i < 100 && LineCount(file) < expected; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    return LineCount(file);
}

class AgentStartTest : public MainWindowTest {
protected:
    std::filesystem::path exeDir = home.Root() / "exe";
    std::filesystem::path starts = home.Root() / "starts.log";

    AgentStartTest() {
        agent.reset(); // no agent runs
        std::filesystem::create_directories(exeDir);
        const std::filesystem::path script = exeDir / "hid";
        std::ofstream(script) << "#!/bin/sh\necho started >> '" << starts.string() << "'\n";
        std::filesystem::permissions(script, std::filesystem::perms::owner_all);
        FolderInputs inputs = CurrentFolderInputs();
        inputs.exePath = (exeDir / "qor-tuner").string();
        InitFolders(inputs);
    }
    ~AgentStartTest() override { InitFolders(); }
};

TEST_F(AgentStartTest, TwoAttemptsAtMost) {
    ASSERT_TRUE(dlg->CreateModeless(WindowKind::Main));
    EXPECT_EQ(SettledLineCount(starts, 1), 1);
    ui.Advance(500);
    EXPECT_EQ(SettledLineCount(starts, 2), 2);
    ui.Advance(10000);
    EXPECT_EQ(SettledLineCount(starts, 3), 2);
}

TEST_F(AgentStartTest, ARunningAgentIsNotStartedAgain) {
    agent = std::make_unique<TestAgent>();
    ASSERT_TRUE(agent->Registered());
    ASSERT_TRUE(dlg->CreateModeless(WindowKind::Main));
    ui.Advance(1000);
    EXPECT_EQ(SettledLineCount(starts, 1), 0);
}

TEST_F(MainWindowTest, SaveOperationsWriteTheirFilesEvenWithoutAnAgent) {
    agent.reset();
    EXPECT_FALSE(AgentWindowExists());
    NotifyLightingChanged();
    EXPECT_TRUE(AllProfileFilesExist());
    EXPECT_EQ(IniFile(ProfileFilePath(0)).ReadInt("GROUP0", "PollingRate", -100), -100) << "lighting keys only";
    NotifyProfileSwitched();
    EXPECT_NE(IniFile(ProfileFilePath(0)).ReadInt("GROUP0", "PollingRate", -100), -100);
}

TEST_F(MainWindowTest, ConnectionFlagReadsZeroWhenMissing) {
    EXPECT_FALSE(ReadConnectionFlag());
    SetConnectionFlag(3);
    EXPECT_TRUE(ReadConnectionFlag());
}

} // namespace
} // namespace qor::test
