#include "platform/ui/HostExports.h"

#include "platform/ui/Application.h"
#include "platform/ui/HostKeyTap.h"

#include <mutex>

namespace qor::detail {
namespace {

// Process-wide by nature: the C entry points have no object to hang state on.
std::mutex& HostMutex() {
    static std::mutex mutex;
    return mutex;
}
Application* g_hostApp = nullptr;
QorKeyTapFn g_tap = nullptr;
void* g_tapContext = nullptr;

} // namespace

void SetHostApplication(Application* app) {
    std::lock_guard lock(HostMutex());
    g_hostApp = app;
}

void CallHostKeyTap(std::uint32_t vk, std::uint32_t flags) {
    QorKeyTapFn fn;
    void* context;
    {
        std::lock_guard lock(HostMutex());
        fn = g_tap;
        context = g_tapContext;
    }
    // Called outside the lock: the tap may post messages or remove itself.
    if (fn)
        fn(context, vk, flags);
}

} // namespace qor::detail

extern "C" int qor_host_set_key_tap(QorKeyTapFn fn, void* context) {
    std::lock_guard lock(qor::detail::HostMutex());
    qor::detail::g_tap = fn;
    qor::detail::g_tapContext = fn ? context : nullptr;
    return 0;
}

extern "C" int qor_host_post_message(uint32_t window, uint32_t message, int64_t wParam, int64_t lParam) {
    std::lock_guard lock(qor::detail::HostMutex());
    qor::Application* app = qor::detail::g_hostApp;
    return app && app->PostMessageFromAnyThread(window, message, wParam, lParam) ? 0 : -1;
}
