#pragma once
// Watches one folder with inotify and counts, per file name, how often a file was renamed into place
// and how often a file of that name was written in place. An atomic replace shows as one rename and
// no in-place write; a file written twice in one operation shows as two renames.

#include <gtest/gtest.h>
#include <map>
#include <string>
#include <sys/inotify.h>
#include <unistd.h>

namespace qor::test {

class FileEvents {
public:
    explicit FileEvents(const std::string& folder) {
        fd_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        EXPECT_GE(fd_, 0);
        if (fd_ >= 0) {
            EXPECT_GE(::inotify_add_watch(fd_, folder.c_str(), IN_MOVED_TO | IN_CLOSE_WRITE), 0);
        }
    }
    ~FileEvents() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileEvents(const FileEvents&) = delete;
    FileEvents& operator=(const FileEvents&) = delete;

    // Events are queued by the system call that causes them, so after an operation returns they are
    // all here to be read.
    void Drain() {
        alignas(inotify_event) char buffer[16384];
        for (;;) {
            const ssize_t n = fd_ >= 0 ? ::read(fd_, buffer, sizeof buffer) : -1;
            if (n <= 0)
                return;
            for (ssize_t at = 0; at < n;) {
                const auto* e = reinterpret_cast<const inotify_event*>(buffer + at);
                const std::string name = e->len ? std::string(e->name) : std::string();
                if (e->mask & IN_MOVED_TO)
                    ++renamed_[name];
                if (e->mask & IN_CLOSE_WRITE)
                    ++writtenInPlace_[name];
                at += static_cast<ssize_t>(sizeof(inotify_event) + e->len);
            }
        }
    }
    void Reset() {
        Drain();
        renamed_.clear();
        writtenInPlace_.clear();
    }
    int Renamed(const std::string& name) {
        Drain();
        return renamed_[name];
    }
    int WrittenInPlace(const std::string& name) {
        Drain();
        return writtenInPlace_[name];
    }
    // Every name that was renamed into place, with its count.
    std::map<std::string, int> AllRenamed() {
        Drain();
        return renamed_;
    }

private:
    int fd_ = -1;
    std::map<std::string, int> renamed_;
    std::map<std::string, int> writtenInPlace_;
};

} // namespace qor::test
