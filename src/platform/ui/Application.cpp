#include "platform/ui/Application.h"

#include "platform/gfx/Painter.h"
#include "platform/gfx/Png.h"
#include "platform/gfx/Utf8.h"
#include "platform/ipc/Ipc.h"
#include "platform/ui/CWnd.h"
#include "platform/ui/HostKeyTap.h"

#include <algorithm>
#include <cassert>
#include <climits>
#include <cstdio>

namespace qor {

namespace {

Application* g_current = nullptr;

// A loop that keeps posting to itself must not freeze ProcessPending.
constexpr int kMaxStepsPerProcessPending = 100000;

constexpr Argb kDefaultBackground = 0xFF000000;

bool IsInputMessage(UINT msg) {
    return (msg >= WM_KEYDOWN && msg <= WM_CHAR) || (msg >= WM_MOUSEMOVE && msg <= WM_MOUSEWHEEL);
}

// Messages whose words carry pointers into this process; they never come from outside.
bool CarriesPointer(UINT msg) {
    return msg == WM_PAINT || msg == WM_SETTEXT || msg == WM_CTLCOLOR;
}

} // namespace

Application::Application(std::unique_ptr<Backend> backend) : backend_(std::move(backend)) {
    assert(backend_);
    assert(!g_current && "one Application at a time");
    g_current = this;
    detail::SetHostApplication(this);
}

Application::~Application() {
    detail::SetHostApplication(nullptr);
    // Endpoint threads call into this object; stop them first.
    endpoints_.clear();
    // Windows whose objects outlive the application lose their handles here.
    while (!tree_.TopLevels().empty())
        DestroyWindow(tree_.TopLevels().back(), false);
    for (Deferred& d : deferred_)
        d.object.reset();
    deferred_.clear();
    g_current = nullptr;
}

Application* Application::Current() {
    return g_current;
}

// ---------------------------------------------------------------------------------------------------
// Loops

int Application::Run() {
    RunLoop([] { return false; });
    return exitCode_;
}

void Application::RunLoop(const std::function<bool()>& done) {
    while (!quit_ && !done())
        Step(true);
}

bool Application::ProcessPending() {
    bool any = false;
    for (int i = 0; i < kMaxStepsPerProcessPending && !quit_ && Step(false); ++i)
        any = true;
    return any;
}

void Application::PostQuitMessage(int exitCode) {
    if (!quit_)
        exitCode_ = exitCode;
    quit_ = true;
}

bool Application::Step(bool mayWait) {
    TakeIncoming();
    TakeBackendEvents(0);
    TakeDueTimers();
    if (!queue_.empty()) {
        Queued item = std::move(queue_.front());
        queue_.pop_front();
        DispatchQueued(std::move(item));
        DeleteDeferred();
        return true;
    }
    UpdateAllWindows();
    DeleteDeferred();
    if (!queue_.empty())
        return true;
    if (!mayWait || quit_)
        return false;
    int timeout = -1;
    if (auto due = timers_.NextDue()) {
        const std::uint64_t now = backend_->NowMs();
        timeout = *due <= now ? 0 : int(std::min<std::uint64_t>(*due - now, INT_MAX));
    }
    {
        std::lock_guard lock(incomingMutex_);
        if (!incoming_.empty())
            timeout = 0;
    }
    TakeBackendEvents(timeout);
    return true;
}

void Application::TakeIncoming() {
    std::vector<Incoming> batch;
    {
        std::lock_guard lock(incomingMutex_);
        batch.swap(incoming_);
    }
    for (Incoming& in : batch) {
        if (in.reply) {
            // A send from another process: answered only while its window lives.
            if (tree_.Get(in.window))
                in.reply(Dispatch(in.window, in.msg.message, in.msg.wParam, in.msg.lParam));
        } else if (tree_.Get(in.window)) {
            queue_.push_back({in.msg, std::nullopt, std::nullopt});
        }
    }
}

void Application::TakeBackendEvents(int timeoutMs) {
    // A local buffer: a test action run inside PumpEvents may itself run a loop step.
    std::vector<BackendEvent> events;
    backend_->PumpEvents(timeoutMs, events);
    for (BackendEvent& event : events)
        queue_.push_back({MSG{event.window, WM_NULL, 0, 0}, std::move(event), std::nullopt});
}

void Application::TakeDueTimers() {
    if (timers_.Empty())
        return;
    for (const TimerQueue::Tick& tick : timers_.TakeDue(backend_->NowMs()))
        queue_.push_back({MSG{tick.window, WM_TIMER, WPARAM(tick.id), 0}, std::nullopt, tick});
}

void Application::DispatchQueued(Queued item) {
    if (item.input) {
        HandleInput(*item.input);
        return;
    }
    if (item.tick) {
        if (timers_.Deliver(*item.tick) && tree_.Get(item.msg.hwnd))
            Dispatch(item.msg.hwnd, item.msg.message, item.msg.wParam, item.msg.lParam);
        return;
    }
    if (!tree_.Get(item.msg.hwnd))
        return;
    if (IsInputMessage(item.msg.message) && PreTranslate(item.msg))
        return;
    Dispatch(item.msg.hwnd, item.msg.message, item.msg.wParam, item.msg.lParam);
}

LRESULT Application::Dispatch(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    // The record outlives the window while this frame runs; the window object may not, so nothing
    // here touches it after the handler returns.
    std::shared_ptr<WindowRecord> rec = tree_.Share(window);
    if (!rec || !rec->wnd)
        return 0;
    CWnd* wnd = rec->wnd;
    ++rec->dispatchDepth;
    const LRESULT result = wnd->WindowProc(msg, wParam, lParam);
    --rec->dispatchDepth;
    return result;
}

bool Application::PreTranslate(MSG& msg) {
    HWND window = msg.hwnd;
    while (window != kNoWindow) {
        std::shared_ptr<WindowRecord> rec = tree_.Share(window);
        if (!rec || !rec->wnd)
            return false;
        ++rec->dispatchDepth;
        const bool eaten = rec->wnd->PreTranslateMessage(msg);
        --rec->dispatchDepth;
        if (eaten)
            return true;
        if (rec->IsTopLevel())
            break;
        window = rec->parent;
    }
    return false;
}

void Application::DeleteLater(std::unique_ptr<CWnd> window) {
    if (!window)
        return;
    Deferred d;
    for (HWND h : tree_.SelfAndDescendants(window->GetSafeHwnd()))
        d.records.push_back(tree_.Share(h));
    window->DestroyWindow();
    d.object = std::move(window);
    deferred_.push_back(std::move(d));
}

void Application::DeleteDeferred() {
    if (deferred_.empty())
        return;
    auto idle = [](const Deferred& d) {
        return std::all_of(d.records.begin(), d.records.end(),
                           [](const auto& rec) { return !rec || rec->dispatchDepth == 0; });
    };
    // Deleting may queue more deferred deletions (a destructor giving away its own popup).
    std::vector<Deferred> ready;
    for (auto it = deferred_.begin(); it != deferred_.end();) {
        if (idle(*it)) {
            ready.push_back(std::move(*it));
            it = deferred_.erase(it);
        } else {
            ++it;
        }
    }
    ready.clear();
}

// ---------------------------------------------------------------------------------------------------
// Messages

bool Application::PostMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (postObserver_)
        postObserver_(MSG{window, msg, wParam, lParam});
    if (auto remote = remoteTitles_.find(window); remote != remoteTitles_.end())
        return ipc::PostToWindow(remote->second, msg, wParam, lParam);
    if (!tree_.Get(window))
        return false;
    queue_.push_back({MSG{window, msg, wParam, lParam}, std::nullopt, std::nullopt});
    return true;
}

