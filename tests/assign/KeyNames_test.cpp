#include "assign/KeyNames.h"
#include "assign/KeyboardLayout.h"
#include "assign/KeyboardLayoutUs.h"

#include <gtest/gtest.h>
#include <set>

namespace qor {
namespace {

TEST(KeyTables, UsageTableIsOneToOne) {
    std::set<int> vks, usages;
    for (const auto& p : kKeyUsageTable) {
        EXPECT_TRUE(vks.insert(p.vk).second) << "vk 0x" << std::hex << int(p.vk) << " twice";
        EXPECT_TRUE(usages.insert(p.usage).second) << "usage 0x" << std::hex << int(p.usage) << " twice";
        EXPECT_EQ(KeyUsageToVk(p.usage), p.vk);
        EXPECT_EQ(VkToKeyUsage(p.vk), p.usage);
    }
}

TEST(KeyTables, PositionsAreDistinctExceptTheWindowsKeys) {
    std::set<int> vks, positions;
    for (const auto& e : kKeyPositionTable) {
        EXPECT_TRUE(vks.insert(e.vk).second) << "vk 0x" << std::hex << int(e.vk) << " twice";
        if (e.position != 0x9C) {
            EXPECT_TRUE(positions.insert(e.position).second) << "position 0x" << std::hex << int(e.position);
        }
        EXPECT_EQ(VkToKeyPosition(e.vk), e.position);
        EXPECT_EQ(KeyName(e.vk), e.name);
    }
    EXPECT_EQ(kKeyPositionTable.size(), 113u);
}

struct UsageCase {
    int usage;
    std::optional<std::uint8_t> vk;
};

TEST(KeyTables, UsageToVk) {
    const UsageCase cases[] = {
        {0x04, 0x41},                               // A
        {0x58, 0x6C},                               // Keypad Enter pairs with the separator key
        {0x46, 0x2A},                               // Print Screen pairs with the print key, not snapshot
        {0xE3, 0x5B},                               // left GUI
        {0x00, std::nullopt},                       // no usage
        {0x01, std::nullopt}, {0x64, std::nullopt}, // non-US backslash is not in the table
        {0xE8, std::nullopt}, {0xFF, std::nullopt},    {0x100, std::nullopt}, // out of range
        {-1, std::nullopt},   {0x10004, std::nullopt},                        // must not alias usage 0x04
    };
    for (const auto& c : cases)
        EXPECT_EQ(KeyUsageToVk(c.usage), c.vk) << "usage " << c.usage;
}

struct VkCase {
    int vk;
    std::uint8_t usage;
    std::uint8_t position;
    std::string_view name;
};

TEST(KeyTables, VkLookups) {
    const VkCase cases[] = {
        {0xA0, 0xE1, 0x83, "Shift"},
        {0xA1, 0xE5, 0x86, "Right Shift"},
        {0x10, 0, 0, ""},          // generic Shift has neither usage nor name
        {0x2C, 0, 0x7A, "PrtScr"}, // snapshot: a name but no usage
        {0x2A, 0x46, 0, ""},       // print: a usage but no name
        {0x6C, 0x58, 0x74, "Num Enter"},
        {0xAD, 0, 0x8F, "Mute"},
        {0xAC, 0, 0x99, ""}, // media keys have positions without names
        {0xB7, 0, 0, ""},
        {0x5B, 0xE3, 0x9C, "Win"},
        {0x5C, 0xE7, 0x9C, "Win"},
        {0xDC, 0x31, 0x54, "\\"},
        {0xFB, 0, 0x9F, ""},
        {0, 0, 0, ""},
        {-5, 0, 0, ""},
        {0x141, 0, 0, ""}, // must not alias 0x41
        {INT32_MIN, 0, 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "vk 0x" << std::hex << c.vk);
        EXPECT_EQ(VkToKeyUsage(c.vk), c.usage);
        EXPECT_EQ(VkToKeyPosition(c.vk), c.position);
        EXPECT_EQ(KeyName(c.vk), c.name);
    }
}

TEST(KeyTables, PositionNames) {
    EXPECT_EQ(KeyPositionName(0xF4), "Left Windows");
    EXPECT_EQ(KeyPositionName(0xF5), "Right Windows");
    EXPECT_EQ(KeyPositionName(0x14), "A");
    EXPECT_EQ(KeyPositionName(0), "");
    EXPECT_EQ(KeyPositionName(0xF6), "");
    EXPECT_EQ(KeyPositionName(0x1F4), "");
    EXPECT_EQ(KeyPositionName(-12), "");
}

TEST(KeyTables, LookupsAreUsableAtCompileTime) {
    static_assert(KeyUsageToVk(0x06) == 0x43);
    static_assert(KeyName(0x43) == "C");
}

TEST(CombinationText, JoinsTheSetFlagsInFixedOrder) {
    EXPECT_EQ(CombinationText({}), "");
    EXPECT_EQ(CombinationText({.ctrl = true, .other = true, .otherVk = 0x43}), "Ctrl + C");
    EXPECT_EQ(CombinationText(
                  {.shift = true, .ctrl = true, .win = true, .alt = true, .other = true, .otherVk = 0x70}),
              "Shift + Ctrl + Win + Alt + F1");
    EXPECT_EQ(CombinationText({.alt = true, .otherVk = 0x43}),
              "Alt"); // the other key counts only when flagged
    EXPECT_EQ(CombinationText({.other = true, .otherVk = 0x41}), "A");
    // A flagged key without a name still takes its place, as the caption has always shown it.
    EXPECT_EQ(CombinationText({.shift = true, .other = true, .otherVk = 0}), "Shift + ");
}

class FixedLayout final : public KeyboardLayout {
public:
    explicit FixedLayout(char32_t c) : c_(c) {}
    char32_t CharacterOf(int) const override { return c_; }

private:
    char32_t c_;
};

TEST(VkCaptionName, TableNamesComeFirst) {
    const UsKeyboardLayout us;
    EXPECT_EQ(VkCaptionName(0x0D, us), "Enter");
    EXPECT_EQ(VkCaptionName(0x6C, us), "Enter");
    EXPECT_EQ(VkCaptionName(0x2A, us), "Print");
    EXPECT_EQ(VkCaptionName(0x65, us), "Num5");
    EXPECT_EQ(VkCaptionName(0x7B, us), "F12");
    EXPECT_EQ(VkCaptionName(0xA5, us), "RAlt");
    EXPECT_EQ(VkCaptionName(0x20, FixedLayout(U'x')), "Space"); // the layout is not asked
}

TEST(VkCaptionName, OtherKeysShowTheLayoutsCharacter) {
    const UsKeyboardLayout us;
    EXPECT_EQ(VkCaptionName(0x41, us), "A");
    EXPECT_EQ(VkCaptionName(0x5A, us), "Z");
    EXPECT_EQ(VkCaptionName(0x37, us), "7");
    EXPECT_EQ(VkCaptionName(0xBA, us), ";");
    EXPECT_EQ(VkCaptionName(0xC0, us), "`");
    EXPECT_EQ(VkCaptionName(0xDE, us), "'");
    EXPECT_EQ(VkCaptionName(0x41, FixedLayout(U'q')), "Q");           // another layout, upper-cased
    EXPECT_EQ(VkCaptionName(0xBA, FixedLayout(U'\u00FC')), "\u00FC"); // non-ASCII stays as it is, in UTF-8
}

TEST(VkCaptionName, KeysWithoutCharacterGiveEmptyText) {
    const UsKeyboardLayout us;
    EXPECT_EQ(VkCaptionName(0xAD, us), "");                            // media key
    EXPECT_EQ(VkCaptionName(0x5B, us), "");                            // Windows key
    EXPECT_EQ(VkCaptionName(0x41, FixedLayout(U'\x03')), "");          // a control character is not shown
    EXPECT_EQ(VkCaptionName(0x41, FixedLayout(char32_t(0xD800))), ""); // nor a surrogate
    EXPECT_EQ(VkCaptionName(0x341, FixedLayout(U'x')), "");            // not a virtual key
    EXPECT_EQ(VkCaptionName(-1, FixedLayout(U'x')), "");
}

TEST(VkCaptionName, UsesTheCurrentLayout) {
    EXPECT_EQ(VkCaptionName(0xBF), "/"); // US until replaced
    SetCurrentKeyboardLayout(std::make_unique<FixedLayout>(U'-'));
    EXPECT_EQ(VkCaptionName(0xBF), "-");
    SetCurrentKeyboardLayout(nullptr);
    EXPECT_EQ(VkCaptionName(0xBF), "/");
}

} // namespace
} // namespace qor
