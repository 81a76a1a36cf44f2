#include "assign/AssignmentCaptions.h"

#include <gtest/gtest.h>

#include "AssignTestSkin.h"
#include "assign/FunctionCatalogue.h"

namespace qor {
namespace {

ButtonRecord Record(int code)
{
    ButtonRecord record;
    record.ButtonFunc = static_cast<std::uint8_t>(code);
    return record;
}

MacroListSnapshot Macros(std::initializer_list<std::pair<int, std::string>> slots)
{
    std::array<std::string, kMacroSlotCount> names;
    for (const auto& [number, name] : slots)
        names[number] = name;
    return MacroListSnapshot(names);
}

ButtonRecord Combination(std::initializer_list<std::uint8_t> pressedUsages)
{
    ButtonRecord record = Record(7);
    record.KeyNumber = static_cast<std::uint8_t>(2 * pressedUsages.size());
    std::size_t at = 0;
    for (std::uint8_t usage : pressedUsages) {
        record.AssignData[at] = usage;
        record.AssignData[at + 1] = 5;
        record.AssignData[at + 2] = 0x80;
        at += 3;
    }
    return record;
}

TEST(AssignmentCaptions, PlainFunctionsShowTheirTextAndOthersNothing)
{
    test::AssignTestSkin skin;
    struct Case {
        int code;
        std::string caption;
    } cases[] = {
        {1, "Function 1"}, {5, "Function 5"}, {12, "Function 12"}, {14, "Function 14"}, {16, "Function 16"},
        {17, "Basic 1"},   {31, "Advanced 7"}, {39, "Media 1"},    {48, "DPI 2"},       {51, "Rate 2"},
        {52, "Scroll 1"},  {54, "Scroll 3"},   {0, ""},            {8, ""},             {9, ""},
        {10, ""},          {11, ""},           {13, ""},           {15, ""},            {55, ""},
        {99, ""},          {101, ""},          {254, ""},          {255, ""},
    };
    const MacroListSnapshot none;
    for (const Case& c : cases) {
        ButtonRecord record = Record(c.code);
        const ButtonRecord before = record;
        EXPECT_EQ(AssignmentCaption(record, none), c.caption) << c.code;
        EXPECT_EQ(record, before) << c.code;
    }
}

TEST(AssignmentCaptions, SingleKeyShowsTheCaptionName)
{
    ButtonRecord record = Record(6);
    record.AssignData[0] = 0x3A; // F1
    EXPECT_EQ(AssignmentCaption(record, {}), "F1");
    record.AssignData[0] = 0xE1; // Left Shift
    EXPECT_EQ(AssignmentCaption(record, {}), "LShift");
    record.AssignData[0] = 0x58; // Keypad Enter, paired with the separator key
    EXPECT_EQ(AssignmentCaption(record, {}), "Enter");
    for (std::uint8_t usage : {0x00, 0x03, 0xFF}) {
        record.AssignData[0] = usage; // no virtual key
        EXPECT_EQ(AssignmentCaption(record, {}), "key") << int(usage);
    }
}

TEST(AssignmentCaptions, KeyCombinationShowsKeyNamesInModifierOrder)
{
    struct Case {
        ButtonRecord record;
        std::string caption;
    } cases[] = {
        {Combination({0xE0, 0x06}), "Ctrl + C"},
        {Combination({0x06, 0xE0}), "Ctrl + C"},
        {Combination({0xE1, 0x04}), "Shift + A"},
        {Combination({0xE2, 0xE3, 0xE0, 0xE1, 0x3A}), "Shift + Ctrl + Win + Alt + F1"},
        {Combination({0xE4, 0x04}), "A"},           // Right Ctrl is the other key, replaced by A
        {Combination({0xE0, 0xE4}), "Ctrl + Right Ctrl"},
        {Combination({0xE0, 0x03}), "Ctrl + "},     // a usage without a key still counts
    };
    for (Case& c : cases)
        EXPECT_EQ(AssignmentCaption(c.record, {}), c.caption);

    // Only the first five events count; usage 0 is skipped.
    ButtonRecord record = Combination({0xE0, 0x00, 0x06});
    record.AssignData[15] = 0xE1;
    EXPECT_EQ(AssignmentCaption(record, {}), "Ctrl + C");
}

TEST(AssignmentCaptions, CombinationOfFewerThanTwoKeysNamesItsFirstKey)
{
    ButtonRecord record = Combination({0x06});
    EXPECT_EQ(AssignmentCaption(record, {}), "C");
    record.AssignData[0] = 0;
    EXPECT_EQ(AssignmentCaption(record, {}), "");
}

TEST(AssignmentCaptions, MacroBindingFollowsTheList)
{
    test::AssignTestSkin skin;
    const MacroListSnapshot list = Macros({{0, "Fire"}, {1, "Jump"}});

    ButtonRecord bound = Record(100);
    bound.KeyNumber = 1;
    bound.MacroName = "old";
    EXPECT_EQ(AssignmentCaption(bound, list), "Jump");
    EXPECT_EQ(bound.MacroName, "Jump");
    EXPECT_EQ(bound.ButtonFunc, 100);

    for (int number : {2, 14, 15, 255}) {
        ButtonRecord stale = Record(100);
        stale.KeyNumber = static_cast<std::uint8_t>(number);
        stale.MacroName = "Gone";
        EXPECT_EQ(AssignmentCaption(stale, list), "Function 16") << number;
        EXPECT_EQ(stale.ButtonFunc, 16) << number;
        EXPECT_EQ(stale.MacroName, "Gone");
    }

    // No macros at all: nothing shown, the binding is kept.
    ButtonRecord kept = Record(100);
    kept.KeyNumber = 3;
    const ButtonRecord before = kept;
    EXPECT_EQ(AssignmentCaption(kept, MacroListSnapshot{}), "");
    EXPECT_EQ(kept, before);
}

TEST(AssignmentCaptions, MacroBindingToAFreeSlotFallsBackAndOneBehindItIsKept)
{
    test::AssignTestSkin skin;
    const MacroListSnapshot list = Macros({{0, "Fire"}, {2, "Jump"}});
    ButtonRecord free = Record(100);
    free.KeyNumber = 1;
    EXPECT_EQ(AssignmentCaption(free, list), "Function 16");
    EXPECT_EQ(free.ButtonFunc, 16);
    ButtonRecord behind = Record(100);
    behind.KeyNumber = 2;
    EXPECT_EQ(AssignmentCaption(behind, list), "Jump");
    EXPECT_EQ(behind.ButtonFunc, 100);
}

TEST(AssignmentCaptions, LongMacroNameIsCutToTheFieldOnACharacterBoundary)
{
    std::string name;
    for (int i = 0; i < 300; ++i)
        name += "é";
    ButtonRecord record = Record(100);
    record.KeyNumber = 0;
    EXPECT_EQ(AssignmentCaption(record, Macros({{0, name}})), name);
    EXPECT_EQ(record.MacroName.size(), 259u * 2);
    EXPECT_EQ(record.MacroName, name.substr(0, 259 * 2));
}

TEST(AssignmentCaptions, ProfileCaptionsReadTheSharedList)
{
    test::AssignTestSkin skin;
    ProfileRecord profile;
    for (int i = 0; i < kButtonCount; ++i)
        profile.Buttons[i].ButtonFunc = kFactoryFunctionCodes[i];
    profile.Buttons[8] = Record(100);
    profile.Buttons[8].KeyNumber = 0;
    const auto captions = ComputeAssignmentCaptions(profile, Macros({{0, "Fire"}}));
    EXPECT_EQ(captions[0], "Function 1");
    EXPECT_EQ(captions[5], "DPI 2");
    EXPECT_EQ(captions[7], "Scroll 1");
    EXPECT_EQ(captions[8], "Fire");
    EXPECT_EQ(profile.Buttons[8].MacroName, "Fire");
}

} // namespace
} // namespace qor

