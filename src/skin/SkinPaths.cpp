#include "skin/SkinPaths.h"

#include "model/Folders.h"

namespace qor {

namespace {

std::string& OverrideRoot() {
    static std::string root;
    return root;
}

std::string_view FolderName(SkinFolder folder) {
    switch (folder) {
    case SkinFolder::Background:
        return "background/";
    case SkinFolder::Buttons:
        return "buttons/";
    case SkinFolder::Controls:
        return "controls/";
    case SkinFolder::Strings:
        return "strings/";
    }
    return {};
}

} // namespace

std::string SkinRoot() {
    if (!OverrideRoot().empty())
        return OverrideRoot();
    return ExeFolder() + "images/0409/";
}

void SetSkinRoot(std::string root) {
    if (!root.empty() && root.back() != '/')
        root += '/';
    OverrideRoot() = std::move(root);
}

std::string SkinPath(SkinFolder folder, std::string_view fileName) {
    std::string path = SkinRoot();
    path += FolderName(folder);
    path += fileName;
    return path;
}

} // namespace qor
