#include "macro/MacroFile.h"

#include <gtest/gtest.h>

#include "MacroTestFolder.h"
#include "model/StructCodec.h"

namespace qor {
namespace {

std::string BlockValue(const MacroBlock& block)
{
    const MacroBlockBytes bytes = EncodeMacroBlock(block);
    return EncodeStruct(bytes);
}

MacroWorkingCopy Recorded()
{
    MacroWorkingCopy copy;
    copy.LoopCountText = "12x";
    copy.LoopType = 0;
    copy.DelayType = 0;
    copy.EventCount = 3;
    copy.Events[0] = MacroEvent::KeyEvent(0x04, true);
    copy.Events[1] = MacroEvent::DelayEvent(12);
    copy.Events[2] = MacroEvent::KeyEvent(0x04, false);
    return copy;
}

TEST(ParseLeadingInt, ReadsTheNumberAtTheStart)
{
    struct Case {
        const char* text;
        std::int32_t value;
    } cases[] = {
        {"", 0}, {"abc", 0}, {"12", 12}, {"12x", 12}, {"  7", 7}, {"-5", -5}, {"+9", 9}, {"- 5", 0},
        {"255", 255}, {"300", 300}, {"99999999999", 2147483647}, {"-99999999999", -2147483647 - 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseLeadingInt(c.text), c.value) << '"' << c.text << '"';
}

TEST(MacroFile, SaveWritesTheSixKeysInOrder)
{
    test::TestFolder folder;
    const std::string path = folder.Path("Fire.QORMACRO");
    ASSERT_TRUE(SaveMacroFile(path, Recorded()));
    EXPECT_EQ(folder.Read("Fire.QORMACRO"),
              "[Setting]\r\nMacroFilePath=" + path +
                  "\r\nLoopTime=12\r\nLoopType=0\r\nDelayType=0\r\nCount=3\r\nMacroSetting_0=" +
                  "840400060C00040400" + std::string(60 * 6, '0') + "A2\r\n");
    EXPECT_EQ(folder.Listing(), (std::set<std::string>{"Fire.QORMACRO"}));
}

TEST(MacroFile, SaveReplacesValuesInPlaceAndKeepsTheRest)
{
    test::TestFolder folder;
    folder.Write("x.QORDB", "; exported\r\n[Setting]\r\nCount=9\r\nExtra=keep\r\n[Other]\r\nA=1\r\n");
    ASSERT_TRUE(SaveMacroFile(folder.Path("x.QORDB"), Recorded()));
    const std::string text = folder.Read("x.QORDB");
    EXPECT_EQ(text.rfind("; exported\r\n[Setting]\r\nCount=3\r\nExtra=keep\r\nMacroFilePath=", 0), 0u) << text;
    EXPECT_NE(text.find("[Other]\r\nA=1\r\n"), std::string::npos) << text;
}

TEST(MacroFile, LoadRoundTripsAndCountsTheEntries)
{
    test::TestFolder folder;
    const std::string path = folder.Path("Fire.QORMACRO");
    MacroWorkingCopy saved = Recorded();
    saved.EventCount = 1; // the Count key only informs the agent
    ASSERT_TRUE(SaveMacroFile(path, saved));
    MacroWorkingCopy loaded;
    EXPECT_TRUE(LoadMacroBlock(path, loaded));
    EXPECT_EQ(loaded.Events, saved.Events);
    EXPECT_EQ(loaded.EventCount, 3);
    EXPECT_EQ(ReadMacroSettings(path), (MacroSettings{12, 0, 0}));
}

TEST(MacroFile, CountKeyIsIgnoredInFavourOfTheEntries)
{
    test::TestFolder folder;
    MacroBlock block{};
    for (int i = 0; i < 7; ++i)
        block[i] = MacroEvent::KeyEvent(static_cast<std::uint8_t>(4 + i), i % 2 == 0);
    folder.Write("m.QORMACRO", "[Setting]\r\nCount=5\r\nMacroSetting_0=" + BlockValue(block) + "\r\n");
    MacroWorkingCopy copy;
    EXPECT_TRUE(LoadMacroBlock(folder.Path("m.QORMACRO"), copy));
    EXPECT_EQ(copy.EventCount, 7);
}

TEST(MacroFile, DamagedOrMissingBlockKeepsThePreviousEntries)
{
    test::TestFolder folder;
    MacroBlock other{};
    other[0] = MacroEvent::DelayEvent(1);
    const std::string good = BlockValue(other);
    std::string wrongSum = good;
    wrongSum.back() = wrongSum.back() == '0' ? '1' : '0';
    const std::string cases[] = {
        "[Setting]\r\nMacroSetting_0=" + good.substr(1) + "\r\n", // one digit missing
        "[Setting]\r\nMacroSetting_0=" + wrongSum + "\r\n",
        "[Setting]\r\nMacroSetting_0=" + good + "00\r\n",
        "[Setting]\r\nMacroSetting_0=" + std::string(380, 'G') + "\r\n",
        "[Setting]\r\nLoopTime=3\r\n",
        "garbage \x01\x02\xFF",
    };
    for (const std::string& text : cases) {
        folder.Write("m.QORMACRO", text);
        MacroWorkingCopy copy = Recorded();
        EXPECT_FALSE(LoadMacroBlock(folder.Path("m.QORMACRO"), copy));
        EXPECT_EQ(copy.Events, Recorded().Events) << text;
        EXPECT_EQ(copy.EventCount, 3);
    }
    MacroWorkingCopy copy = Recorded();
    EXPECT_FALSE(LoadMacroBlock(folder.Path("missing.QORMACRO"), copy));
    EXPECT_EQ(copy.Events, Recorded().Events);
}

TEST(MacroFile, SettingsDefaultWhenMissing)
{
    test::TestFolder folder;
    EXPECT_EQ(ReadMacroSettings(folder.Path("missing.QORMACRO")), (MacroSettings{1, 0, 2}));
    folder.Write("m.QORMACRO", "[Setting]\r\nLoopTime=300\r\nLoopType=7\r\n");
    EXPECT_EQ(ReadMacroSettings(folder.Path("m.QORMACRO")), (MacroSettings{300, 7, 2}));
}

} // namespace
} // namespace qor
