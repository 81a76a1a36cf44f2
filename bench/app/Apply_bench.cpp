// Apply on the main window: every profile file written, then AGENT_MSG_SETTINGS_SAVED sent to the
// device agent and its answer awaited. The window runs on the headless back end in a scratch home;
// the agent is an endpoint of this process that answers at once, the way the agent stand-in does.
// Reported: the median over the iterations (apply_median_ms), besides the usual mean.

#include "agent/AgentInterface.h"
#include "mainwindow/CTunerDlg.h"
#include "model/Folders.h"
#include "model/IniFile.h"
#include "platform/backend/headless/HeadlessDriver.h"
#include "platform/ipc/Ipc.h"
#include "skin/SkinPaths.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace qor {
namespace {

// HOME and XDG_RUNTIME_DIR in fresh folders under /tmp (socket paths have a short length limit),
// removed afterwards. The benchmark runs alone, so the old values are not restored.
class ScratchHome {
public:
    ScratchHome() : root_(std::filesystem::path("/tmp") / ("qor-apply-bench-" + std::to_string(getpid()))) {
        std::filesystem::create_directories(root_ / "home");
        std::filesystem::create_directories(root_ / "run");
        std::filesystem::permissions(root_ / "run", std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::replace);
        setenv("HOME", (root_ / "home").c_str(), 1);
        setenv("XDG_RUNTIME_DIR", (root_ / "run").c_str(), 1);
        unsetenv("XDG_CONFIG_HOME");
        InitFolders();
    }
    ~ScratchHome() {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }

private:
    std::filesystem::path root_;
};

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    if (v.empty()) return 0;
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

void BM_Apply(benchmark::State& state) {
    ScratchHome home;
    std::atomic<int> answered{0};
    auto agent = ipc::Endpoint::Register(std::string(kAgentWindowTitle),
                                         [&answered](const ipc::Frame& frame, std::function<void(std::int64_t)> reply) {
                                             if (frame.message == AGENT_MSG_SETTINGS_SAVED) ++answered;
                                             reply(0);
                                         });
    if (!agent) {
        state.SkipWithError("the agent endpoint could not be registered");
        return;
    }
    // A mouse is connected: Apply is enabled.
    IniFile(SharedSettingsPath()).WriteInt(kConnectionFlagSection, kConnectionFlagKey, 1);
    SetSkinRoot(std::string(QOR_EXE_DIR) + "images/0409/");
    {
        HeadlessDriver ui;
        CTunerDlg dlg;
        if (!dlg.CreateModeless(WindowKind::Main)) {
            state.SkipWithError("the main window could not be created");
            SetSkinRoot({});
            return;
        }
        ui.Process();
        const Point apply{695, 573}; // the centre of the Apply button

        std::vector<double> ms;
        for (auto _ : state) {
            const int before = answered.load();
            const auto start = std::chrono::steady_clock::now();
            ui.Click(dlg.GetSafeHwnd(), apply);
            // The agent has answered once the message is counted (it counts before it answers).
            const auto limit = start + std::chrono::seconds(3);
            while (answered.load() == before && std::chrono::steady_clock::now() < limit) std::this_thread::yield();
            const auto end = std::chrono::steady_clock::now();
            if (answered.load() != before + 1) {
                state.SkipWithError("Apply did not reach the agent");
                break;
            }
            const double seconds = std::chrono::duration<double>(end - start).count();
            state.SetIterationTime(seconds);
            ms.push_back(seconds * 1000.0);
        }
        state.counters["apply_median_ms"] = Median(ms);
        dlg.DestroyWindow();
        ui.Process();
    }
    SetSkinRoot({});
}
BENCHMARK(BM_Apply)->Iterations(50)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
} // namespace qor
