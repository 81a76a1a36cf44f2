#pragma once
// A review sheet of every drawn picture, each labelled with its file name; small pictures are shown
// enlarged so their edges can be judged.

#include "Canvas.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace qor::skin {

struct SheetEntry {
    std::string label;
    const Canvas* picture;
};

bool WriteContactSheet(const std::vector<SheetEntry>& entries, const std::filesystem::path& path);

} // namespace qor::skin
