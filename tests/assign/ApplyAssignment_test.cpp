#include "assign/ApplyAssignment.h"

#include <gtest/gtest.h>

#include "AssignTestSkin.h"
#include "assign/FunctionCatalogue.h"

namespace qor {
namespace {

// Scripted dialogs: each run records what it was given and answers with the scripted result.
class ScriptedDialogs : public AssignmentDialogs {
public:
    struct Warning {
        std::string first, second, third;
    };

    void ShowWarning(const std::string& first, const std::string& second, const std::string& third) override
    {
        warnings.push_back({first, second, third});
    }
    KeyCaptureResult RunKeyCapture(const KeyCaptureRequest& request) override
    {
        keyRequests.push_back(request);
        return keyResult;
    }
    FireKeyResult RunFireKey(const FireKeyRequest& request) override
    {
        fireRequests.push_back(request);
        return fireResult;
    }
    MacroEditorResult RunMacroEditor() override
    {
        ++editorRuns;
        return editorResult;
    }
    int DialogsRun() const
    {
        return static_cast<int>(warnings.size() + keyRequests.size() + fireRequests.size()) + editorRuns;
    }

    KeyCaptureResult keyResult;
    FireKeyResult fireResult;
    MacroEditorResult editorResult;
    std::vector<Warning> warnings;
    std::vector<KeyCaptureRequest> keyRequests;
    std::vector<FireKeyRequest> fireRequests;
    int editorRuns = 0;
};

constexpr std::uint32_t Choice(int entry, int element = 0)
{
    return (static_cast<std::uint32_t>(entry) << 16) | static_cast<std::uint32_t>(element);
}

class ApplyAssignmentTest : public ::testing::Test {
protected:
    ApplyAssignmentTest()
    {
        for (ProfileRecord& profile : table.profiles)
            for (int i = 0; i < kButtonCount; ++i)
                profile.Buttons[i].ButtonFunc = kFactoryFunctionCodes[i];
    }
    CaptionRefresh Apply(int button, std::uint32_t choice, int profile = 2)
    {
        return ApplyAssignment(table, profile, button, choice, dialogs, store);
    }
    ButtonRecord& Button(int button, int profile = 2) { return table.profiles[profile].Buttons[button]; }

