#include "controls/CClrEdit.h"

#include "platform/gfx/Painter.h"
#include "platform/gfx/Text.h"
#include "platform/gfx/Utf8.h"
#include "platform/ui/Application.h"

#include <algorithm>

namespace qor {

namespace {

// Editing keys (virtual-key codes).
constexpr UINT kVkBack = 0x08;
constexpr UINT kVkEnd = 0x23;
constexpr UINT kVkHome = 0x24;
constexpr UINT kVkLeft = 0x25;
constexpr UINT kVkRight = 0x27;
constexpr UINT kVkDelete = 0x2E;

constexpr int kMargin = 1;
constexpr Argb kBorderColour = 0xFF000000;

} // namespace

void CClrEdit::SetFont(const Font& font) {
    font_ = font;
    Invalidate();
}

void CClrEdit::SetLimitText(int characters) {
    buffer_.SetLimit(characters > 0 ? std::size_t(characters) : 0);
}

int CClrEdit::OnCreate() {
    SetTabStop(true);
    buffer_.SetText(DecodeUtf8(GetWindowText()));
    return 0;
}

LRESULT CClrEdit::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = CWnd::WindowProc(msg, wParam, lParam);
    // Text set from outside replaces what was typed.
    if (msg == WM_SETTEXT && !committing_ && lParam != 0) {
        buffer_.SetText(DecodeUtf8(*reinterpret_cast<const std::string*>(lParam)));
        scroll_ = 0;
    }
    return result;
}

void CClrEdit::Commit() {
    committing_ = true;
    SetWindowText(EncodeUtf8(buffer_.Text()));
    committing_ = false;
}

bool CClrEdit::OnCtlColor(HWND control, ControlColors& colors) {
    if (control != GetSafeHwnd())
        return CWnd::OnCtlColor(control, colors);
    colors.text = ArgbFromColorRef(TextColor);
    colors.back = ArgbFromColorRef(BackColor);
    colors.transparent = false;
    return true;
}

int CClrEdit::TextLeft() const {
    return kMargin + (Border ? 1 : 0);
}

int CClrEdit::PrefixWidth(std::size_t characters) const {
    const std::u32string& text = buffer_.Text();
    return MeasureText(EncodeUtf8(std::u32string_view(text).substr(0, std::min(characters, text.size()))),
                       font_)
        .width;
}

std::size_t CClrEdit::CaretFromX(int x) const {
    // Prefix widths grow with the prefix: search for the boundary nearest to x.
    std::size_t lo = 0;
    std::size_t hi = buffer_.Text().size();
    while (lo < hi) {
        const std::size_t mid = lo + (hi - lo + 1) / 2;
        if (PrefixWidth(mid) <= x)
            lo = mid;
        else
            hi = mid - 1;
    }
    if (lo < buffer_.Text().size()) {
        const int before = PrefixWidth(lo);
        const int after = PrefixWidth(lo + 1);
        if (x - before > after - x)
            ++lo;
    }
    return lo;
}

void CClrEdit::OnPaint(Painter& painter) {
    const Rect client = GetClientRect();
    const ControlColors colors = RequestColors(ControlColors{});
    painter.FillRect(client, colors.back);
    if (Border)
        painter.DrawRectOutline(client, 1, kBorderColour);

    const int left = TextLeft();
    const int width = std::max(client.Width() - 2 * left, 1);
    const bool focused = qor::GetFocus() == GetSafeHwnd();
    const int caretX = PrefixWidth(buffer_.Caret());
    // Keep the caret in view.
    if (caretX - scroll_ > width - 1)
        scroll_ = caretX - (width - 1);
    if (caretX < scroll_)
        scroll_ = caretX;

    const int cell = GetFontMetrics(font_).height;
    const int top = (client.Height() - cell) / 2;
    painter.IntersectClipRect(Rect{left, 0, left + width, client.Height()});
    if (focused && buffer_.HasSelection()) {
        const int from = PrefixWidth(buffer_.SelectionStart()) - scroll_;
        const int to = PrefixWidth(buffer_.SelectionEnd()) - scroll_;
        painter.FillRect(Rect{left + from, top, left + to, top + cell},
                         (colors.text & 0x00FFFFFF) | 0x60000000);
    }
    painter.DrawText(EncodeUtf8(buffer_.Text()), Point{left - scroll_, top}, font_, colors.text);
    if (focused)
        painter.FillRect(Rect{left + caretX - scroll_, top, left + caretX - scroll_ + 1, top + cell},
                         colors.text);
}

void CClrEdit::OnLButtonDown(UINT, Point point) {
    SetFocus();
    buffer_.MoveCaret(CaretFromX(point.x - TextLeft() + scroll_));
    Invalidate();
}

void CClrEdit::OnKeyDown(UINT vk, LPARAM) {
    bool changed = false;
    switch (vk) {
    case kVkBack:
        changed = buffer_.Backspace();
        break;
    case kVkDelete:
        changed = buffer_.Delete();
        break;
    case kVkLeft:
        buffer_.Left();
        break;
    case kVkRight:
        buffer_.Right();
        break;
    case kVkHome:
        buffer_.Home();
        break;
    case kVkEnd:
        buffer_.End();
        break;
    default:
        return;
    }
    if (changed)
        Commit();
    Invalidate();
}

void CClrEdit::OnKeyUp(UINT vk, LPARAM) {
    if (!NotifyKeyUp)
        return;
    if (CWnd* parent = GetParent())
        parent->PostMessage(kMsgEditKeyUp, WPARAM(vk), 0);
}

void CClrEdit::OnChar(std::uint32_t codePoint) {
    if (buffer_.Type(char32_t(codePoint))) {
        Commit();
        Invalidate();
    }
}

void CClrEdit::OnSetFocus(HWND) {
    // As dialogs do for entry fields reached with Tab: typing replaces the whole value.
    buffer_.SelectAll();
    Invalidate();
    if (CWnd* parent = GetParent())
        parent->PostMessage(kMsgEditFocus, kEditFocusGained, 0);
}

void CClrEdit::OnKillFocus(HWND) {
    buffer_.MoveCaret(buffer_.Caret());
    Invalidate();
    if (CWnd* parent = GetParent())
        parent->PostMessage(kMsgEditFocus, kEditFocusLost, 0);
}

} // namespace qor
