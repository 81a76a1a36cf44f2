#include "macro/MacroStore.h"

#include <filesystem>
#include <system_error>

#include "macro/MacroName.h"
#include "model/Folders.h"
#include "platform/sys/AtomicFile.h"

namespace qor {

MacroStore::MacroStore(std::string macroFolder, std::string sharedSettingsPath)
    : folder_(std::move(macroFolder)), list_(std::move(sharedSettingsPath))
{
}

std::optional<std::string> MacroStore::FilePathOf(std::string_view name) const
{
    if (!IsSafeMacroName(name))
        return std::nullopt;
    std::string path = folder_;
    path.append(name);
    path.append(kMacroFileExtension);
    return path;
}

std::optional<int> MacroStore::Create(std::string_view name, MacroWorkingCopy& copy) const
{
    const std::optional<std::string> path = FilePathOf(name);
    if (!path)
        return std::nullopt;
    std::error_code error;
    // symlink_status: a dangling link also counts as an existing file, so it is never written through.
    if (std::filesystem::symlink_status(*path, error).type() != std::filesystem::file_type::not_found)
        return std::nullopt;
    if (list_.Count() >= kMacroSlotCount)
        return std::nullopt;
    const MacroWorkingCopy fresh;
    if (!SaveMacroFile(*path, fresh))
        return std::nullopt;
    const std::optional<int> number = list_.AddName(name);
    if (!number) {
        // An unlisted file would block the name for good: a later create finds it and refuses.
        std::filesystem::remove(*path, error);
        return std::nullopt;
    }
    copy = fresh;
    return number;
}

bool MacroStore::Save(std::string_view name, const MacroWorkingCopy& copy) const
{
    const std::optional<std::string> path = FilePathOf(name);
    return path && SaveMacroFile(*path, copy);
}

bool MacroStore::Load(std::string_view name, MacroWorkingCopy& copy) const
{
    const std::optional<std::string> path = FilePathOf(name);
    if (!path) {
        copy.EventCount = CompactMacroBlock(copy.Events);
        return false;
    }
    return LoadMacroBlock(*path, copy);
}

MacroSettings MacroStore::Settings(std::string_view name) const
{
    const std::optional<std::string> path = FilePathOf(name);
    return path ? ReadMacroSettings(*path) : MacroSettings{};
}

std::uint8_t MacroStore::LoopCount(std::string_view name) const
{
    return static_cast<std::uint8_t>(Settings(name).LoopTime & 0xFF);
}

bool MacroStore::Delete(std::string_view name, std::span<const std::string> remaining) const
{
    if (const std::optional<std::string> path = FilePathOf(name)) {
        std::error_code ignored;
        std::filesystem::remove(*path, ignored);
    }
    return list_.Rewrite(remaining);
}

std::optional<ImportedMacro> MacroStore::Import(const std::string& path) const
{
    std::string name = MacroNameFromImportPath(path);
    const std::optional<std::string> target = FilePathOf(name);
    if (!target || list_.Count() >= kMacroSlotCount)
        return std::nullopt;
    // Only a regular file small enough to be a macro is copied: never a folder, a device or a pipe.
    const ReadResult source = ReadFileLimited(path, kMacroImportMaxBytes);
    if (source.status != ReadStatus::Ok)
        return std::nullopt;
    std::error_code error;
    const bool existed =
        std::filesystem::symlink_status(*target, error).type() != std::filesystem::file_type::not_found;
    if (!WriteFileAtomically(*target, source.bytes))
        return std::nullopt;
    const std::optional<int> number = list_.AddName(name);
    if (!number) {
        if (!existed)
            std::filesystem::remove(*target, error);
        return std::nullopt;
    }
    return ImportedMacro{std::move(name), *number};
}

MacroStore UserMacroStore() { return MacroStore(MacroFolder(), SharedSettingsPath()); }

std::optional<std::string> MacroFilePathOf(std::string_view name) { return UserMacroStore().FilePathOf(name); }

} // namespace qor