LRESULT Application::SendMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (auto remote = remoteTitles_.find(window); remote != remoteTitles_.end())
        return ipc::SendToWindow(remote->second, msg, wParam, lParam).value_or(0);
    return Dispatch(window, msg, wParam, lParam);
}

bool Application::PostMessageFromAnyThread(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (CarriesPointer(msg))
        return false;
    {
        std::lock_guard lock(incomingMutex_);
        if (!liveHandles_.count(window))
            return false;
        incoming_.push_back({window, MSG{window, msg, wParam, lParam}, nullptr});
    }
    backend_->Wake();
    return true;
}

// ---------------------------------------------------------------------------------------------------
// Windows

CWnd* Application::FromHandle(HWND window) const {
    const WindowRecord* rec = tree_.Get(window);
    return rec ? rec->wnd : nullptr;
}

bool Application::IsWindow(HWND window) const {
    if (tree_.Get(window))
        return true;
    auto remote = remoteTitles_.find(window);
    return remote != remoteTitles_.end() && ipc::WindowExists(remote->second);
}

HWND Application::FindWindow(std::string_view title) {
    for (HWND top : tree_.TopLevels())
        if (const WindowRecord* rec = tree_.Get(top); rec && rec->text == title)
            return top;
    if (!ipc::WindowExists(title))
        return kNoWindow;
    for (const auto& [handle, name] : remoteTitles_)
        if (name == title)
            return handle;
    const HWND handle = nextRemoteHandle_++;
    remoteTitles_.emplace(handle, std::string(title));
    return handle;
}

