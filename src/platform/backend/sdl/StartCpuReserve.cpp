#include "platform/backend/sdl/StartCpuReserve.h"

#include <dirent.h>
#include <sys/types.h>

#include <cstdlib>

namespace qor {

StartCpuReserve::StartCpuReserve() {
    if (sched_getaffinity(0, sizeof before_, &before_) != 0 || CPU_COUNT(&before_) < 2) return;
    narrowed_ = before_;
    for (int cpu = CPU_SETSIZE - 1; cpu >= 0; --cpu) {
        if (CPU_ISSET(cpu, &narrowed_)) {
            CPU_CLR(cpu, &narrowed_);
            break;
        }
    }
    active_ = sched_setaffinity(0, sizeof narrowed_, &narrowed_) == 0;
}

void StartCpuReserve::Release() {
    if (!active_) return;
    active_ = false;
    // Threads started meanwhile took the narrowed set from their creator. A thread that a narrowed one
    // starts while the list is read can be missed once, hence the second pass.
    for (int pass = 0; pass < 2; ++pass) {
        DIR* tasks = opendir("/proc/self/task");
        if (tasks == nullptr) break;
        while (const dirent* entry = readdir(tasks)) {
            const pid_t tid = pid_t(std::atoi(entry->d_name));
            cpu_set_t now;
            if (tid <= 0 || sched_getaffinity(tid, sizeof now, &now) != 0 || !CPU_EQUAL(&now, &narrowed_)) continue;
            sched_setaffinity(tid, sizeof before_, &before_);
        }
        closedir(tasks);
    }
    // Without /proc the calling thread at least gets its processors back.
    sched_setaffinity(0, sizeof before_, &before_);
}

} // namespace qor
