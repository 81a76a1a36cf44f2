#include "macro/MacroEvent.h"

#include <gtest/gtest.h>

namespace qor {
namespace {

TEST(MacroEvent, FactoriesGiveTheBytesTheAgentReads)
{
    // A recorded A press, 120 ms, A release; a left click from the editor's menu.
    EXPECT_EQ(MacroEvent::KeyEvent(0x04, true), (MacroEvent{0x84, 0x04, 0x00}));
    EXPECT_EQ(MacroEvent::DelayEvent(12), (MacroEvent{0x06, 0x0C, 0x00}));
    EXPECT_EQ(MacroEvent::KeyEvent(0x04, false), (MacroEvent{0x04, 0x04, 0x00}));
    EXPECT_EQ(MacroEvent::MouseEvent(kMacroMouseLeft, true), (MacroEvent{0x81, 0x01, 0x00}));
    EXPECT_EQ(MacroEvent::MouseEvent(kMacroMouseLeft, false), (MacroEvent{0x01, 0x01, 0x00}));
    EXPECT_EQ(MacroEvent::DelayEvent(6553).DelayUnits(), 6553);
    EXPECT_EQ(MacroEvent::DelayEvent(0xFFFF), (MacroEvent{0x06, 0xFF, 0xFF}));
}

TEST(MacroEvent, KnownKinds)
{
    struct Case {
        MacroEvent event;
        bool known;
    } cases[] = {
        {{0x81, 1, 0}, true}, {{0x02, 2, 0}, true}, {{0x83, 4, 0}, true}, {{0x84, 4, 0}, true},
        {{0x06, 0, 0}, true}, {{0x00, 0, 0}, false}, {{0x00, 4, 0}, false}, {{0x05, 4, 0}, false},
        {{0x87, 4, 0}, false}, {{0x7F, 1, 1}, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.event.IsKnown(), c.known) << int(c.event.Action) << " " << int(c.event.Data);
}

TEST(MacroEvent, BlockRoundTripsByteForByte)
{
    MacroBlockBytes bytes{};
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(i * 7 + 1);
    const MacroBlock block = DecodeMacroBlock(bytes);
    EXPECT_EQ(block[1], (MacroEvent{bytes[3], bytes[4], bytes[5]}));
    EXPECT_EQ(EncodeMacroBlock(block), bytes);
}

TEST(MacroEvent, CompactKeepsKnownEventsInOrderAndZeroesTheRest)
{
    MacroBlock block{};
    block[0] = {0x09, 1, 0};        // unknown kind
    block[1] = MacroEvent::KeyEvent(0x04, true);
    block[5] = MacroEvent::DelayEvent(3);
    block[62] = MacroEvent::KeyEvent(0x04, false);
    block[40] = {0x00, 0x12, 0x00}; // kind 0 with data
    EXPECT_EQ(CompactMacroBlock(block), 3);
    EXPECT_EQ(block[0], MacroEvent::KeyEvent(0x04, true));
    EXPECT_EQ(block[1], MacroEvent::DelayEvent(3));
    EXPECT_EQ(block[2], MacroEvent::KeyEvent(0x04, false));
    for (int i = 3; i < kMacroEventCount; ++i)
        EXPECT_TRUE(block[i].IsEmpty()) << i;
}

} // namespace
} // namespace qor
