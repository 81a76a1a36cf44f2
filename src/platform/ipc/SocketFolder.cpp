#include "platform/ipc/Ipc.h"

#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace qor::ipc {

std::string SocketFolder() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    std::string folder = runtime && runtime[0] == '/' ? std::string(runtime) + "/qorvr17"
                                                      : "/tmp/qorvr17-" + std::to_string(::geteuid());
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
        return {};
    // Anyone who could write into the folder could put a socket of theirs under a window's title,
    // and a folder (or a link) of another user could be swapped at any time: refuse both.
    struct stat st {};
    if (::lstat(folder.c_str(), &st) != 0)
        return {};
    if (!S_ISDIR(st.st_mode) || st.st_uid != ::geteuid() || (st.st_mode & 077) != 0)
        return {};
    return folder;
}

std::string SocketPathFor(std::string_view title) {
    if (title.empty() || title == "." || title == ".." ||
        title.find_first_of(std::string_view("/\0", 2)) != std::string_view::npos) {
        return {};
    }
    std::string folder = SocketFolder();
    if (folder.empty())
        return {};
    std::string path = folder + "/" + std::string(title) + ".sock";
    if (path.size() >= sizeof(sockaddr_un{}.sun_path))
        return {};
    return path;
}

} // namespace qor::ipc
