#pragma once
// Texts of the skin, addressed by section and decimal number. skins.ini holds the window texts
// (sections "General", "WARNING", "SINGLEKEY", "FireKey", "MACRO"); general.ini the names in the
// button-function menus. The file is read anew on every call; a missing file, section or key gives the
// empty text.

#include <string>
#include <string_view>

namespace qor {

// Key `number` of `section` in skins.ini.
std::string SkinText(std::string_view section, int number);

// Key `number` of `section` in general.ini.
std::string GeneralText(std::string_view section, int number);

} // namespace qor
