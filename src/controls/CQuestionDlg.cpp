#include "controls/CQuestionDlg.h"

#include "platform/gfx/ImageFile.h"
#include "platform/gfx/Painter.h"
#include "skin/SkinPaths.h"

namespace qor {

void SetUpDialogButton(CBitmapBtn& button, const std::string& caption) {
    button.SetImageFiles(SkinPath(SkinFolder::Buttons, "ok-1.png"), SkinPath(SkinFolder::Buttons, "ok-3.png"),
                         SkinPath(SkinFolder::Buttons, "ok-2.png"),
                         SkinPath(SkinFolder::Buttons, "ok-1.png"));
    button.ShowCaption = true;
    button.FontWeight = kFontWeightBold;
    button.SetCaption(caption, 0, CaptionAlign::Centred);
}

CQuestionDlg::CQuestionDlg(CWnd* owner, Size size, const Layout& layout)
    : CDialog(owner, size), layout_(layout) {}

int CQuestionDlg::CreateFace(const std::string& confirmCaption, const std::string& refuseCaption) {
    background_ = LoadSharedImage(SkinPath(SkinFolder::Background, "dlg.png"));
    symbol_ = LoadSharedImage(SkinPath(SkinFolder::Background, "warn.png"));
    if (!confirm_.Create(this, layout_.confirm, IDOK) || !refuse_.Create(this, layout_.refuse, IDCANCEL))
        return -1;
    SetUpDialogButton(confirm_, confirmCaption);
    SetUpDialogButton(refuse_, refuseCaption);
    return 0;
}

void CQuestionDlg::OnDestroy() {
    background_.reset();
    symbol_.reset();
}

void CQuestionDlg::OnPaint(Painter& painter) {
    painter.DrawImage(background_, GetClientRect());
    painter.DrawImage(symbol_, layout_.symbol);
}

bool CQuestionDlg::OnCommand(int id, int notification, HWND sender) {
    if (sender != kNoWindow && sender == confirm_.GetSafeHwnd()) {
        EndDialog(IDOK);
        return true;
    }
    if (sender != kNoWindow && sender == refuse_.GetSafeHwnd()) {
        EndDialog(IDCANCEL);
        return true;
    }
    return CDialog::OnCommand(id, notification, sender);
}

bool CQuestionDlg::PreTranslateMessage(MSG& msg) {
    if (msg.message == WM_KEYDOWN && UINT(msg.wParam) == VK_RETURN) {
        EndDialog(IDOK);
        return true;
    }
    return CDialog::PreTranslateMessage(msg);
}

} // namespace qor