bool Application::CreateWindowFor(CWnd& wnd, WindowKind kind, HWND parentOrOwner, const Rect& rect,
                                  const std::string& title, int controlId) {
    if (tree_.Get(wnd.hwnd_))
        return false;
    if (kind == WindowKind::Child && !tree_.Get(parentOrOwner))
        return false;
    const HWND owner = kind == WindowKind::Child ? parentOrOwner : tree_.TopLevelOf(parentOrOwner);
    WindowRecord& rec = tree_.Add(kind, owner, rect, &wnd);
    const HWND handle = rec.hwnd;
    rec.text = title;
    rec.id = controlId;
    rec.visible = kind == WindowKind::Child;
    wnd.hwnd_ = handle;
    {
        std::lock_guard lock(incomingMutex_);
        liveHandles_.insert(handle);
    }
    if (kind != WindowKind::Child) {
        NativeWindowDesc desc;
        desc.window = handle;
        desc.kind = kind == WindowKind::Main     ? NativeWindowKind::Main
                    : kind == WindowKind::Dialog ? NativeWindowKind::Dialog
                                                 : NativeWindowKind::Popup;
        desc.owner = owner;
        desc.screenRect = rect;
        desc.title = title;
        rec.nativeCreated = backend_->CreateNativeWindow(desc);
        if (!rec.nativeCreated) {
            DestroyWindow(handle, false);
            return false;
        }
    } else {
        Invalidate(handle, Rect::FromXYWH(0, 0, rect.Width(), rect.Height()));
    }
    if (Dispatch(handle, WM_CREATE, 0, 0) == -1) {
        DestroyWindow(handle, false);
        return false;
    }
    return tree_.Get(handle) != nullptr;
}

void Application::DestroyWindow(HWND window, bool notify) {
    WindowRecord* rec = tree_.Get(window);
    if (!rec || rec->destroying)
        return;
    rec->destroying = true;
    if (notify)
        Dispatch(window, WM_DESTROY, 0, 0);
    rec = tree_.Get(window);
    if (!rec)
        return;
    // Children go first, then windows owned by this one (a main window's popups).
    const std::vector<HWND> children = rec->children;
    for (HWND child : children)
        DestroyWindow(child, notify);
    std::vector<HWND> owned;
    for (HWND top : tree_.TopLevels())
        if (const WindowRecord* t = tree_.Get(top); t && t->owner == window)
            owned.push_back(top);
    for (HWND top : owned)
        DestroyWindow(top, notify);

    rec = tree_.Get(window);
    if (!rec)
        return;
    if (!rec->IsTopLevel() && rec->visible)
        Invalidate(rec->parent, rec->rect);
    timers_.KillAll(window);
    if (capture_ == window) {
        capture_ = kNoWindow;
        backend_->SetNativeCapture(kNoWindow);
    }
    if (dragging_ == window) {
        dragging_ = kNoWindow;
        backend_->SetNativeCapture(kNoWindow);
    }
    if (focus_ == window)
        focus_ = kNoWindow;
    if (hoverTracked_ == window)
        hoverTracked_ = kNoWindow;
    if (active_ == window)
        active_ = kNoWindow;
    if (rec->IsTopLevel()) {
        UnregisterEndpoint(window);
        if (rec->nativeCreated)
            backend_->DestroyNativeWindow(window);
    }
    if (rec->wnd)
        rec->wnd->hwnd_ = kNoWindow;
    {
        std::lock_guard lock(incomingMutex_);
        liveHandles_.erase(window);
    }
    tree_.Remove(window);
}

void Application::MoveWindow(HWND window, const Rect& rect, Redraw redraw) {
    WindowRecord* rec = tree_.Get(window);
    if (!rec)
        return;
    if (rec->IsTopLevel()) {
        const bool resized = rect.Width() != rec->rect.Width() || rect.Height() != rec->rect.Height();
        rec->rect = rect;
        if (resized) {
            rec->frame = Image(); // a framebuffer of the new size comes with the next paint
            rec->dirty = Rect::FromXYWH(0, 0, rect.Width(), rect.Height());
        }
        backend_->MoveNativeWindow(window, rect);
        return;
    }
    if (redraw == Redraw::Yes && rec->visible)
        Invalidate(rec->parent, rec->rect);
    rec->rect = rect;
    if (redraw == Redraw::Yes)
        Invalidate(window, Rect::FromXYWH(0, 0, rect.Width(), rect.Height()));
}

