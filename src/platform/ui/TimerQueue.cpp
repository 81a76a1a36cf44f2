#include "platform/ui/TimerQueue.h"

#include <algorithm>

namespace qor {

void TimerQueue::Set(HWND window, UINT id, std::uint32_t periodMs, std::uint64_t now) {
    Kill(window, id);
    const std::uint32_t period = std::max<std::uint32_t>(periodMs, 1);
    timers_.push_back({window, id, period, now + period, nextSerial_++, false});
}

bool TimerQueue::Kill(HWND window, UINT id) {
    auto it = std::find_if(timers_.begin(), timers_.end(),
                           [&](const Timer& t) { return t.window == window && t.id == id; });
    if (it == timers_.end())
        return false;
    timers_.erase(it);
    return true;
}

void TimerQueue::KillAll(HWND window) {
    std::erase_if(timers_, [&](const Timer& t) { return t.window == window; });
}

std::vector<TimerQueue::Tick> TimerQueue::TakeDue(std::uint64_t now) {
    std::vector<Timer*> due;
    for (Timer& t : timers_)
        if (!t.pending && t.due <= now)
            due.push_back(&t);
    std::sort(due.begin(), due.end(), [](const Timer* a, const Timer* b) {
        return a->due != b->due ? a->due < b->due : a->serial < b->serial;
    });
    std::vector<Tick> ticks;
    ticks.reserve(due.size());
    for (Timer* t : due) {
        ticks.push_back({t->window, t->id, t->serial});
        t->pending = true;
        // Late ticks are not caught up: the next one comes a full period after this one is taken.
        t->due = std::max(t->due + t->period, now + 1);
    }
    return ticks;
}

bool TimerQueue::Deliver(const Tick& tick) {
    for (Timer& t : timers_) {
        if (t.window == tick.window && t.id == tick.id && t.serial == tick.serial) {
            t.pending = false;
            return true;
        }
    }
    return false;
}

std::optional<std::uint64_t> TimerQueue::NextDue() const {
    std::optional<std::uint64_t> next;
    for (const Timer& t : timers_)
        if (!t.pending && (!next || t.due < *next))
            next = t.due;
    return next;
}

} // namespace qor
