#include "controls/CConfirmDlg.h"

#include "controls/FileDialogLook.h"
#include "controls/FileDialogTexts.h"
#include "platform/gfx/ImageFile.h"
#include "platform/gfx/Painter.h"
#include "platform/gfx/Text.h"
#include "platform/gfx/Utf8.h"
#include "skin/SkinPaths.h"

#include <utility>

namespace qor {

using namespace filedialog;

namespace {

constexpr Rect kYesRect{124, 150, 217, 176};
constexpr Rect kNoRect{223, 150, 316, 176};
constexpr Rect kSymbolRect{28, 64, 28 + 64, 64 + 60};
constexpr Rect kTitleRect{20, 14, 420, 44};
constexpr Rect kIntroRect{108, 66, 416, 88};
constexpr Rect kSubjectRect{108, 88, 416, 110};
constexpr Rect kQuestionRect{108, 110, 416, 132};

Font TextFont(int height, int weight) {
    Font font;
    font.family = "Arial";
    font.height = height;
    font.weight = weight;
    return font;
}

} // namespace

void SetUpDialogButton(CBitmapBtn& button, const std::string& caption) {
    button.SetImageFiles(SkinPath(SkinFolder::Buttons, "ok-1.png"), SkinPath(SkinFolder::Buttons, "ok-3.png"),
                         SkinPath(SkinFolder::Buttons, "ok-2.png"),
                         SkinPath(SkinFolder::Buttons, "ok-1.png"));
    button.ShowCaption = true;
    button.FontWeight = kFontWeightBold;
    button.SetCaption(caption, 0, CaptionAlign::Centred);
}

std::string ElideMiddle(const std::string& utf8, const Font& font, int maxWidth) {
    const std::u32string text = DecodeUtf8(utf8);
    if (MeasureText(utf8, font).width <= maxWidth || text.size() < 2)
        return EncodeUtf8(text);
    const auto shortened = [&](std::size_t keep) {
        const std::size_t head = (keep + 1) / 2;
        const std::size_t tail = keep - head;
        return EncodeUtf8(std::u32string_view(text).substr(0, head)) + std::string(kEllipsis) +
               EncodeUtf8(std::u32string_view(text).substr(text.size() - tail));
    };
    // Widths grow with what is kept: search for the most that fits.
    std::size_t lo = 0;
    std::size_t hi = text.size() - 1;
    while (lo < hi) {
        const std::size_t mid = lo + (hi - lo + 1) / 2;
        if (MeasureText(shortened(mid), font).width <= maxWidth)
            lo = mid;
        else
            hi = mid - 1;
    }
    return shortened(lo);
}

CConfirmDlg::CConfirmDlg(CWnd* owner, std::string title, std::string intro, std::string subject,
                         std::string question)
    : CDialog(owner, kSize), title_(std::move(title)), intro_(std::move(intro)), subject_(std::move(subject)),
      question_(std::move(question)) {}

int CConfirmDlg::OnCreate() {
    background_ = LoadSharedImage(SkinPath(SkinFolder::Background, "dlg.png"));
    symbol_ = LoadSharedImage(SkinPath(SkinFolder::Background, "warn.png"));
    if (!yes_.Create(this, kYesRect, IDOK) || !no_.Create(this, kNoRect, IDCANCEL))
        return -1;
    SetUpDialogButton(yes_, FileDialogText(FileDialogTextId::Yes));
    SetUpDialogButton(no_, FileDialogText(FileDialogTextId::No));
    return 0;
}

void CConfirmDlg::OnDestroy() {
    background_.reset();
    symbol_.reset();
}

void CConfirmDlg::OnPaint(Painter& painter) {
    const Rect client = GetClientRect();
    painter.FillRect(client, 0xFF131519);
    painter.DrawImage(background_, client);
    painter.DrawImage(symbol_, kSymbolRect);
    painter.DrawText(title_, kTitleRect, TextFont(19, kFontWeightBold), kInk, kTextCentered);
    const Font body = TextFont(15, kFontWeightNormal);
    const TextAlign left = TextAlign::Left | TextAlign::VCenter | TextAlign::EndEllipsis;
    painter.DrawText(intro_, kIntroRect, body, kInkDim, left);
    painter.DrawText(ElideMiddle(subject_, TextFont(15, kFontWeightBold), kSubjectRect.Width()), kSubjectRect,
                     TextFont(15, kFontWeightBold), kInk, left);
    painter.DrawText(question_, kQuestionRect, body, kInkDim, left);
}

bool CConfirmDlg::OnCommand(int id, int notification, HWND sender) {
    if (sender != kNoWindow && sender == yes_.GetSafeHwnd()) {
        EndDialog(IDOK);
        return true;
    }
    if (sender != kNoWindow && sender == no_.GetSafeHwnd()) {
        EndDialog(IDCANCEL);
        return true;
    }
    return CDialog::OnCommand(id, notification, sender);
}

bool CConfirmDlg::PreTranslateMessage(MSG& msg) {
    if (msg.message == WM_KEYDOWN && UINT(msg.wParam) == VK_RETURN) {
        EndDialog(IDOK);
        return true;
    }
    return CDialog::PreTranslateMessage(msg);
}

} // namespace qor
