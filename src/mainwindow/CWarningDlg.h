#pragma once
// The confirmation box: a title line and two lines of message over the dialog artwork, with OK and
// Cancel. Run it with DoModal; it returns IDOK (1) only when the user confirmed. Enter confirms from
// anywhere in the dialog, Escape cancels.

#include "controls/CQuestionDlg.h"
#include "controls/CStaticTrans.h"

#include <array>
#include <string>

namespace qor {

class CWarningDlg : public CQuestionDlg {
public:
    static constexpr Size kSize{478, 292};

    CWarningDlg(CWnd* owner, std::string title, std::string line1, std::string line2);

    CBitmapBtn& OkButton() { return ConfirmButton(); }
    CBitmapBtn& CancelButton() { return RefuseButton(); }
    // 0 = title, 1 and 2 = the message lines.
    CStaticTrans& TextControl(int index) { return texts_[std::size_t(index)]; }

protected:
    int OnCreate() override;

private:
    std::array<std::string, 3> strings_;
    std::array<CStaticTrans, 3> texts_;
};

} // namespace qor
