#include "assign/ApplyAssignment.h"

#include "assign/FunctionCatalogue.h"
#include "skin/SkinText.h"

namespace qor {
namespace {

std::uint8_t Low8(std::int64_t value) { return static_cast<std::uint8_t>(value & 0xFF); }

void AssignSingleKey(ButtonRecord& record, std::uint8_t factoryCode, AssignmentDialogs& dialogs)
{
    KeyCaptureRequest request;
    request.mode = KeyCaptureMode::SingleKey;
    request.firstText = SkinText("SINGLEKEY", 1);
    request.secondText = request.firstText;
    request.eventData = record.AssignData;
    request.key = record.AssignData[0];
    const KeyCaptureResult result = dialogs.RunKeyCapture(request);
    if (result.end != DialogEnd::Ok || result.keyCount != 1)
        return;
    if (result.key == kNoKey) {
        record.ButtonFunc = factoryCode;
        return;
    }
    record.AssignData[0] = result.key;
    record.ButtonFunc = FunctionCode::SingleKey;
}

void AssignKeyCombination(ButtonRecord& record, std::uint8_t factoryCode, AssignmentDialogs& dialogs)
{
    KeyCaptureRequest request;
    request.mode = KeyCaptureMode::Combination;
    request.firstText = SkinText("SINGLEKEY", 3);
    request.secondText = SkinText("SINGLEKEY", 4);
    request.eventData = record.AssignData;
    request.keyCount = record.KeyNumber / 2;
    request.key = kNoKey;
    const KeyCaptureResult result = dialogs.RunKeyCapture(request);
    if (result.end != DialogEnd::Ok)
        return;
    const int keys = result.keyCount;
    if (keys == 1) {
        // A combination of one key is stored as that single key.
        if (result.key == kNoKey)
            return;
        record.AssignData[0] = result.key;
        record.ButtonFunc = FunctionCode::SingleKey;
    } else if (keys >= 2 && keys <= 5) {
        record.ButtonFunc = FunctionCode::KeyCombination;
        record.ButtonID = 1;
        record.KeyNumber = Low8(2 * keys);
        record.AssignData = result.eventData;
    } else {
        record.ButtonFunc = factoryCode;
    }
}

void StoreFireKey(ButtonRecord& record, const FireKeyResult& result)
{
    record.ButtonFunc = FunctionCode::FireKey;
    record.AssignData[0] = result.key;
    record.LoopNumber = Low8(result.firstNumber);
    record.KeyNumber = Low8(result.secondNumber);
}

void AssignFireKey(ButtonRecord& record, std::uint8_t factoryCode, AssignmentDialogs& dialogs)
{
    FireKeyRequest request;
    request.firstText = SkinText("SINGLEKEY", 7);
    request.secondText = request.firstText;
    request.eventData = record.AssignData;
    const std::uint8_t key = record.AssignData[0];
    if (key == 0 || record.ButtonFunc == FunctionCode::SingleKey ||
        record.ButtonFunc == FunctionCode::KeyCombination) {
        // The record holds no fire key yet: start from the left button, 3 and 10.
        request.choice = 0;
        request.firstNumber = 3;
        request.secondNumber = 10;
        request.key = 0;
    } else {
        request.key = key;
        request.choice = key == kFireLeftButton ? 0 : key == kFireRightButton ? 1 : key == kFireMiddleButton ? 2 : 3;
        request.firstNumber = record.LoopNumber;
        request.secondNumber = record.KeyNumber;
    }
    const FireKeyResult result = dialogs.RunFireKey(request);
    if (result.end != DialogEnd::Ok)
        return;
    if (result.key >= kFireLeftButton && result.key <= kFireMiddleButton)
        StoreFireKey(record, result);
    if (result.keyCount == 1) {
        if (result.key == kNoKey)
            record.ButtonFunc = factoryCode;
        else
            StoreFireKey(record, result);
    }
}

void AssignMacro(ButtonRecord& record, int listValue, AssignmentDialogs& dialogs, const MacroStore& macros)
{
    constexpr int kEditorEntry = 100;
    if (listValue == kEditorEntry) {
        const MacroEditorResult result = dialogs.RunMacroEditor();
        if (result.end != DialogEnd::Ok)
            return;
        if (result.macroName.empty()) {
            record.ButtonFunc = FunctionCode::Plain16;
            return;
        }
        record.ButtonFunc = FunctionCode::Macro;
        // Not found gives 255, which the next caption refresh turns into function 16.
        record.KeyNumber = Low8(macros.List().NumberByName(result.macroName));
        record.LoopNumber = macros.LoopCount(result.macroName);
        return;
    }
    record.ButtonFunc = FunctionCode::Macro;
    record.KeyNumber = Low8(listValue);
    record.LoopNumber = macros.LoopCount(macros.List().NameByNumber(listValue));
}

} // namespace

CaptionRefresh ApplyAssignment(ProfileTable& table, int profile, int button, std::uint32_t choice,
                               AssignmentDialogs& dialogs, const MacroStore& macros)
{
    if (button < 0 || button >= kButtonCount || profile < 0 || profile >= kProfileCount)
        return CaptionRefresh::No;
    const int entry = static_cast<int>(choice >> 16);
    const int listValue = static_cast<int>(choice & 0xFFFF);
    ProfileRecord& record = table.profiles[profile];
    ButtonRecord& target = record.Buttons[button];
    const std::uint8_t factoryCode = kFactoryFunctionCodes[button];

    if (!OtherButtonHasLeftClick(table, profile, button)) {
        if (entry == FunctionCode::LeftClick)
            return CaptionRefresh::No;
        dialogs.ShowWarning(SkinText("WARNING", 1), SkinText("WARNING", 2), "");
        return CaptionRefresh::No;
    }

    switch (entry) {
    case FunctionCode::FireKey: AssignFireKey(target, factoryCode, dialogs); break;
    case FunctionCode::SingleKey: AssignSingleKey(target, factoryCode, dialogs); break;
    case FunctionCode::KeyCombination: AssignKeyCombination(target, factoryCode, dialogs); break;
    case FunctionCode::Macro: AssignMacro(target, listValue, dialogs, macros); break;
    default:
        target.ButtonFunc = Low8(IsCategoryEntry(entry) ? listValue : entry);
        break;
    }
    return CaptionRefresh::Yes;
}

CaptionRefresh ApplyAssignment(int profile, int button, std::uint32_t choice, AssignmentDialogs& dialogs)
{
    return ApplyAssignment(LiveProfileTable(), profile, button, choice, dialogs, UserMacroStore());
}

} // namespace qor
