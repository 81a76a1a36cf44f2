#include "mainwindow/MainWindowRules.h"

#include <array>
#include <cstdio>

namespace qor {

PageGroups GroupsOfPage(int page) {
    PageGroups g;
    switch (page) {
    case 1:
        g.profileButtons = g.assignment = g.reportRate = g.pointer = true;
        break;
    case 2:
        g.profileButtons = g.stages = true;
        break;
    case 3:
        g.profileButtons = g.lightingModes = g.lightingTexts = true;
        break;
    case 4:
        g.information = true;
        break;
    default:
        break;
    }
    return g;
}

namespace {
constexpr std::array<std::int32_t, kReportRateChoiceCount> kPollingRates = {8, 4, 2, 1};
} // namespace

std::int32_t PollingRateOfChoice(int choice) {
    if (choice < 0 || choice >= kReportRateChoiceCount) return kPollingRates[1];
    return kPollingRates[std::size_t(choice)];
}

int ChoiceOfPollingRate(std::int32_t pollingRate) {
    for (int c = 0; c < kReportRateChoiceCount; ++c)
        if (kPollingRates[std::size_t(c)] == pollingRate) return c;
    return 1;
}

ReportIntervalView ViewOfReportInterval(std::int64_t interval) {
    for (int c = 0; c < kReportRateChoiceCount; ++c)
        if (kPollingRates[std::size_t(c)] == interval) return {kPollingRates[std::size_t(c)], c};
    return {2, 2};
}

int StageDpiRuleA(int code) { return code <= 61 ? (code + 1) * 100 : (code - 30) * 200; }
int StageDpiRuleB(int code) { return code <= 120 ? code * 100 : (code - 60) * 200; }
int StageSliderPos(int code) { return 93 - code; }
int StageCodeOfPos(int position) { return 93 - position; }

std::string StageCaption(std::int32_t dpi) {
    char text[48];
    // Widened so that the largest stored value does not wrap to a negative number.
    std::snprintf(text, sizeof text, "Current Stage : %lld", static_cast<long long>(dpi) + 1);
    return text;
}

int ShownLightingMode(std::int64_t mode) {
    return (mode < 0 || mode >= kLightingModeCount) ? 0 : int(mode);
}

LightingView ViewOfLightingMode(int mode) {
    // Texts T1..T7 as indices 0..6; groups A..E as 0..4.
    LightingView v;
    auto texts = [&v](std::initializer_list<int> numbers) {
        for (int n : numbers) v.texts[n - 1] = true;
    };
    switch (ShownLightingMode(mode)) {
    case 0: texts({1, 2, 3}); v.groups[GroupA] = v.groups[GroupB] = true; v.swatches = true; break;
    case 1: texts({5, 6}); v.groups[GroupD] = v.groups[GroupE] = true; break;
    case 2: texts({1, 2}); v.groups[GroupA] = true; v.swatches = true; break;
    case 3: texts({5, 6}); v.groups[GroupD] = v.groups[GroupE] = true; break;
    case 4: texts({5}); v.groups[GroupD] = true; break;
    case 5: texts({5}); v.groups[GroupD] = true; break;
    case 6: texts({1, 2, 4}); v.groups[GroupA] = v.groups[GroupC] = true; v.swatches = true; break;
    case 7: texts({7}); break;
    default: break;
    }
    return v;
}

namespace {
constexpr std::int32_t kOptionValues[kOptionGroupCount][kOptionChoiceCount] = {
    {1, 2, 3}, // A: Level
    {8, 5, 2}, // B: Rate
    {8, 5, 1}, // C: Rate
    {1, 2, 3}, // D: Level
    {8, 5, 2}, // E: Rate
};
bool ValidGroup(int group) { return group >= 0 && group < kOptionGroupCount; }
} // namespace

std::int32_t OptionValue(int group, int choice) {
    if (!ValidGroup(group) || choice < 0 || choice >= kOptionChoiceCount) return 0;
    return kOptionValues[group][choice];
}

int OptionChoiceOf(int group, std::int32_t stored) {
    if (!ValidGroup(group)) return 0;
    for (int k = 0; k < kOptionChoiceCount; ++k)
        if (kOptionValues[group][k] == stored) return k;
    return 0;
}

int TwinGroup(int group) {
    switch (group) {
    case GroupA: return GroupD;
    case GroupD: return GroupA;
    case GroupB: return GroupE;
    case GroupE: return GroupB;
    default: return -1;
    }
}

bool GroupStoresLevel(int group) { return group == GroupA || group == GroupD; }

std::uint32_t SwatchColor(int swatch) {
    constexpr std::array<std::uint32_t, kSwatchCount> kColors = {
        0x0000FF, 0x00FF00, 0xFF0000, 0xFFFF00, 0x00FFFF, 0xFF00FF, 0xFFFFFF};
    if (swatch < 0 || swatch >= kSwatchCount) return kColors[0];
    return kColors[std::size_t(swatch)];
}

} // namespace qor
