#pragma once
// The two folders every file of the program hangs off: the executable's folder (skin, agent, hook
// library) and the per-user data folder (profile files, MacroDB). Both end with '/'.

#include <optional>
#include <string>
#include <string_view>

namespace qor {

inline constexpr std::string_view kUserDataFolderName = "QOR VR17 Gaming Mouse";

// What the folders are derived from; the real values come from the process and its environment.
struct FolderInputs {
    std::string exePath;                      // absolute path of the executable
    std::optional<std::string> home;          // $HOME
    std::optional<std::string> xdgConfigHome; // $XDG_CONFIG_HOME
};

FolderInputs CurrentFolderInputs();

// Fills ExeFolder and UserDataFolder and creates the documents folder, the user data folder and its
// MacroDB when missing. Without a usable home (unset, relative, or its documents folder cannot be
// made) the user data folder is the executable's folder. Call once before any file is read; tests
// may call it again with their own inputs.
void InitFolders();
void InitFolders(const FolderInputs& inputs);

// Both run InitFolders() first if nobody has yet.
const std::string& ExeFolder();
const std::string& UserDataFolder();

std::string MacroFolder();          // UserDataFolder + "MacroDB/"
std::string SharedSettingsPath();   // UserDataFolder + "MacroDB/MacroSet.QORDB"
std::string ProfileFilePath(int k); // UserDataFolder + "RSProfile<k+1>.pfd", k = 0..4

} // namespace qor
