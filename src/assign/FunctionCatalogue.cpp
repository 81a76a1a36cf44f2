#include "assign/FunctionCatalogue.h"

#include "skin/SkinText.h"

namespace qor {

std::optional<FunctionTextKey> FunctionTextKeyOf(int code)
{
    if (code <= 0)
        return std::nullopt;
    if (code <= 16 || code == 100)
        return FunctionTextKey{"FUNCTION_STRING", code};
    if (code <= 24)
        return FunctionTextKey{"BASIC", code - 16};
    if (code <= 38)
        return FunctionTextKey{"ADVANCED", code - 24};
    if (code <= 46)
        return FunctionTextKey{"MEDIA", code - 38};
    if (code <= 49)
        return FunctionTextKey{"DPI", code - 46};
    if (code <= 51)
        return FunctionTextKey{"RATE", code - 49};
    return FunctionTextKey{"SCROLL", code - 51};
}

std::string FunctionText(int code)
{
    const std::optional<FunctionTextKey> key = FunctionTextKeyOf(code);
    return key ? GeneralText(key->section, key->key) : std::string{};
}

} // namespace qor
