#include "platform/backend/headless/HeadlessBackend.h"

#include <algorithm>
#include <chrono>

namespace qor {

namespace {
constexpr int kRealWaitSliceMs = 10;

BackendEvent Ev(BackendEvent::Type type, HWND window) {
    BackendEvent e;
    e.type = type;
    e.window = window;
    return e;
}
} // namespace

HeadlessBackend::HeadlessBackend(Size screen) : screen_(screen) {}

// ---------------------------------------------------------------------------------------------------
// Backend

void HeadlessBackend::PumpEvents(int timeoutMs, std::vector<BackendEvent>& out) {
    RunDueActions();
    bool woken;
    {
        std::lock_guard lock(wakeMutex_);
        woken = woken_;
        woken_ = false;
    }
    if (events_.empty() && !woken && timeoutMs != 0 && !hung_) {
        if (!actions_.empty() &&
            (timeoutMs < 0 || actions_.begin()->first <= now_ + std::uint64_t(timeoutMs))) {
            now_ = std::max(now_, actions_.begin()->first);
        } else if (timeoutMs > 0) {
            now_ += std::uint64_t(timeoutMs);
        } else {
            // Nothing will happen in virtual time: only another thread can still wake the loop.
            std::unique_lock lock(wakeMutex_);
            wakeCv_.wait_for(lock, std::chrono::milliseconds(kRealWaitSliceMs), [&] { return woken_; });
            woken = woken_;
            woken_ = false;
            realIdleMs_ = woken ? 0 : realIdleMs_ + kRealWaitSliceMs;
            if (realIdleMs_ >= realIdleLimitMs_) {
                lock.unlock();
                ReportHang("the loop waited for an event that never came");
            }
        }
        if (now_ > watchdogMs_)
            ReportHang("the virtual clock passed the watchdog limit");
        RunDueActions();
    }
    if (!events_.empty() || woken)
        realIdleMs_ = 0;
    while (!events_.empty()) {
        out.push_back(std::move(events_.front()));
        events_.pop_front();
    }
}

void HeadlessBackend::Wake() {
    {
        std::lock_guard lock(wakeMutex_);
        woken_ = true;
    }
    wakeCv_.notify_one();
}

bool HeadlessBackend::CreateNativeWindow(const NativeWindowDesc& desc) {
    if (desc.window == kNoWindow || windows_.count(desc.window))
        return false;
    NativeWindow w;
    w.desc = desc;
    w.screenRect = desc.screenRect;
    w.title = desc.title;
    windows_.emplace(desc.window, std::move(w));
    order_.push_back(desc.window);
    return true;
}

void HeadlessBackend::DestroyNativeWindow(HWND window) {
    if (!windows_.count(window))
        return;
    const bool wasActive = active_ == window;
    const HWND owner = windows_[window].desc.owner;
    windows_.erase(window);
    std::erase(order_, window);
    if (capture_ == window)
        capture_ = kNoWindow;
    if (pointerWindow_ == window)
        pointerWindow_ = kNoWindow;
    if (wasActive) {
        active_ = kNoWindow;
        if (auto it = windows_.find(owner); it != windows_.end() && it->second.visible)
            Activate(owner);
    }
}

void HeadlessBackend::ShowNativeWindow(HWND window, bool show) {
    auto it = windows_.find(window);
    if (it == windows_.end() || it->second.visible == show)
        return;
    it->second.visible = show;
    if (show) {
        it->second.minimized = false;
        std::erase(order_, window);
        order_.push_back(window);
        if (it->second.desc.kind != NativeWindowKind::Popup)
            Activate(window);
    } else if (active_ == window) {
        const HWND owner = it->second.desc.owner;
        if (auto o = windows_.find(owner); o != windows_.end() && o->second.visible)
            Activate(owner);
        else {
            Push(Ev(BackendEvent::Type::FocusLost, window));
            active_ = kNoWindow;
        }
    }
}

void HeadlessBackend::MoveNativeWindow(HWND window, const Rect& screenRect) {
    if (auto it = windows_.find(window); it != windows_.end())
        it->second.screenRect = screenRect;
}

void HeadlessBackend::RaiseNativeWindow(HWND window) {
    auto it = windows_.find(window);
    if (it == windows_.end())
        return;
    std::erase(order_, window);
    order_.push_back(window);
    if (it->second.visible && it->second.desc.kind != NativeWindowKind::Popup)
        Activate(window);
}

void HeadlessBackend::SetNativeTitle(HWND window, const std::string& title) {
    if (auto it = windows_.find(window); it != windows_.end())
        it->second.title = title;
}

void HeadlessBackend::Present(HWND window, const Image&, const Rect& dirty) {
    if (auto it = windows_.find(window); it != windows_.end()) {
        ++it->second.presents;
        it->second.lastDirty = dirty;
    }
}

NativeFramebuffer HeadlessBackend::ClientFramebuffer(HWND window) {
    auto it = windows_.find(window);
    if (lendPadding_ < 0 || it == windows_.end())
        return {};
    NativeWindow& w = it->second;
    const Size size{std::max(w.screenRect.Width(), 0), std::max(w.screenRect.Height(), 0)};
    NativeFramebuffer out;
    if (w.lentSize != size || w.lent.empty()) {
        // A new size gets new storage, as a display's window surface does.
        w.lentSize = size;
        w.lentStride = std::size_t(size.width) + std::size_t(lendPadding_);
        w.lent.assign(std::max<std::size_t>(w.lentStride * std::size_t(size.height), 1), kPaddingGuard);
        out.fresh = true;
    }
    out.pixels = PixelSurface(w.lent.data(), size.width, size.height, w.lentStride);
    return out;
}

void HeadlessBackend::PresentClientFramebuffer(HWND window, const Rect& dirty) {
    if (auto it = windows_.find(window); it != windows_.end()) {
        ++it->second.presents;
        it->second.lastDirty = dirty;
    }
}

void HeadlessBackend::SetNativeShape(HWND window, const Region& region) {
    if (auto it = windows_.find(window); it != windows_.end())
        it->second.shape = region;
}

void HeadlessBackend::MinimizeNativeWindow(HWND window) {
    if (auto it = windows_.find(window); it != windows_.end())
        it->second.minimized = true;
}

void HeadlessBackend::SetNativeCapture(HWND window) {
    capture_ = windows_.count(window) ? window : kNoWindow;
}

void HeadlessBackend::SetNativeIcon(HWND window, const Image& icon) {
    if (auto it = windows_.find(window); it != windows_.end())
        it->second.icon = icon;
}

// ---------------------------------------------------------------------------------------------------
// Inspection

const HeadlessBackend::NativeWindow* HeadlessBackend::Window(HWND window) const {
    auto it = windows_.find(window);
    return it == windows_.end() ? nullptr : &it->second;
}

std::vector<HWND> HeadlessBackend::Windows() const {
    std::vector<HWND> out;
    for (const auto& [handle, w] : windows_)
        out.push_back(handle);
    return out;
}

// ---------------------------------------------------------------------------------------------------
// Input

void HeadlessBackend::Push(BackendEvent event) {
    events_.push_back(std::move(event));
}

void HeadlessBackend::PushMouse(BackendEvent::Type type, HWND window, Point client, MouseButton button,
                                int wheel) {
    auto it = windows_.find(window);
    if (it == windows_.end())
        return;
    const Point screen{it->second.screenRect.left + client.x, it->second.screenRect.top + client.y};
    cursor_ = screen;
    HWND target = window;
    if (capture_ != kNoWindow && windows_.count(capture_)) {
        target = capture_;
    } else if (pointerWindow_ != kNoWindow && pointerWindow_ != window) {
        Push(Ev(BackendEvent::Type::MouseLeave, pointerWindow_));
    }
    pointerWindow_ = window;
    const Rect& r = windows_[target].screenRect;
    BackendEvent e = Ev(type, target);
    e.pos = {screen.x - r.left, screen.y - r.top};
    e.button = button;
    e.wheel = wheel;
    Push(std::move(e));
}

void HeadlessBackend::MouseMove(HWND window, Point client) {
    PushMouse(BackendEvent::Type::MouseMove, window, client, MouseButton::Left, 0);
}

void HeadlessBackend::MouseDown(HWND window, Point client, MouseButton button) {
    PushMouse(BackendEvent::Type::MouseDown, window, client, button, 0);
}

void HeadlessBackend::MouseUp(HWND window, Point client, MouseButton button) {
    PushMouse(BackendEvent::Type::MouseUp, window, client, button, 0);
}

void HeadlessBackend::MouseWheel(HWND window, Point client, int notches) {
    PushMouse(BackendEvent::Type::MouseWheel, window, client, MouseButton::Left, notches);
}

void HeadlessBackend::KeyDown(HWND window, std::uint32_t usage, bool repeat) {
    BackendEvent e = Ev(BackendEvent::Type::KeyDown, window);
    e.usage = usage;
    e.repeat = repeat;
    Push(std::move(e));
}

void HeadlessBackend::KeyUp(HWND window, std::uint32_t usage) {
    BackendEvent e = Ev(BackendEvent::Type::KeyUp, window);
    e.usage = usage;
    Push(std::move(e));
}

void HeadlessBackend::TextInput(HWND window, const std::string& utf8) {
    BackendEvent e = Ev(BackendEvent::Type::TextInput, window);
    e.text = utf8;
    Push(std::move(e));
}

void HeadlessBackend::Close(HWND window) {
    Push(Ev(BackendEvent::Type::Close, window));
}

void HeadlessBackend::Quit() {
    Push(Ev(BackendEvent::Type::Quit, kNoWindow));
}

void HeadlessBackend::Activate(HWND window) {
    if (active_ == window || !windows_.count(window))
        return;
    if (active_ != kNoWindow)
        Push(Ev(BackendEvent::Type::FocusLost, active_));
    active_ = window;
    Push(Ev(BackendEvent::Type::FocusGained, window));
}

// ---------------------------------------------------------------------------------------------------
// Time and watchdog

void HeadlessBackend::At(std::uint64_t atMs, std::function<void()> action) {
    actions_.emplace(atMs, std::move(action));
}

void HeadlessBackend::RunDueActions() {
    while (!actions_.empty() && actions_.begin()->first <= now_) {
        auto action = std::move(actions_.begin()->second);
        actions_.erase(actions_.begin());
        action();
    }
}

void HeadlessBackend::SetWatchdog(std::uint64_t maxVirtualMs, int realIdleLimitMs) {
    watchdogMs_ = maxVirtualMs;
    realIdleLimitMs_ = realIdleLimitMs;
}

void HeadlessBackend::ReportHang(const std::string& reason) {
    if (hung_)
        return;
    hung_ = true;
    hangReason_ = reason;
    Quit();
}

} // namespace qor
