#include "platform/backend/sdl/SdlBackend.h"

#include "platform/backend/sdl/UnlockedStartReads.h"
#include "platform/backend/sdl/X11Window.h"

#include <SDL2/SDL.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <system_error>
#include <utility>

namespace qor {

namespace {

// A runaway source of events (a stuck auto-repeat, a flood of motion) must not keep one pump going.
constexpr int kMaxEventsPerPump = 4096;

std::optional<MouseButton> ButtonFromSdl(Uint8 button) {
    switch (button) {
    case SDL_BUTTON_LEFT: return MouseButton::Left;
    case SDL_BUTTON_RIGHT: return MouseButton::Right;
    case SDL_BUTTON_MIDDLE: return MouseButton::Middle;
    default: return std::nullopt;
    }
}

} // namespace

std::unique_ptr<SdlBackend> CreateSdlBackend() {
    // Without this SDL presents the window surface through OpenGL: three times slower to the first
    // frame, about 90 MiB more memory, and a recreated X window that loses its shape.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // Closing the last window is a request to that window; only the session or a signal quits.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    // SDL drops a click that arrives within moments of the window gaining focus; a click on an inactive
    // window must both activate it and act.
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    // Outlines need X11 (XWayland on Wayland desktops); SDL_VIDEODRIVER in the environment still wins.
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
    // Before SDL: it passes errors on to the handler it found and puts that one back when it quits,
    // when the error of a last wake-up may still arrive.
    InstallXErrorFilter();
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0') {
        std::fprintf(stderr, "No display available: DISPLAY is not set\n");
        return nullptr;
    }
    return std::make_unique<SdlBackend>();
}

SdlBackend::SdlBackend() {
    const char* probe = std::getenv(kFirstPresentClockVariable);
    reportFirstPresent_ = probe != nullptr && *probe != '\0';
    PrepareXThreads();
    try {
        starter_ = std::thread([this] { Start(true); });
        cpuReserve_.emplace(); // after the start thread exists, which keeps every processor
    } catch (const std::system_error&) {
        Start(false); // no thread to spare: SDL starts here and now, as it always could
    }
}

// On the start thread (or in the constructor, when no thread could be had).
void SdlBackend::Start(bool onOwnThread) {
    const bool started = [] {
        UnlockedStartReads unlocked;
        return RetryWhileServerResets([] { return SDL_InitSubSystem(SDL_INIT_VIDEO) == 0; });
    }();
    if (!started) {
        startError_ = SDL_GetError();
    } else if ((wakeEventType_ = SDL_RegisterEvents(1)) == Uint32(-1)) {
        startError_ = std::string("SDL has no user event left: ") + SDL_GetError();
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    } else {
        startOk_ = true;
    }
    // SDL keeps per-thread data (its error text) that only its own threads release when they end.
    if (onOwnThread) SDL_TLSCleanup();
}

bool SdlBackend::WaitUntilStarted() {
    if (!startJoined_) {
        if (starter_.joinable()) starter_.join();
        cpuReserve_.reset();
        startJoined_ = true;
        if (!startOk_) {
            std::fprintf(stderr, "No display available: %s\n", startError_.c_str());
            return false;
        }
        CloseXDisplay(probeDisplay_); // SDL answers from now on
        probeDisplay_ = nullptr;
        acceptsWake_.store(true);
        if (wakePending_.exchange(false)) PushWake();
    }
    return startOk_;
}

SdlBackend::~SdlBackend() {
    if (!WaitUntilStarted()) {
        CloseXDisplay(probeDisplay_);
        return;
    }
    if (capture_ != kNoWindow) SDL_CaptureMouse(SDL_FALSE);
    for (auto& [hwnd, w] : windows_)
        if (w.sdl != nullptr) SDL_DestroyWindow(w.sdl);
    windows_.clear();
    SDL_Quit();
}

SdlBackend::NativeWindow* SdlBackend::Find(HWND window) {
    auto it = windows_.find(window);
    return it == windows_.end() ? nullptr : &it->second;
}

const SdlBackend::NativeWindow* SdlBackend::Find(HWND window) const {
    auto it = windows_.find(window);
    return it == windows_.end() ? nullptr : &it->second;
}