void Application::ShowWindow(HWND window, bool show) {
    WindowRecord* rec = tree_.Get(window);
    if (!rec || rec->visible == show)
        return;
    if (!show && capture_ != kNoWindow && tree_.IsSelfOrDescendant(capture_, window))
        ReleaseCapture();
    rec = tree_.Get(window);
    if (!rec)
        return;
    if (!rec->IsTopLevel()) {
        if (!show)
            Invalidate(rec->parent, rec->rect);
        rec->visible = show;
        if (show)
            Invalidate(window, Rect::FromXYWH(0, 0, rec->rect.Width(), rec->rect.Height()));
        return;
    }
    rec->visible = show;
    if (show) {
        tree_.RaiseTopLevel(window);
        rec->dirty = Rect::FromXYWH(0, 0, rec->rect.Width(), rec->rect.Height());
        // The first frame is ready before the window appears.
        PaintTopLevel(*rec);
        if ((rec = tree_.Get(window)) == nullptr)
            return;
    }
    backend_->ShowNativeWindow(window, show);
}

void Application::EnableWindow(HWND window, bool enable) {
    WindowRecord* rec = tree_.Get(window);
    if (!rec || rec->enabled == enable)
        return;
    if (!enable) {
        if (focus_ != kNoWindow && tree_.IsSelfOrDescendant(focus_, window)) {
            if (WindowRecord* top = tree_.Get(tree_.TopLevelOf(focus_)))
                top->lastFocus = focus_;
            SetFocus(kNoWindow);
        }
        if (capture_ != kNoWindow && tree_.IsSelfOrDescendant(capture_, window))
            ReleaseCapture();
        if ((rec = tree_.Get(window)) == nullptr)
            return;
    }
    rec->enabled = enable;
    Invalidate(window, Rect::FromXYWH(0, 0, rec->rect.Width(), rec->rect.Height()));
    Dispatch(window, WM_ENABLE, enable ? 1 : 0, 0);
}

void Application::SetWindowText(HWND window, const std::string& text) {
    WindowRecord* rec = tree_.Get(window);
    if (!rec)
        return;
    rec->text = text;
    Invalidate(window, Rect::FromXYWH(0, 0, rec->rect.Width(), rec->rect.Height()));
    if (rec->IsTopLevel()) {
        backend_->SetNativeTitle(window, text);
        if (endpoints_.count(window))
            RegisterEndpoint(window);
    }
}

void Application::SetWindowRgn(HWND window, const Region& region, Redraw redraw) {
    WindowRecord* rec = tree_.Get(window);
    if (!rec || !rec->IsTopLevel())
        return;
    rec->region = region;
    // Pixels outside the new outline must not keep old paint.
    const PixelSurface target = PaintTarget(*rec);
    for (int y = 0; y < target.height; ++y)
        std::fill(target.Row(y), target.Row(y) + target.width, Argb(0));
    rec->dirty = Rect::FromXYWH(0, 0, rec->rect.Width(), rec->rect.Height());
    backend_->SetNativeShape(window, region);
    if (redraw == Redraw::Yes && rec->visible)
        PaintTopLevel(*rec);
}

void Application::BringToTop(HWND window) {
    WindowRecord* rec = tree_.Get(window);
    if (!rec)
        return;
    if (rec->IsTopLevel()) {
        tree_.RaiseTopLevel(window);
        backend_->RaiseNativeWindow(window);
    } else {
        tree_.RaiseChild(window);
        Invalidate(window, Rect::FromXYWH(0, 0, rec->rect.Width(), rec->rect.Height()));
    }
}

void Application::SetTimer(HWND window, UINT id, std::uint32_t periodMs) {
    if (tree_.Get(window))
        timers_.Set(window, id, periodMs, backend_->NowMs());
}

void Application::KillTimer(HWND window, UINT id) {
    timers_.Kill(window, id);
}

// ---------------------------------------------------------------------------------------------------
// Capture, hover, focus, dragging

HWND Application::SetCapture(HWND window) {
    if (!tree_.Get(window))
        return capture_;
    const HWND old = capture_;
    if (old == window)
        return old;
    capture_ = window;
    backend_->SetNativeCapture(tree_.TopLevelOf(window));
    if (old != kNoWindow && tree_.Get(old))
        Dispatch(old, WM_CAPTURECHANGED, 0, LPARAM(window));
    return old;
}

void Application::ReleaseCapture() {
    const HWND old = capture_;
    if (old == kNoWindow)
        return;
    capture_ = kNoWindow;
    backend_->SetNativeCapture(kNoWindow);
    if (tree_.Get(old))
        Dispatch(old, WM_CAPTURECHANGED, 0, 0);
}

void Application::TrackMouseLeave(HWND window) {
    if (!tree_.Get(window))
        return;
    hoverTracked_ = window;
    // Like the desktop convention: a window the pointer is not over hears of it at once.
    if (tree_.FromPoint(backend_->CursorScreenPos()) != window)
        LeaveHover(kNoWindow);
}

