#pragma once
// A main window on the headless back end with a scratch home and runtime folder, the generated skin,
// and a test device agent: an endpoint registered under the agent's title that records every message
// and, at the moment it arrives, whether all five profile files are on disk.

#include "agent/AgentInterface.h"
#include "mainwindow/CTunerDlg.h"
#include "model/Folders.h"
#include "model/IniFile.h"
#include "model/ProfileFiles.h"
#include "model/ProfileTable.h"
#include "platform/backend/headless/HeadlessDriver.h"
#include "platform/ipc/Ipc.h"
#include "skin/SkinPaths.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace qor::test {

// HOME and XDG_RUNTIME_DIR pointed at fresh folders for the life of the object.
class ScratchHome {
public:
    ScratchHome() {
        std::filesystem::create_directories(root_ / "home");
        std::filesystem::create_directories(root_ / "run");
        std::filesystem::permissions(root_ / "run", std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::replace);
        Save("HOME");
        Save("XDG_RUNTIME_DIR");
        Save("XDG_CONFIG_HOME");
        setenv("HOME", (root_ / "home").c_str(), 1);
        setenv("XDG_RUNTIME_DIR", (root_ / "run").c_str(), 1);
        unsetenv("XDG_CONFIG_HOME");
        InitFolders();
    }
    ~ScratchHome() {
        for (auto& [name, value] : saved_) {
            if (value) setenv(name.c_str(), value->c_str(), 1);
            else unsetenv(name.c_str());
        }
    }
    std::filesystem::path Root() const { return root_; }

private:
    void Save(const char* name) {
        const char* v = std::getenv(name);
        saved_.emplace_back(name, v ? std::optional<std::string>(v) : std::nullopt);
    }
    // Under /tmp: the runtime folder's socket paths must stay within their short length limit.
    TempFolder folder_{"qor-mainwindow", "/tmp"};
    std::filesystem::path root_ = folder_.Root();
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

inline bool AllProfileFilesExist() {
    for (int k = 0; k < kProfileCount; ++k)
        if (!std::filesystem::exists(ProfileFilePath(k))) return false;
    return true;
}

struct AgentMessage {
    std::uint32_t message;
    std::int64_t wParam;
    std::int64_t lParam;
    bool filesOnDisk; // all five profile files existed when the message arrived
};

class TestAgent {
public:
    TestAgent() {
        endpoint_ = ipc::Endpoint::Register(std::string(kAgentWindowTitle),
                                            [this](const ipc::Frame& f, std::function<void(int64_t)> reply) {
                                                {
                                                    std::lock_guard lock(mutex_);
                                                    messages_.push_back({f.message, f.wParam, f.lParam,
                                                                         AllProfileFilesExist()});
                                                }
                                                reply(0);
                                            });
    }
    bool Registered() const { return endpoint_ != nullptr; }
    std::vector<AgentMessage> Messages() const {
        std::lock_guard lock(mutex_);
        return messages_;
    }
    std::vector<std::uint32_t> Numbers() const {
        std::vector<std::uint32_t> out;
        for (const AgentMessage& m : Messages()) out.push_back(m.message);
        return out;
    }

private:
    mutable std::mutex mutex_;
    std::vector<AgentMessage> messages_;
    std::unique_ptr<ipc::Endpoint> endpoint_;
};

inline Point Centre(const Rect& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

class MainWindowTest : public ::testing::Test {
public: // the case tables of the tests act on the fixture
    ScratchHome home;
    HeadlessDriver ui;
    std::unique_ptr<TestAgent> agent = std::make_unique<TestAgent>();
    std::unique_ptr<CTunerDlg> dlg = std::make_unique<CTunerDlg>();

    MainWindowTest() { SetSkinRoot(std::string(QOR_EXE_DIR) + "images/0409/"); }
    ~MainWindowTest() override {
        dlg.reset();
        SetSkinRoot({});
    }

    void SetConnectionFlag(int value) {
        IniFile(SharedSettingsPath()).WriteInt(kConnectionFlagSection, kConnectionFlagKey, value);
    }
    void Open() {
        ASSERT_TRUE(agent->Registered());
        ASSERT_TRUE(dlg->CreateModeless(WindowKind::Main));
        ui.Process();
    }
    HWND W() const { return dlg->GetSafeHwnd(); }
    void Click(Point p) { ui.Click(W(), p); }
    void Click(const Rect& r) { Click(Centre(r)); }
    bool Closed() const { return !dlg->IsWindow(); }
    ProfileRecord& Profile(int k) { return LiveProfileTable().profiles[std::size_t(k)]; }
    // Visible according to the window tree: the control under the point is a window other than the
    // main window itself.
    bool ControlAt(Point p) const {
        const Point screen = dlg->ClientToScreen(p);
        const HWND h = WindowFromPoint(screen);
        return h != kNoWindow && h != W();
    }
};

// Click positions of the main window.
inline Rect TabRect(int page) {
    constexpr int kLeft[] = {72, 237, 402, 566};
    constexpr int kRight[] = {234, 399, 564, 728};
    return {kLeft[page - 1], 162, kRight[page - 1], 182};
}
inline constexpr Rect kExport{57, 560, 150, 586};
inline constexpr Rect kImport{157, 560, 250, 586};
inline constexpr Rect kResetProfile{255, 560, 348, 586};
inline constexpr Rect kResetAll{355, 560, 448, 586};
inline constexpr Rect kOk{453, 560, 547, 586};
inline constexpr Rect kCancel{551, 560, 644, 586};
inline constexpr Rect kApply{649, 560, 742, 586};
inline constexpr Rect kClose{742, 34, 756, 47};
inline Rect ProfileRect(int k) { return {109 + 120 * k, 525, 194 + 120 * k, 544}; }
inline Rect ReportRateRect(int c) {
    constexpr int kLeft[] = {510, 565, 620, 675};
    constexpr int kRight[] = {563, 618, 673, 734};
    return {kLeft[c], 441, kRight[c], 457};
}
inline Rect StageButtonRect(int s) {
    constexpr int a[] = {0, 125, 250, 370, 490};
    return {146 + a[s], 205, 208 + a[s], 227};
}
inline Rect LinkBoxRect(int s) {
    constexpr int l[] = {157, 285, 406, 526, 646};
    constexpr int r[] = {229, 352, 477, 597, 717};
    return {l[s], 235, r[s], 251};
}
inline Rect ModeRect(int m) {
    const int x = 100 + 150 * (m % 4);
    const int y = m < 4 ? 210 : 480;
    return {x, y, x + 150, y + 26};
}
inline Rect SwatchRect(int i) { return {107 + 26 * i, 288, 131 + 26 * i, 312}; }
inline Rect OptionRect(int group, int choice) {
    constexpr int x[] = {360, 360, 360, 127, 257};
    constexpr int y0[] = {290, 410, 410, 290, 290};
    return {x[group], y0[group] + 24 * choice, x[group] + 89, y0[group] + 24 * choice + 16};
}

} // namespace qor::test