SdlBackend::NativeWindow* SdlBackend::Made(HWND window) {
    NativeWindow* w = Find(window);
    if (w == nullptr || w->sdl != nullptr) return w;
    return MakeSdlWindow(window, *w) ? w : nullptr;
}

HWND SdlBackend::FromSdlId(std::uint32_t id) const {
    auto it = bySdlId_.find(id);
    return it == bySdlId_.end() ? kNoWindow : it->second;
}

unsigned long SdlBackend::XWindowOf(HWND window) const {
    const NativeWindow* w = Find(window);
    return w ? w->xWindow : 0;
}

void SdlBackend::PumpEvents(int timeoutMs, std::vector<BackendEvent>& out) {
    if (!WaitUntilStarted()) {
        // Nothing can ever be shown: every loop is asked to end.
        BackendEvent quit;
        quit.type = BackendEvent::Type::Quit;
        out.push_back(std::move(quit));
        return;
    }
    SDL_Event event;
    int got = 0;
    if (timeoutMs == 0) got = SDL_PollEvent(&event);
    else if (timeoutMs < 0) got = SDL_WaitEvent(&event);
    else got = SDL_WaitEventTimeout(&event, timeoutMs);
    for (int n = 0; got && n < kMaxEventsPerPump; ++n) {
        Translate(event, out);
        got = SDL_PollEvent(&event);
    }
}

void SdlBackend::Wake() {
    if (!acceptsWake_.load()) {
        wakePending_.store(true);
        // The start may have finished between the two lines; then nobody else looks at the flag.
        if (!acceptsWake_.load() || !wakePending_.exchange(false)) return;
    }
    PushWake();
}

void SdlBackend::PushWake() {
    SDL_Event event;
    SDL_zero(event);
    event.type = wakeEventType_;
    SDL_PushEvent(&event);
}

std::uint64_t SdlBackend::NowMs() {
    // Our own clock: timers are set while SDL is still starting.
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return std::uint64_t(now.tv_sec) * 1000u + std::uint64_t(now.tv_nsec) / 1000000u;
}

// Our own connection, while SDL starts on its own: the user-interface thread has time to spare then.
bool SdlBackend::DisplayReachable() {
    if (startJoined_) return startOk_;
    if (!probeTried_) {
        probeDisplay_ = OpenXDisplay();
        probeTried_ = true;
    }
    return probeDisplay_ != nullptr;
}

Size SdlBackend::ScreenSize() {
    if (!startJoined_) return DisplayReachable() ? XScreenSize(probeDisplay_) : Size{};
    SDL_Rect bounds;
    if (!startOk_ || SDL_GetDisplayBounds(0, &bounds) != 0) return {};
    return {bounds.w, bounds.h};
}

Point SdlBackend::CursorScreenPos() {
    if (!WaitUntilStarted()) return {};
    // SDL's global mouse state is a cache refreshed by raw input events it may not have read yet; a
    // window drag that follows a stale position does not move.
    if (Point p; QueryXPointer(xDisplay_, p)) return p;
    int x = 0;
    int y = 0;
    SDL_GetGlobalMouseState(&x, &y);
    return {x, y};
}

bool SdlBackend::CreateNativeWindow(const NativeWindowDesc& desc) {
    if (desc.window == kNoWindow || windows_.count(desc.window) != 0) return false;
    if (startJoined_ && !startOk_) return false;
    NativeWindow w;
    w.desc = desc;
    w.requestedPos = {desc.screenRect.left, desc.screenRect.top};
    NativeWindow& stored = windows_.emplace(desc.window, std::move(w)).first->second;
    // While SDL starts the window stays a description; once SDL runs it is made at once, as asked.
    if (!startJoined_) return true;
    if (MakeSdlWindow(desc.window, stored)) return true;
    windows_.erase(desc.window);
    return false;
}

