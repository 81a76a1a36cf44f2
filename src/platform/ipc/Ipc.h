#pragma once
// Windows of other processes. A top-level window that other processes must reach listens on a Unix
// stream socket named after its title, <SocketFolder()>/<title>.sock. One connection carries one
// 32-byte little-endian frame: u32 magic 0x47534D51 ("QMSG"), u32 kind (1 = post, 2 = send),
// u32 message, u32 reserved 0, i64 wParam, i64 lParam. A post is queued and the connection closes;
// a send is answered with 16 bytes: u32 magic, u32 kind 3, i64 result. A sender waits at most
// 3 seconds for the answer. Receivers accept only peers of their own user id.

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace qor::ipc {

inline constexpr uint32_t kFrameMagic = 0x47534D51; // "QMSG" as little-endian bytes
inline constexpr uint32_t kKindPost = 1;
inline constexpr uint32_t kKindSend = 2;
inline constexpr uint32_t kKindAnswer = 3;
inline constexpr std::size_t kFrameSize = 32;
inline constexpr std::size_t kAnswerSize = 16;
inline constexpr std::chrono::milliseconds kDefaultSendTimeout{3000};

struct Frame {
    uint32_t kind; // kKindPost or kKindSend
    uint32_t message;
    int64_t wParam;
    int64_t lParam;
};

// $XDG_RUNTIME_DIR/qorvr17/ or /tmp/qorvr17-<uid>/, created with mode 0700 when missing. Empty when
// the folder cannot be created, is not a directory, belongs to another user or is open to group or
// others: then no window can be found or registered. No trailing slash.
std::string SocketFolder();

// <SocketFolder()>/<title>.sock, or empty when the folder is unusable or the title cannot be a
// socket name (empty, contains '/', or the path is too long for sockaddr_un).
std::string SocketPathFor(std::string_view title);

// A window registered for other processes. The handler runs on the endpoint's own thread, one frame
// at a time; it should only queue the message (for the user-interface thread) and return, since every
// other connection waits meanwhile. For a post, `reply` does nothing. For a send, `reply(result)` may be
// called once, from any thread, at any time (typically after the UI thread dispatched the message); the
// answer then goes back to the sender if it is still waiting. If `reply` is never called (and the last copy
// of it is destroyed, or the sender's 3 seconds pass), the sender gets no answer.
class Endpoint {
public:
    using Handler = std::function<void(const Frame&, std::function<void(int64_t)> reply)>;

    // Listens on <folder>/<title>.sock. Replaces a stale socket file (one nobody accepts on); returns
    // nullptr if another live endpoint has the title, or if the folder is unusable.
    static std::unique_ptr<Endpoint> Register(std::string title, Handler handler);

    ~Endpoint(); // stops the thread, closes open connections, removes the socket file
    Endpoint(const Endpoint&) = delete;
    Endpoint& operator=(const Endpoint&) = delete;

    const std::string& Title() const;
    const std::string& Path() const;

    struct Impl;

private:
    explicit Endpoint(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

// Queues a message for the window of that title in whatever process registered it. Returns once the
// receiver has taken the message (at most 3 s), so that the posts of one thread arrive in order.
// False when no such window is reachable.
bool PostToWindow(std::string_view title, uint32_t msg, int64_t w, int64_t l);

// Dispatches a message to that window and returns its result; nullopt when the window is not found
// or gives no answer within `timeout` (then it is treated as not found). A thread that must answer
// the window itself (its user-interface thread) cannot get an answer from it this way.
std::optional<int64_t> SendToWindow(std::string_view title, uint32_t msg, int64_t w, int64_t l,
                                    std::chrono::milliseconds timeout = kDefaultSendTimeout);

// True when a live endpoint accepts connections under that title.
bool WindowExists(std::string_view title);

} // namespace qor::ipc
