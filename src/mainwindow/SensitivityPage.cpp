#include "mainwindow/SensitivityPage.h"

#include "mainwindow/MainWindowControls.h"
#include "mainwindow/MainWindowRules.h"
#include "platform/gfx/ImageFile.h"
#include "skin/SkinPaths.h"

namespace qor {
namespace {

constexpr std::array<int, kDpiStageCount> kColumnX = {152, 277, 402, 522, 642};
constexpr std::array<int, kDpiStageCount> kButtonShift = {0, 125, 250, 370, 490};
constexpr std::array<std::pair<int, int>, kDpiStageCount> kLinkBoxX = {
    {{157, 229}, {285, 352}, {406, 477}, {526, 597}, {646, 717}}};
constexpr std::array<std::pair<int, int>, kDpiStageCount> kXValueX = {
    {{163, 196}, {289, 321}, {414, 446}, {534, 566}, {654, 686}}};
constexpr std::array<std::pair<int, int>, kDpiStageCount> kYValueX = {
    {{194, 226}, {319, 351}, {444, 476}, {564, 596}, {684, 716}}};

std::string Dpi(int dpi) { return std::to_string(dpi); }

void CreateStageSlider(CPngSliderBar& slider, CWnd& parent, const Rect& rect, const char* thumb,
                       const char* track, int id) {
    slider.Create(SkinPath(SkinFolder::Controls, thumb), "", rect, &parent, id);
    slider.SetTrackImage(LoadSharedImage(SkinPath(SkinFolder::Controls, track)));
    slider.SetRange(kStageSliderMin, kStageSliderMax);
}

void CreateText(CStaticTrans& text, CWnd& parent, const Rect& rect, const std::string& value) {
    text.Create(&parent, rect);
    text.SetWindowText(value);
}

} // namespace

void SensitivityPage::Create(CWnd& parent) {
    for (int s = 0; s < kDpiStageCount; ++s) {
        Stage& st = stages_[std::size_t(s)];
        const int a = kButtonShift[std::size_t(s)];
        const int x0 = kColumnX[std::size_t(s)];
        CreateImageButton(st.button, parent, {146 + a, 205, 208 + a, 227}, Faces{"DPI", {1, 1, 2, 1}},
                          GeneralCaption(15 + s), 17, 700);
        st.button.ToggleMode = true;
        CreateCheckButton(st.linkBox, parent,
                          {kLinkBoxX[std::size_t(s)].first, 235, kLinkBoxX[std::size_t(s)].second, 251},
                          GeneralCaption(10 + s));
        st.linkBox.ToggleMode = true;
        CreateStageSlider(st.linked, parent, {x0, 258, x0 + 51, 439}, "x2.png", "dpi-indicator-x2.png",
                          kStageLinkedSliderId + s);
        CreateStageSlider(st.x, parent, {x0, 258, x0 + 22, 439}, "x.png", "dpi-indicator-x.png",
                          kStageXSliderId + s);
        CreateStageSlider(st.y, parent, {x0 + 34, 258, x0 + 56, 439}, "x3.png", "dpi-indicator-y.png",
                          kStageYSliderId + s);
        // The marks of the later columns are one pixel narrower.
        const int markWidth = s == 0 ? 13 : 12;
        CreateText(st.plus, parent, {174 + a, 237, 174 + a + markWidth, 250}, "+");
        CreateText(st.minus, parent, {175 + a, 444, 175 + a + markWidth, 457}, "-");
        CreateText(st.xValue, parent, {kXValueX[std::size_t(s)].first, 462, kXValueX[std::size_t(s)].second, 475}, {});
        CreateText(st.yValue, parent, {kYValueX[std::size_t(s)].first, 462, kYValueX[std::size_t(s)].second, 475}, {});
    }
    CreateText(caption_, parent, {73, 185, 178, 202}, {});
}

void SensitivityPage::Show(bool show) {
    for (Stage& st : stages_) {
        for (CWnd* w : std::initializer_list<CWnd*>{&st.button, &st.linkBox, &st.linked, &st.x, &st.y,
                                                    &st.plus, &st.minus, &st.xValue, &st.yValue})
            w->ShowWindow(show);
    }
    caption_.ShowWindow(show);
}

void SensitivityPage::ShowLinked(Stage& st, bool linked) {
    st.linked.ShowWindow(linked);
    st.x.ShowWindow(!linked);
    st.y.ShowWindow(!linked);
}

void SensitivityPage::Refresh(const ProfileRecord& profile, bool pageShown) {
    for (int s = 0; s < kDpiStageCount; ++s) {
        Stage& st = stages_[std::size_t(s)];
        const DpiStage& stage = profile.DPIStageValue[std::size_t(s)];
        st.button.SetChecked(stage.Enabled != 0);
        st.linked.EnableWindow(stage.Enabled != 0);
        if (pageShown) {
            const bool linked = stage.Linked == 1;
            st.linkBox.SetChecked(linked);
            ShowLinked(st, linked);
        }
        st.xValue.SetWindowText(Dpi(StageDpiRuleA(stage.X)));
        st.x.SetPos(StageSliderPos(stage.X));
        st.yValue.SetWindowText(Dpi(StageDpiRuleA(stage.Y)));
        st.y.SetPos(StageSliderPos(stage.Y));
        st.linked.SetPos(StageSliderPos(stage.Y));
    }
}

void SensitivityPage::SetStageCaption(std::int32_t dpi) { caption_.SetWindowText(qor::StageCaption(dpi)); }

bool SensitivityPage::OnCommand(HWND sender, ProfileRecord& profile) {
    for (int s = 0; s < kDpiStageCount; ++s) {
        if (stages_[std::size_t(s)].button.GetSafeHwnd() == sender) {
            OnStageButton(s, profile);
            return true;
        }
        if (stages_[std::size_t(s)].linkBox.GetSafeHwnd() == sender) {
            OnLinkBox(s, profile);
            return true;
        }
    }
    return false;
}

void SensitivityPage::OnStageButton(int s, ProfileRecord& profile) {
    Stage& st = stages_[std::size_t(s)];
    DpiStage& stage = profile.DPIStageValue[std::size_t(s)];
    if (st.button.Checked) {
        stage.Enabled = 1;
        return;
    }
    int off = 0;
    for (int k = 0; k < kDpiStageCount; ++k)
        off += profile.DPIStageValue[std::size_t(k)].Enabled == 0 ? 1 : 0;
    if (off < kDpiStageCount - 1) {
        stage.Enabled = 0;
    } else {
        // The mouse needs at least one stage in use.
        st.button.SetChecked(true);
        st.button.Invalidate();
    }
}

void SensitivityPage::OnLinkBox(int s, ProfileRecord& profile) {
    Stage& st = stages_[std::size_t(s)];
    DpiStage& stage = profile.DPIStageValue[std::size_t(s)];
    const bool linked = st.linkBox.Checked;
    stage.Linked = linked ? 1 : 0;
    ShowLinked(st, linked);
    if (linked) {
        st.linked.SetPos(StageSliderPos(stage.Y));
        st.linked.Invalidate();
        stage.X = stage.Y;
        st.xValue.SetWindowText(Dpi(StageDpiRuleB(stage.X)));
        st.yValue.SetWindowText(Dpi(StageDpiRuleB(stage.Y)));
    } else {
        st.x.SetPos(StageSliderPos(stage.X));
        st.y.SetPos(StageSliderPos(stage.Y));
        st.x.Invalidate();
        st.y.Invalidate();
    }
}

bool SensitivityPage::OnSlider(std::int64_t id, std::int64_t position, ProfileRecord& profile) {
    if (id < kStageXSliderId || id >= kStageLinkedSliderId + kDpiStageCount)
        return false;
    // Reports come from the sliders, whose range is 1..92; anything else is not a stage value.
    if (position < kStageSliderMin || position > kStageSliderMax)
        return true;
    const int v = StageCodeOfPos(int(position));
    if (id >= kStageLinkedSliderId) {
        const int s = int(id - kStageLinkedSliderId);
        DpiStage& stage = profile.DPIStageValue[std::size_t(s)];
        stage.X = stage.Y = v;
        stages_[std::size_t(s)].xValue.SetWindowText(Dpi(StageDpiRuleA(v)));
        stages_[std::size_t(s)].yValue.SetWindowText(Dpi(StageDpiRuleA(v)));
    } else if (id >= kStageYSliderId) {
        const int s = int(id - kStageYSliderId);
        profile.DPIStageValue[std::size_t(s)].Y = v;
        stages_[std::size_t(s)].yValue.SetWindowText(Dpi(StageDpiRuleB(v)));
    } else {
        const int s = int(id - kStageXSliderId);
        profile.DPIStageValue[std::size_t(s)].X = v;
        stages_[std::size_t(s)].xValue.SetWindowText(Dpi(StageDpiRuleB(v)));
    }
    return true;
}

} // namespace qor
