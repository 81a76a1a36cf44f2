#pragma once
// Where things are on this system: the running executable, the user's documents folder (XDG), and
// creating folders.

#include <optional>
#include <string>
#include <string_view>

namespace qor {

// The absolute path of the running executable (/proc/self/exe), or empty when it cannot be read.
std::string ExecutablePath();

// The folder part of `path` including its final '/' ("/a/b/prog" gives "/a/b/"); "./" without a '/'.
std::string FolderOfPath(std::string_view path);

// The value that the XDG user-dirs file `text` (the contents of user-dirs.dirs) gives `name`, e.g.
// "XDG_DOCUMENTS_DIR", with a leading $HOME or ${HOME} replaced by `home`. Only absolute results
// count; the last valid assignment wins, as when the file is sourced by a shell.
std::optional<std::string> ParseXdgUserDir(std::string_view text, std::string_view name,
                                           std::string_view home);

// The user's documents folder without a trailing '/': XDG_DOCUMENTS_DIR from
// $XDG_CONFIG_HOME/user-dirs.dirs (default ~/.config), else home + "/Documents". Empty when `home` is
// not an absolute path. Nothing is created.
std::string DocumentsFolder(std::string_view home, const std::optional<std::string>& xdgConfigHome);

// The user's folder for files a program may rebuild at any time, without a trailing '/':
// $XDG_CACHE_HOME when it is an absolute path, else home + "/.cache"; empty when neither is usable.
std::string CacheFolder(std::string_view home, const std::optional<std::string>& xdgCacheHome);

// mkdir -p: true when `path` is a folder afterwards.
bool MakeDirectories(std::string_view path);

} // namespace qor
