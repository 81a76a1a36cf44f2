// The real hid binary, started with a scratch home and runtime folder, driven through its command
// line and through the window protocol, as the program and a person would.

#include "agent/AgentInterface.h"
#include "model/IniFile.h"
#include "platform/ipc/Ipc.h"
#include "support/TempFolder.h"

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <mutex>
#include <signal.h>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace qor {
namespace {

using namespace std::chrono_literals;

const std::string kHid = std::string(QOR_EXE_DIR) + "hid";

// {"time":"YYYY-MM-DDThh:mm:ss.mmmZ",...}
bool IsTimestampedJsonLine(const std::string& line) {
    const std::string head = "{\"time\":\"";
    const std::string shape = "dddd-dd-ddTdd:dd:dd.dddZ\",";
    if (line.size() < head.size() + shape.size() + 1 || line.compare(0, head.size(), head) != 0 ||
        line.back() != '}')
        return false;
    for (std::size_t i = 0; i < shape.size(); ++i) {
        char c = line[head.size() + i];
        if (shape[i] == 'd' ? !std::isdigit(static_cast<unsigned char>(c)) : c != shape[i])
            return false;
    }
    return true;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// A started process whose output goes to files.
struct Child {
    pid_t pid = -1;
    std::string out, err;

    // Waits at most `limit` for the exit; kills it after that. The exit code, or -1.
    int Wait(std::chrono::milliseconds limit = 10s) {
        if (pid <= 0)
            return -1; // never wait for, or kill, "any process"
        auto end = std::chrono::steady_clock::now() + limit;
        int status = 0;
        while (::waitpid(pid, &status, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() > end) {
                ::kill(pid, SIGKILL);
                ::waitpid(pid, &status, 0);
                return -1;
            }
            std::this_thread::sleep_for(5ms);
        }
        pid = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
};

// The program's main window as the agent sees it: it records each message together with the flag
// that was on disk at the moment the message arrived.
class FakeMainWindow {
public:
    struct Seen {
        ipc::Frame frame;
        int flagOnDisk;
    };
    explicit FakeMainWindow(std::string settings) : settings_(std::move(settings)) {
        endpoint_ = ipc::Endpoint::Register(
            std::string(kMainWindowTitle), [this](const ipc::Frame& f, std::function<void(int64_t)> reply) {
                int flag = IniFile(settings_).ReadInt("Device", "Setting", -1);
                {
                    std::lock_guard lock(mutex_);
                    seen_.push_back({f, flag});
                }
                changed_.notify_all();
                reply(0);
            });
    }
    bool Registered() const { return endpoint_ != nullptr; }
    // The next message not yet taken, within 5 s.
    std::optional<Seen> Next() {
        std::unique_lock lock(mutex_);
        if (!changed_.wait_for(lock, 5s, [this] { return seen_.size() > taken_; }))
            return std::nullopt;
        return seen_[taken_++];
    }

private:
    std::string settings_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<Seen> seen_;
    std::size_t taken_ = 0;
    std::unique_ptr<ipc::Endpoint> endpoint_;
};

class HidAgentTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(scratch_.Root().empty());
        root_ = scratch_.Root();
        std::filesystem::create_directories(root_ + "/home");
        std::filesystem::create_directories(root_ + "/run");
        // The agent inherits these; the test's own client uses the same runtime folder.
        ::setenv("HOME", (root_ + "/home").c_str(), 1);
        ::setenv("XDG_RUNTIME_DIR", (root_ + "/run").c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", (root_ + "/home/.config").c_str(), 1);
        settings_ = root_ + "/home/Documents/QOR VR17 Gaming Mouse/MacroDB/MacroSet.QORDB";
        log_ = root_ + "/hid.log";
    }
    void TearDown() override {
        if (agent_.pid > 0) {
            Hid({"quit"}).Wait();
            if (agent_.Wait(5s) != 0)
                ADD_FAILURE() << "the agent did not end on `hid quit`";
        }
    }

    Child Start(std::vector<std::string> args) {
        Child c;
        static int counter = 0;
        c.out = root_ + "/out" + std::to_string(++counter);
        c.err = c.out + ".err";
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, c.out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_addopen(&actions, 2, c.err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        args.insert(args.begin(), kHid);
        std::vector<char*> argv;
        for (auto& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        EXPECT_EQ(posix_spawn(&c.pid, kHid.c_str(), &actions, nullptr, argv.data(), environ), 0);
        posix_spawn_file_actions_destroy(&actions);
        return c;
    }
    Child Hid(std::vector<std::string> args) { return Start(std::move(args)); }

    // Starts the agent and waits (bounded) until its window is there.
    void StartAgent(std::vector<std::string> args) {
        agent_ = Start(std::move(args));
        for (int i = 0; i < 500 && !ipc::WindowExists(kAgentWindowTitle); ++i)
            std::this_thread::sleep_for(10ms);
        ASSERT_TRUE(ipc::WindowExists(kAgentWindowTitle)) << ReadFile(agent_.err);
    }

    std::vector<std::string> LogLines() {
        std::vector<std::string> lines;
        std::istringstream in(ReadFile(log_));
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }

    // Under /tmp: the runtime folder's socket paths must stay within their short length limit.
    test::TempFolder scratch_{"qor-hid-test", "/tmp"};
    std::string root_, settings_, log_;
    Child agent_;
};

TEST_F(HidAgentTest, FlagIsOnDiskBeforeEachConnectionReport) {
    FakeMainWindow main(settings_);
    ASSERT_TRUE(main.Registered());
    StartAgent({"--connected", "1", "--log", log_});

    auto first = main.Next();
    ASSERT_TRUE(first);
    EXPECT_EQ(first->frame.message, UI_MSG_CONNECTION_STATUS);
    EXPECT_EQ(first->frame.kind, ipc::kKindPost);
    EXPECT_EQ(first->flagOnDisk, 1);

    struct Step {
        const char* command;
        int flag;
    };
    for (Step step : {Step{"disconnect", 0}, Step{"connect", 1}, Step{"disconnect", 0}}) {
        EXPECT_EQ(Hid({step.command}).Wait(), 0) << step.command;
        auto seen = main.Next();
        ASSERT_TRUE(seen) << step.command;
        EXPECT_EQ(seen->frame.message, UI_MSG_CONNECTION_STATUS) << step.command;
        EXPECT_EQ(seen->flagOnDisk, step.flag) << step.command;
    }
    Child status = Hid({"status"});
    EXPECT_EQ(status.Wait(), 0);
    EXPECT_EQ(ReadFile(status.out), "disconnected\n");
}

TEST_F(HidAgentTest, StartsDisconnectedOnRequest) {
    FakeMainWindow main(settings_);
    StartAgent({"--connected", "0"});
    auto first = main.Next();
    ASSERT_TRUE(first);
    EXPECT_EQ(first->flagOnDisk, 0);
    EXPECT_EQ(IniFile(settings_).ReadInt("Device", "Setting", -1), 0);
}

TEST_F(HidAgentTest, ReportsReachTheMainWindow) {
    FakeMainWindow main(settings_);
    StartAgent({});
    ASSERT_TRUE(main.Next()); // the connection report at start
    for (auto [kind, value] : {std::pair{9, 2}, {8, 5}, {12, -3}, {0, 0}, {77, 123456789}}) {
        EXPECT_EQ(Hid({"report", std::to_string(kind), std::to_string(value)}).Wait(), 0);
        auto seen = main.Next();
        ASSERT_TRUE(seen);
        EXPECT_EQ(seen->frame.message, UI_MSG_DEVICE_REPORT);
        EXPECT_EQ(seen->frame.wParam, kind);
        EXPECT_EQ(seen->frame.lParam, value);
    }
}

TEST_F(HidAgentTest, AnswersTheAgentMessagesAndLogsEachAsJson) {
    StartAgent({"--log", log_});
    struct Message {
        uint32_t number;
        int64_t w, l;
    };
    std::vector<Message> messages = {{AGENT_MSG_SETTINGS_SAVED, 0, 0},
                                     {AGENT_MSG_PROFILE_SWITCHED, 0, 0},
                                     {AGENT_MSG_LIGHTING_CHANGED, 0, 0},
                                     {AGENT_MSG_MACRO_CHANGED, 7, 0},
                                     {AGENT_MSG_MACRO_BOUND, 4, 8}};
    for (const auto& m : messages)
        EXPECT_EQ(ipc::SendToWindow(kAgentWindowTitle, m.number, m.w, m.l), std::optional<int64_t>(0))
            << m.number;
    EXPECT_TRUE(ipc::PostToWindow(kAgentWindowTitle, 4242, -1, 1));
    ASSERT_EQ(Hid({"quit"}).Wait(), 0);
    ASSERT_EQ(agent_.Wait(), 0);

    std::vector<std::string> received;
    for (const auto& line : LogLines()) {
        EXPECT_TRUE(IsTimestampedJsonLine(line)) << line;
        if (line.find("\"dir\":\"in\"") != std::string::npos)
            received.push_back(line);
    }
    ASSERT_EQ(received.size(), messages.size() + 2) << "five sends, the post and the quit";
    for (std::size_t i = 0; i < messages.size(); ++i) {
        std::string expected = "\"kind\":\"send\",\"message\":" + std::to_string(messages[i].number);
        EXPECT_NE(received[i].find(expected), std::string::npos) << received[i];
        EXPECT_NE(received[i].find("\"wParam\":" + std::to_string(messages[i].w) +
                                   ",\"lParam\":" + std::to_string(messages[i].l)),
                  std::string::npos)
            << received[i];
    }
    EXPECT_NE(received[5].find("\"kind\":\"post\",\"message\":4242,\"wParam\":-1,\"lParam\":1"),
              std::string::npos)
        << received[5];
    EXPECT_NE(received[0].find("\"name\":\"AGENT_MSG_SETTINGS_SAVED\""), std::string::npos) << received[0];
    EXPECT_FALSE(ipc::WindowExists(kAgentWindowTitle)) << "the window goes away with the agent";
}

TEST_F(HidAgentTest, SecondAgentIsRefusedAndFirstKeepsServing) {
    StartAgent({});
    Child second = Hid({"--connected", "0"});
    EXPECT_EQ(second.Wait(), 3);
    Child status = Hid({"status"});
    EXPECT_EQ(status.Wait(), 0);
    EXPECT_EQ(ReadFile(status.out), "connected\n") << "the refused copy must not touch the flag";
    EXPECT_EQ(IniFile(settings_).ReadInt("Device", "Setting", -1), 1);
}

TEST_F(HidAgentTest, EndsCleanlyOnSigterm) {
    StartAgent({});
    ::kill(agent_.pid, SIGTERM);
    EXPECT_EQ(agent_.Wait(), 0);
    EXPECT_FALSE(ipc::WindowExists(kAgentWindowTitle));
    EXPECT_FALSE(std::filesystem::exists(root_ + "/run/qorvr17/QORVR17_GamingMouse_HID.sock"));
}

TEST_F(HidAgentTest, CommandLineErrorsAndHelp) {
    Child help = Hid({"--help"});
    EXPECT_EQ(help.Wait(), 0);
    std::string text = ReadFile(help.out);
    for (const char* word :
         {"--connected", "--log", "connect", "disconnect", "report KIND VALUE", "status", "quit"})
        EXPECT_NE(text.find(word), std::string::npos) << word;

    for (std::vector<std::string> bad : {std::vector<std::string>{"report", "9"},
                                         {"report", "x", "1"},
                                         {"--connected", "2"},
                                         {"--log"},
                                         {"connect", "now"},
                                         {"frobnicate"}}) {
        EXPECT_EQ(Hid(bad).Wait(), 1) << bad[0];
    }
    // Commands for the running agent say so when there is none.
    EXPECT_EQ(Hid({"connect"}).Wait(), 2);
    EXPECT_EQ(Hid({"report", "9", "1"}).Wait(), 2);
}

} // namespace
} // namespace qor