bool SdlBackend::MakeSdlWindow(HWND window, NativeWindow& w) {
    if (!WaitUntilStarted()) return false;
    const NativeWindowDesc& desc = w.desc;
    Uint32 flags = SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS;
    // Override-redirect: no taskbar entry, no decoration, never activated by the window manager.
    if (desc.kind == NativeWindowKind::Popup) flags |= SDL_WINDOW_POPUP_MENU;
    const int width = std::max(desc.screenRect.Width(), 1);
    const int height = std::max(desc.screenRect.Height(), 1);
    SDL_Window* sdl = SDL_CreateWindow(desc.title.c_str(), desc.screenRect.left, desc.screenRect.top, width, height, flags);
    if (sdl == nullptr) {
        std::fprintf(stderr, "Cannot create a window: %s\n", SDL_GetError());
        return false;
    }
    w.sdl = sdl;
    w.sdlId = SDL_GetWindowID(sdl);
    const XWindowId x = XWindowOfSdl(sdl);
    w.xWindow = x.window;
    if (x.display != nullptr) xDisplay_ = x.display;
    bySdlId_[w.sdlId] = window;
    if (desc.kind == NativeWindowKind::Dialog) {
        // Only a hint to the window manager; the framework itself keeps input away from the owner.
        if (const NativeWindow* owner = Made(desc.owner)) SDL_SetWindowModalFor(sdl, owner->sdl);
    }
    if (w.pendingIcon) {
        const Image icon = std::move(*w.pendingIcon);
        w.pendingIcon.reset();
        SetNativeIcon(window, icon);
    }
    MoveEarlyPixels(w);
    return true;
}

// The frame painted before the SDL window existed goes into its surface, so nothing is painted twice.
void SdlBackend::MoveEarlyPixels(NativeWindow& w) {
    if (w.early.IsEmpty()) return;
    SDL_Surface* surface = SDL_GetWindowSurface(w.sdl);
    const NativeFramebuffer target = ClientFramebuffer(w.desc.window);
    if (surface != nullptr && !target.pixels.IsEmpty() && target.pixels.GetSize() == w.early.GetSize()) {
        w.early.MoveInto(target.pixels);
        w.surfaceHasFrame = true;
    } else if (surface != nullptr) {
        // A surface that cannot be lent takes the frame the converting way.
        Image frame(w.early.GetSize().width, w.early.GetSize().height);
        const PixelSurface early = w.early.Surface();
        for (int y = 0; y < frame.height; ++y) std::memcpy(&frame.At(0, y), early.Row(y), std::size_t(frame.width) * sizeof(Argb));
        w.early.Release();
        Present(w.desc.window, frame, Rect::FromXYWH(0, 0, frame.width, frame.height));
    }
    w.early.Release();
    w.earlyLent = false;
}

void SdlBackend::DestroyNativeWindow(HWND window) {
    auto it = windows_.find(window);
    if (it == windows_.end()) return;
    if (capture_ == window) {
        SDL_CaptureMouse(SDL_FALSE);
        capture_ = kNoWindow;
    }
    if (keyboardHolder_ == window) keyboardHolder_ = kNoWindow;
    if (it->second.sdl != nullptr) {
        bySdlId_.erase(it->second.sdlId);
        SDL_DestroyWindow(it->second.sdl);
    }
    windows_.erase(it);
}

void SdlBackend::ShowNativeWindow(HWND window, bool show) {
    NativeWindow* w = Find(window);
    if (w == nullptr || (!show && w->sdl == nullptr)) {
        if (w != nullptr) w->shown = false;
        return;
    }
    if ((w = Made(window)) == nullptr) return;
    w->shown = show;
    if (!show) {
        SDL_HideWindow(w->sdl);
        return;
    }
    // A frame moved in from the early framebuffer brings the outline before the window appears.
    if (w->surfaceHasFrame) MarkPresented(*w);
    SDL_ShowWindow(w->sdl);
    if (w->desc.kind == NativeWindowKind::Popup) {
        // Without a window manager SDL focuses every window it maps; a popup must leave the keyboard
        // with the window that has it (whose focus event may not even have been read yet).
        if (const NativeWindow* holder = Find(keyboardHolder_); holder && holder->sdl) SDL_SetWindowInputFocus(holder->sdl);
    } else {
        SDL_RaiseWindow(w->sdl);
        SDL_SetWindowInputFocus(w->sdl);
        keyboardHolder_ = window;
    }
    // SDL has waited for the window to be mapped: the frame painted before it appeared is shown now
    // rather than after the exposure comes back from the server.
    if (w->surfaceHasFrame) {
        int width = 0;
        int height = 0;
        SDL_GetWindowSize(w->sdl, &width, &height);
        UpdateSurface(*w, Rect::FromXYWH(0, 0, width, height));
    }
}

