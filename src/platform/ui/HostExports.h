#pragma once
// The C interface the host program exports to libraries it loads (the key hook library finds these
// with dlsym(RTLD_DEFAULT, ...); the program links with exported dynamic symbols). Both functions are
// safe to call from any thread.

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

// Called for every key press and release that reaches one of the host's own windows:
// vk = Windows virtual-key code, flags bit 7 set = released.
typedef void (*QorKeyTapFn)(void* context, uint32_t vk, uint32_t flags);

// Installs (fn != NULL) or removes (fn == NULL) the one key tap. Returns 0 on success.
int qor_host_set_key_tap(QorKeyTapFn fn, void* context);

// Queues a message for a window of this process, like PostMessage. Returns 0 if the window exists.
int qor_host_post_message(uint32_t window, uint32_t message, int64_t wParam, int64_t lParam);

#ifdef __cplusplus
}
#endif
