#pragma once
// Review mock-ups: the drawn pictures placed at the windows' documented control positions with sample
// captions, so the skin can be judged as a whole. Only for people; the program draws its own windows.

#include "ContactSheet.h"

#include <filesystem>
#include <vector>

namespace qor::skin {

bool WritePreviews(const std::vector<SheetEntry>& pictures, const std::filesystem::path& folder);

} // namespace qor::skin
