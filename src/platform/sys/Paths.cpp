#include "platform/sys/Paths.h"

#include "platform/sys/AtomicFile.h"

#include <cerrno>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace qor {

namespace {

bool IsFolder(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// The value of one assignment, shell-style: "double quoted" with backslash escapes, or bare.
std::string UnquoteShellValue(std::string_view v) {
    std::string out;
    if (v.empty() || v.front() != '"') {
        const std::size_t end = v.find_first_of(" \t#");
        return std::string(v.substr(0, end));
    }
    for (std::size_t i = 1; i < v.size(); ++i) {
        const char c = v[i];
        if (c == '"')
            break;
        if (c == '\\' && i + 1 < v.size()) {
            out += v[++i];
            continue;
        }
        out += c;
    }
    return out;
}

} // namespace

std::string ExecutablePath() {
    std::vector<char> buffer(PATH_MAX + 1);
    const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (n <= 0 || static_cast<std::size_t>(n) >= buffer.size() - 1)
        return {};
    return std::string(buffer.data(), static_cast<std::size_t>(n));
}

std::string FolderOfPath(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string_view::npos)
        return "./";
    return std::string(path.substr(0, slash + 1));
}

std::optional<std::string> ParseXdgUserDir(std::string_view text, std::string_view name,
                                           std::string_view home) {
    std::optional<std::string> result;
    while (!text.empty()) {
        const std::size_t nl = text.find('\n');
        std::string_view line = text.substr(0, nl);
        text = nl == std::string_view::npos ? std::string_view() : text.substr(nl + 1);
        while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
            line.remove_prefix(1);
        if (!line.starts_with(name) || line.size() <= name.size() || line[name.size()] != '=')
            continue;
        std::string value = UnquoteShellValue(line.substr(name.size() + 1));
        if (value.empty() || value.find('\0') != std::string::npos)
            continue;
        for (const std::string_view var : {std::string_view("$HOME"), std::string_view("${HOME}")}) {
            if (value.starts_with(var) && (value.size() == var.size() || value[var.size()] == '/')) {
                if (home.empty() || home.front() != '/')
                    value.clear();
                else
                    value = std::string(home) + value.substr(var.size());
                break;
            }
        }
        if (!value.empty() && value.front() == '/')
            result = std::move(value);
    }
    return result;
}

std::string DocumentsFolder(std::string_view home, const std::optional<std::string>& xdgConfigHome) {
    if (home.empty() || home.front() != '/')
        return {};
    std::string config = (xdgConfigHome && !xdgConfigHome->empty() && xdgConfigHome->front() == '/')
                             ? *xdgConfigHome
                             : std::string(home) + "/.config";
    std::string documents = std::string(home) + "/Documents";
    const ReadResult file = ReadFileLimited(config + "/user-dirs.dirs", 1 << 20);
    if (file.status == ReadStatus::Ok) {
        if (auto dir = ParseXdgUserDir(file.bytes, "XDG_DOCUMENTS_DIR", home))
            documents = std::move(*dir);
    }
    while (documents.size() > 1 && documents.back() == '/')
        documents.pop_back();
    return documents;
}

std::string CacheFolder(std::string_view home, const std::optional<std::string>& xdgCacheHome) {
    std::string folder;
    if (xdgCacheHome && !xdgCacheHome->empty() && xdgCacheHome->front() == '/')
        folder = *xdgCacheHome;
    else if (!home.empty() && home.front() == '/')
        folder = std::string(home) + "/.cache";
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return folder;
}

bool MakeDirectories(std::string_view path) {
    std::string p(path);
    while (p.size() > 1 && p.back() == '/')
        p.pop_back();
    if (p.empty())
        return false;
    if (IsFolder(p))
        return true;
    for (std::size_t pos = 1; pos <= p.size(); ++pos) {
        if (pos != p.size() && p[pos] != '/')
            continue;
        const std::string prefix = p.substr(0, pos);
        if (::mkdir(prefix.c_str(), 0777) != 0 && errno != EEXIST)
            return false;
    }
    return IsFolder(p);
}

} // namespace qor
