#include "platform/backend/sdl/UnlockedStartReads.h"

#include <cstdio>

namespace {

thread_local bool readsUnlocked = false;

} // namespace

// Every library of the process reaches getc through this definition. fgetc is glibc's own locked
// getc under another name, so everything else reads exactly as before.
extern "C" int getc(FILE* stream) { return readsUnlocked ? getc_unlocked(stream) : std::fgetc(stream); }

namespace qor {

UnlockedStartReads::UnlockedStartReads() : before_(readsUnlocked) { readsUnlocked = true; }

UnlockedStartReads::~UnlockedStartReads() { readsUnlocked = before_; }

} // namespace qor
