#pragma once
// A shared library loaded at run time. A library that is missing or cannot be loaded, and an export
// that is missing, are not errors: lookups then give nullptr and callers skip the call.

#include <memory>
#include <string>

namespace qor::sys {

class SharedLibrary {
public:
    SharedLibrary() = default;
    // Loads the library at `path` (RTLD_NOW | RTLD_LOCAL). It is never unloaded from the process:
    // libraries such as the key hook run threads of their own, and callers are used to the load count
    // keeping one copy per process.
    explicit SharedLibrary(const std::string& path);

    bool Loaded() const { return handle_ != nullptr; }

    // The address of an exported symbol, or nullptr.
    void* Symbol(const char* name) const;

    template <class Fn> Fn Find(const char* name) const { return reinterpret_cast<Fn>(Symbol(name)); }

private:
    void* handle_ = nullptr;
};

} // namespace qor::sys
