#pragma once
// Macro names become file names unchanged, so a name is only used for a file when it cannot leave the
// macro folder or break the list file it is written to.

#include <cstddef>
#include <string>
#include <string_view>

namespace qor {

inline constexpr std::string_view kMacroFileExtension = ".QORMACRO";
inline constexpr std::size_t kFileNameMaxBytes = 255; // NAME_MAX of the usual Linux file systems

// False for an empty name, "." and "..", a name with '/', a name that is not valid UTF-8 or holds a
// control character (U+0000..U+001F, U+007F..U+009F), a name whose file name (name + extension) is
// longer than the file system allows, and a name that starts or ends with a space (the list file trims
// its values, so such a name would come back as another name with another file).
bool IsSafeMacroName(std::string_view name);

// True when the text can stand as a value of the macro list: no control character, so it can never
// start a new line of the list file.
bool IsListableMacroName(std::string_view name);

// The name an imported exchange file gives its macro: the file name without folders and without its
// extension (from the last dot on). "/x/Fire.QORDB" gives "Fire".
std::string MacroNameFromImportPath(std::string_view path);

// The first `limit` characters (code points) of UTF-8 text; never splits a character. Bytes that are
// not valid UTF-8 count as one character each.
std::string TruncateToCodePoints(std::string_view text, std::size_t limit);

} // namespace qor
