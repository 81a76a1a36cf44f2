#include "mainwindow/CWarningDlg.h"

#include "platform/gfx/ImageFile.h"
#include "platform/gfx/Painter.h"
#include "skin/SkinPaths.h"
#include "skin/SkinText.h"

#include <utility>

namespace qor {

namespace {

constexpr Rect kOkRect{135, 219, 228, 245};
constexpr Rect kCancelRect{234, 219, 327, 245};
constexpr Rect kTextRects[3] = {{103, 42, 376, 69}, {127, 103, 405, 141}, {127, 157, 405, 187}};
constexpr Rect kSymbolRect{34, 104, 34 + 96, 104 + 90};

void SetUpButton(CBitmapBtn& button, const std::string& caption) {
    button.SetImageFiles(SkinPath(SkinFolder::Buttons, "ok-1.png"), SkinPath(SkinFolder::Buttons, "ok-3.png"),
                         SkinPath(SkinFolder::Buttons, "ok-2.png"),
                         SkinPath(SkinFolder::Buttons, "ok-1.png"));
    button.ShowCaption = true;
    button.FontWeight = kFontWeightBold;
    button.SetCaption(caption, 0, CaptionAlign::Centred);
}

} // namespace

CWarningDlg::CWarningDlg(CWnd* owner, std::string title, std::string line1, std::string line2)
    : CDialog(owner, kSize), strings_{std::move(title), std::move(line1), std::move(line2)} {}

int CWarningDlg::OnCreate() {
    background_ = LoadSharedImage(SkinPath(SkinFolder::Background, "dlg.png"));
    symbol_ = LoadSharedImage(SkinPath(SkinFolder::Background, "warn.png"));
    MoveWindow(Rect::FromXYWH(0, 0, kSize.width, kSize.height));

    if (!ok_.Create(this, kOkRect, IDOK) || !cancel_.Create(this, kCancelRect, IDCANCEL))
        return -1;
    SetUpButton(ok_, SkinText("General", 46));
    SetUpButton(cancel_, SkinText("General", 47));

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

void CWarningDlg::OnDestroy() {
    background_.reset();
    symbol_.reset();
}

void CWarningDlg::OnPaint(Painter& painter) {
    painter.DrawImage(background_, GetClientRect());
    painter.DrawImage(symbol_, kSymbolRect);
}

bool CWarningDlg::OnCommand(int id, int notification, HWND sender) {
    if (sender == ok_.GetSafeHwnd() && sender != kNoWindow) {
        EndDialog(IDOK);
        return true;
    }
    if (sender == cancel_.GetSafeHwnd() && sender != kNoWindow) {
        EndDialog(IDCANCEL);
        return true;
    }
    return CDialog::OnCommand(id, notification, sender);
}

bool CWarningDlg::PreTranslateMessage(MSG& msg) {
    // Enter confirms before any control sees the key, whichever one has the focus.
    if (msg.message == WM_KEYDOWN && UINT(msg.wParam) == VK_RETURN) {
        EndDialog(IDOK);
        return true;
    }
    return CDialog::PreTranslateMessage(msg);
}

} // namespace qor
