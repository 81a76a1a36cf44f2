#include "controls/CStaticTrans.h"

#include "controls/TextWrap.h"
#include "platform/gfx/Text.h"

#include <algorithm>

namespace qor {

void CStaticTrans::SetFont(const Font& font) {
    plainFont_ = font;
    Invalidate();
}

Font CStaticTrans::EffectiveFont() const {
    if (BackColor != kTransparentBack)
        return plainFont_;
    Font font = DialogFont(FontHeight, FontWeight);
    font.italic = Italic;
    return font;
}

void CStaticTrans::RefreshBehind() {
    InvalidateBehind(2);
}

void CStaticTrans::InvalidateBehind(int inset) {
    CWnd* parent = GetParent();
    if (!parent || !IsWindow())
        return;
    const Rect r = GetRectInParent();
    parent->InvalidateRect(Rect{r.left + inset, r.top + inset, r.right - inset, r.bottom - inset});
}

LRESULT CStaticTrans::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    // Without a background of its own the label would leave the old text's pixels behind; the parent
    // repaints what lies under it first.
    if (msg == WM_SETTEXT)
        InvalidateBehind(0);
    return CWnd::WindowProc(msg, wParam, lParam);
}

bool CStaticTrans::OnCtlColor(HWND control, ControlColors& colors) {
    if (control != GetSafeHwnd())
        return CWnd::OnCtlColor(control, colors);
    colors.text = ArgbFromColorRef(TextColor);
    colors.transparent = BackColor == kTransparentBack;
    if (!colors.transparent)
        colors.back = ArgbFromColorRef(std::uint32_t(BackColor));
    return true;
}

void CStaticTrans::OnPaint(Painter& painter) {
    const Rect client = GetClientRect();
    const ControlColors colors = RequestColors(ControlColors{});
    if (!colors.transparent)
        painter.FillRect(client, colors.back);
    const std::string text = GetWindowText();
    if (text.empty())
        return;
    const Font font = EffectiveFont();
    const int lineHeight = GetFontMetrics(font).height;
    int y = 0;
    for (const std::string& line : WrapText(text, font, client.Width())) {
        if (y >= client.Height())
            break;
        painter.DrawText(line, Rect{0, y, client.Width(), y + lineHeight}, font, colors.text, Alignment);
        y += std::max(lineHeight, 1);
    }
}

} // namespace qor
