// Feeds arbitrary bytes to the reader of kept font choices, as a file, and checks what the resolver
// relies on: every choice it hands out names a family and an absolute font path, with flags 0 or 1.

#include "platform/gfx/FontChoices.h"
#include "support/ScratchFile.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

void Check(bool condition) {
    if (!condition) __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string& path = qor::fuzz::ScratchFile("font-choices");
    if (!qor::fuzz::WriteScratch(path, data, size)) return 0;
    // The fingerprint the seeds were written for, and one no file was written for.
    for (const char* fingerprint : {"print", ""}) {
        for (const qor::FontChoice& c : qor::ReadFontChoices(path, fingerprint)) {
            Check(!c.family.empty() && !c.file.path.empty() && c.file.path.front() == '/');
            Check(c.family.find_first_of("\t\n") == std::string::npos);
            (void)qor::FontFileUnchanged(c);
        }
    }
    return 0;
}
