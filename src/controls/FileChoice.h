#pragma once
// What OK does with the name a person typed (or picked) in a file dialog, decided without windows so
// that every rule can be checked on its own: a folder is opened, a file is chosen, an existing file
// in a save dialog needs a question first, and anything else is refused with a reason.

#include <string>
#include <string_view>

namespace qor {

enum class FileDialogMode { Open, Save };

enum class FileProblem {
    None,
    FileNotFound,   // Open: no regular file of that name
    FolderNotFound, // the folder part of the name does not exist
    InvalidName,    // too long, a stray NUL, or a name that is not a file
    ReadOnly,       // Save: the file exists and cannot be written
};

struct FileDecision {
    enum class Action {
        Stay,          // nothing typed: nothing happens
        Navigate,      // `path` is a folder to show
        Accept,        // `path` is the answer
        ConfirmReplace // Save: `path` exists; ask before accepting it
    };
    Action action = Action::Stay;
    std::string path;
    FileProblem problem = FileProblem::None; // set when the name is refused (action Stay)
    friend bool operator==(const FileDecision&, const FileDecision&) = default;
};

// `name` with `extension` (with or without its dot) appended when its last component has none; a
// name ending in '.' gets the extension without a second dot. An empty extension changes nothing.
std::string WithDefaultExtension(std::string_view name, std::string_view extension);

// The path a typed name stands for: absolute names as they are, "~" and "~/..." below `home` (when
// given), everything else below `folder`; lexically normal. Spaces are part of the name (file names
// may begin or end with them).
std::string ResolveTypedName(const std::string& folder, std::string_view typed, const std::string& home);

// Looks at the file system to decide what OK does with `typed` in `folder` (canonical). A name of
// spaces only counts as nothing typed.
FileDecision DecideFileChoice(FileDialogMode mode, const std::string& folder, std::string_view typed,
                              std::string_view defaultExtension, const std::string& home);

} // namespace qor
