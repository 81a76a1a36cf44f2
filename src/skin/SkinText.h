#pragma once
// Texts of the skin, addressed by section and decimal number. skins.ini holds the window texts
// (sections "General", "WARNING", "SINGLEKEY", "FireKey", "MACRO"); general.ini the names in the
// button-function menus. A missing file, section or key gives the empty text.
//
// Start-up asks for dozens of texts, so each file is parsed once and served from memory while its
// size and modification time stay the same. A file modified within the last few seconds of being read
// is read again on every look-up: its time stamp may be too coarse to show a second change.

#include <cstdint>
#include <string>
#include <string_view>

namespace qor {

// Key `number` of `section` in skins.ini.
std::string SkinText(std::string_view section, int number);

// Key `number` of `section` in general.ini.
std::string GeneralText(std::string_view section, int number);

// How many times either file has been read and parsed so far (tests).
std::uint64_t SkinTextFileReads();

} // namespace qor
