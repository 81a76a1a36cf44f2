#include "controls/CConfirmDlg.h"

#include "controls/ControlFont.h"
#include "controls/FileDialogLook.h"
#include "controls/FileDialogTexts.h"
#include "platform/gfx/Painter.h"
#include "platform/gfx/Text.h"
#include "platform/gfx/Utf8.h"

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

} // namespace

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
    : CQuestionDlg(owner, kSize, {kYesRect, kNoRect, kSymbolRect}), title_(std::move(title)),
      intro_(std::move(intro)), subject_(std::move(subject)), question_(std::move(question)) {}

int CConfirmDlg::OnCreate() {
    return CreateFace(FileDialogText(FileDialogTextId::Yes), FileDialogText(FileDialogTextId::No));
}

void CConfirmDlg::OnPaint(Painter& painter) {
    painter.FillRect(GetClientRect(), 0xFF131519);
    CQuestionDlg::OnPaint(painter);
    painter.DrawText(title_, kTitleRect, DialogFont(19, kFontWeightBold), kInk, kTextCentered);
    const Font body = DialogFont(15, kFontWeightNormal);
    const TextAlign left = TextAlign::Left | TextAlign::VCenter | TextAlign::EndEllipsis;
    painter.DrawText(intro_, kIntroRect, body, kInkDim, left);
    const Font bold = DialogFont(15, kFontWeightBold);
    painter.DrawText(ElideMiddle(subject_, bold, kSubjectRect.Width()), kSubjectRect, bold, kInk, left);
    painter.DrawText(question_, kQuestionRect, body, kInkDim, left);
}

} // namespace qor
