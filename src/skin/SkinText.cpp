#include "skin/SkinText.h"

#include "model/IniFile.h"
#include "skin/SkinPaths.h"

namespace qor {

namespace {

std::string ReadText(std::string_view file, std::string_view section, int number) {
    return IniFile(SkinPath(SkinFolder::Strings, file)).ReadString(section, std::to_string(number), "");
}

} // namespace

std::string SkinText(std::string_view section, int number) {
    return ReadText("skins.ini", section, number);
}

std::string GeneralText(std::string_view section, int number) {
    return ReadText("general.ini", section, number);
}

} // namespace qor
