#pragma once
// While SDL starts it talks to the X server in hundreds of short exchanges, each side waiting for the
// other. Any busy thread of ours on the processor where one of them wakes up delays that exchange: on
// two processors, one busy thread beside it made a 10 ms start take up to 20 ms. So while SDL starts,
// the user-interface thread, and every thread it starts meanwhile, stay off one processor, which SDL's
// thread and the server then find free; afterwards every one of them may run anywhere again.

#include <sched.h>

namespace qor {

class StartCpuReserve {
public:
    // Keeps the calling thread off the last processor it may use; nothing when it may use only one.
    StartCpuReserve();
    ~StartCpuReserve() { Release(); }
    StartCpuReserve(const StartCpuReserve&) = delete;
    StartCpuReserve& operator=(const StartCpuReserve&) = delete;

    // Every thread of the process still kept off that processor may use it again.
    void Release();
    bool Active() const { return active_; }

private:
    cpu_set_t before_{};
    cpu_set_t narrowed_{};
    bool active_ = false;
};

} // namespace qor
