#pragma once
// Frame encoding and socket helpers shared by the endpoint and the client side. Internal to qor_ipc.

#include "platform/ipc/Ipc.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <sys/un.h>

namespace qor::ipc::wire {

using Clock = std::chrono::steady_clock;
using FrameBytes = std::array<unsigned char, kFrameSize>;
using AnswerBytes = std::array<unsigned char, kAnswerSize>;

FrameBytes EncodeFrame(const Frame& frame);
// Nullopt for a wrong magic or a kind other than post or send.
std::optional<Frame> DecodeFrame(const FrameBytes& bytes);

AnswerBytes EncodeAnswer(int64_t result);
// Nullopt for a wrong magic or kind.
std::optional<int64_t> DecodeAnswer(const AnswerBytes& bytes);

// The socket address of `path`; false when the path does not fit.
bool UnixAddress(const std::string& path, sockaddr_un& addr);

// A non-blocking, close-on-exec stream socket connected to `path`, or -1. Retries while the
// listener's backlog is full, until `deadline`.
int ConnectUnix(const std::string& path, Clock::time_point deadline);

// Writes all of `data` before `deadline`; false on error or timeout. Never raises SIGPIPE.
bool WriteAll(int fd, const unsigned char* data, std::size_t size, Clock::time_point deadline);

// Reads exactly `size` bytes before `deadline`; false on error, end of stream or timeout.
bool ReadExactly(int fd, unsigned char* data, std::size_t size, Clock::time_point deadline);

// Waits until the peer closes its end (or sends anything) or `deadline` passes.
void WaitForClose(int fd, Clock::time_point deadline);

} // namespace qor::ipc::wire
