#pragma once
// Window timers against a millisecond clock. A timer that is due while its previous tick has not been
// handled yet is not queued twice; a killed timer's pending tick is recognised by its serial number and
// dropped.

#include "platform/ui/Messages.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace qor {

class TimerQueue {
public:
    struct Tick {
        HWND window;
        UINT id;
        std::uint64_t serial;
    };

    // Starts or restarts the timer (window, id) with the given period (at least 1 ms).
    void Set(HWND window, UINT id, std::uint32_t periodMs, std::uint64_t now);
    bool Kill(HWND window, UINT id);
    void KillAll(HWND window);

    // Every timer due at `now` that has no tick pending, earliest due first (then in order of setting);
    // each is marked pending and its next due time set one period later.
    std::vector<Tick> TakeDue(std::uint64_t now);
    // True when the tick still belongs to a live timer; clears its pending mark.
    bool Deliver(const Tick& tick);
    // Earliest due time of a timer without a pending tick.
    std::optional<std::uint64_t> NextDue() const;
    bool Empty() const { return timers_.empty(); }

private:
    struct Timer {
        HWND window;
        UINT id;
        std::uint32_t period;
        std::uint64_t due;
        std::uint64_t serial;
        bool pending;
    };
    std::vector<Timer> timers_;
    std::uint64_t nextSerial_ = 1;
};

} // namespace qor
