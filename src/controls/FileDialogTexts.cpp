#include "controls/FileDialogTexts.h"

#include "skin/SkinText.h"

#include <string_view>

namespace qor {

namespace {

std::string_view Fallback(FileDialogTextId id) {
    switch (id) {
    case FileDialogTextId::ExportTitle:
        return "Export Profile";
    case FileDialogTextId::ImportTitle:
        return "Import Profile";
    case FileDialogTextId::Save:
        return "Save";
    case FileDialogTextId::Open:
        return "Open";
    case FileDialogTextId::Cancel:
        return "Cancel";
    case FileDialogTextId::FileNameLabel:
        return "File name:";
    case FileDialogTextId::TypeLabel:
        return "Type:";
    case FileDialogTextId::Up:
        return "Up";
    case FileDialogTextId::FileNotFound:
        return "There is no file of that name here.";
    case FileDialogTextId::FolderNotFound:
        return "That folder does not exist.";
    case FileDialogTextId::InvalidName:
        return "That name cannot be used for a file.";
    case FileDialogTextId::ReplaceTitle:
        return "Replace File";
    case FileDialogTextId::ReplaceExists:
        return "A file of this name already exists:";
    case FileDialogTextId::ReplaceQuestion:
        return "Do you want to replace it?";
    case FileDialogTextId::Yes:
        return "Yes";
    case FileDialogTextId::No:
        return "No";
    case FileDialogTextId::ReadOnly:
        return "That file is read-only; choose another name.";
    case FileDialogTextId::FolderUnreadable:
        return "This folder cannot be read.";
    }
    return {};
}

} // namespace

std::string FileDialogText(FileDialogTextId id) {
    std::string text = GeneralText("FILEDIALOG", int(id));
    return text.empty() ? std::string(Fallback(id)) : text;
}

} // namespace qor
