#include "macro/MacroList.h"

#include <gtest/gtest.h>

#include "MacroTestFolder.h"

namespace qor {
namespace {

class MacroListTest : public ::testing::Test {
protected:
    void WriteList(const std::string& body) { folder.Write("MacroSet.QORDB", "[Device]\r\nSetting=1\r\n[MACRO_LIST]\r\n" + body); }

    test::TestFolder folder;
    MacroList list{folder.Path("MacroSet.QORDB")};
};

TEST_F(MacroListTest, MissingFileIsAnEmptyList)
{
    std::vector<std::string> names{"stale"};
    EXPECT_EQ(list.ListNames(names), 0);
    EXPECT_TRUE(names.empty());
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.NameByNumber(0), "");
    EXPECT_EQ(list.NumberByName("Fire"), -1);
}

TEST_F(MacroListTest, FreeSlotsAreSkippedButKeepTheirNumbers)
{
    WriteList("0=Fire\r\n1=\r\n2=Jump\r\n");
    std::vector<std::string> names;
    EXPECT_EQ(list.ListNames(names), 2);
    EXPECT_EQ(names, (std::vector<std::string>{"Fire", "Jump"}));
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.NumberByName("Jump"), 2);
    EXPECT_EQ(list.NameByNumber(1), "");
    EXPECT_EQ(list.NameByNumber(2), "Jump");
}

TEST_F(MacroListTest, LookupsAreExactAndStayInsideTheList)
{
    WriteList("0=Fire\r\n1=Fire\r\n");
    EXPECT_EQ(list.NumberByName("Fire"), 0); // the smallest key
    EXPECT_EQ(list.NumberByName("fire"), -1);
    EXPECT_EQ(list.NumberByName("Fir"), -1);
    EXPECT_EQ(list.NumberByName(""), -1); // never a free slot
    for (int number : {-1, 15, 255, 100000})
        EXPECT_EQ(list.NameByNumber(number), "") << number;
}

TEST_F(MacroListTest, AddNameTakesTheFirstFreeKey)
{
    WriteList("0=Fire\r\n1=\r\n2=Jump\r\n");
    EXPECT_EQ(list.AddName("Run"), 1);
    EXPECT_EQ(list.AddName("Fire"), 3); // no search for an equal name
    EXPECT_EQ(folder.Read("MacroSet.QORDB"),
              "[Device]\r\nSetting=1\r\n[MACRO_LIST]\r\n0=Fire\r\n1=Run\r\n2=Jump\r\n3=Fire\r\n");
}

TEST_F(MacroListTest, AddNameCreatesTheFile)
{
    EXPECT_EQ(list.AddName("Fire"), 0);
    EXPECT_EQ(list.NameByNumber(0), "Fire");
}

TEST_F(MacroListTest, AddNameToAFullListWritesNothing)
{
    std::string body;
    for (int n = 0; n < kMacroSlotCount; ++n)
        body += std::to_string(n) + "=M" + std::to_string(n) + "\r\n";
    WriteList(body);
    const std::string before = folder.Read("MacroSet.QORDB");
    EXPECT_EQ(list.AddName("Run"), std::nullopt);
    EXPECT_EQ(folder.Read("MacroSet.QORDB"), before);
}

TEST_F(MacroListTest, AddNameRefusesTextThatWouldBreakTheFile)
{
    WriteList("0=Fire\r\n");
    const std::string before = folder.Read("MacroSet.QORDB");
    for (const std::string& name : {std::string(""), std::string("x\r\n[Device]\r\nSetting=0"), std::string("a\0b", 3)})
        EXPECT_EQ(list.AddName(name), std::nullopt);
    EXPECT_EQ(folder.Read("MacroSet.QORDB"), before);
}

TEST_F(MacroListTest, RewriteRenumbersFromZeroAndClearsEveryOtherKey)
{
    WriteList("0=Fire\r\n1=Jump\r\n2=Run\r\n");
    const std::vector<std::string> remaining{"Jump", "Run"};
    EXPECT_TRUE(list.Rewrite(remaining));
    std::string expected = "[Device]\r\nSetting=1\r\n[MACRO_LIST]\r\n0=Jump\r\n1=Run\r\n2=\r\n";
    for (int n = 3; n < kMacroSlotCount; ++n)
        expected += std::to_string(n) + "=\r\n";
    EXPECT_EQ(folder.Read("MacroSet.QORDB"), expected);
    EXPECT_EQ(folder.Listing(), (std::set<std::string>{"MacroSet.QORDB"})); // replaced in one step
}

TEST_F(MacroListTest, RewriteDropsNamesPastTheLastSlot)
{
    std::vector<std::string> names;
    for (int n = 0; n < 20; ++n)
        names.push_back("M" + std::to_string(n));
    EXPECT_TRUE(list.Rewrite(names));
    EXPECT_EQ(list.Count(), kMacroSlotCount);
    EXPECT_EQ(list.NameByNumber(14), "M14");
    EXPECT_EQ(list.NumberByName("M15"), -1);
}

} // namespace
} // namespace qor
