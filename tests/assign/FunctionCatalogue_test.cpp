#include "assign/FunctionCatalogue.h"

#include <gtest/gtest.h>

#include "AssignTestSkin.h"

namespace qor {
namespace {

TEST(FunctionCatalogue, TextKeysByCodeRange)
{
    struct Case {
        int code;
        std::optional<FunctionTextKey> key;
    } cases[] = {
        {-1, std::nullopt},
        {0, std::nullopt},
        {1, FunctionTextKey{"FUNCTION_STRING", 1}},
        {11, FunctionTextKey{"FUNCTION_STRING", 11}},
        {16, FunctionTextKey{"FUNCTION_STRING", 16}},
        {17, FunctionTextKey{"BASIC", 1}},
        {24, FunctionTextKey{"BASIC", 8}},
        {25, FunctionTextKey{"ADVANCED", 1}},
        {38, FunctionTextKey{"ADVANCED", 14}},
        {39, FunctionTextKey{"MEDIA", 1}},
        {46, FunctionTextKey{"MEDIA", 8}},
        {47, FunctionTextKey{"DPI", 1}},
        {49, FunctionTextKey{"DPI", 3}},
        {50, FunctionTextKey{"RATE", 1}},
        {51, FunctionTextKey{"RATE", 2}},
        {52, FunctionTextKey{"SCROLL", 1}},
        {54, FunctionTextKey{"SCROLL", 3}},
        {99, FunctionTextKey{"SCROLL", 48}},
        {100, FunctionTextKey{"FUNCTION_STRING", 100}},
        {255, FunctionTextKey{"SCROLL", 204}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FunctionTextKeyOf(c.code), c.key) << c.code;
}

TEST(FunctionCatalogue, TextsComeFromTheSkin)
{
    test::AssignTestSkin skin;
    EXPECT_EQ(FunctionText(1), "Function 1");
    EXPECT_EQ(FunctionText(100), "Macro");
    EXPECT_EQ(FunctionText(31), "Advanced 7");
    EXPECT_EQ(FunctionText(55), "Scroll 4");
    EXPECT_EQ(FunctionText(18), ""); // missing key
    EXPECT_EQ(FunctionText(0), "");
}

} // namespace
} // namespace qor
