// Time from exec to the first frame presented to a shown window, and peak memory up to then, of our demo
// window set against a bare SDL2 program, both on a private Xvfb in the same run; then the same for the
// real program, qor-tuner, with its device agent running in a scratch home. The programs run
// alternately so that load from elsewhere on the machine falls on both alike; medians over the runs are
// compared. The first run of each is not counted: it leaves what a program keeps for its next start
// (fontconfig's answers), as any earlier run on a user's machine would have.
// Targets: time at most 1.3 x the bare program's, peak memory at most 1.6 x.

#include "SpawnAndRead.h"
#include "XvfbServer.h"
#include "platform/gfx/Png.h"

#include <benchmark/benchmark.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <thread>
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

// Runs a program through the launcher; empty when it did not report a first frame. stderrProbe: the
// program keeps running and tells the moment through its SDL back end (see startup_launch).
std::optional<Sample> RunOnce(const std::vector<std::string>& program, bool stderrProbe = false) {
    std::vector<char*> args{const_cast<char*>(STARTUP_LAUNCH)};
    if (stderrProbe) args.push_back(const_cast<char*>("--stderr-probe"));
    for (const std::string& a : program) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    const std::optional<SpawnedOutput> run = SpawnAndRead(args.data());
    if (!run) return std::nullopt;
    const pid_t pid = run->pid;
    const std::string& out = run->out;
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

struct Series {
    std::vector<double> bareMs, ms, bareMiB, MiB;
};

// Runs the bare program and the candidate alternately, each iteration once each, after one warm-up run
// of each (file cache, font cache); false when either failed to present a frame.
bool Alternate(benchmark::State& state, const std::vector<std::string>& candidate, bool stderrProbe, Series& out) {
    const std::vector<std::string> bare{STARTUP_BARE};
    RunOnce(bare);
    RunOnce(candidate, stderrProbe);
    bool odd = false;
    for (auto _ : state) {
        odd = !odd;
        const std::optional<Sample> first = odd ? RunOnce(bare) : RunOnce(candidate, stderrProbe);
        const std::optional<Sample> second = odd ? RunOnce(candidate, stderrProbe) : RunOnce(bare);
        if (!first || !second) {
            state.SkipWithError("a start-up program did not present its first frame");
            return false;
        }
        const Sample& b = odd ? *first : *second;
        const Sample& c = odd ? *second : *first;
        state.SetIterationTime(c.ms / 1000.0);
        out.bareMs.push_back(b.ms);
        out.ms.push_back(c.ms);
        out.bareMiB.push_back(b.peakMiB);
        out.MiB.push_back(c.peakMiB);
    }
    return !out.bareMs.empty();
}

void Report(benchmark::State& state, const Series& s, const std::string& name) {
    const double timeRatio = Median(s.ms) / Median(s.bareMs);
    const double memoryRatio = Median(s.MiB) / Median(s.bareMiB);
    state.counters["bare_ms"] = Median(s.bareMs);
    state.counters[name + "_ms"] = Median(s.ms);
    state.counters["time_ratio"] = timeRatio;
    state.counters["bare_MiB"] = Median(s.bareMiB);
    state.counters[name + "_MiB"] = Median(s.MiB);
    state.counters["memory_ratio"] = memoryRatio;
    state.counters["within_targets"] = timeRatio <= kTimeTarget && memoryRatio <= kMemoryTarget ? 1 : 0;
}

void BM_StartupToFirstFrame(benchmark::State& state) {
    qor::test::XvfbServer server(1024, 768);
    if (!server.Running()) {
        state.SkipWithError("Xvfb is not available");
        return;
    }
    setenv("DISPLAY", server.Display().c_str(), 1);
    const std::string images = WriteDemoImages();
    Series series;
    const bool ok = Alternate(state, {STARTUP_DEMO, images}, true, series);
    std::filesystem::remove_all(images);
    if (ok) Report(state, series, "demo");
}
BENCHMARK(BM_StartupToFirstFrame)->Iterations(15)->UseManualTime()->Unit(benchmark::kMillisecond);

// The device agent stand-in for the real program, in its own scratch home; stopped with the object.
class ScratchAgent {
public:
    explicit ScratchAgent(const std::filesystem::path& root) {
        const std::filesystem::path home = root / "home";
        const std::filesystem::path runtime = root / "run";
        std::filesystem::create_directories(home);
        std::filesystem::create_directories(runtime);
        std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
        setenv("HOME", home.c_str(), 1);
        setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
        unsetenv("XDG_CONFIG_HOME");
        const char* args[] = {STARTUP_HID, "--connected", "1", nullptr};
        if (posix_spawn(&pid_, STARTUP_HID, nullptr, nullptr, const_cast<char**>(args), environ) != 0) pid_ = -1;
        const std::filesystem::path socket = runtime / "qorvr17" / "QORVR17_GamingMouse_HID.sock";
        for (int i = 0; pid_ > 0 && i < 500 && !std::filesystem::exists(socket); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        ready_ = pid_ > 0 && std::filesystem::exists(socket);
    }
    ~ScratchAgent() {
        if (pid_ <= 0) return;
        kill(pid_, SIGTERM);
        int status = 0;
        while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
        }
    }
    ScratchAgent(const ScratchAgent&) = delete;
    ScratchAgent& operator=(const ScratchAgent&) = delete;
    bool Ready() const { return ready_; }

private:
    pid_t pid_ = -1;
    bool ready_ = false;
};

void BM_TunerStartupToFirstFrame(benchmark::State& state) {
    qor::test::XvfbServer server(1024, 768);
    if (!server.Running()) {
        state.SkipWithError("Xvfb is not available");
        return;
    }
    setenv("DISPLAY", server.Display().c_str(), 1);
    const std::filesystem::path root =
        std::filesystem::temp_directory_path() / ("qor-tuner-startup-" + std::to_string(getpid()));
    Series series;
    bool ok = false;
    {
        ScratchAgent agent(root);
        if (!agent.Ready()) state.SkipWithError("the device agent did not start");
        else ok = Alternate(state, {STARTUP_TUNER}, true, series);
    }
    std::filesystem::remove_all(root);
    if (ok) Report(state, series, "tuner");
}
BENCHMARK(BM_TunerStartupToFirstFrame)->Iterations(15)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