void Application::LeaveHover(HWND under) {
    if (hoverTracked_ == kNoWindow || under == hoverTracked_)
        return;
    const HWND left = hoverTracked_;
    hoverTracked_ = kNoWindow;
    PostMessage(left, WM_MOUSELEAVE, 0, 0);
}

HWND Application::SetFocus(HWND window) {
    if (window != kNoWindow && !tree_.Get(window))
        return focus_;
    const HWND old = focus_;
    if (old == window)
        return old;
    focus_ = window;
    if (window != kNoWindow)
        if (WindowRecord* top = tree_.Get(tree_.TopLevelOf(window)))
            top->lastFocus = window;
    if (old != kNoWindow && tree_.Get(old))
        Dispatch(old, WM_KILLFOCUS, WPARAM(window), 0);
    // A kill-focus handler may have moved the focus elsewhere already.
    if (focus_ == window && window != kNoWindow && tree_.Get(window))
        Dispatch(window, WM_SETFOCUS, WPARAM(old), 0);
    return old;
}

void Application::BeginWindowDrag(HWND window) {
    const HWND top = tree_.TopLevelOf(window);
    const WindowRecord* rec = tree_.Get(top);
    if (!rec)
        return;
    const Point cursor = backend_->CursorScreenPos();
    dragging_ = top;
    dragGrab_ = {cursor.x - rec->rect.left, cursor.y - rec->rect.top};
    backend_->SetNativeCapture(top);
}

bool Application::IsKeyDown(UINT vk) const {
    return keysDown_.count(vk) != 0;
}

// ---------------------------------------------------------------------------------------------------
// Input

void Application::HandleInput(const BackendEvent& event) {
    using Type = BackendEvent::Type;
    switch (event.type) {
    case Type::MouseMove:
    case Type::MouseDown:
    case Type::MouseUp:
    case Type::MouseWheel:
        HandleMouse(event);
        break;
    case Type::MouseLeave:
        if (capture_ == kNoWindow)
            LeaveHover(kNoWindow);
        break;
    case Type::KeyDown:
    case Type::KeyUp:
        HandleKey(event);
        break;
    case Type::TextInput:
        HandleText(event);
        break;
    case Type::FocusGained:
    case Type::FocusLost:
        HandleActivation(event.window, event.type == Type::FocusGained);
        break;
    case Type::Expose:
        if (WindowRecord* rec = tree_.Get(event.window); rec && rec->IsTopLevel() && rec->visible) {
            PaintTopLevel(*rec);
            if ((rec = tree_.Get(event.window)) != nullptr)
                PresentTopLevel(*rec, Rect::FromXYWH(0, 0, rec->rect.Width(), rec->rect.Height()));
        }
        break;
    case Type::Moved:
        if (WindowRecord* rec = tree_.Get(event.window); rec && rec->IsTopLevel())
            rec->rect = Rect::FromXYWH(event.pos.x, event.pos.y, rec->rect.Width(), rec->rect.Height());
        break;
    case Type::Close:
        if (const WindowRecord* rec = tree_.Get(event.window); rec && rec->enabled)
            Dispatch(event.window, WM_CLOSE, 0, 0);
        break;
    case Type::Quit:
        PostQuitMessage(0);
        break;
    }
}

HWND Application::ModalBlocking(HWND top) const {
    // The topmost visible, enabled top-level window owned (directly or not) by `top`.
    const auto& tops = tree_.TopLevels();
    for (auto it = tops.rbegin(); it != tops.rend(); ++it) {
        const WindowRecord* rec = tree_.Get(*it);
        if (!rec || !rec->visible || !rec->enabled || *it == top)
            continue;
        for (HWND owner = rec->owner; owner != kNoWindow;) {
            if (owner == top)
                return *it;
            const WindowRecord* o = tree_.Get(owner);
            owner = o ? o->owner : kNoWindow;
        }
    }
    return kNoWindow;
}

