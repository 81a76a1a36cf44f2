#include "MessageLog.h"

#include "AgentControl.h"
#include "agent/AgentInterface.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <unistd.h>

namespace qor::agent {
namespace {

// UTC with milliseconds, e.g. 2026-01-31T09:15:02.047Z.
std::string Timestamp() {
    auto now = std::chrono::system_clock::now();
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count();
    std::time_t seconds = static_cast<std::time_t>(ms / 1000);
    std::tm utc{};
    ::gmtime_r(&seconds, &utc);
    char text[96];
    std::snprintf(text, sizeof(text), "%04d-%02d-%02dT%02d:%02d:%02d.%03dZ", utc.tm_year + 1900,
                  utc.tm_mon + 1, utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec,
                  static_cast<int>(ms % 1000));
    return text;
}

std::string MessageFields(uint32_t message, int64_t wParam, int64_t lParam) {
    std::string s = "\"message\":" + std::to_string(message);
    if (auto name = MessageName(message); !name.empty())
        s += ",\"name\":" + JsonString(name);
    s += ",\"wParam\":" + std::to_string(wParam) + ",\"lParam\":" + std::to_string(lParam);
    return s;
}

} // namespace

std::string_view MessageName(uint32_t message) {
    switch (message) {
    case AGENT_MSG_SETTINGS_SAVED:
        return "AGENT_MSG_SETTINGS_SAVED";
    case AGENT_MSG_PROFILE_SWITCHED:
        return "AGENT_MSG_PROFILE_SWITCHED";
    case AGENT_MSG_LIGHTING_CHANGED:
        return "AGENT_MSG_LIGHTING_CHANGED";
    case AGENT_MSG_MACRO_CHANGED:
        return "AGENT_MSG_MACRO_CHANGED";
    case AGENT_MSG_MACRO_BOUND:
        return "AGENT_MSG_MACRO_BOUND";
    case UI_MSG_CONNECTION_STATUS:
        return "UI_MSG_CONNECTION_STATUS";
    case UI_MSG_DEVICE_REPORT:
        return "UI_MSG_DEVICE_REPORT";
    case kControlSetConnection:
        return "hid connect/disconnect";
    case kControlReport:
        return "hid report";
    case kControlStatus:
        return "hid status";
    case kControlQuit:
        return "hid quit";
    default:
        return {};
    }
}

std::string JsonString(std::string_view text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            char esc[8];
            std::snprintf(esc, sizeof(esc), "\\u%04x", c);
            out += esc;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

MessageLog::MessageLog(const std::string& path) {
    if (path.empty())
        return;
    if (path == "-") {
        fd_ = STDOUT_FILENO;
        return;
    }
    fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    ownsFd_ = fd_ >= 0;
    failed_ = fd_ < 0;
}

MessageLog::~MessageLog() {
    if (ownsFd_)
        ::close(fd_);
}

void MessageLog::Received(const ipc::Frame& frame) {
    Line("\"dir\":\"in\",\"kind\":" + JsonString(frame.kind == ipc::kKindSend ? "send" : "post") + "," +
         MessageFields(frame.message, frame.wParam, frame.lParam));
}

void MessageLog::Posted(std::string_view to, uint32_t message, int64_t wParam, int64_t lParam,
                        bool delivered) {
    Line("\"dir\":\"out\",\"kind\":\"post\",\"to\":" + JsonString(to) + "," +
         MessageFields(message, wParam, lParam) + ",\"delivered\":" + (delivered ? "true" : "false"));
}

void MessageLog::FlagWritten(const std::string& file, int value) {
    Line("\"dir\":\"file\",\"file\":" + JsonString(file) +
         ",\"section\":" + JsonString(kConnectionFlagSection) + ",\"key\":" + JsonString(kConnectionFlagKey) +
         ",\"value\":" + std::to_string(value));
}

void MessageLog::Line(const std::string& body) {
    if (fd_ < 0)
        return;
    std::string line = "{\"time\":\"" + Timestamp() + "\"," + body + "}\n";
    // A log that cannot be written is not a reason to stop serving the program.
    (void)!::write(fd_, line.data(), line.size());
}

} // namespace qor::agent
