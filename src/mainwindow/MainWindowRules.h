#pragma once
// The main window's decisions, free of windows: which groups a page shows, how stored values map to
// the selected choice of a button group, and how a sensitivity code reads as a number of DPI. Every
// function accepts any integer (values come from files and from the device agent) and never gives an
// index outside its table.

#include <cstdint>
#include <string>

namespace qor {

inline constexpr int kPageCount = 4;

// Groups of controls shown and hidden together by a page switch.
struct PageGroups {
    bool profileButtons = false;
    bool assignment = false;    // assignment buttons and markers
    bool reportRate = false;    // report-rate choices and their label
    bool pointer = false;       // pointer sliders and their labels
    bool stages = false;        // everything of the sensitivity page
    bool lightingModes = false; // the eight mode buttons (options and swatches follow the mode)
    bool lightingTexts = false; // T1 and T2 at the switch, then per mode
    bool information = false;
    friend bool operator==(const PageGroups&, const PageGroups&) = default;
};
// Page 1..4; any other value shows nothing.
PageGroups GroupsOfPage(int page);

// Report-rate choices 0..3 store report intervals 8, 4, 2, 1 ms.
inline constexpr int kReportRateChoiceCount = 4;
std::int32_t PollingRateOfChoice(int choice);       // choice outside 0..3 gives 4 (choice 1)
int ChoiceOfPollingRate(std::int32_t pollingRate);  // anything unknown shows choice 1

// The device agent's report-interval report: the value it stores and the choice it shows; an unknown
// interval stores 2 and shows choice 2.
struct ReportIntervalView {
    std::int32_t pollingRate;
    int choice;
};
ReportIntervalView ViewOfReportInterval(std::int64_t interval);

// Sensitivity captions: rule A (page refresh, linked slider) and rule B (X or Y slider, linking).
int StageDpiRuleA(int code);
int StageDpiRuleB(int code);
// Stage sliders run 1..92 with the highest value at the top.
inline constexpr int kStageSliderMin = 1;
inline constexpr int kStageSliderMax = 92;
int StageSliderPos(int code);    // 93 - code
int StageCodeOfPos(int position); // 93 - position

// "Current Stage : %d" with the 0-based stage + 1.
std::string StageCaption(std::int32_t dpi);

// Lighting: which texts, option groups and swatches a mode shows.
inline constexpr int kLightingModeCount = 8;
inline constexpr int kLightingTextCount = 7;
inline constexpr int kOptionGroupCount = 5; // A, B, C, D, E
inline constexpr int kOptionChoiceCount = 3;
inline constexpr int kSwatchCount = 7;
enum OptionGroup : int { GroupA = 0, GroupB, GroupC, GroupD, GroupE };
struct LightingView {
    bool texts[kLightingTextCount] = {};
    bool groups[kOptionGroupCount] = {};
    bool swatches = false;
};
int ShownLightingMode(std::int64_t mode); // above 7 or negative: 0
LightingView ViewOfLightingMode(int mode);

// The value option choice k of group g stores, and the choice a stored value shows.
std::int32_t OptionValue(int group, int choice);
int OptionChoiceOf(int group, std::int32_t stored);
// The twin of A is D and of B is E (and the reverse); C has none (-1).
int TwinGroup(int group);
bool GroupStoresLevel(int group); // A and D store Level, B, C and E store Rate

// Swatch colours 0x00BBGGRR, left to right.
std::uint32_t SwatchColor(int swatch);

} // namespace qor