void SdlBackend::MoveNativeWindow(HWND window, const Rect& screenRect) {
    NativeWindow* w = Find(window);
    if (w == nullptr) return;
    w->requestedPos = {screenRect.left, screenRect.top};
    w->desc.screenRect = screenRect;
    if (w->sdl == nullptr) return;
    SDL_SetWindowPosition(w->sdl, screenRect.left, screenRect.top);
    const int width = std::max(screenRect.Width(), 1);
    const int height = std::max(screenRect.Height(), 1);
    int oldWidth = 0;
    int oldHeight = 0;
    SDL_GetWindowSize(w->sdl, &oldWidth, &oldHeight);
    if (width != oldWidth || height != oldHeight) SDL_SetWindowSize(w->sdl, width, height);
}

void SdlBackend::RaiseNativeWindow(HWND window) {
    NativeWindow* w = Made(window);
    if (w == nullptr) return;
    SDL_RaiseWindow(w->sdl);
    if (w->desc.kind != NativeWindowKind::Popup) {
        SDL_SetWindowInputFocus(w->sdl);
        keyboardHolder_ = window;
    }
}

void SdlBackend::SetNativeTitle(HWND window, const std::string& title) {
    NativeWindow* w = Find(window);
    if (w == nullptr) return;
    w->desc.title = title;
    if (w->sdl != nullptr) SDL_SetWindowTitle(w->sdl, title.c_str());
}

void SdlBackend::Present(HWND window, const Image& frame, const Rect& dirty) {
    NativeWindow* w = Find(window);
    if (w == nullptr || frame.IsEmpty() || frame.pixels.size() != std::size_t(frame.width) * std::size_t(frame.height))
        return;
    if (w->sdl == nullptr) {
        // Kept until the window is made; a frame is whole, so the latest one is all that counts.
        w->early.CopyFrom(frame);
        return;
    }
    SDL_Surface* surface = SDL_GetWindowSurface(w->sdl);
    if (surface == nullptr) return;
    // A frame painted for the old size may still arrive after a resize: show what fits.
    const Rect area = dirty.Intersect({0, 0, std::min(frame.width, surface->w), std::min(frame.height, surface->h)});
    if (!area.IsEmpty()) {
        if (SDL_MUSTLOCK(surface)) SDL_LockSurface(surface);
        const Argb* src = frame.pixels.data() + std::size_t(area.top) * std::size_t(frame.width) + std::size_t(area.left);
        auto* dst = static_cast<Uint8*>(surface->pixels) + std::size_t(area.top) * std::size_t(surface->pitch) +
                    std::size_t(area.left) * surface->format->BytesPerPixel;
        const Uint32 format = surface->format->format;
        if (format == SDL_PIXELFORMAT_ARGB8888 || format == SDL_PIXELFORMAT_RGB888) {
            const std::size_t rowBytes = std::size_t(area.Width()) * sizeof(Argb);
            for (int y = 0; y < area.Height(); ++y)
                std::memcpy(dst + std::size_t(y) * std::size_t(surface->pitch), src + std::size_t(y) * std::size_t(frame.width), rowBytes);
        } else {
            SDL_ConvertPixels(area.Width(), area.Height(), SDL_PIXELFORMAT_ARGB8888, src, frame.width * int(sizeof(Argb)),
                              format, dst, surface->pitch);
        }
        if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
        w->surfaceHasFrame = true;
        UpdateSurface(*w, area);
    }
    MarkPresented(*w);
}

