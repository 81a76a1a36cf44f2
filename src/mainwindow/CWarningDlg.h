#pragma once
// The confirmation box: a title line and two lines of message over the dialog artwork, with OK and
// Cancel. Run it with DoModal; it returns IDOK (1) only when the user confirmed. Enter confirms from
// anywhere in the dialog, Escape cancels.

#include "controls/CBitmapBtn.h"
#include "controls/CStaticTrans.h"
#include "platform/gfx/Image.h"
#include "platform/ui/CDialog.h"

#include <array>
#include <string>

namespace qor {

class CWarningDlg : public CDialog {
public:
    static constexpr Size kSize{478, 292};

    CWarningDlg(CWnd* owner, std::string title, std::string line1, std::string line2);

    CBitmapBtn& OkButton() { return ok_; }
    CBitmapBtn& CancelButton() { return cancel_; }
    // 0 = title, 1 and 2 = the message lines.
    CStaticTrans& TextControl(int index) { return texts_[std::size_t(index)]; }

    bool PreTranslateMessage(MSG& msg) override;

protected:
    int OnCreate() override;
    void OnDestroy() override;
    void OnPaint(Painter& painter) override;
    bool OnCommand(int id, int notification, HWND sender) override;

private:
    std::array<std::string, 3> strings_;
    ImagePtr background_;
    ImagePtr symbol_;
    CBitmapBtn ok_;
    CBitmapBtn cancel_;
    std::array<CStaticTrans, 3> texts_;
};

} // namespace qor
