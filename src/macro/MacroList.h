#pragma once
// The macro list: section "MACRO_LIST" of the shared settings file, keys "0".."14", each holding a
// macro name or nothing (a free slot). The key is the macro's number towards the device agent and in
// a button bound to the macro.

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qor {

inline constexpr int kMacroSlotCount = 15;
inline constexpr std::string_view kMacroListSection = "MACRO_LIST";

// Every slot as read at one moment: one file read serves any number of queries.
class MacroListSnapshot {
public:
    MacroListSnapshot() = default;
    explicit MacroListSnapshot(std::array<std::string, kMacroSlotCount> slots) : slots_(std::move(slots)) {}

    int Count() const;                                 // non-empty slots
    std::string NameByNumber(int number) const;        // empty for a free slot or a number outside 0..14
    int NumberByName(std::string_view name) const;     // smallest slot holding exactly `name`; -1 if none
    std::vector<std::string> Names() const;            // non-empty slots in key order
    const std::array<std::string, kMacroSlotCount>& Slots() const { return slots_; }

private:
    std::array<std::string, kMacroSlotCount> slots_;
};

// The list in one shared settings file. Reads of a missing file give an empty list; writes replace the
// file once per operation and fail silently (the result says whether the file was written).
class MacroList {
public:
    explicit MacroList(std::string sharedSettingsPath) : path_(std::move(sharedSettingsPath)) {}
    const std::string& Path() const { return path_; }

    MacroListSnapshot Read() const;

    int Count() const { return Read().Count(); }
    std::string NameByNumber(int number) const { return Read().NameByNumber(number); }
    int NumberByName(std::string_view name) const { return Read().NumberByName(name); }
    // Empties `target`, appends every name in key order and returns how many there are.
    int ListNames(std::vector<std::string>& target) const;

    // Writes `name` under the first free key and returns that key. Does not look for an equal name.
    // Nothing is written (nullopt) when all 15 keys are taken, when the name is empty or when it holds
    // a control character.
    std::optional<int> AddName(std::string_view name) const;

    // Writes the empty text under all 15 keys, then names[0], names[1], ... under "0", "1", ...
    // Names past the 15th are dropped; a name with a control character is written as a free slot.
    bool Rewrite(std::span<const std::string> names) const;

private:
    std::string path_;
};

// The list in the shared settings file of the user data folder.
MacroList SharedMacroList();

int MacroCount();
std::string MacroNameByNumber(int number);
int MacroNumberByName(std::string_view name);
int ListMacroNames(std::vector<std::string>& target);
std::optional<int> AddMacroName(std::string_view name);
bool RewriteMacroList(std::span<const std::string> names);

} // namespace qor
