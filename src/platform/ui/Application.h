#pragma once
// The application object: owns the back end and every framework window of the process, the message
// queue, the timers, the mouse capture, hover tracking and keyboard focus, and runs the message loops.
// One exists at a time (Current()); everything except the thread-safe entry points below runs on the
// user-interface thread that created it.
//
// Loop structure: every loop (Run, a dialog's modal loop, RunLoop in tests) takes one step at a time:
// answer messages from other threads and processes, take back-end events and due timers into the
// queue, dispatch one queued message; when the queue is empty, paint what is invalid and wait for the
// back end until the next timer is due. Input events are translated to window messages only when
// they reach the front of the queue, so a capture or focus change made by one message routes the
// next input event. Quitting (PostQuitMessage or the system's quit request) ends every running loop.

#include "platform/ui/Backend.h"
#include "platform/ui/Messages.h"
#include "platform/ui/TimerQueue.h"
#include "platform/ui/WindowTree.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace qor {

class CWnd;
class Painter;
namespace ipc {
class Endpoint;
}

class Application {
public:
    // Converts a USB HID usage of the Keyboard/Keypad page into a virtual-key code (0 = no key).
    using KeyTranslator = std::function<UINT(std::uint32_t usage)>;

    explicit Application(std::unique_ptr<Backend> backend);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    static Application* Current();
    Backend& GetBackend() { return *backend_; }
    WindowTree& Tree() { return tree_; }
    const WindowTree& Tree() const { return tree_; }

    // Keys without a translator, or that it maps to 0, reach no window.
    void SetKeyTranslator(KeyTranslator translator) { translator_ = std::move(translator); }

    // Loops.
    int Run(); // until quit; returns the exit code
    // Runs a loop until done() is true (checked before every step) or quit is requested.
    void RunLoop(const std::function<bool()>& done);
    // Dispatches everything that is ready now and paints, without waiting. True if anything ran.
    bool ProcessPending();
    void PostQuitMessage(int exitCode);
    bool QuitRequested() const { return quit_; }
    int ExitCode() const { return exitCode_; }
    std::uint64_t NowMs() { return backend_->NowMs(); }