#include "model/ProfileFiles.h"
#include "model/StructCodec.h"
#include "support/TempFolder.h"
#include "platform/text/Utf8.h"

namespace qor {
namespace {

// Captions come from whatever the profile files held: out-of-range codes, counts and usages, a
// lighting mode far outside its range and names that are not text must all give plain text.
TEST(AssignmentCaptions, HostileProfileFilesGiveTextForEveryButton)
{
    test::AssignTestSkin skin;
    test::TempFolder dir;
    std::array<std::uint8_t, kAssignDataSize> junk{};
    for (std::size_t i = 0; i < junk.size(); ++i)
        junk[i] = static_cast<std::uint8_t>(0xFF - i * 37);
    for (const std::int32_t ledMode : {1000, -7}) {
        std::string file = "[GROUP0]\nLedMode1=" + std::to_string(ledMode) + "\n";
        const int codes[kButtonCount] = {7, 6, 100, 7, 255, 200, -7, 1000, 100};
        for (int i = 1; i <= kButtonCount; ++i)
            file += "ButtonAssigned0_" + std::to_string(i) + "=" + EncodeStruct(junk) + "\n";
        for (int i = 1; i <= kButtonCount; ++i)
            file += "[ButtonAssigned0_" + std::to_string(i) + "]\nButtonFunc=" + std::to_string(codes[i - 1]) +
                    "\nKeyNumber=" + std::to_string(i == 3 ? 14 : 255) + "\nMacroName=\xFF\xC3\n";
        test::WriteAll(dir.Path("RSProfile1.pfd"), file);

        auto table = std::make_unique<ProfileTable>();
        LoadProfileTable(*table, dir.Slash());
        EXPECT_EQ(table->profiles[0].LedMode1, ledMode);
        for (int profile : {0, 1, -1, 5, 1000}) {
            for (const std::string& caption : ComputeAssignmentCaptions(*table, profile))
                EXPECT_TRUE(IsValidUtf8(caption)) << ledMode << " " << profile;
        }
        for (ButtonRecord& record : table->profiles[0].Buttons)
            EXPECT_TRUE(IsValidUtf8(AssignmentCaption(record, Macros({{14, "Last"}}))));
        EXPECT_TRUE(SaveProfileFiles(*table, dir.Slash()));
    }
}

} // namespace
} // namespace qor
