#pragma once
// Start-up work that runs beside the user-interface thread and the display's start must not slow
// them down: its threads give way to them.

#include <sys/resource.h>

namespace qor {

// Lowers the calling thread's priority (on Linux the nice value belongs to each thread).
inline void GiveWayToForeground() { setpriority(PRIO_PROCESS, 0, 10); }

} // namespace qor
