#pragma once
// Xlib reads its compose table (half a megabyte in UTF-8 locales) one getc at a time. Once a process
// has a second thread, glibc locks the stream around every one of those calls, which makes SDL's start
// about a third slower. The streams Xlib opens while SDL starts are its own, opened and closed on that
// thread and never seen by another, so there, and only while SDL starts, getc reads without the lock.
// Programs linked with this back end export their getc for that (see CMakeLists.txt).

namespace qor {

class UnlockedStartReads {
public:
    UnlockedStartReads();
    ~UnlockedStartReads();
    UnlockedStartReads(const UnlockedStartReads&) = delete;
    UnlockedStartReads& operator=(const UnlockedStartReads&) = delete;

private:
    bool before_;
};

} // namespace qor
