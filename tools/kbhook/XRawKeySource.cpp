#include "XRawKeySource.h"

#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

namespace qor::kbhook {

XRawKeySource::XRawKeySource(KeyFn onKey) : onKey_(std::move(onKey)) {
    stopFd_ = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (stopFd_ >= 0)
        thread_ = std::thread([this] { Run(); });
}

XRawKeySource::~XRawKeySource() {
    if (thread_.joinable()) {
        uint64_t one = 1;
        (void)!::write(stopFd_, &one, sizeof(one));
        thread_.join();
    }
    if (stopFd_ >= 0)
        ::close(stopFd_);
}

void XRawKeySource::Run() {
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return; // no X server: the host's own windows are the only source
    int opcode = 0, firstEvent = 0, firstError = 0;
    int major = 2, minor = 0;
    if (!XQueryExtension(display, "XInputExtension", &opcode, &firstEvent, &firstError) ||
        XIQueryVersion(display, &major, &minor) != Success) {
        XCloseDisplay(display);
        return;
    }
    unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
    XISetMask(bits, XI_RawKeyPress);
    XISetMask(bits, XI_RawKeyRelease);
    XIEventMask mask{XIAllMasterDevices, static_cast<int>(sizeof(bits)), bits};
    XISelectEvents(display, DefaultRootWindow(display), &mask, 1);
    XSync(display, False);
    live_ = true;

    pollfd fds[2] = {{ConnectionNumber(display), POLLIN, 0}, {stopFd_, POLLIN, 0}};
    for (;;) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            XGenericEventCookie* cookie = &event.xcookie;
            if (cookie->type != GenericEvent || cookie->extension != opcode ||
                !XGetEventData(display, cookie))
                continue;
            if (cookie->evtype == XI_RawKeyPress || cookie->evtype == XI_RawKeyRelease) {
                auto* raw = static_cast<XIRawEvent*>(cookie->data);
                onKey_(raw->detail, cookie->evtype == XI_RawKeyRelease);
            }
            XFreeEventData(display, cookie);
        }
        if (::poll(fds, 2, -1) < 0 && errno != EINTR)
            break;
        if (fds[1].revents)
            break;
        if (fds[0].revents & (POLLERR | POLLHUP))
            break; // the X server went away
    }
    live_ = false;
    XCloseDisplay(display);
}

} // namespace qor::kbhook
