#pragma once
// A file of its own for a fuzz target that feeds its input to a reader of files: written anew for
// each input, in a private folder that goes away when the fuzzer ends.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace qor::fuzz {

// The path of the scratch file named `name` (the same every call).
inline const std::string& ScratchFile(const char* name) {
    static const std::string path = [name] {
        char pattern[] = "/tmp/qor-fuzz-XXXXXX";
        const char* folder = mkdtemp(pattern);
        if (!folder) std::abort();
        static const std::string scratchFolder = folder;
        static const std::string file = scratchFolder + "/" + name;
        std::atexit([] {
            std::remove(file.c_str());
            std::remove(scratchFolder.c_str());
        });
        return file;
    }();
    return path;
}

// Replaces the scratch file's content with the input; false if it cannot be written.
inline bool WriteScratch(const std::string& path, const std::uint8_t* data, std::size_t size) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool written = std::fwrite(data, 1, size, file) == size;
    return std::fclose(file) == 0 && written;
}

} // namespace qor::fuzz
