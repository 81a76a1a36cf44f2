#include "assign/AssignmentCaptions.h"

#include "assign/FunctionCatalogue.h"
#include "macro/MacroName.h"

namespace qor {
namespace {

constexpr int kCombinationEventsExamined = 5;

std::string MacroCaption(ButtonRecord& record, const MacroListSnapshot& macros)
{
    // With no macro at all (a missing or unreadable list) the binding is kept: it may be valid again
    // once the list is back.
    if (macros.Count() == 0)
        return {};
    // A slot number beyond the list or a free slot binds nothing the agent could play.
    const std::string name = macros.NameByNumber(record.KeyNumber);
    if (name.empty()) {
        record.ButtonFunc = FunctionCode::Plain16;
        return FunctionText(FunctionCode::Plain16);
    }
    record.MacroName = TruncateToCodePoints(name, kMacroNameField - 1);
    return name;
}

} // namespace

KeyCombination KeyCombinationOf(std::span<const std::uint8_t, kAssignDataSize> assignData)
{
    KeyCombination keys;
    for (int i = 0; i < kCombinationEventsExamined; ++i) {
        const std::uint8_t usage = assignData[static_cast<std::size_t>(i) * 3];
        if (usage == 0)
            continue;
        const int vk = KeyUsageToVk(usage).value_or(0);
        switch (vk) {
        case 0xA0: keys.shift = true; break;
        case 0xA2: keys.ctrl = true; break;
        case 0x5B: keys.win = true; break;
        case 0xA4: keys.alt = true; break;
        default:
            keys.other = true;
            keys.otherVk = vk;
            break;
        }
    }
    return keys;
}

std::string KeyCombinationCaption(std::span<const std::uint8_t, kAssignDataSize> assignData)
{
    return CombinationText(KeyCombinationOf(assignData));
}

std::string AssignmentCaption(ButtonRecord& record, const MacroListSnapshot& macros)
{
    const int code = record.ButtonFunc;
    switch (code) {
    case FunctionCode::SingleKey: {
        const std::optional<std::uint8_t> vk = KeyUsageToVk(record.AssignData[0]);
        return vk ? VkCaptionName(*vk) : std::string("key");
    }
    case FunctionCode::KeyCombination:
        if (record.KeyNumber / 2 >= 2)
            return KeyCombinationCaption(record.AssignData);
        // Only files produce a combination of fewer than two keys: name its first key.
        return std::string(KeyName(KeyUsageToVk(record.AssignData[0]).value_or(0)));
    case FunctionCode::Macro:
        return MacroCaption(record, macros);
    default:
        break;
    }
    const bool hasText = (code >= 1 && code <= 5) || code == FunctionCode::FireKey || code == 14 ||
                         code == FunctionCode::Plain16 || (code >= 17 && code <= 54);
    return hasText ? FunctionText(code) : std::string{};
}

std::array<std::string, kButtonCount> ComputeAssignmentCaptions(ProfileRecord& profile,
                                                                const MacroListSnapshot& macros)
{
    std::array<std::string, kButtonCount> captions;
    for (int i = 0; i < kButtonCount; ++i)
        captions[i] = AssignmentCaption(profile.Buttons[i], macros);
    return captions;
}

std::array<std::string, kButtonCount> ComputeAssignmentCaptions(ProfileRecord& profile)
{
    return ComputeAssignmentCaptions(profile, SharedMacroList().Read());
}

std::array<std::string, kButtonCount> ComputeAssignmentCaptions(ProfileTable& table, int profile)
{
    if (profile < 0 || profile >= kProfileCount)
        return {};
    return ComputeAssignmentCaptions(table.profiles[profile]);
}

} // namespace qor
