// hid: runs the device agent stand-in, or tells the running one what to do (see `hid --help`).

#include "Agent.h"
#include "AgentCommandLine.h"
#include "AgentControl.h"
#include "agent/AgentInterface.h"

#include <csignal>
#include <cstdio>
#include <pthread.h>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace qor;
using namespace qor::agent;

constexpr int kExitUsage = 1;
constexpr int kExitNoAgent = 2;
constexpr int kExitAlreadyRunning = 3;

int RunAgent(const AgentOptions& options) {
    // SIGINT and SIGTERM end the agent cleanly (its socket is removed); they are taken by one thread
    // with sigwait, so they are blocked in every thread created from here on.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    MessageLog log(options.logPath);
    if (log.Failed()) {
        std::fprintf(stderr, "hid: cannot open the log file %s\n", options.logPath.c_str());
        return kExitUsage;
    }
    Agent agent(options.connected, log);
    if (!agent.Start()) {
        std::fprintf(stderr, "hid: another agent already runs (or the socket folder is unusable)\n");
        return kExitAlreadyRunning;
    }
    std::thread([&agent, stopSignals] {
        int sig = 0;
        sigwait(&stopSignals, &sig);
        agent.RequestQuit();
    }).detach();
    agent.Run();
    return 0;
}

int TellRunningAgent(const AgentOptions& options) {
    uint32_t message = kControlStatus;
    int64_t w = 0, l = 0;
    switch (options.command) {
    case Command::Connect:
        message = kControlSetConnection;
        w = 1;
        break;
    case Command::Disconnect:
        message = kControlSetConnection;
        w = 0;
        break;
    case Command::Report:
        message = kControlReport;
        w = options.reportKind;
        l = options.reportValue;
        break;
    case Command::Quit:
        message = kControlQuit;
        break;
    default:
        break;
    }
    // The agent may itself wait up to 3 s on a hung main window before it answers.
    auto answer = ipc::SendToWindow(kAgentWindowTitle, message, w, l, std::chrono::seconds(10));
    if (!answer) {
        std::fprintf(stderr, "hid: no running agent\n");
        return kExitNoAgent;
    }
    if (options.command == Command::Status)
        std::puts(*answer ? "connected" : "disconnected");
    if (options.command == Command::Report && *answer == 0)
        std::fprintf(stderr, "hid: the report was not delivered (is the program running?)\n");
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string_view> args(argv + 1, argv + argc);
    auto parsed = ParseAgentCommandLine(args);
    if (!parsed.options) {
        std::fprintf(stderr, "hid: %s\nTry `hid --help`.\n", parsed.error.c_str());
        return kExitUsage;
    }
    switch (parsed.options->command) {
    case Command::Help:
        std::fputs(kAgentHelpText, stdout);
        return 0;
    case Command::Run:
        return RunAgent(*parsed.options);
    default:
        return TellRunningAgent(*parsed.options);
    }
}
