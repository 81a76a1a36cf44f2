#pragma once
// The caption of each assignment button, computed from the button's record. Computing a caption also
// brings a macro-bound record in line with the macro list: its MacroName is rewritten, and a binding
// to a slot that holds no macro falls back to function 16. The main window sets the captions and
// redraws; nothing here touches a window or writes a file.

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "assign/KeyNames.h"
#include "macro/MacroList.h"
#include "model/ProfileTable.h"

namespace qor {

// The keys of the first five key events of a key-combination record (bytes 0, 3, 6, 9, 12): the four
// left-hand modifiers set their flags, any other key (a right-hand modifier too) sets the other-key
// flag and becomes the other key, a later one replacing an earlier one. Usage 0 is skipped; a usage
// without a virtual key counts as the other key 0.
KeyCombination KeyCombinationOf(std::span<const std::uint8_t, kAssignDataSize> assignData);

// The key names of that combination joined by " + ".
std::string KeyCombinationCaption(std::span<const std::uint8_t, kAssignDataSize> assignData);

// The caption of one button. May rewrite `record` (macro bindings, see above).
std::string AssignmentCaption(ButtonRecord& record, const MacroListSnapshot& macros);

// The nine captions of a profile, reading the macro list once.
std::array<std::string, kButtonCount> ComputeAssignmentCaptions(ProfileRecord& profile,
                                                                const MacroListSnapshot& macros);
std::array<std::string, kButtonCount> ComputeAssignmentCaptions(ProfileRecord& profile);
// Profile `profile` of the table; nine empty captions for an index outside 0..4.
std::array<std::string, kButtonCount> ComputeAssignmentCaptions(ProfileTable& table, int profile);

} // namespace qor
