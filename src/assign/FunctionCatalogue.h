#pragma once
// The functions a mouse button can carry, by function code (ButtonFunc), and where their display texts
// come from. Codes 8, 9, 10, 13 and 15 are category entries of the assignment menu and are never
// stored; choosing an element of their list stores the element's code.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/ProfileTable.h"

namespace qor {

namespace FunctionCode {
inline constexpr int LeftClick = 1;
inline constexpr int SingleKey = 6;
inline constexpr int KeyCombination = 7;
inline constexpr int FireKey = 12;
inline constexpr int Plain16 = 16; // also what a macro assignment falls back to
inline constexpr int Macro = 100;
inline constexpr int NotSet = 255;
} // namespace FunctionCode

// The function code each button has from the factory, button index 0..8.
inline constexpr std::array<std::uint8_t, kButtonCount> kFactoryFunctionCodes = {1, 2, 3, 4, 5, 48, 49, 52, 53};

// True for the category entries 8, 9, 10, 13 and 15.
constexpr bool IsCategoryEntry(int code)
{
    return code == 8 || code == 9 || code == 10 || code == 13 || code == 15;
}

// Where the display text of a code lives in general.ini.
struct FunctionTextKey {
    std::string_view section;
    int key = 0;
    friend bool operator==(const FunctionTextKey&, const FunctionTextKey&) = default;
};

// 1..16 and 100: FUNCTION_STRING; 17..24 BASIC; 25..38 ADVANCED; 39..46 MEDIA; 47..49 DPI; 50..51
// RATE; 52 and above SCROLL (no upper bound); nullopt for 0 and below.
std::optional<FunctionTextKey> FunctionTextKeyOf(int code);

// The display text of a function code; empty when it has none or the skin lacks it.
std::string FunctionText(int code);

} // namespace qor
