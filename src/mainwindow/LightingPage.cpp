#include "mainwindow/LightingPage.h"

#include "mainwindow/MainWindowControls.h"

namespace qor {
namespace {

constexpr std::uint32_t kModeCaptionColour = 0x272727;
constexpr Rect kOptionArea{321, 284, 467, 421};

constexpr std::array<const char*, kSwatchCount> kSwatchFiles = {
    "红色.png", "绿色.png", "蓝色.png", "青色.png", "黄色.png", "紫色.png", "白色.png"};

struct GroupPlace {
    int x;
    int y0;
    int firstCaption;
};
constexpr std::array<GroupPlace, kOptionGroupCount> kGroups = {{
    {360, 290, 26}, // A
    {360, 410, 30}, // B
    {360, 410, 34}, // C
    {127, 290, 26}, // D
    {257, 290, 30}, // E
}};

struct TextPlace {
    int caption;
    Rect rect;
};
constexpr std::array<TextPlace, kLightingTextCount> kTexts = {{
    {23, {108, 260, 204, 280}},
    {25, {350, 260, 500, 280}},
    {29, {350, 381, 500, 400}},
    {33, {350, 381, 500, 400}},
    {25, {108, 260, 220, 280}},
    {29, {248, 260, 380, 280}},
    {88, {108, 260, 250, 280}},
}};

} // namespace

void LightingPage::Create(CWnd& parent) {
    parent_ = &parent;
    for (int m = 0; m < kLightingModeCount; ++m) {
        const bool firstRow = m < 4;
        const int x = 100 + 150 * (m % 4);
        const int y = firstRow ? 210 : 480;
        CBitmapBtn& b = modes_[std::size_t(m)];
        CreateImageButton(b, parent, {x, y, x + 150, y + 26},
                          firstRow ? Faces{"color-mode-page", {1, 1, 2, 1}} : Faces{"color-mode-page", {3, 3, 4, 3}},
                          GeneralCaption(80 + m), 17, 700);
        b.TextColors = {kModeCaptionColour, kModeCaptionColour, kModeCaptionColour};
    }
    for (int i = 0; i < kSwatchCount; ++i) {
        const int x = 107 + 26 * i;
        CreateImageButton(swatches_[std::size_t(i)], parent, {x, 288, x + 24, 312}, FaceFolder::Buttons,
                          kSwatchFiles[std::size_t(i)]);
    }
    for (int g = 0; g < kOptionGroupCount; ++g)
        for (int k = 0; k < kOptionChoiceCount; ++k) {
            const GroupPlace& place = kGroups[std::size_t(g)];
            const int y = place.y0 + 24 * k;
            CreateCheckButton(options_[std::size_t(g)][std::size_t(k)], parent, {place.x, y, place.x + 89, y + 16},
                              GeneralCaption(place.firstCaption + k));
        }
    for (int t = 0; t < kLightingTextCount; ++t) {
        texts_[std::size_t(t)].Create(&parent, kTexts[std::size_t(t)].rect);
        texts_[std::size_t(t)].SetWindowText(GeneralCaption(kTexts[std::size_t(t)].caption));
    }
}

void LightingPage::ShowPage(bool show) {
    for (CBitmapBtn& b : modes_) b.ShowWindow(show);
    for (CBitmapBtn& b : swatches_) b.ShowWindow(false);
    for (auto& group : options_)
        for (CBitmapBtn& b : group) b.ShowWindow(false);
    for (int t = 0; t < kLightingTextCount; ++t)
        texts_[std::size_t(t)].ShowWindow(show && t < 2);
}

void LightingPage::ShowMode(std::int64_t mode, bool pageShown) {
    if (!pageShown)
        return;
    const int m = ShownLightingMode(mode);
    SelectOne(modes_, m);
    const LightingView view = ViewOfLightingMode(m);
    for (int t = 0; t < kLightingTextCount; ++t) texts_[std::size_t(t)].ShowWindow(view.texts[t]);
    for (int g = 0; g < kOptionGroupCount; ++g)
        for (CBitmapBtn& b : options_[std::size_t(g)]) b.ShowWindow(view.groups[g]);
    for (CBitmapBtn& b : swatches_) b.ShowWindow(view.swatches);
    if (parent_)
        parent_->InvalidateRect(kOptionArea);
    modeShown_ = m;
}

void LightingPage::SelectOption(int group, int choice) {
    SelectOne(options_[std::size_t(group)], choice);
    if (const int twin = TwinGroup(group); twin >= 0)
        SelectOne(options_[std::size_t(twin)], choice);
}

void LightingPage::SetOptionsFromProfile(const ProfileRecord& profile) {
    // A mode the table does not know shows as mode 0, so its options are mode 0's; mode 7 has none.
    const int m = ShownLightingMode(profile.LedMode1);
    const LedModeState state = m < kLedStateCount ? profile.LEDSTATE_INFO[std::size_t(m)] : LedModeState{};
    SelectOption(GroupA, OptionChoiceOf(GroupA, state.Level));
    SelectOption(GroupB, OptionChoiceOf(GroupB, state.Rate));
    SelectOne(options_[GroupC], OptionChoiceOf(GroupC, state.Rate));
}

LightingPage::Result LightingPage::OnCommand(HWND sender, ProfileRecord& profile) {
    for (int m = 0; m < kLightingModeCount; ++m)
        if (modes_[std::size_t(m)].GetSafeHwnd() == sender) {
            ShowMode(m, true);
            profile.LedMode1 = m;
            SetOptionsFromProfile(profile);
            return Result::Changed;
        }
    // Swatches and options change the mode the page shows: a stored mode outside 0..7 shows as 0.
    const int shown = ShownLightingMode(profile.LedMode1);
    for (int i = 0; i < kSwatchCount; ++i)
        if (swatches_[std::size_t(i)].GetSafeHwnd() == sender) {
            profile.LedColor[std::size_t(shown)] = std::int32_t(SwatchColor(i));
            return Result::Changed;
        }
    for (int g = 0; g < kOptionGroupCount; ++g)
        for (int k = 0; k < kOptionChoiceCount; ++k)
            if (options_[std::size_t(g)][std::size_t(k)].GetSafeHwnd() == sender) {
                SelectOption(g, k);
                if (shown >= kLedStateCount)
                    return Result::Handled; // mode 7 has no options to store
                LedModeState& state = profile.LEDSTATE_INFO[std::size_t(shown)];
                (GroupStoresLevel(g) ? state.Level : state.Rate) = OptionValue(g, k);
                return Result::Changed;
            }
    return Result::NotMine;
}

} // namespace qor