void Application::HandleMouse(const BackendEvent& event) {
    using Type = BackendEvent::Type;
    const WindowRecord* top = tree_.Get(event.window);
    if (!top)
        return;
    const Point screen{top->rect.left + event.pos.x, top->rect.top + event.pos.y};
    const UINT bit = event.button == MouseButton::Left    ? MK_LBUTTON
                     : event.button == MouseButton::Right ? MK_RBUTTON
                                                          : MK_MBUTTON;
    if (event.type == Type::MouseDown)
        buttons_ |= bit;
    else if (event.type == Type::MouseUp)
        buttons_ &= ~bit;

    if (dragging_ != kNoWindow) {
        if (event.type == Type::MouseMove) {
            if (const WindowRecord* moving = tree_.Get(dragging_)) {
                const Point cursor = backend_->CursorScreenPos();
                MoveWindow(dragging_,
                           Rect::FromXYWH(cursor.x - dragGrab_.x, cursor.y - dragGrab_.y,
                                          moving->rect.Width(), moving->rect.Height()),
                           Redraw::No);
            }
        } else if (event.type == Type::MouseUp && bit == MK_LBUTTON) {
            dragging_ = kNoWindow;
            backend_->SetNativeCapture(capture_ != kNoWindow ? tree_.TopLevelOf(capture_) : kNoWindow);
        }
        return;
    }

    const HWND under = tree_.FromPoint(screen);
    if (event.type == Type::MouseMove)
        LeaveHover(under);

    HWND target = kNoWindow;
    if (capture_ != kNoWindow && tree_.Get(capture_)) {
        target = capture_;
    } else {
        // The window under the pointer, not the native window the event came through: events the
        // system routed to a window that held the capture arrive after the capture has ended.
        target = under;
        const WindowRecord* targetTop = tree_.Get(tree_.TopLevelOf(target));
        if (!targetTop)
            return;
        if (!targetTop->enabled) {
            // A window behind a modal dialog takes no input; a click brings the dialog forward.
            if (event.type == Type::MouseDown)
                if (HWND modal = ModalBlocking(targetTop->hwnd))
                    backend_->RaiseNativeWindow(modal);
            return;
        }
    }
    const Point origin = tree_.ClientOrigin(target);
    const Point client{screen.x - origin.x, screen.y - origin.y};

    UINT msg = WM_MOUSEMOVE;
    WPARAM wParam = buttons_;
    switch (event.type) {
    case Type::MouseDown:
        msg = bit == MK_LBUTTON ? WM_LBUTTONDOWN : bit == MK_RBUTTON ? WM_RBUTTONDOWN : WM_MBUTTONDOWN;
        break;
    case Type::MouseUp:
        msg = bit == MK_LBUTTON ? WM_LBUTTONUP : bit == MK_RBUTTON ? WM_RBUTTONUP : WM_MBUTTONUP;
        break;
    case Type::MouseWheel:
        msg = WM_MOUSEWHEEL;
        wParam =
            WPARAM(buttons_) | WPARAM(std::uint32_t(std::uint16_t(std::int16_t(event.wheel * 120))) << 16);
        break;
    default:
        break;
    }
    DispatchInput(MSG{target, msg, wParam, MakePointLParam(client)});
}

HWND Application::KeyTarget(HWND eventWindow) const {
    const WindowRecord* top = tree_.Get(eventWindow);
    if (!top)
        return kNoWindow;
    if (!top->enabled) {
        // Keys reaching a window behind a modal dialog belong to the dialog.
        const HWND modal = ModalBlocking(top->hwnd);
        if (modal == kNoWindow)
            return kNoWindow;
        top = tree_.Get(modal);
    }
    if (focus_ != kNoWindow && tree_.IsSelfOrDescendant(focus_, top->hwnd) && tree_.IsEnabledInTree(focus_))
        return focus_;
    return top->hwnd;
}

void Application::HandleKey(const BackendEvent& event) {
    const bool released = event.type == BackendEvent::Type::KeyUp;
    const UINT vk = translator_ ? translator_(event.usage) : 0;
    if (vk == 0)
        return;
    if (released)
        keysDown_.erase(vk);
    else
        keysDown_.insert(vk);
    CallKeyTap(vk, released);
    const HWND target = KeyTarget(event.window);
    if (target == kNoWindow)
        return;
    LPARAM flags = LPARAM(event.usage & 0xFF) << 16;
    if (event.repeat)
        flags |= kKeyRepeatFlag;
    if (released)
        flags |= kKeyReleaseFlag | kKeyRepeatFlag;
    DispatchInput(MSG{target, released ? WM_KEYUP : WM_KEYDOWN, WPARAM(vk), flags});
}

void Application::HandleText(const BackendEvent& event) {
    for (char32_t cp : DecodeUtf8(event.text)) {
        const HWND target = KeyTarget(event.window);
        if (target == kNoWindow)
            return;
        DispatchInput(MSG{target, WM_CHAR, WPARAM(cp), 0});
    }
}

void Application::DispatchInput(MSG msg) {
    if (PreTranslate(msg))
        return;
    Dispatch(msg.hwnd, msg.message, msg.wParam, msg.lParam);
}

void Application::CallKeyTap(UINT vk, bool released) {
    detail::CallHostKeyTap(vk, released ? 0x80u : 0u);
}

