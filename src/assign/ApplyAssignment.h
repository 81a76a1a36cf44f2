#pragma once
// Turns a choice from the assignment menu into a changed button record of one profile. Only the
// profile table in memory changes; the profile files are written later (Apply, OK, ...).

#include <cstdint>

#include "assign/AssignmentDialogs.h"
#include "macro/MacroStore.h"
#include "model/ProfileTable.h"

namespace qor {

enum class CaptionRefresh { No, Yes };

// choice: high 16 bits = value of the chosen menu entry, low 16 bits = value of the chosen list element
// (0 for an entry without a list). The mouse never loses its last left click: when no other button of
// the profile has it, any choice but the left click itself shows the warning and nothing changes.
// Returns whether the captions must be recomputed: yes after every choice that reached a function,
// a cancelled dialog included; no when the button index is out of range or the choice was refused.
CaptionRefresh ApplyAssignment(ProfileTable& table, int profile, int button, std::uint32_t choice,
                               AssignmentDialogs& dialogs, const MacroStore& macros);

// With the live profile table and the user's macro store.
CaptionRefresh ApplyAssignment(int profile, int button, std::uint32_t choice, AssignmentDialogs& dialogs);

} // namespace qor
