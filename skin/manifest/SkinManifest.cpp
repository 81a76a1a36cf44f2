#include "SkinManifest.h"

#include <algorithm>
#include <array>

namespace qor::skin {

namespace {

// Sizes follow the rectangles the windows draw them into; images stretched into several rectangles
// take the common or the middle size.
constexpr std::array kArtFiles = {
    // Window faces and outlines.
    ArtFile{"background/cfgMainback.png", kMainWidth, kMainHeight},
    ArtFile{"background/cfgMainback.bmp", kMainWidth, kMainHeight},
    ArtFile{"background/dlg.png", kDialogWidth, kDialogHeight},
    ArtFile{"background/cfgMainback2.bmp", kDialogWidth, kDialogHeight},
    ArtFile{"background/cfgMainback3.bmp", kMacroEditorWidth, kMacroEditorHeight},
    ArtFile{"background/warn.png", 96, 90},
    ArtFile{"background/mouse-layout-front.png", 201, 280},
    ArtFile{"background/mouse-layout-side.png", 201, 280},
    ArtFile{"background/light.png", 608, 281},
    // Menus, key display, event list.
    ArtFile{"background/menuitem-n.png", 170, 22},
    ArtFile{"background/menuitem-d.png", 170, 22},
    ArtFile{"background/menuitem-n2.png", 170, 22},
    ArtFile{"background/menuitem-d2.png", 170, 22},
    ArtFile{"background/menuitem-d-b.png", 301, 26},
    ArtFile{"background/423.png", 7, 9},
    ArtFile{"background/424.png", 7, 9},
    ArtFile{"background/141.png", 8, 8},
    ArtFile{"background/appicon.png", 64, 64},
    // File dialog list icons (transparent around the glyph; they sit on every row colour).
    ArtFile{"background/fd-up.png", 16, 16},
    ArtFile{"background/fd-folder.png", 16, 16},
    ArtFile{"background/fd-file.png", 16, 16},
    // Buttons: the window frame.
    ArtFile{"buttons/min-1.png", 14, 13},
    ArtFile{"buttons/min-2.png", 14, 13},
    ArtFile{"buttons/min-3.png", 14, 13},
    ArtFile{"buttons/close-1.png", 14, 13},
    ArtFile{"buttons/close-2.png", 14, 13},
    ArtFile{"buttons/close-3.png", 14, 13},
    // Buttons: tabs, commands, profiles, assignments.
    ArtFile{"buttons/tabbutton-1.png", 162, 20},
    ArtFile{"buttons/tabbutton-2.png", 162, 20},
    ArtFile{"buttons/tabbutton-3.png", 162, 20},
    ArtFile{"buttons/ok-1.png", 93, 26},
    ArtFile{"buttons/ok-2.png", 93, 26},
    ArtFile{"buttons/ok-3.png", 93, 26},
    ArtFile{"buttons/ProfileButton-1.png", 85, 19},
    ArtFile{"buttons/ProfileButton-2.png", 85, 19},
    ArtFile{"buttons/ProfileButton-3.png", 85, 19},
    ArtFile{"buttons/ButtonAssign-1.png", 147, 20},
    ArtFile{"buttons/ButtonAssign-2.png", 147, 20},
    ArtFile{"buttons/ButtonAssign-3.png", 147, 20},
    ArtFile{"buttons/RedButton-1.png", 126, 19},
    // Buttons: check-style choices, sensitivity stages, lighting.
    ArtFile{"buttons/checkbox1-1.png", 72, 16},
    ArtFile{"buttons/checkbox1-2.png", 72, 16},
    ArtFile{"buttons/checkbox1-3.png", 72, 16},
    ArtFile{"buttons/DPI-1.png", 62, 22},
    ArtFile{"buttons/DPI-2.png", 62, 22},
    ArtFile{"buttons/DPI-3.png", 62, 22},
    ArtFile{"buttons/color-mode-page-1.png", 150, 26},
    ArtFile{"buttons/color-mode-page-2.png", 150, 26},
    ArtFile{"buttons/color-mode-page-3.png", 150, 26},
    ArtFile{"buttons/color-mode-page-4.png", 150, 26},
    ArtFile{"buttons/红色.png", 24, 24},
    ArtFile{"buttons/绿色.png", 24, 24},
    ArtFile{"buttons/蓝色.png", 24, 24},
    ArtFile{"buttons/青色.png", 24, 24},
    ArtFile{"buttons/黄色.png", 24, 24},
    ArtFile{"buttons/紫色.png", 24, 24},
    ArtFile{"buttons/白色.png", 24, 24},
    // Buttons: macro recording.
    ArtFile{"buttons/iconstart1.png", 30, 23},
    ArtFile{"buttons/iconstart2.png", 30, 23},
    ArtFile{"buttons/iconstop1.png", 30, 23},
    ArtFile{"buttons/iconstop2.png", 30, 23},
    // Controls: button markers, sliders, small check boxes.
    ArtFile{"controls/circle.png", 19, 18},
    ArtFile{"controls/circle_up.png", 19, 18},
    ArtFile{"controls/circle_down.png", 19, 18},
    ArtFile{"controls/trackbar-back-b.png", 210, 18},
    ArtFile{"controls/dbclick-back.png", 210, 18},
    ArtFile{"controls/y.png", 18, 18},
    ArtFile{"controls/dpi-indicator-x.png", 22, 181},
    ArtFile{"controls/dpi-indicator-y.png", 22, 181},
    ArtFile{"controls/dpi-indicator-x2.png", 51, 181},
    ArtFile{"controls/x.png", 22, 12},
    ArtFile{"controls/x3.png", 22, 12},
    ArtFile{"controls/x2.png", 51, 12},
    ArtFile{"controls/checkbox1-1.png", 40, 16},
    ArtFile{"controls/checkbox1-2.png", 40, 16},
    ArtFile{"controls/checkbox1-3.png", 40, 16},
};

template <int First, int Last> constexpr auto Range() {
    std::array<int, Last - First + 1> numbers{};
    for (int i = 0; i < int(numbers.size()); ++i)
        numbers[std::size_t(i)] = First + i;
    return numbers;
}

template <std::size_t... N> constexpr auto Join(const std::array<int, N>&... parts) {
    std::array<int, (N + ...)> all{};
    std::size_t at = 0;
    ((std::copy(parts.begin(), parts.end(), all.begin() + std::ptrdiff_t(at)), at += parts.size()), ...);
    return all;
}

// Main window: pointer labels and choices 1-19, lighting texts and options 23 and 25-36, information
// 37-41, commands 42-48, tabs 49-52, profiles 53-57, banners 61-62, lighting modes 80-88.
constexpr auto kGeneral =
    Join(Range<1, 19>(), std::array{23}, Range<25, 57>(), std::array{61, 62}, Range<80, 88>());
constexpr auto kWarning = Join(Range<1, 10>(), std::array{12, 13});
constexpr std::array kSingleKey = {1, 3, 4, 5, 6, 7};
constexpr std::array kFireKey = {1, 2, 3, 4, 7, 8};
constexpr auto kMacroTexts = Join(Range<1, 27>(), std::array{29, 30});

constexpr auto kFunctionString = Join(Range<1, 16>(), std::array{100});
constexpr auto kBasic = Range<1, 8>();
constexpr auto kAdvanced = Range<1, 14>();
constexpr auto kMedia = Range<1, 8>();
constexpr auto kDpi = Range<1, 3>();
constexpr auto kRate = Range<1, 2>();
constexpr auto kScroll = Range<1, 3>();
constexpr std::array kMacroMenu = {1};
constexpr auto kFileDialog = Range<1, 18>();

const std::array kRequiredTexts = {
    TextKeys{"strings/skins.ini", "General", kGeneral},
    TextKeys{"strings/skins.ini", "WARNING", kWarning},
    TextKeys{"strings/skins.ini", "SINGLEKEY", kSingleKey},
    TextKeys{"strings/skins.ini", "FireKey", kFireKey},
    TextKeys{"strings/skins.ini", "MACRO", kMacroTexts},
    TextKeys{"strings/general.ini", "FUNCTION_STRING", kFunctionString},
    TextKeys{"strings/general.ini", "BASIC", kBasic},
    TextKeys{"strings/general.ini", "ADVANCED", kAdvanced},
    TextKeys{"strings/general.ini", "MEDIA", kMedia},
    TextKeys{"strings/general.ini", "DPI", kDpi},
    TextKeys{"strings/general.ini", "RATE", kRate},
    TextKeys{"strings/general.ini", "SCROLL", kScroll},
    TextKeys{"strings/general.ini", "MACRO", kMacroMenu},
    TextKeys{"strings/general.ini", "FILEDIALOG", kFileDialog},
};

} // namespace

std::span<const ArtFile> ArtFiles() {
    return kArtFiles;
}

std::span<const TextKeys> RequiredTexts() {
    return kRequiredTexts;
}

} // namespace qor::skin
