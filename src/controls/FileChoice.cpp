#include "controls/FileChoice.h"

#include "controls/FolderListing.h"

#include <climits>
#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace qor {

namespace {

constexpr std::size_t kMaxNameBytes = 255;
constexpr std::size_t kMaxPathBytes = 4095;

std::string_view TrimSpaces(std::string_view s) {
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

std::string_view LastComponent(std::string_view path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

bool IsRegularFile(const std::string& path) {
    std::error_code ec;
    return fs::is_regular_file(fs::path(path), ec);
}

bool IsFolder(const std::string& path) {
    std::error_code ec;
    return fs::is_directory(fs::path(path), ec);
}

FileDecision Refuse(FileProblem problem) {
    return {FileDecision::Action::Stay, std::string(), problem};
}

} // namespace

std::string WithDefaultExtension(std::string_view name, std::string_view extension) {
    if (!extension.empty() && extension.front() == '.')
        extension.remove_prefix(1);
    const std::string_view last = LastComponent(name);
    if (extension.empty() || last.empty())
        return std::string(name);
    if (last.back() == '.')
        return std::string(name) + std::string(extension);
    // A leading dot names a hidden file, not an extension.
    if (last.find('.', 1) != std::string_view::npos)
        return std::string(name);
    return std::string(name) + "." + std::string(extension);
}

std::string ResolveTypedName(const std::string& folder, std::string_view typed, const std::string& home) {
    std::string path;
    if (!typed.empty() && typed.front() == '/')
        path = std::string(typed);
    else if (!home.empty() && typed == "~")
        path = home;
    else if (!home.empty() && typed.starts_with("~/"))
        path = JoinPath(home, std::string(typed.substr(2)));
    else
        path = JoinPath(folder, std::string(typed));
    const bool endsWithSlash = !path.empty() && path.back() == '/';
    std::string normal = fs::path(path).lexically_normal().string();
    // Keep a trailing slash: "name/" asks for a folder, never for a file called "name".
    while (normal.size() > 1 && normal.back() == '/')
        normal.pop_back();
    if (endsWithSlash && normal != "/")
        normal += '/';
    return normal;
}

FileDecision DecideFileChoice(FileDialogMode mode, const std::string& folder, std::string_view typed,
                              std::string_view defaultExtension, const std::string& home) {
    if (TrimSpaces(typed).empty())
        return {};
    if (typed.find('\0') != std::string_view::npos || typed.size() > kMaxPathBytes)
        return Refuse(FileProblem::InvalidName);
    const std::string resolved = ResolveTypedName(folder, typed, home);
    if (IsFolder(resolved))
        return {FileDecision::Action::Navigate, CanonicalFolder(resolved), FileProblem::None};
    if (resolved.back() == '/')
        return Refuse(FileProblem::FolderNotFound);

    const std::string path = WithDefaultExtension(resolved, defaultExtension);
    if (path.size() > kMaxPathBytes || LastComponent(path).size() > kMaxNameBytes)
        return Refuse(FileProblem::InvalidName);
    if (!IsFolder(ParentFolder(path)))
        return Refuse(FileProblem::FolderNotFound);
    // "name" may stand for a folder "name.pfd": open it rather than refuse it.
    if (IsFolder(path))
        return {FileDecision::Action::Navigate, CanonicalFolder(path), FileProblem::None};

    if (mode == FileDialogMode::Open) {
        if (IsRegularFile(path))
            return {FileDecision::Action::Accept, path, FileProblem::None};
        // The name as typed, when only the extension made it miss (a file without one).
        if (path != resolved && IsRegularFile(resolved))
            return {FileDecision::Action::Accept, resolved, FileProblem::None};
        std::error_code ec;
        return Refuse(fs::exists(fs::path(path), ec) ? FileProblem::InvalidName : FileProblem::FileNotFound);
    }

    std::error_code ec;
    if (!fs::exists(fs::symlink_status(fs::path(path), ec)))
        return {FileDecision::Action::Accept, path, FileProblem::None};
    if (!IsRegularFile(path))
        return Refuse(FileProblem::InvalidName);
    // Writing would fail silently later; say so while the person can still pick another name.
    if (::access(path.c_str(), W_OK) != 0)
        return Refuse(FileProblem::ReadOnly);
    return {FileDecision::Action::ConfirmReplace, path, FileProblem::None};
}

} // namespace qor
