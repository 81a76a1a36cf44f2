// qor-tuner, settings-core build: the window does not exist yet, so this program does what the
// utility does with the profile files at start-up and on Apply, and says so. It loads the five
// profile files of the user data folder, repairs every out-of-range value, writes all five back and
// prints where they are and what they hold.

#include "model/Folders.h"
#include "model/ProfileFiles.h"
#include "model/ProfileTable.h"

#include <cstdio>

int main() {
    using namespace qor;
    InitFolders();
    LoadProfileTable();
    const bool saved = SaveProfileFiles();
    const ProfileTable& table = LiveProfileTable();

    std::printf("QOR VR17 Gaming Mouse - settings core (no window in this build)\n");
    std::printf("Program folder:   %s\n", ExeFolder().c_str());
    std::printf("User data folder: %s\n", UserDataFolder().c_str());
    std::printf("Current profile:  %d\n", table.GroupID + 1);
    for (int k = 0; k < kProfileCount; ++k) {
        const ProfileRecord& p = table.profiles[k];
        std::printf("  %s  report every %d ms, pointer speed %d, stage %d of %d, buttons:", ProfileFilePath(k).c_str(),
                    p.PollingRate, p.MouseSensitivity, p.DPI + 1, p.DPIStageNum);
        for (const ButtonRecord& b : p.Buttons) std::printf(" %u", unsigned(b.ButtonFunc));
        std::printf("\n");
    }
    std::printf(saved ? "Loaded, repaired and wrote back all five profile files.\n"
                      : "Loaded and repaired the profiles; the files could not be written.\n");
    return saved ? 0 : 1;
}
