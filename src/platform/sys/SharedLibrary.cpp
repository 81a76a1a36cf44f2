#include "platform/sys/SharedLibrary.h"

#include <dlfcn.h>

namespace qor::sys {

SharedLibrary::SharedLibrary(const std::string& path)
    : handle_(path.empty() ? nullptr : ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE)) {}

void* SharedLibrary::Symbol(const char* name) const {
    return handle_ ? ::dlsym(handle_, name) : nullptr;
}

} // namespace qor::sys
