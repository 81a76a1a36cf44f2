// The processor kept free while SDL starts: the calling thread and the threads it starts meanwhile stay
// off it, and all of them may use it again once the reserve is released.

#include "platform/backend/sdl/StartCpuReserve.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace qor {
namespace {

cpu_set_t Mine() {
    cpu_set_t set;
    CPU_ZERO(&set);
    sched_getaffinity(0, sizeof set, &set);
    return set;
}

TEST(StartCpuReserve, KeepsThreadsOffOneProcessorUntilReleased) {
    const cpu_set_t all = Mine();
    if (CPU_COUNT(&all) < 2) {
        StartCpuReserve reserve;
        EXPECT_FALSE(reserve.Active()) << "a single processor is never reserved";
        return;
    }
    StartCpuReserve reserve;
    ASSERT_TRUE(reserve.Active());
    const cpu_set_t narrowed = Mine();
    EXPECT_EQ(CPU_COUNT(&narrowed), CPU_COUNT(&all) - 1);
    cpu_set_t both;
    CPU_AND(&both, &narrowed, &all);
    EXPECT_TRUE(CPU_EQUAL(&both, &narrowed)) << "only processors it had";

    std::atomic<bool> released{false};
    std::atomic<bool> started{false};
    cpu_set_t whileReserved{};
    cpu_set_t afterwards{};
    std::thread worker([&] {
        whileReserved = Mine();
        started = true;
        while (!released) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        afterwards = Mine();
    });
    while (!started) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    reserve.Release();
    released = true;
    worker.join();

    EXPECT_TRUE(CPU_EQUAL(&whileReserved, &narrowed)) << "a thread started meanwhile inherits the reserve";
    EXPECT_TRUE(CPU_EQUAL(&afterwards, &all)) << "and gets every processor back while it runs";
    const cpu_set_t mine = Mine();
    EXPECT_TRUE(CPU_EQUAL(&mine, &all));
    EXPECT_FALSE(reserve.Active());
}

} // namespace
} // namespace qor
