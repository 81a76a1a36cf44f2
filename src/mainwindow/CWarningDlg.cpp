#include "mainwindow/CWarningDlg.h"

#include "skin/SkinText.h"

#include <utility>

namespace qor {

namespace {

constexpr Rect kOkRect{135, 219, 228, 245};
constexpr Rect kCancelRect{234, 219, 327, 245};
constexpr Rect kTextRects[3] = {{103, 42, 376, 69}, {127, 103, 405, 141}, {127, 157, 405, 187}};
constexpr Rect kSymbolRect{34, 104, 34 + 96, 104 + 90};

} // namespace

CWarningDlg::CWarningDlg(CWnd* owner, std::string title, std::string line1, std::string line2)
    : CQuestionDlg(owner, kSize, {kOkRect, kCancelRect, kSymbolRect}),
      strings_{std::move(title), std::move(line1), std::move(line2)} {}

int CWarningDlg::OnCreate() {
    MoveWindow(Rect::FromXYWH(0, 0, kSize.width, kSize.height));
    if (CreateFace(SkinText("General", 46), SkinText("General", 47)) != 0)
        return -1;

    for (std::size_t i = 0; i < texts_.size(); ++i) {
        CStaticTrans& text = texts_[i];
        if (i == 0) {
            text.FontHeight = 21;
            text.FontWeight = kFontWeightBold;
            text.Alignment = TextAlign::HCenter;
        } else {
            text.FontHeight = 16;
            text.FontWeight = kFontWeightNormal;
        }
        if (!text.Create(this, kTextRects[i]))
            return -1;
        text.SetWindowText(strings_[i]);
    }
    return 0;
}

} // namespace qor
