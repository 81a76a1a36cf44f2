#pragma once
// The lighting page: eight mode buttons, seven colour swatches, five groups of option buttons and the
// texts that go with each mode. Every change it makes is meant to be written and announced at once;
// OnCommand says when that is due.

#include "controls/CBitmapBtn.h"
#include "controls/CStaticTrans.h"
#include "mainwindow/MainWindowRules.h"
#include "model/ProfileTable.h"

#include <array>
#include <cstdint>

namespace qor {

class LightingPage {
public:
    enum class Result { NotMine, Handled, Changed };

    void Create(CWnd& parent);
    // Page switch: shown, the mode buttons and texts T1 and T2 appear (ShowMode then picks the rest);
    // hidden, everything goes.
    void ShowPage(bool show);
    // Shows the controls of mode `mode` (anything outside 0..7 shows mode 0); nothing happens unless the
    // page is shown.
    void ShowMode(std::int64_t mode, bool pageShown);
    // Selects in every option group the choice that shows the stored values of the profile's mode.
    void SetOptionsFromProfile(const ProfileRecord& profile);
    // A control of this page was pressed. Changed: the profile was changed and must be saved now.
    Result OnCommand(HWND sender, ProfileRecord& profile);

    int ModeShown() const { return modeShown_; }
    // For tests.
    const CBitmapBtn& ModeButton(int m) const { return modes_[std::size_t(m)]; }
    const CBitmapBtn& Option(int group, int choice) const {
        return options_[std::size_t(group)][std::size_t(choice)];
    }
    const CBitmapBtn& Swatch(int i) const { return swatches_[std::size_t(i)]; }
    const CStaticTrans& Text(int t) const { return texts_[std::size_t(t)]; }

private:
    void SelectOption(int group, int choice);

    CWnd* parent_ = nullptr;
    std::array<CBitmapBtn, kLightingModeCount> modes_;
    std::array<CBitmapBtn, kSwatchCount> swatches_;
    std::array<std::array<CBitmapBtn, kOptionChoiceCount>, kOptionGroupCount> options_;
    std::array<CStaticTrans, kLightingTextCount> texts_;
    int modeShown_ = 0;
};

} // namespace qor
