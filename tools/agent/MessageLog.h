#pragma once
// One JSON object per line for everything the agent receives, posts and writes, so that a person can
// watch it and a test can check it. Each line is written with one write(2), so lines never mix.

#include "platform/ipc/Ipc.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace qor::agent {

// The product's or hid's own name of a message number; empty when it has none.
std::string_view MessageName(uint32_t message);

// `text` as a JSON string literal, quotes included.
std::string JsonString(std::string_view text);

class MessageLog {
public:
    // `path`: empty = log nothing, "-" = standard output, else a file opened for appending.
    explicit MessageLog(const std::string& path);
    ~MessageLog();
    MessageLog(const MessageLog&) = delete;
    MessageLog& operator=(const MessageLog&) = delete;

    bool Failed() const { return failed_; } // the file could not be opened

    void Received(const ipc::Frame& frame);
    void Posted(std::string_view to, uint32_t message, int64_t wParam, int64_t lParam, bool delivered);
    void FlagWritten(const std::string& file, int value);

private:
    void Line(const std::string& body);
    int fd_ = -1;
    bool ownsFd_ = false;
    bool failed_ = false;
};

} // namespace qor::agent
