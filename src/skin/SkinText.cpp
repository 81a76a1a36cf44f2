#include "skin/SkinText.h"

#include "model/IniFile.h"
#include "platform/gfx/FileStamp.h"
#include "skin/SkinPaths.h"

#include <ctime>
#include <map>
#include <mutex>

namespace qor {

namespace {

// Older than this at the moment it was read, a file's time stamp is trusted to show any later change;
// covers the coarsest stamps in use (two seconds).
constexpr std::int64_t kSettledNs = 3'000'000'000;

std::int64_t NowNs() {
    timespec ts{};
    ::clock_gettime(CLOCK_REALTIME, &ts);
    return std::int64_t(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec;
}

struct Entry {
    FileStamp stamp;
    bool settled = false; // the stamp was old enough when read to be trusted
    IniBatch ini;
};

// Keyed by the full path, so another skin root finds its own files.
std::mutex cacheMutex;
std::map<std::string, Entry, std::less<>> cache;
std::uint64_t fileReads = 0;

std::string ReadText(std::string_view file, std::string_view section, int number) {
    const std::string path = SkinPath(SkinFolder::Strings, file);
    const FileStamp stamp = StampOf(path);
    std::lock_guard lock(cacheMutex);
    auto it = cache.find(path);
    if (it == cache.end() || !it->second.settled || it->second.stamp != stamp) {
        const std::int64_t readAt = NowNs();
        IniBatch ini(path);
        ++fileReads;
        // Stamp before the read: a change during the read then shows as a different stamp next time.
        const bool settled = stamp.exists && readAt - stamp.modifiedNs >= kSettledNs;
        it = cache.insert_or_assign(path, Entry{stamp, settled, std::move(ini)}).first;
    }
    return it->second.ini.ReadString(section, std::to_string(number), "");
}

} // namespace

std::string SkinText(std::string_view section, int number) {
    return ReadText("skins.ini", section, number);
}

std::string GeneralText(std::string_view section, int number) {
    return ReadText("general.ini", section, number);
}

std::uint64_t SkinTextFileReads() {
    std::lock_guard lock(cacheMutex);
    return fileReads;
}

} // namespace qor