    test::AssignTestSkin skin;
    MacroStore store = skin.Macros();
    ProfileTable table;
    ScriptedDialogs dialogs;
};

TEST_F(ApplyAssignmentTest, PlainAndCategoryChoicesStoreTheirCode)
{
    struct Case {
        std::uint32_t choice;
        int stored;
    } cases[] = {
        {Choice(2), 2},      {Choice(14), 14},     {Choice(16), 16},     {Choice(11), 11},
        {Choice(9, 31), 31}, {Choice(8, 17), 17},  {Choice(10, 43), 43}, {Choice(13, 48), 48},
        {Choice(15, 51), 51}, {Choice(54), 54},    {Choice(52, 7), 52},  {Choice(9, 0x1FF), 0xFF},
    };
    for (const Case& c : cases) {
        Button(4).ButtonFunc = 5;
        EXPECT_EQ(Apply(4, c.choice), CaptionRefresh::Yes);
        EXPECT_EQ(Button(4).ButtonFunc, c.stored) << std::hex << c.choice;
    }
    EXPECT_EQ(dialogs.DialogsRun(), 0);
}

TEST_F(ApplyAssignmentTest, ButtonOrProfileOutOfRangeDoesNothing)
{
    const ProfileTable before = table;
    for (int button : {-1, 9, 100})
        EXPECT_EQ(Apply(button, Choice(2)), CaptionRefresh::No);
    for (int profile : {-1, 5})
        EXPECT_EQ(Apply(1, Choice(2), profile), CaptionRefresh::No);
    EXPECT_EQ(table, before);
    EXPECT_EQ(dialogs.DialogsRun(), 0);
}

TEST_F(ApplyAssignmentTest, TheLastLeftClickCannotBeTakenAway)
{
    const ProfileTable before = table;
    EXPECT_EQ(Apply(0, Choice(2)), CaptionRefresh::No);
    ASSERT_EQ(dialogs.warnings.size(), 1u);
    EXPECT_EQ(dialogs.warnings[0].first, "Warning");
    EXPECT_EQ(dialogs.warnings[0].second, "Keep a left click");
    EXPECT_EQ(dialogs.warnings[0].third, "");
    EXPECT_EQ(Apply(0, Choice(6)), CaptionRefresh::No);
    EXPECT_TRUE(dialogs.keyRequests.empty());
    // Choosing the left click again changes nothing and says nothing.
    EXPECT_EQ(Apply(0, Choice(1)), CaptionRefresh::No);
    EXPECT_EQ(dialogs.warnings.size(), 2u);
    EXPECT_EQ(table, before);

    // Once another button has the left click, button 1 may change.
    Button(3).ButtonFunc = 1;
    EXPECT_EQ(Apply(0, Choice(2)), CaptionRefresh::Yes);
    EXPECT_EQ(Button(0).ButtonFunc, 2);
}

TEST_F(ApplyAssignmentTest, WithoutAnyLeftClickEveryChoiceButTheLeftClickWarns)
{
    Button(0).ButtonFunc = 2;
    const ProfileTable before = table;
    for (int button = 0; button < kButtonCount; ++button) {
        EXPECT_EQ(Apply(button, Choice(1)), CaptionRefresh::No);
        EXPECT_EQ(Apply(button, Choice(3)), CaptionRefresh::No);
    }
    EXPECT_EQ(dialogs.warnings.size(), static_cast<std::size_t>(kButtonCount));
    EXPECT_EQ(table, before);
}

TEST_F(ApplyAssignmentTest, SingleKey)
{
    Button(3).AssignData[0] = 0x05;
    Button(3).AssignData[1] = 0x77;
    dialogs.keyResult = {DialogEnd::Ok, 0x06, 1, {}};
    EXPECT_EQ(Apply(3, Choice(6)), CaptionRefresh::Yes);
    ASSERT_EQ(dialogs.keyRequests.size(), 1u);
    const KeyCaptureRequest& request = dialogs.keyRequests[0];
    EXPECT_EQ(request.mode, KeyCaptureMode::SingleKey);
    EXPECT_EQ(request.firstText, "Press a key");
    EXPECT_EQ(request.secondText, "Press a key");
    EXPECT_EQ(request.key, 0x05);
    EXPECT_EQ(request.keyCount, 0);
    EXPECT_EQ(request.eventData[1], 0x77);
    EXPECT_EQ(Button(3).ButtonFunc, 6);
    EXPECT_EQ(Button(3).AssignData[0], 0x06);
    EXPECT_EQ(Button(3).AssignData[1], 0x77); // the rest is kept

    dialogs.keyResult = {DialogEnd::Ok, kNoKey, 1, {}};
    Apply(3, Choice(6));
    EXPECT_EQ(Button(3).ButtonFunc, 4); // the factory code

    for (const KeyCaptureResult& ignored :
         {KeyCaptureResult{DialogEnd::Cancel, 0x07, 1, {}}, KeyCaptureResult{DialogEnd::Ok, 0x07, 0, {}}}) {
        const ButtonRecord before = Button(3);
        dialogs.keyResult = ignored;
        EXPECT_EQ(Apply(3, Choice(6)), CaptionRefresh::Yes);
        EXPECT_EQ(Button(3), before);
    }
}

TEST_F(ApplyAssignmentTest, KeyCombinationStoresTheEvents)
{
    Button(5).KeyNumber = 7;
    Button(5).ButtonID = 6;
    AssignDataBytes events{};
    const std::uint8_t ctrlC[] = {0xE0, 5, 0x80, 0x06, 5, 0x80, 0x06, 5, 0x00, 0xE0, 5, 0x00};
    std::copy(std::begin(ctrlC), std::end(ctrlC), events.begin());
    dialogs.keyResult = {DialogEnd::Ok, 0x06, 2, events};
    EXPECT_EQ(Apply(5, Choice(7)), CaptionRefresh::Yes);
    ASSERT_EQ(dialogs.keyRequests.size(), 1u);
    EXPECT_EQ(dialogs.keyRequests[0].mode, KeyCaptureMode::Combination);
    EXPECT_EQ(dialogs.keyRequests[0].firstText, "Combination");
    EXPECT_EQ(dialogs.keyRequests[0].secondText, "Hold the keys");
    EXPECT_EQ(dialogs.keyRequests[0].keyCount, 3);
    EXPECT_EQ(dialogs.keyRequests[0].key, kNoKey);
    EXPECT_EQ(Button(5).ButtonFunc, 7);
    EXPECT_EQ(Button(5).ButtonID, 1);
    EXPECT_EQ(Button(5).KeyNumber, 4);
    EXPECT_EQ(Button(5).AssignData, events);
}

TEST_F(ApplyAssignmentTest, KeyCombinationResultsByKeyCount)
{
    struct Case {
        KeyCaptureResult result;
        int func;
        std::uint8_t byte0;
    } cases[] = {
        {{DialogEnd::Ok, 0x04, 1, {}}, 6, 0x04},      // one key is a single key
        {{DialogEnd::Ok, kNoKey, 1, {}}, 12, 0x09},   // nothing captured: unchanged
        {{DialogEnd::Ok, 0x04, 0, {}}, 49, 0x09},     // anything else: the factory code
        {{DialogEnd::Ok, 0x04, 6, {}}, 49, 0x09},
        {{DialogEnd::Ok, 0x04, -1, {}}, 49, 0x09},
        {{DialogEnd::Cancel, 0x04, 1, {}}, 12, 0x09},
    };
    for (const Case& c : cases) {
        Button(6).ButtonFunc = 12;
        Button(6).AssignData[0] = 0x09;
        dialogs.keyResult = c.result;
        Apply(6, Choice(7));
        EXPECT_EQ(Button(6).ButtonFunc, c.func) << c.result.keyCount;
        EXPECT_EQ(Button(6).AssignData[0], c.byte0) << c.result.keyCount;
    }
}

TEST_F(ApplyAssignmentTest, FireKeyStartsFromTheRecord)
{
    struct Case {
        int func;
        std::uint8_t byte0, loop, keyNumber;
        int choice, first, second;
        std::uint8_t key;
    } cases[] = {
        {12, 241, 5, 7, 1, 5, 7, 241},
        {12, 240, 5, 7, 0, 5, 7, 240},
        {12, 242, 5, 7, 2, 5, 7, 242},
        {12, 0x04, 5, 7, 3, 5, 7, 0x04},
        {12, 0x00, 5, 7, 0, 3, 10, 0},   // no key yet
        {6, 0x04, 5, 7, 0, 3, 10, 0},    // a single key is no fire key
        {7, 0xE0, 5, 8, 0, 3, 10, 0},
        {2, 0x04, 5, 7, 3, 5, 7, 0x04},
    };
    dialogs.fireResult.end = DialogEnd::Cancel;
    for (const Case& c : cases) {
        Button(2).ButtonFunc = static_cast<std::uint8_t>(c.func);
        Button(2).AssignData[0] = c.byte0;
        Button(2).LoopNumber = c.loop;
        Button(2).KeyNumber = c.keyNumber;
        const ButtonRecord before = Button(2);
        EXPECT_EQ(Apply(2, Choice(12)), CaptionRefresh::Yes); // a cancel still refreshes
        EXPECT_EQ(Button(2), before);
        const FireKeyRequest& request = dialogs.fireRequests.back();
        EXPECT_EQ(request.firstText, "Fire key");
        EXPECT_EQ(request.secondText, "Fire key");
        EXPECT_EQ(request.choice, c.choice) << c.func << " " << int(c.byte0);
        EXPECT_EQ(request.firstNumber, c.first) << c.func << " " << int(c.byte0);
        EXPECT_EQ(request.secondNumber, c.second) << c.func << " " << int(c.byte0);
        EXPECT_EQ(request.key, c.key) << c.func << " " << int(c.byte0);
        EXPECT_EQ(request.eventData, before.AssignData);
    }
}

TEST_F(ApplyAssignmentTest, FireKeyResults)
{
    struct Case {
        FireKeyResult result;
        int func;
        std::uint8_t byte0, loop, keyNumber;
    } cases[] = {
        {{DialogEnd::Ok, 241, 0, 300, -5}, 12, 241, 44, 251}, // low 8 bits of the numbers
        {{DialogEnd::Ok, 240, 1, 2, 60}, 12, 240, 2, 60},
        {{DialogEnd::Ok, 0x04, 1, 9, 8}, 12, 0x04, 9, 8},      // a keyboard key that was pressed
        {{DialogEnd::Ok, 0x04, 0, 9, 8}, 14, 0x33, 1, 2},      // keyboard chosen, no key pressed
        {{DialogEnd::Ok, kNoKey, 1, 9, 8}, 3, 0x33, 1, 2},     // the factory code
        {{DialogEnd::Cancel, 241, 1, 9, 8}, 14, 0x33, 1, 2},
    };
    for (const Case& c : cases) {
        Button(2).ButtonFunc = 14;
        Button(2).AssignData[0] = 0x33;
        Button(2).LoopNumber = 1;
        Button(2).KeyNumber = 2;
        dialogs.fireResult = c.result;
        Apply(2, Choice(12));
        EXPECT_EQ(Button(2).ButtonFunc, c.func) << int(c.result.key);
        EXPECT_EQ(Button(2).AssignData[0], c.byte0) << int(c.result.key);
        EXPECT_EQ(Button(2).LoopNumber, c.loop) << int(c.result.key);
        EXPECT_EQ(Button(2).KeyNumber, c.keyNumber) << int(c.result.key);
    }
}

class ApplyMacroTest : public ApplyAssignmentTest {
protected:
    void SetUp() override
    {
        for (const char* name : {"Fire", "Jump", "Run"}) {
            MacroWorkingCopy copy;
            ASSERT_TRUE(store.Create(name, copy));
        }
        MacroWorkingCopy jump;
        jump.LoopCountText = "7";
        ASSERT_TRUE(store.Save("Jump", jump));
    }
};

TEST_F(ApplyMacroTest, EditorOkBindsTheSelectedMacro)
{
    dialogs.editorResult = {DialogEnd::Ok, "Jump"};
    EXPECT_EQ(Apply(4, Choice(100, 100)), CaptionRefresh::Yes);
    EXPECT_EQ(dialogs.editorRuns, 1);
    EXPECT_EQ(Button(4).ButtonFunc, 100);
    EXPECT_EQ(Button(4).KeyNumber, 1);
    EXPECT_EQ(Button(4).LoopNumber, 7);
}

TEST_F(ApplyMacroTest, EditorResults)
{
    struct Case {
        MacroEditorResult result;
        int func, keyNumber, loop;
    } cases[] = {
        {{DialogEnd::Ok, ""}, 16, 9, 9},
        {{DialogEnd::Ok, "Unknown"}, 100, 255, 1},
        {{DialogEnd::Ok, "../Jump"}, 100, 255, 1},
        {{DialogEnd::Close, "Jump"}, 5, 9, 9},
        {{DialogEnd::Cancel, "Jump"}, 5, 9, 9},
    };
    for (const Case& c : cases) {
        Button(4).ButtonFunc = 5;
        Button(4).KeyNumber = 9;
        Button(4).LoopNumber = 9;
        dialogs.editorResult = c.result;
        EXPECT_EQ(Apply(4, Choice(100, 100)), CaptionRefresh::Yes);
        EXPECT_EQ(Button(4).ButtonFunc, c.func) << c.result.macroName;
        EXPECT_EQ(Button(4).KeyNumber, c.keyNumber) << c.result.macroName;
        EXPECT_EQ(Button(4).LoopNumber, c.loop) << c.result.macroName;
    }
}

TEST_F(ApplyMacroTest, ListElementBindsByNumber)
{
    struct Case {
        int element, keyNumber, loop;
    } cases[] = {{1, 1, 7}, {0, 0, 1}, {14, 14, 1}, {300, 44, 1}, {0xFFFF, 0xFF, 1}};
    for (const Case& c : cases) {
        Button(4).ButtonFunc = 5;
        EXPECT_EQ(Apply(4, Choice(100, c.element)), CaptionRefresh::Yes);
        EXPECT_EQ(Button(4).ButtonFunc, 100) << c.element;
        EXPECT_EQ(Button(4).KeyNumber, c.keyNumber) << c.element;
        EXPECT_EQ(Button(4).LoopNumber, c.loop) << c.element;
    }
    EXPECT_EQ(dialogs.editorRuns, 0);
}

} // namespace
} // namespace qor
