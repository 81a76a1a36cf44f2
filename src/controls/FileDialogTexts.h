#pragma once
// The file dialogs' own texts, from section [FILEDIALOG] of general.ini, each with an English text
// used when the skin lacks it (an older skin, a damaged file).

#include <string>

namespace qor {

enum class FileDialogTextId {
    ExportTitle = 1,
    ImportTitle = 2,
    Save = 3,
    Open = 4,
    Cancel = 5,
    FileNameLabel = 6,
    TypeLabel = 7,
    Up = 8,
    FileNotFound = 9,
    FolderNotFound = 10,
    InvalidName = 11,
    ReplaceTitle = 12,
    ReplaceExists = 13,
    ReplaceQuestion = 14,
    Yes = 15,
    No = 16,
    ReadOnly = 17,
    FolderUnreadable = 18,
};

std::string FileDialogText(FileDialogTextId id);

} // namespace qor
