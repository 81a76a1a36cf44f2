#include "AgentCommandLine.h"

#include <charconv>

namespace qor::agent {
namespace {

std::optional<int64_t> ParseNumber(std::string_view text) {
    int64_t value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
}

ParsedCommandLine Error(std::string text) {
    return {std::nullopt, std::move(text)};
}

} // namespace

const char* const kAgentHelpText =
    R"(hid - stand-in for the device agent of the QOR VR17 Gaming Mouse

Running the agent:
  hid [--connected 1|0] [--log FILE|-]
      Registers the window "QORVR17_GamingMouse_HID", writes the connection flag (key Setting,
      section Device of MacroDB/MacroSet.QORDB in the user data folder) and then posts
      UI_MSG_CONNECTION_STATUS (1245) to "QOR VR17 GAMING MOUSE". It accepts and answers
      1246, 1250, 1251, 5396 and 5398 and runs until `hid quit`, SIGINT or SIGTERM.
      --connected 1|0   start with a mouse connected (the default) or not
      --log FILE        append one JSON line per event to FILE; "-" = standard output
                        {"time":"...Z","dir":"in","kind":"send","message":1246,"name":"...",
                         "wParam":0,"lParam":0}    received messages
                        {"time":...,"dir":"out",...,"delivered":true}   posts to the main window
                        {"time":...,"dir":"file","key":"Setting","value":1,...}   flag writes
      Exits with 3 when another agent already runs.

Talking to the running agent (exit 2 when none runs):
  hid connect              a mouse was connected: flag 1, then 1245
  hid disconnect           the mouse was disconnected: flag 0, then 1245
  hid report KIND VALUE    post UI_MSG_DEVICE_REPORT (5397) with wParam KIND and lParam VALUE
                           (0 reload profiles, 8 sensitivity stage, 9 profile, 10 report interval,
                           11 lighting mode, 12 pointer speed; any other number is sent as given)
  hid status               print "connected" or "disconnected"
  hid quit                 stop the running agent

  hid --help               this text

Windows are Unix sockets in $XDG_RUNTIME_DIR/qorvr17/ (or /tmp/qorvr17-<uid>/).
)";

ParsedCommandLine ParseAgentCommandLine(std::span<const std::string_view> args) {
    AgentOptions o;
    if (args.empty())
        return {o, {}};
    std::string_view first = args[0];
    auto only = [&](Command c) -> ParsedCommandLine {
        if (args.size() != 1)
            return Error(std::string(first) + " takes no arguments");
        o.command = c;
        return {o, {}};
    };
    if (first == "--help" || first == "-h" || first == "help")
        return only(Command::Help);
    if (first == "connect")
        return only(Command::Connect);
    if (first == "disconnect")
        return only(Command::Disconnect);
    if (first == "status")
        return only(Command::Status);
    if (first == "quit")
        return only(Command::Quit);
    if (first == "report") {
        if (args.size() != 3)
            return Error("report needs KIND and VALUE");
        auto kind = ParseNumber(args[1]);
        auto value = ParseNumber(args[2]);
        if (!kind || !value)
            return Error("report: KIND and VALUE are integers");
        o.command = Command::Report;
        o.reportKind = *kind;
        o.reportValue = *value;
        return {o, {}};
    }
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string_view a = args[i];
        bool hasValue = i + 1 < args.size();
        if (a == "--connected" && hasValue && (args[i + 1] == "1" || args[i + 1] == "0")) {
            o.connected = args[++i] == "1";
        } else if (a == "--log" && hasValue && !args[i + 1].empty()) {
            o.logPath = std::string(args[++i]);
        } else {
            return Error("unknown or incomplete option: " + std::string(a));
        }
    }
    return {o, {}};
}

} // namespace qor::agent