void Application::HandleActivation(HWND topLevel, bool gained) {
    WindowRecord* top = tree_.Get(topLevel);
    if (!top)
        return;
    if (!gained) {
        if (active_ == topLevel)
            active_ = kNoWindow;
        if (capture_ != kNoWindow && tree_.IsSelfOrDescendant(capture_, topLevel))
            ReleaseCapture();
        if (focus_ != kNoWindow && tree_.IsSelfOrDescendant(focus_, topLevel)) {
            if ((top = tree_.Get(topLevel)) != nullptr)
                top->lastFocus = focus_;
            SetFocus(kNoWindow);
        }
        return;
    }
    if (!top->enabled) {
        if (HWND modal = ModalBlocking(topLevel))
            backend_->RaiseNativeWindow(modal);
        return;
    }
    active_ = topLevel;
    if (focus_ != kNoWindow && tree_.IsSelfOrDescendant(focus_, topLevel))
        return;
    const HWND restore = top->lastFocus != kNoWindow && tree_.IsSelfOrDescendant(top->lastFocus, topLevel)
                             ? top->lastFocus
                             : topLevel;
    SetFocus(restore);
}

// ---------------------------------------------------------------------------------------------------
// Painting

void Application::Invalidate(HWND window, const Rect& clientRect) {
    const HWND topHandle = tree_.TopLevelOf(window);
    WindowRecord* top = tree_.Get(topHandle);
    if (!top)
        return;
    const Point origin = tree_.ClientOrigin(window);
    const Rect r = clientRect.Offset(origin.x - top->rect.left, origin.y - top->rect.top)
                       .Intersect(tree_.VisibleRectInTopLevel(window));
    if (!r.IsEmpty())
        top->dirty = top->dirty.Union(r);
}

void Application::UpdateWindow(HWND window) {
    if (WindowRecord* top = tree_.Get(tree_.TopLevelOf(window)); top && top->visible)
        PaintTopLevel(*top);
}

void Application::UpdateAllWindows() {
    const std::vector<HWND> tops = tree_.TopLevels();
    for (HWND handle : tops)
        if (WindowRecord* top = tree_.Get(handle); top && top->visible && !top->dirty.IsEmpty())
            PaintTopLevel(*top);
}

const Image* Application::Framebuffer(HWND topLevel) {
    WindowRecord* top = tree_.Get(topLevel);
    if (!top || !top->IsTopLevel())
        return nullptr;
    PaintTopLevel(*top);
    top = tree_.Get(topLevel);
    if (!top)
        return nullptr;
    if (top->nativeFrame) {
        const PixelSurface target = PaintTarget(*top);
        top->frame = Image(target.width, target.height);
        for (int y = 0; y < target.height; ++y)
            std::copy(target.Row(y), target.Row(y) + target.width, &top->frame.At(0, y));
    }
    return &top->frame;
}

bool Application::SaveScreenshot(HWND topLevel, const std::string& pngPath) {
    const Image* frame = Framebuffer(topLevel);
    return frame && SavePng(*frame, pngPath);
}

// Where a top-level window's pixels live: in the back end's own framebuffer when it lends one of the
// window's size (no second copy), else in the framework's. Switching between the two, or storage
// that is new, leaves nothing painted: it is cleared and the whole window is due again.
PixelSurface Application::PaintTarget(WindowRecord& top) {
    const Size size{std::max(top.rect.Width(), 0), std::max(top.rect.Height(), 0)};
    const Rect whole = Rect::FromXYWH(0, 0, size.width, size.height);
    const NativeFramebuffer native = backend_->ClientFramebuffer(top.hwnd);
    if (!native.pixels.IsEmpty() && native.pixels.GetSize() == size) {
        if (native.fresh || !top.nativeFrame) {
            // Like a framebuffer of our own, it starts transparent: outside the outline it stays so.
            for (int y = 0; y < size.height; ++y)
                std::fill(native.pixels.Row(y), native.pixels.Row(y) + size.width, Argb(0));
            top.dirty = whole;
        }
        top.nativeFrame = true;
        top.frame = Image(); // the framework's copy (or the last snapshot) is no longer needed
        return native.pixels;
    }
    if (top.nativeFrame || top.frame.GetSize() != size) {
        top.nativeFrame = false;
        top.frame = Image(size.width, size.height);
        top.dirty = whole;
    }
    return PixelSurface(top.frame);
}

void Application::PresentTopLevel(WindowRecord& top, const Rect& dirty) {
    if (top.nativeFrame)
        backend_->PresentClientFramebuffer(top.hwnd, dirty);
    else
        backend_->Present(top.hwnd, top.frame, dirty);
}

