#pragma once
// The hid command line: run the agent, or tell the running one what to do.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace qor::agent {

enum class Command { Run, Connect, Disconnect, Report, Status, Quit, Help };

struct AgentOptions {
    Command command = Command::Run;
    bool connected = true; // Run: the connection state to start with
    std::string logPath;   // Run: where the JSON lines go; "-" = standard output; empty = nowhere
    int64_t reportKind = 0;
    int64_t reportValue = 0;
};

struct ParsedCommandLine {
    std::optional<AgentOptions> options; // nullopt: `error` says what is wrong
    std::string error;
};

ParsedCommandLine ParseAgentCommandLine(std::span<const std::string_view> args);

extern const char* const kAgentHelpText;

} // namespace qor::agent
