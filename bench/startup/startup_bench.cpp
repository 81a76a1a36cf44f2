// Time from exec to the first presented frame, and peak memory, of our demo window set against a bare
// SDL2 program, both on a private Xvfb in the same run. The two programs run alternately so that load
// from elsewhere on the machine falls on both alike; medians over the runs are compared.
// Targets: time at most 1.3 x the bare program's, peak memory at most 1.6 x.

#include "XvfbServer.h"
#include "platform/gfx/Png.h"

#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

extern char** environ;

namespace {

constexpr double kTimeTarget = 1.3;
constexpr double kMemoryTarget = 1.6;

struct Sample {
    double ms = 0;     // exec to first frame
    double peakMiB = 0; // ru_maxrss of the child
};

// Runs a program through the launcher; empty when it did not report a first frame.
std::optional<Sample> RunOnce(const std::vector<std::string>& program) {
    int fds[2];
    if (pipe(fds) != 0) return std::nullopt;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    posix_spawn_file_actions_addclose(&actions, fds[1]);
    std::vector<char*> args{const_cast<char*>(STARTUP_LAUNCH)};
    for (const std::string& a : program) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    pid_t pid = -1;
    const int spawned = posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (spawned != 0) {
        close(fds[0]);
        return std::nullopt;
    }
    std::string out;
    char buffer[128];
    for (ssize_t n; (n = read(fds[0], buffer, sizeof buffer)) != 0;) {
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) break;
        out.append(buffer, std::size_t(n));
    }
    close(fds[0]);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    long long execNs = 0;
    long long frameNs = 0;
    long peakKiB = 0;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 ||
        std::sscanf(out.c_str(), "%lld %lld %ld", &execNs, &frameNs, &peakKiB) != 3)
        return std::nullopt;
    return Sample{double(frameNs - execNs) / 1e6, double(peakKiB) / 1024.0};
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : (v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2);
}

// Artwork for the demo: a background and 30 tile images, with enough detail to make decoding real work.
std::string WriteDemoImages() {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("qor-startup-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    qor::Image background(760, 600);
    for (int y = 0; y < background.height; ++y)
        for (int x = 0; x < background.width; ++x)
            background.At(x, y) = qor::MakeArgb(255, std::uint8_t(x / 3), std::uint8_t(y / 3), std::uint8_t((x * y) >> 9));
    qor::SavePng(background, (folder / "background.png").string());
    for (int i = 0; i < 30; ++i) {
        qor::Image tile(46, 38);
        for (int y = 0; y < tile.height; ++y)
            for (int x = 0; x < tile.width; ++x)
                tile.At(x, y) = qor::MakeArgb(std::uint8_t(200 + (x + y) % 56), std::uint8_t(i * 8 + x),
                                              std::uint8_t(255 - y * 5), std::uint8_t(i * 3 + x * y));
        qor::SavePng(tile, (folder / ("tile" + std::to_string(i) + ".png")).string());
    }
    return folder.string();
}

void BM_StartupToFirstFrame(benchmark::State& state) {
    qor::test::XvfbServer server(1024, 768);
    if (!server.Running()) {
        state.SkipWithError("Xvfb is not available");
        return;
    }
    setenv("DISPLAY", server.Display().c_str(), 1);
    const std::string images = WriteDemoImages();
    const std::vector<std::string> bare{STARTUP_BARE};
    const std::vector<std::string> demo{STARTUP_DEMO, images};
    // Warm the file cache and the font cache once; every measured run then starts alike.
    RunOnce(bare);
    RunOnce(demo);

    std::vector<double> bareMs, demoMs, bareMiB, demoMiB;
    bool odd = false;
    for (auto _ : state) {
        odd = !odd;
        const std::optional<Sample> first = RunOnce(odd ? bare : demo);
        const std::optional<Sample> second = RunOnce(odd ? demo : bare);
        if (!first || !second) {
            state.SkipWithError("a start-up program did not present its first frame");
            break;
        }
        const Sample& b = odd ? *first : *second;
        const Sample& d = odd ? *second : *first;
        state.SetIterationTime(d.ms / 1000.0);
        bareMs.push_back(b.ms);
        demoMs.push_back(d.ms);
        bareMiB.push_back(b.peakMiB);
        demoMiB.push_back(d.peakMiB);
    }
    std::filesystem::remove_all(images);
    if (bareMs.empty()) return;

    const double timeRatio = Median(demoMs) / Median(bareMs);
    const double memoryRatio = Median(demoMiB) / Median(bareMiB);
    state.counters["bare_ms"] = Median(bareMs);
    state.counters["demo_ms"] = Median(demoMs);
    state.counters["time_ratio"] = timeRatio;
    state.counters["bare_MiB"] = Median(bareMiB);
    state.counters["demo_MiB"] = Median(demoMiB);
    state.counters["memory_ratio"] = memoryRatio;
    state.counters["within_targets"] = timeRatio <= kTimeTarget && memoryRatio <= kMemoryTarget ? 1 : 0;
}
BENCHMARK(BM_StartupToFirstFrame)->Iterations(15)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
