#pragma once
// The exports of the key hook library KBHook.so, for the program that loads it with dlopen and finds
// each entry point with dlsym (any of them may be missing). While enabled, every key press and
// release is posted to the installed window as message 2258: wParam = Windows virtual-key code,
// lParam = flags (bit 7 set = released, bit 0 = extended key). Every call is safe from any thread.

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

// Reports keys to `window` (a window of the loading process) from now on, while enabled. Returns 1.
typedef int (*KBHookInstallFn)(uint32_t window);
// 1 = report, 0 = stop reporting. Returns 1.
typedef int (*KBHookEnableFn)(int enable);
// Capturing ends: nothing more is posted and the library stops listening. Returns 1.
typedef int (*KBHookRemoveFn)(void);
// The mouse hook of the library is not implemented: both return 0 and do nothing.
typedef int (*KBHookMouseFn)(void);

int installhook(uint32_t window);
int enablehook(int enable);
int removehook(void);
int installmousehook(void);
int removemousehook(void);

#ifdef __cplusplus
}
#endif

// Message number of a key report.
#define KBHOOK_MSG_KEY 2258u
