#pragma once
// The file-level operations on macros: one file per macro in the macro folder, named after the macro,
// and the macro list that numbers them. The dialogs that choose names and paths sit above this.
//
// A name that is not a safe file name (IsSafeMacroName) never reaches the file system: it is refused
// like a name whose file already exists, reads treat its file as missing, and deleting it removes no file.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "macro/MacroFile.h"
#include "macro/MacroList.h"

namespace qor {

// Imported files larger than this are not macro files; they are refused rather than copied.
inline constexpr std::size_t kMacroImportMaxBytes = 1 << 20;

struct ImportedMacro {
    std::string Name;
    int Number = 0; // its key in the macro list
};

class MacroStore {
public:
    // `macroFolder` ends with '/'.
    MacroStore(std::string macroFolder, std::string sharedSettingsPath);

    const std::string& Folder() const { return folder_; }
    const MacroList& List() const { return list_; }

    // macro folder + name + ".QORMACRO"; nullopt for a name that is not a safe file name.
    std::optional<std::string> FilePathOf(std::string_view name) const;

    // A new, empty macro: refused (nullopt, nothing changed) when the name is not safe, its file
    // exists, all 15 slots are taken or a write fails. Otherwise an empty working copy is written to
    // the new file, the name added to the list and `copy` reset; returns the macro's number.
    std::optional<int> Create(std::string_view name, MacroWorkingCopy& copy) const;

    // Writes the working copy to the macro's file. False for an unsafe name or a failed write.
    bool Save(std::string_view name, const MacroWorkingCopy& copy) const;

    // Reads the macro's event block into the working copy (see LoadMacroBlock); an unsafe name reads as
    // a missing file.
    bool Load(std::string_view name, MacroWorkingCopy& copy) const;
    MacroSettings Settings(std::string_view name) const;

    // LoopTime of the macro's file (default 1) in its low 8 bits, as a bound button carries it.
    std::uint8_t LoopCount(std::string_view name) const;

    // Deletes the macro's file (failures ignored) and rewrites the list with `remaining`, the names
    // still shown, in their order: the macros are renumbered from 0 without gaps.
    bool Delete(std::string_view name, std::span<const std::string> remaining) const;

    // Copies the exchange file at `path` to the file of the macro named after it (replacing that file)
    // and adds the name to the list. Refused when the name is not safe, all 15 slots are taken, or the
    // file is not a readable regular file of at most kMacroImportMaxBytes; nothing changes then.
    std::optional<ImportedMacro> Import(const std::string& path) const;

    // Writes the working copy to an exchange file anywhere.
    bool Export(const std::string& path, const MacroWorkingCopy& copy) const { return SaveMacroFile(path, copy); }

private:
    std::string folder_;
    MacroList list_;
};

// The macro folder and shared settings file of the user data folder.
MacroStore UserMacroStore();

std::optional<std::string> MacroFilePathOf(std::string_view name);

} // namespace qor