    // Messages. Handles of windows in other processes (from FindWindow) are served through the IPC
    // link; a send to them answers 0 when they give no answer.
    bool PostMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT SendMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    // Sees every message posted on this thread (to local or remote windows) as it is posted; tests
    // read posted messages through it.
    void SetPostObserver(std::function<void(const MSG&)> observer) { postObserver_ = std::move(observer); }
    // Thread-safe: queues a message for a window of this process and wakes the loop. False when the
    // window does not exist.
    bool PostMessageFromAnyThread(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

    // Windows.
    CWnd* FromHandle(HWND window) const;
    bool IsWindow(HWND window) const; // local windows, and live windows of other processes
    // A top-level window of this process with that title, else a handle standing for the window of
    // another process (kNoWindow when none is reachable).
    HWND FindWindow(std::string_view title);
    HWND WindowFromPoint(Point screen) const { return tree_.FromPoint(screen); }
    Point GetCursorPos() { return backend_->CursorScreenPos(); }
    // Keeps a window object alive until no handler of it or of its children is running, then deletes
    // it. Its window is destroyed at once.
    void DeleteLater(std::unique_ptr<CWnd> window);

    // Mouse capture, hover tracking and focus; all are weak: they end when their window goes.
    HWND GetCapture() const { return capture_; }
    HWND SetCapture(HWND window);
    void ReleaseCapture();
    void TrackMouseLeave(HWND window);
    HWND GetFocus() const { return focus_; }
    HWND SetFocus(HWND window);
    HWND GetActiveWindow() const { return active_; }
    bool IsKeyDown(UINT vk) const; // as far as key events reaching this program tell
    void BeginWindowDrag(HWND window);

    // Painting and screenshots.
    void Invalidate(HWND window, const Rect& clientRect);
    void UpdateWindow(HWND window);
    void UpdateAllWindows();
    // The top-level window's framebuffer, painted up to date; null for other handles. Where the back
    // end lends its own framebuffer this is a copy, taken now and kept until the window paints again.
    const Image* Framebuffer(HWND topLevel);
    bool SaveScreenshot(HWND topLevel, const std::string& pngPath);

    // Used by CWnd.
    bool CreateWindowFor(CWnd& wnd, WindowKind kind, HWND parentOrOwner, const Rect& rect,
                         const std::string& title, int controlId);
    void DestroyWindow(HWND window, bool notify);
    void MoveWindow(HWND window, const Rect& rect, Redraw redraw);
    void ShowWindow(HWND window, bool show);
    void EnableWindow(HWND window, bool enable);
    void SetWindowText(HWND window, const std::string& text);
    void SetWindowRgn(HWND window, const Region& region, Redraw redraw);
    void BringToTop(HWND window);
    void SetTimer(HWND window, UINT id, std::uint32_t periodMs);
    void KillTimer(HWND window, UINT id);
    bool ExposeToOtherProcesses(HWND window);

    // Called by the host exports (any thread).
    void CallKeyTap(UINT vk, bool released);

private:
    struct Queued {
        MSG msg;
        std::optional<BackendEvent> input;    // raw input, translated when it is dispatched
        std::optional<TimerQueue::Tick> tick; // WM_TIMER
    };
    struct Incoming {
        HWND window;
        MSG msg;
        std::function<void(std::int64_t)> reply; // set for sends from other processes
    };
    struct Deferred {
        std::unique_ptr<CWnd> object;
        std::vector<std::shared_ptr<WindowRecord>> records;
    };

    bool Step(bool mayWait);
    void TakeIncoming();
    void TakeBackendEvents(int timeoutMs);
    void TakeDueTimers();
    void DispatchQueued(Queued item);
    LRESULT Dispatch(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    bool PreTranslate(MSG& msg);
    void DeleteDeferred();

    // Input translation.
    void HandleInput(const BackendEvent& event);
    void HandleMouse(const BackendEvent& event);
    void HandleKey(const BackendEvent& event);
    void HandleText(const BackendEvent& event);
    void HandleActivation(HWND topLevel, bool gained);
    HWND ModalBlocking(HWND topLevel) const;
    HWND KeyTarget(HWND eventWindow) const;
    void DispatchInput(MSG msg);
    void LeaveHover(HWND under);

    // Painting.
    PixelSurface PaintTarget(WindowRecord& top);
    void PresentTopLevel(WindowRecord& top, const Rect& dirty);
    void PaintTopLevel(WindowRecord& top);
    void PaintTree(HWND topLevel, HWND window, const Rect& clip);

    // Other processes.
    void RegisterEndpoint(HWND window);
    void UnregisterEndpoint(HWND window);
    bool IsRemoteHandle(HWND window) const { return remoteTitles_.count(window) != 0; }

    std::unique_ptr<Backend> backend_;
    WindowTree tree_;
    TimerQueue timers_;
    std::deque<Queued> queue_;
    std::vector<Deferred> deferred_;
    KeyTranslator translator_;
    std::function<void(const MSG&)> postObserver_;

    HWND capture_ = kNoWindow;
    HWND focus_ = kNoWindow;
    HWND active_ = kNoWindow;
    HWND hoverTracked_ = kNoWindow;
    HWND dragging_ = kNoWindow;
    Point dragGrab_;   // pointer position relative to the dragged window's origin
    UINT buttons_ = 0; // MK_* flags of the buttons held down
    std::unordered_set<UINT> keysDown_;
    bool quit_ = false;
    int exitCode_ = 0;

    // Thread-safe part: live handles and messages from other threads and processes.
    mutable std::mutex incomingMutex_;
    std::unordered_set<HWND> liveHandles_;
    std::vector<Incoming> incoming_;

    std::unordered_map<HWND, std::unique_ptr<ipc::Endpoint>> endpoints_;
    std::unordered_map<HWND, std::string> remoteTitles_; // handles standing for other processes' windows
    HWND nextRemoteHandle_ = 0x80000000u;                // kept apart from local handles
};

// Shorthands on the current application (no-ops without one).
bool PostMessage(HWND window, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
LRESULT SendMessage(HWND window, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
HWND FindWindow(std::string_view title);
bool IsWindow(HWND window);
HWND GetCapture();
void ReleaseCapture();
HWND GetFocus();
HWND SetFocus(HWND window);
HWND GetActiveWindow();
HWND WindowFromPoint(Point screen);
Point GetCursorPos();
Size GetScreenSize();
void PostQuitMessage(int exitCode);

} // namespace qor
