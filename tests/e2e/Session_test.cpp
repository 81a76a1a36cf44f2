// The real program with the agent stand-in on a virtual display: a connection report reaches the
// window, a profile report switches the profile, Apply writes the five files and tells the agent,
// and Cancel closes the window. Screenshots go to <build>/screenshots/e2e-*.png.

#include "model/ProfileFiles.h"
#include "model/ProfileTable.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include "support/TempFolder.h"

namespace qor {
namespace {

TEST(Session, ReportsApplyAndCancelWithTheRealProgram) {
    if (std::system("command -v xvfb-run >/dev/null && command -v xdotool >/dev/null && command -v xwd >/dev/null") != 0)
        GTEST_SKIP() << "xvfb-run, xdotool or xwd is missing";
    // Under /tmp: the agent's socket path must stay short.
    const test::TempFolder folder("qor-e2e", "/tmp");
    ASSERT_FALSE(folder.Root().empty());
    const std::filesystem::path root = folder.Root();
    std::filesystem::create_directories(root / "home");
    std::filesystem::create_directories(root / "run");
    std::filesystem::permissions(root / "run", std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::replace);
    const std::filesystem::path log = root / "agent.log";
    const std::filesystem::path shots = std::filesystem::path(QOR_EXE_DIR).parent_path().parent_path() / "screenshots";
    // Several test runs may start virtual displays at once; searching for a free display from a
    // random number instead of from 99 keeps them from racing for the same one.
    const int serverNumber = 200 + int(std::random_device{}() % 3000);
    const std::string cmd = "env -u DISPLAY -u XDG_CONFIG_HOME HOME='" + (root / "home").string() + "' XDG_RUNTIME_DIR='" +
                            (root / "run").string() + "' timeout 120 xvfb-run -a -n " + std::to_string(serverNumber) +
                            " -s '-screen 0 1280x800x24' " +
                            QOR_E2E_SCRIPT + " " + QOR_EXE_DIR + " '" + shots.string() + "' '" + log.string() + "'";
    ASSERT_EQ(std::system(cmd.c_str()), 0) << cmd;

    const std::string data = (root / "home" / "Documents" / "QOR VR17 Gaming Mouse").string() + "/";
    ProfileTable onDisk;
    LoadProfileTable(onDisk, data);
    EXPECT_EQ(onDisk.GroupID, 2) << "the profile report chose profile 3 and Apply wrote it";
    for (int k = 0; k < kProfileCount; ++k)
        EXPECT_TRUE(std::filesystem::exists(ProfileFilePathIn(data, k))) << k;

    std::ifstream in(log);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_NE(text.str().find("\"message\":1246"), std::string::npos) << text.str();
    EXPECT_NE(text.str().find("\"delivered\":true"), std::string::npos) << "the reports reached the window";
    for (const char* name : {"e2e-connected", "e2e-page1", "e2e-page2", "e2e-page3", "e2e-page4", "e2e-warning"})
        EXPECT_TRUE(std::filesystem::exists(shots / (std::string(name) + ".png"))) << name;
}

} // namespace
} // namespace qor