NativeFramebuffer SdlBackend::ClientFramebuffer(HWND window) {
    NativeWindow* w = Find(window);
    if (w == nullptr) return {};
    NativeFramebuffer out;
    if (w->sdl == nullptr) {
        // Lent until the window is made, then moved into its surface.
        const Size size{std::max(w->desc.screenRect.Width(), 1), std::max(w->desc.screenRect.Height(), 1)};
        if (w->early.GetSize() != size) {
            w->early.Allocate(size);
            w->earlyLent = false;
        }
        out.pixels = w->early.Surface();
        out.fresh = !w->earlyLent;
        w->earlyLent = true;
        return out;
    }
    SDL_Surface* surface = SDL_GetWindowSurface(w->sdl);
    // Only a surface of native 32-bit words whose pixels stay put can be painted as it is; anything
    // else gets the framework's own framebuffer and a converting Present.
    if (surface == nullptr || surface->pixels == nullptr || SDL_MUSTLOCK(surface) || surface->pitch % 4 != 0 ||
        (surface->format->format != SDL_PIXELFORMAT_ARGB8888 && surface->format->format != SDL_PIXELFORMAT_RGB888))
        return {};
    out.pixels = PixelSurface(static_cast<Argb*>(surface->pixels), surface->w, surface->h, std::size_t(surface->pitch / 4));
    // SDL replaces the surface when the window's size changes; its pixels then start out blank.
    out.fresh = surface != w->lentSurface || surface->pixels != w->lentPixels || Size{surface->w, surface->h} != w->lentSize;
    w->lentSurface = surface;
    w->lentPixels = surface->pixels;
    w->lentSize = {surface->w, surface->h};
    return out;
}

void SdlBackend::PresentClientFramebuffer(HWND window, const Rect& dirty) {
    NativeWindow* w = Find(window);
    if (w == nullptr || w->sdl == nullptr) return; // painted into the early framebuffer: shown when made
    SDL_Surface* surface = SDL_GetWindowSurface(w->sdl);
    if (surface == nullptr) return;
    w->surfaceHasFrame = true;
    const Rect area = dirty.Intersect({0, 0, surface->w, surface->h});
    if (!area.IsEmpty()) UpdateSurface(*w, area);
    MarkPresented(*w);
}

void SdlBackend::UpdateSurface(NativeWindow& w, const Rect& area) {
    const SDL_Rect rect{area.left, area.top, area.Width(), area.Height()};
    SDL_UpdateWindowSurfaceRects(w.sdl, &rect, 1);
    // The measurement wants the first frame a person could see: one that reached a shown window.
    if (reportFirstPresent_ && w.shown) {
        reportFirstPresent_ = false;
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        std::fprintf(stderr, "qor-first-present %lld\n", static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
        std::fflush(stderr);
    }
}

// A pending outline is given to the window once a frame has gone into it.
void SdlBackend::MarkPresented(NativeWindow& w) {
    if (!w.presented) {
        w.presented = true;
        if (w.pendingShape) {
            ApplyShape(w, *w.pendingShape);
            w.pendingShape.reset();
        }
    }
}

void SdlBackend::SetNativeShape(HWND window, const Region& region) {
    NativeWindow* w = Find(window);
    if (w == nullptr) return;
    if (w->presented) ApplyShape(*w, region);
    else w->pendingShape = region;
}

void SdlBackend::ApplyShape(NativeWindow& w, const Region& region) {
    ApplyXShape(xDisplay_, w.xWindow, region);
}

void SdlBackend::MinimizeNativeWindow(HWND window) {
    if (NativeWindow* w = Made(window)) SDL_MinimizeWindow(w->sdl);
}

void SdlBackend::SetNativeCapture(HWND window) {
    if (window == kNoWindow) {
        if (capture_ != kNoWindow) SDL_CaptureMouse(SDL_FALSE);
        capture_ = kNoWindow;
        return;
    }
    if (Made(window) == nullptr) return;
    // SDL grabs the pointer for the window it is in; this fails while none of our windows has the
    // keyboard, and the capture then holds only within our windows.
    SDL_CaptureMouse(SDL_TRUE);
    capture_ = window;
}

void SdlBackend::SetNativeIcon(HWND window, const Image& icon) {
    NativeWindow* w = Find(window);
    if (w == nullptr) return;
    if (w->sdl == nullptr) {
        w->pendingIcon = icon;
        return;
    }
    if (icon.IsEmpty() || icon.pixels.size() != std::size_t(icon.width) * std::size_t(icon.height)) {
        ClearXIcon(xDisplay_, w->xWindow);
        return;
    }
    // SDL only reads the pixels while it converts them into the window's icon property.
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<Argb*>(icon.pixels.data()), icon.width, icon.height, 32,
                                                              icon.width * int(sizeof(Argb)), SDL_PIXELFORMAT_ARGB8888);
    if (surface == nullptr) return;
    SDL_SetWindowIcon(w->sdl, surface);
    SDL_FreeSurface(surface);
}

