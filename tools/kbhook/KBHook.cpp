// The key hook library. Keys come from two sources: the host program's own windows, through the key
// tap the host exports, and the whole X session, through XInput2 raw events. The X source also sees
// the keys typed into the host's windows, so while it is live the tap is ignored; without a display
// the tap is the only source.

#include "KBHook.h"

#include "XKeyCodes.h"
#include "XRawKeySource.h"
#include "platform/ui/HostExports.h"

#include <atomic>
#include <dlfcn.h>
#include <memory>
#include <mutex>

namespace {

using qor::kbhook::KeyFlags;
using qor::kbhook::XKeycodeToVk;
using qor::kbhook::XRawKeySource;

using SetKeyTapFn = int (*)(QorKeyTapFn, void*);
using PostMessageFn = int (*)(uint32_t, uint32_t, int64_t, int64_t);

class KeyHook {
public:
    static KeyHook& Instance() {
        static KeyHook hook;
        return hook;
    }

    void Install(uint32_t window) {
        // Looked up in the whole process: the host exports them from its executable.
        auto setKeyTap = reinterpret_cast<SetKeyTapFn>(::dlsym(RTLD_DEFAULT, "qor_host_set_key_tap"));
        post_ = reinterpret_cast<PostMessageFn>(::dlsym(RTLD_DEFAULT, "qor_host_post_message"));
        window_ = window;
        {
            std::lock_guard lock(mutex_);
            if (!xSource_)
                xSource_ = std::make_unique<XRawKeySource>(
                    [this](int keycode, bool released) { Report(XKeycodeToVk(keycode), released); });
        }
        // Host calls happen outside the lock, so a host that waits for a running tap cannot deadlock.
        if (setKeyTap)
            setKeyTap(&KeyHook::OnHostKey, this);
    }

    void Enable(bool enable) { enabled_ = enable; }

    void Remove() {
        enabled_ = false;
        window_ = 0;
        if (auto setKeyTap = reinterpret_cast<SetKeyTapFn>(::dlsym(RTLD_DEFAULT, "qor_host_set_key_tap")))
            setKeyTap(nullptr, nullptr);
        std::unique_ptr<XRawKeySource> source;
        {
            std::lock_guard lock(mutex_);
            source = std::move(xSource_);
        }
        source.reset(); // joins the source's thread
    }

private:
    static void OnHostKey(void* context, uint32_t vk, uint32_t flags) {
        auto* self = static_cast<KeyHook*>(context);
        {
            std::lock_guard lock(self->mutex_);
            if (self->xSource_ && self->xSource_->Live())
                return;
        }
        if (vk < 256)
            self->Report(static_cast<int>(vk), (flags & qor::kbhook::kFlagReleased) != 0);
    }

    // From the X source's thread or the host's tap; touches only atomics.
    void Report(int vk, bool released) {
        uint32_t window = window_;
        PostMessageFn post = post_;
        if (vk == 0 || !enabled_ || window == 0 || !post)
            return;
        post(window, KBHOOK_MSG_KEY, vk, KeyFlags(vk, released));
    }

    std::atomic<bool> enabled_{false};
    std::atomic<uint32_t> window_{0};
    std::atomic<PostMessageFn> post_{nullptr};
    std::mutex mutex_; // guards xSource_
    std::unique_ptr<XRawKeySource> xSource_;
};

} // namespace

extern "C" {

__attribute__((visibility("default"))) int installhook(uint32_t window) {
    KeyHook::Instance().Install(window);
    return 1;
}

__attribute__((visibility("default"))) int enablehook(int enable) {
    KeyHook::Instance().Enable(enable != 0);
    return 1;
}

__attribute__((visibility("default"))) int removehook(void) {
    KeyHook::Instance().Remove();
    return 1;
}

__attribute__((visibility("default"))) int installmousehook(void) {
    return 0;
}

__attribute__((visibility("default"))) int removemousehook(void) {
    return 0;
}

} // extern "C"
