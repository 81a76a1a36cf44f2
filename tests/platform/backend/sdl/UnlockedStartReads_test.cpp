// getc reads past another thread's lock on the stream only on a thread that asked for it, and only
// while it asks; every library of the program reaches this getc.

#include "platform/backend/sdl/UnlockedStartReads.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>

namespace qor {
namespace {

class LockedStream : public testing::Test {
protected:
    void SetUp() override {
        stream_ = std::tmpfile();
        ASSERT_NE(stream_, nullptr);
        std::fputs("abc", stream_);
        std::rewind(stream_);
    }
    void TearDown() override { std::fclose(stream_); }

    // Runs while another thread holds the stream's lock.
    template <typename Work>
    void WithStreamHeldElsewhere(Work work) {
        std::atomic<bool> held{false};
        std::atomic<bool> release{false};
        std::thread holder([&] {
            flockfile(stream_);
            held = true;
            while (!release) std::this_thread::sleep_for(std::chrono::milliseconds(1));
            funlockfile(stream_);
        });
        while (!held) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        work(release);
        release = true;
        holder.join();
    }

    FILE* stream_ = nullptr;
};

TEST_F(LockedStream, ReadsPastTheLockOnlyWhileAsked) {
    WithStreamHeldElsewhere([&](std::atomic<bool>&) {
        UnlockedStartReads unlocked;
        EXPECT_EQ(getc(stream_), 'a');
        {
            UnlockedStartReads nested;
            EXPECT_EQ(getc(stream_), 'b');
        }
        EXPECT_EQ(getc(stream_), 'c') << "the inner guard gave back the outer one's state";
    });

    std::rewind(stream_);
    WithStreamHeldElsewhere([&](std::atomic<bool>& release) {
        std::atomic<int> got{0};
        std::thread reader([&] { got = getc(stream_); });
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        EXPECT_EQ(got.load(), 0) << "read without waiting for the lock";
        release = true;
        reader.join();
        EXPECT_EQ(got.load(), 'a');
    });
}

TEST(UnlockedStartReads, TheProgramsGetcIsTheOneLibrariesReach) {
    using Getc = int (*)(FILE*);
    EXPECT_EQ(reinterpret_cast<Getc>(dlsym(RTLD_DEFAULT, "getc")), static_cast<Getc>(&getc));
}

} // namespace
} // namespace qor
