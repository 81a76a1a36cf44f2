// A full save against the floor any crash-safe save must pay: the same five files' final bytes,
// each written once to a temporary file, flushed and renamed. Both run against the same folder on
// the same disk in the same run. Target: the full save at most 1.5x the floor.
#include "model/ProfileFiles.h"

#include <array>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <unistd.h>

namespace qor {
namespace {

// A folder next to the build (on disk, unlike a tmpfs /tmp, so the flushes cost what they cost).
const std::string& BenchFolder() {
    static const std::string folder = [] {
        std::string pattern = std::filesystem::current_path().string() + "/qor-bench-XXXXXX";
        if (!::mkdtemp(pattern.data()))
            std::abort();
        std::atexit([] { std::filesystem::remove_all(BenchFolder()); });
        return pattern + "/";
    }();
    return folder;
}

std::unique_ptr<ProfileTable> FullTable() {
    auto t = std::make_unique<ProfileTable>();
    for (int k = 0; k < kProfileCount; ++k) {
        ResetProfile(*t, k);
        for (int b = 0; b < kButtonCount; ++b) {
            ButtonRecord& r = t->profiles[k].Buttons[b];
            r.ButtonID = static_cast<std::uint8_t>(b + 1);
            r.LoopNumber = 3;
            r.MacroName = "Macro " + std::to_string(b);
            for (std::size_t i = 0; i < r.AssignData.size(); ++i)
                r.AssignData[i] = static_cast<std::uint8_t>(i * 31 + b);
        }
    }
    return t;
}

void BM_SaveProfileFiles(benchmark::State& state) {
    const auto table = FullTable();
    const std::string folder = BenchFolder();
    SaveProfileFiles(*table, folder); // steady state: the files exist, as they do after the first save
    for (auto _ : state)
        if (!SaveProfileFiles(*table, folder))
            state.SkipWithError("save failed");
}
BENCHMARK(BM_SaveProfileFiles)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

void BM_WriteFinalBytesOnly(benchmark::State& state) {
    const auto table = FullTable();
    const std::string folder = BenchFolder();
    SaveProfileFiles(*table, folder);
    std::array<std::string, kProfileCount> bytes;
    for (int k = 0; k < kProfileCount; ++k) {
        std::ifstream in(ProfileFilePathIn(folder, k), std::ios::binary);
        bytes[k].assign(std::istreambuf_iterator<char>(in), {});
    }
    for (auto _ : state) {
        for (int k = 0; k < kProfileCount; ++k) {
            const std::string path = ProfileFilePathIn(folder, k);
            const std::string temp = path + ".tmp";
            const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
            if (fd < 0 ||
                ::write(fd, bytes[k].data(), bytes[k].size()) != static_cast<ssize_t>(bytes[k].size()) ||
                ::fsync(fd) != 0 || ::close(fd) != 0 || ::rename(temp.c_str(), path.c_str()) != 0)
                state.SkipWithError("write failed");
        }
    }
}
BENCHMARK(BM_WriteFinalBytesOnly)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

void BM_LoadProfileTable(benchmark::State& state) {
    const auto table = FullTable();
    const std::string folder = BenchFolder();
    SaveProfileFiles(*table, folder);
    auto live = std::make_unique<ProfileTable>();
    for (auto _ : state) {
        LoadProfileTable(*live, folder);
        benchmark::DoNotOptimize(live->profiles[4].Buttons[8].AssignData[188]);
    }
}
BENCHMARK(BM_LoadProfileTable)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace qor
