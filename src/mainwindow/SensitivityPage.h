#pragma once
// The sensitivity page: five stages, each with an in-use button, a linked-axes box, a linked slider and
// separate X and Y sliders with their DPI captions. The page keeps no state of its own: everything
// lives in the current profile's record and in the controls.

#include "controls/CBitmapBtn.h"
#include "controls/CPngSliderBar.h"
#include "controls/CStaticTrans.h"
#include "model/ProfileTable.h"

#include <array>
#include <cstdint>

namespace qor {

inline constexpr int kStageXSliderId = 10008;
inline constexpr int kStageYSliderId = 10013;
inline constexpr int kStageLinkedSliderId = 10018;

class SensitivityPage {
public:
    void Create(CWnd& parent);
    // Shows or hides every control of the page (which sliders stay visible is decided by Refresh).
    void Show(bool show);
    // Brings the page in line with `profile`; the choice between linked and separate sliders is made
    // only while the page is shown.
    void Refresh(const ProfileRecord& profile, bool pageShown);
    // "Current Stage : n" with the 0-based stage dpi.
    void SetStageCaption(std::int32_t dpi);
    // A stage button or linked-axes box of this page was pressed (after it flipped its own state).
    bool OnCommand(HWND sender, ProfileRecord& profile);
    // A stage slider reported a position; false for ids that are not this page's.
    bool OnSlider(std::int64_t id, std::int64_t position, ProfileRecord& profile);

    // For tests.
    const CBitmapBtn& StageButton(int s) const { return stages_[std::size_t(s)].button; }
    const CBitmapBtn& LinkBox(int s) const { return stages_[std::size_t(s)].linkBox; }
    const CPngSliderBar& LinkedSlider(int s) const { return stages_[std::size_t(s)].linked; }
    const CPngSliderBar& XSlider(int s) const { return stages_[std::size_t(s)].x; }
    const CPngSliderBar& YSlider(int s) const { return stages_[std::size_t(s)].y; }
    std::string XCaption(int s) const { return stages_[std::size_t(s)].xValue.GetWindowText(); }
    std::string YCaption(int s) const { return stages_[std::size_t(s)].yValue.GetWindowText(); }
    std::string StageCaptionText() const { return caption_.GetWindowText(); }

private:
    struct Stage {
        CBitmapBtn button;
        CBitmapBtn linkBox;
        CPngSliderBar linked;
        CPngSliderBar x;
        CPngSliderBar y;
        CStaticTrans plus, minus, xValue, yValue;
    };
    void ShowLinked(Stage& stage, bool linked);
    void OnStageButton(int s, ProfileRecord& profile);
    void OnLinkBox(int s, ProfileRecord& profile);

    std::array<Stage, kDpiStageCount> stages_;
    CStaticTrans caption_;
};

} // namespace qor