void Application::PaintTopLevel(WindowRecord& top) {
    const HWND handle = top.hwnd;
    const PixelSurface target = PaintTarget(top);
    const Rect dirty = top.dirty.Intersect(Rect::FromXYWH(0, 0, target.width, target.height));
    top.dirty = {};
    if (dirty.IsEmpty())
        return;
    {
        Painter clear(target, dirty);
        if (!top.region.IsEmpty())
            clear.SetClipRegion(top.region);
        clear.ClearRect(dirty, kDefaultBackground);
    }
    PaintTree(handle, handle, dirty);
    if (WindowRecord* rec = tree_.Get(handle); rec && rec->visible)
        PresentTopLevel(*rec, dirty);
}

void Application::PaintTree(HWND topHandle, HWND window, const Rect& clip) {
    const WindowRecord* rec = tree_.Get(window);
    if (!rec || !rec->visible)
        return;
    const Rect visible = tree_.VisibleRectInTopLevel(window).Intersect(clip);
    if (visible.IsEmpty())
        return;
    WindowRecord* top = tree_.Get(topHandle);
    if (!top)
        return;
    const Point origin = tree_.ClientOrigin(window);
    {
        // Painting may create or destroy windows (and resize the framebuffer); the painter only lives
        // for this one handler.
        Painter painter(PaintTarget(*top), visible);
        if (!top->region.IsEmpty())
            painter.SetClipRegion(top->region);
        painter.SetOrigin({origin.x - top->rect.left, origin.y - top->rect.top});
        Dispatch(window, WM_PAINT, reinterpret_cast<WPARAM>(&painter), 0);
    }
    rec = tree_.Get(window);
    if (!rec)
        return;
    const std::vector<HWND> children = rec->children;
    for (HWND child : children)
        PaintTree(topHandle, child, clip);
}

// ---------------------------------------------------------------------------------------------------
// Other processes

bool Application::ExposeToOtherProcesses(HWND window) {
    const WindowRecord* rec = tree_.Get(window);
    if (!rec || !rec->IsTopLevel())
        return false;
    RegisterEndpoint(window);
    auto it = endpoints_.find(window);
    return it != endpoints_.end() && it->second != nullptr;
}

void Application::RegisterEndpoint(HWND window) {
    const WindowRecord* rec = tree_.Get(window);
    if (!rec)
        return;
    endpoints_.erase(window); // the old title is given up before the new one is taken
    auto handler = [this, window](const ipc::Frame& frame, std::function<void(std::int64_t)> reply) {
        // Framework messages carry pointers and states of this process: only private numbers may
        // come from outside.
        if (frame.message < WM_USER)
            return;
        {
            std::lock_guard lock(incomingMutex_);
            incoming_.push_back({window, MSG{window, frame.message, frame.wParam, frame.lParam},
                                 frame.kind == ipc::kKindSend ? std::move(reply) : nullptr});
        }
        backend_->Wake();
    };
    // Kept even when registration fails, so that a later title change tries again.
    endpoints_[window] = ipc::Endpoint::Register(rec->text, std::move(handler));
}

void Application::UnregisterEndpoint(HWND window) {
    endpoints_.erase(window);
}

// ---------------------------------------------------------------------------------------------------
// Shorthands

bool PostMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    Application* app = Application::Current();
    return app && app->PostMessage(window, msg, wParam, lParam);
}

LRESULT SendMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    Application* app = Application::Current();
    return app ? app->SendMessage(window, msg, wParam, lParam) : 0;
}

HWND FindWindow(std::string_view title) {
    Application* app = Application::Current();
    return app ? app->FindWindow(title) : kNoWindow;
}

bool IsWindow(HWND window) {
    Application* app = Application::Current();
    return app && app->IsWindow(window);
}

HWND GetCapture() {
    Application* app = Application::Current();
    return app ? app->GetCapture() : kNoWindow;
}

void ReleaseCapture() {
    if (Application* app = Application::Current())
        app->ReleaseCapture();
}

HWND GetFocus() {
    Application* app = Application::Current();
    return app ? app->GetFocus() : kNoWindow;
}

HWND SetFocus(HWND window) {
    Application* app = Application::Current();
    return app ? app->SetFocus(window) : kNoWindow;
}

HWND GetActiveWindow() {
    Application* app = Application::Current();
    return app ? app->GetActiveWindow() : kNoWindow;
}

HWND WindowFromPoint(Point screen) {
    Application* app = Application::Current();
    return app ? app->WindowFromPoint(screen) : kNoWindow;
}

Point GetCursorPos() {
    Application* app = Application::Current();
    return app ? app->GetCursorPos() : Point{};
}

Size GetScreenSize() {
    Application* app = Application::Current();
    return app ? app->GetBackend().ScreenSize() : Size{};
}

void PostQuitMessage(int exitCode) {
    if (Application* app = Application::Current())
        app->PostQuitMessage(exitCode);
}

} // namespace qor
