#include "macro/MacroList.h"

#include "macro/MacroName.h"
#include "model/Folders.h"
#include "model/IniFile.h"

namespace qor {
namespace {

std::string SlotKey(int number) { return std::to_string(number); }

} // namespace

int MacroListSnapshot::Count() const
{
    int count = 0;
    for (const std::string& slot : slots_)
        count += slot.empty() ? 0 : 1;
    return count;
}

std::string MacroListSnapshot::NameByNumber(int number) const
{
    if (number < 0 || number >= kMacroSlotCount)
        return {};
    return slots_[number];
}

int MacroListSnapshot::NumberByName(std::string_view name) const
{
    // An empty name would match the first free slot, which is no macro at all.
    if (name.empty())
        return -1;
    for (int n = 0; n < kMacroSlotCount; ++n)
        if (slots_[n] == name)
            return n;
    return -1;
}

std::vector<std::string> MacroListSnapshot::Names() const
{
    std::vector<std::string> names;
    for (const std::string& slot : slots_)
        if (!slot.empty())
            names.push_back(slot);
    return names;
}

MacroListSnapshot MacroList::Read() const
{
    const IniBatch file(path_);
    std::array<std::string, kMacroSlotCount> slots;
    for (int n = 0; n < kMacroSlotCount; ++n)
        slots[n] = file.ReadString(kMacroListSection, SlotKey(n), "");
    return MacroListSnapshot(std::move(slots));
}

int MacroList::ListNames(std::vector<std::string>& target) const
{
    target = Read().Names();
    return static_cast<int>(target.size());
}

std::optional<int> MacroList::AddName(std::string_view name) const
{
    if (name.empty() || !IsListableMacroName(name))
        return std::nullopt;
    IniBatch file(path_);
    for (int n = 0; n < kMacroSlotCount; ++n) {
        if (!file.ReadString(kMacroListSection, SlotKey(n), "").empty())
            continue;
        file.WriteString(kMacroListSection, SlotKey(n), name);
        if (!file.Commit())
            return std::nullopt;
        return n;
    }
    return std::nullopt;
}

bool MacroList::Rewrite(std::span<const std::string> names) const
{
    IniBatch file(path_);
    for (int n = 0; n < kMacroSlotCount; ++n)
        file.WriteString(kMacroListSection, SlotKey(n), "");
    for (std::size_t n = 0; n < names.size() && n < static_cast<std::size_t>(kMacroSlotCount); ++n)
        if (IsListableMacroName(names[n]))
            file.WriteString(kMacroListSection, SlotKey(static_cast<int>(n)), names[n]);
    return file.Commit();
}

MacroList SharedMacroList() { return MacroList(SharedSettingsPath()); }

int MacroCount() { return SharedMacroList().Count(); }
std::string MacroNameByNumber(int number) { return SharedMacroList().NameByNumber(number); }
int MacroNumberByName(std::string_view name) { return SharedMacroList().NumberByName(name); }
int ListMacroNames(std::vector<std::string>& target) { return SharedMacroList().ListNames(target); }
std::optional<int> AddMacroName(std::string_view name) { return SharedMacroList().AddName(name); }
bool RewriteMacroList(std::span<const std::string> names) { return SharedMacroList().Rewrite(names); }

} // namespace qor