void SdlBackend::Translate(const SDL_Event& e, std::vector<BackendEvent>& out) {
    BackendEvent ev;
    switch (e.type) {
    case SDL_QUIT:
        ev.type = BackendEvent::Type::Quit;
        out.push_back(std::move(ev));
        return;
    case SDL_MOUSEMOTION:
        ev.type = BackendEvent::Type::MouseMove;
        ev.window = FromSdlId(e.motion.windowID);
        ev.pos = {e.motion.x, e.motion.y};
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
        const std::optional<MouseButton> button = ButtonFromSdl(e.button.button);
        if (!button) return;
        ev.type = e.type == SDL_MOUSEBUTTONDOWN ? BackendEvent::Type::MouseDown : BackendEvent::Type::MouseUp;
        ev.window = FromSdlId(e.button.windowID);
        ev.pos = {e.button.x, e.button.y};
        ev.button = *button;
        break;
    }
    case SDL_MOUSEWHEEL:
        if (e.wheel.y == 0) return;
        ev.type = BackendEvent::Type::MouseWheel;
        ev.window = FromSdlId(e.wheel.windowID);
        ev.pos = {e.wheel.mouseX, e.wheel.mouseY};
        ev.wheel = e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -e.wheel.y : e.wheel.y;
        break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        // SDL scancodes are the USB HID usages of the Keyboard/Keypad page.
        ev.type = e.type == SDL_KEYDOWN ? BackendEvent::Type::KeyDown : BackendEvent::Type::KeyUp;
        ev.window = FromSdlId(e.key.windowID);
        ev.usage = std::uint32_t(e.key.keysym.scancode);
        ev.repeat = e.type == SDL_KEYDOWN && e.key.repeat != 0;
        if (ev.usage == SDL_SCANCODE_UNKNOWN) return;
        break;
    case SDL_TEXTINPUT:
        ev.type = BackendEvent::Type::TextInput;
        ev.window = FromSdlId(e.text.windowID);
        ev.text.assign(e.text.text, strnlen(e.text.text, sizeof(e.text.text)));
        if (ev.text.empty()) return;
        break;
    case SDL_WINDOWEVENT: {
        ev.window = FromSdlId(e.window.windowID);
        const NativeWindow* w = Find(ev.window);
        if (w == nullptr) return;
        switch (e.window.event) {
        case SDL_WINDOWEVENT_FOCUS_GAINED:
        case SDL_WINDOWEVENT_FOCUS_LOST:
            // A popup is never the active window, even when the system hands it the keyboard.
            if (w->desc.kind == NativeWindowKind::Popup) return;
            if (e.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) keyboardHolder_ = ev.window;
            ev.type = e.window.event == SDL_WINDOWEVENT_FOCUS_GAINED ? BackendEvent::Type::FocusGained
                                                                       : BackendEvent::Type::FocusLost;
            break;
        case SDL_WINDOWEVENT_LEAVE:
            if (capture_ != kNoWindow) return;
            ev.type = BackendEvent::Type::MouseLeave;
            break;
        case SDL_WINDOWEVENT_EXPOSED: ev.type = BackendEvent::Type::Expose; break;
        case SDL_WINDOWEVENT_MOVED:
            // The echo of our own move is no news to the framework.
            if (Point{e.window.data1, e.window.data2} == w->requestedPos) return;
            ev.type = BackendEvent::Type::Moved;
            ev.pos = {e.window.data1, e.window.data2};
            break;
        case SDL_WINDOWEVENT_CLOSE: ev.type = BackendEvent::Type::Close; break;
        default: return;
        }
        break;
    }
    default:
        return; // the wake-up event and everything we do not use
    }
    if (ev.window == kNoWindow) return; // a window already destroyed, or none of ours
    out.push_back(std::move(ev));
}

} // namespace qor
