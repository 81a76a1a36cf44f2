#include "model/Folders.h"

#include "platform/sys/Paths.h"

#include <cstdlib>

namespace qor {

namespace {

struct FolderState {
    bool initialised = false;
    std::string exeFolder;
    std::string userDataFolder;
};

FolderState& State() {
    static FolderState state;
    return state;
}

std::optional<std::string> Env(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::optional<std::string>(value) : std::nullopt;
}

} // namespace

FolderInputs CurrentFolderInputs() {
    return FolderInputs{ExecutablePath(), Env("HOME"), Env("XDG_CONFIG_HOME")};
}

void InitFolders() {
    InitFolders(CurrentFolderInputs());
}

void InitFolders(const FolderInputs& inputs) {
    FolderState& state = State();
    state.initialised = true;
    state.exeFolder = FolderOfPath(inputs.exePath);

    const std::string documents = DocumentsFolder(inputs.home.value_or(""), inputs.xdgConfigHome);
    if (!documents.empty() && MakeDirectories(documents))
        state.userDataFolder =
            (documents == "/" ? "" : documents) + "/" + std::string(kUserDataFolderName) + "/";
    else
        state.userDataFolder = state.exeFolder;
    // Without these every save would be lost without a word: nothing else creates them.
    MakeDirectories(state.userDataFolder + "MacroDB");
}

const std::string& ExeFolder() {
    if (!State().initialised)
        InitFolders();
    return State().exeFolder;
}

const std::string& UserDataFolder() {
    if (!State().initialised)
        InitFolders();
    return State().userDataFolder;
}

std::string MacroFolder() {
    return UserDataFolder() + "MacroDB/";
}

std::string SharedSettingsPath() {
    return MacroFolder() + "MacroSet.QORDB";
}

std::string ProfileFilePath(int k) {
    return UserDataFolder() + "RSProfile" + std::to_string(k + 1) + ".pfd";
}

} // namespace qor
