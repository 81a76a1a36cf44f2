#include "platform/backend/sdl/X11Window.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/Xproto.h>
#include <X11/extensions/Xrandr.h>
#include <X11/extensions/shape.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <thread>

namespace qor {

namespace {

// A reset takes the server a few milliseconds; a display that is not there at all is given up after
// about a third of a second.
constexpr int kReconnectPausesMs[] = {5, 20, 50, 100, 150};

// Well below the 256 KiB core request limit (8 bytes per rectangle) even without BIG-REQUESTS.
constexpr std::size_t kRectsPerRequest = 8192;

short ClampShort(int v) { return short(std::clamp(v, SHRT_MIN, SHRT_MAX)); }
unsigned short ClampUShort(int v) { return static_cast<unsigned short>(std::clamp(v, 0, USHRT_MAX)); }

} // namespace

XWindowId XWindowOfSdl(void* sdlWindow) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (sdlWindow == nullptr || !SDL_GetWindowWMInfo(static_cast<SDL_Window*>(sdlWindow), &info) ||
        info.subsystem != SDL_SYSWM_X11)
        return {};
    return {info.info.x11.display, info.info.x11.window};
}

std::vector<RectBatch> ShapeBatches(const std::vector<Rect>& rects, std::size_t maxRects) {
    std::vector<RectBatch> batches;
    maxRects = std::max<std::size_t>(maxRects, 1);
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < rects.size()) {
        std::size_t bandEnd = i + 1;
        while (bandEnd < rects.size() && rects[bandEnd].top == rects[i].top) ++bandEnd;
        if (bandEnd - start > maxRects && i > start) {
            batches.push_back({start, i - start});
            start = i;
        }
        i = bandEnd;
    }
    if (start < rects.size()) batches.push_back({start, rects.size() - start});
    return batches;
}

bool ApplyXShape(void* xDisplay, unsigned long xWindow, const Region& region) {
    auto* display = static_cast<Display*>(xDisplay);
    int eventBase = 0;
    int errorBase = 0;
    if (display == nullptr || xWindow == 0 || !XShapeQueryExtension(display, &eventBase, &errorBase)) return false;

    for (int kind : {ShapeBounding, ShapeInput}) {
        if (region.IsEmpty()) {
            XShapeCombineMask(display, xWindow, kind, 0, 0, None, ShapeSet);
            continue;
        }
        const std::vector<Rect>& rects = region.Rects();
        std::vector<XRectangle> xrects;
        bool first = true;
        for (const RectBatch& batch : ShapeBatches(rects, kRectsPerRequest)) {
            xrects.clear();
            for (std::size_t i = batch.first; i < batch.first + batch.count; ++i) {
                const Rect& r = rects[i];
                xrects.push_back({ClampShort(r.left), ClampShort(r.top), ClampUShort(r.Width()), ClampUShort(r.Height())});
            }
            // The first batch replaces the old outline; later rows are added to it.
            XShapeCombineRectangles(display, xWindow, kind, 0, 0, xrects.data(), int(xrects.size()),
                                    first ? ShapeSet : ShapeUnion, YXSorted);
            first = false;
        }
    }
    XFlush(display);
    return true;
}

bool QueryXPointer(void* xDisplay, Point& screen) {
    auto* display = static_cast<Display*>(xDisplay);
    if (display == nullptr) return false;
    ::Window root = 0;
    ::Window child = 0;
    int rootX = 0;
    int rootY = 0;
    int winX = 0;
    int winY = 0;
    unsigned int mask = 0;
    if (!XQueryPointer(display, DefaultRootWindow(display), &root, &child, &rootX, &rootY, &winX, &winY, &mask))
        return false;
    screen = {rootX, rootY};
    return true;
}

void ClearXIcon(void* xDisplay, unsigned long xWindow) {
    auto* display = static_cast<Display*>(xDisplay);
    if (display == nullptr || xWindow == 0) return;
    XDeleteProperty(display, xWindow, XInternAtom(display, "_NET_WM_ICON", False));
    XSync(display, False); // others may look at once, through connections of their own
}

void PrepareXThreads() { XInitThreads(); }

bool RetryWhileServerResets(const std::function<bool()>& attempt) {
    for (int pauseMs : kReconnectPausesMs) {
        if (attempt()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(pauseMs));
    }
    return attempt();
}

void* OpenXDisplay() {
    Display* display = nullptr;
    RetryWhileServerResets([&display] { return (display = XOpenDisplay(nullptr)) != nullptr; });
    return display;
}

void CloseXDisplay(void* xDisplay) {
    if (xDisplay != nullptr) XCloseDisplay(static_cast<Display*>(xDisplay));
}

Size XScreenSize(void* xDisplay) {
    auto* display = static_cast<Display*>(xDisplay);
    if (display == nullptr) return {};
    const Size whole{DisplayWidth(display, DefaultScreen(display)), DisplayHeight(display, DefaultScreen(display))};
    int eventBase = 0;
    int errorBase = 0;
    int major = 0;
    int minor = 0;
    // Monitors came with RandR 1.5.
    if (!XRRQueryExtension(display, &eventBase, &errorBase) || !XRRQueryVersion(display, &major, &minor) ||
        major * 100 + minor < 105)
        return whole;
    int count = 0;
    XRRMonitorInfo* monitors = XRRGetMonitors(display, DefaultRootWindow(display), True, &count);
    if (monitors == nullptr) return whole;
    const XRRMonitorInfo* chosen = nullptr;
    for (int i = 0; i < count; ++i) {
        if (monitors[i].width <= 0 || monitors[i].height <= 0) continue;
        if (chosen == nullptr || monitors[i].primary) chosen = &monitors[i];
        if (monitors[i].primary) break;
    }
    const Size size = chosen ? Size{chosen->width, chosen->height} : whole;
    XRRFreeMonitors(monitors);
    return size;
}

namespace {

XErrorHandler previousXErrorHandler = nullptr;

int FilterXError(Display* display, XErrorEvent* error) {
    // SDL wakes its waiting event loop by sending an event to one of our windows over a second
    // connection; when that window has just been destroyed through the first one, the wake-up is moot.
    if (error->error_code == BadWindow && error->request_code == X_SendEvent) return 0;
    return previousXErrorHandler ? previousXErrorHandler(display, error) : 0;
}

} // namespace

void InstallXErrorFilter() {
    const XErrorHandler previous = XSetErrorHandler(FilterXError);
    if (previous != FilterXError) previousXErrorHandler = previous;
}

} // namespace qor
