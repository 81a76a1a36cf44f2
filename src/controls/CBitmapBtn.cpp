#include "controls/CBitmapBtn.h"

#include "controls/ControlFont.h"
#include "platform/gfx/ImageFile.h"
#include "platform/gfx/Painter.h"
#include "platform/ui/Application.h"

#include <utility>

namespace qor {

ButtonLook ChooseButtonLook(bool toggleMode, bool checked, bool pressed, bool hover, bool disabled) {
    if (toggleMode) {
        if (checked && disabled)
            return {ButtonFace::Disabled, CaptionColour::Normal};
        if (checked)
            return {ButtonFace::Pressed, CaptionColour::Hover};
        if (hover)
            return {ButtonFace::Hover, CaptionColour::Hover};
        if (disabled)
            return {ButtonFace::Disabled, CaptionColour::Normal};
        return {ButtonFace::Normal, CaptionColour::Normal};
    }
    // A checked button is a selected tab, profile or tick: it stays "down" whatever the pointer does.
    if (checked)
        return {ButtonFace::Pressed, CaptionColour::Normal};
    if (pressed)
        return {ButtonFace::Pressed, CaptionColour::Pressed};
    if (hover)
        return {ButtonFace::Hover, CaptionColour::Hover};
    if (disabled)
        return {ButtonFace::Disabled, CaptionColour::Normal};
    return {ButtonFace::Normal, CaptionColour::Normal};
}

Point CaptionOrigin(CaptionAlign align, int offsetX, Size client, Size text) {
    const int y = client.height / 2 - text.height / 2;
    const int x = align == CaptionAlign::Left ? 0 : client.width / 2 - text.width / 2;
    return {x + offsetX, y};
}

Rect FaceRect(Size client, bool squareImage) {
    return squareImage ? Rect{0, 0, client.height, client.height} : Rect{0, 0, client.width, client.height};
}

void CBitmapBtn::SetImages(ImagePtr normal, ImagePtr hover, ImagePtr pressed, ImagePtr disabled) {
    Images = {std::move(normal), std::move(hover), std::move(pressed), std::move(disabled)};
    SetTabStop(false);
    Invalidate();
}

void CBitmapBtn::SetImageFiles(const std::string& normal, const std::string& hover,
                               const std::string& pressed, const std::string& disabled) {
    SetImages(LoadSharedImage(normal), LoadSharedImage(hover), LoadSharedImage(pressed),
              LoadSharedImage(disabled));
}

void CBitmapBtn::SetCaption(const std::string& text, int offsetX, CaptionAlign align) {
    Caption = text;
    TextOffsetX = offsetX;
    TextAlign = align;
    Invalidate();
}

void CBitmapBtn::SetChecked(bool checked) {
    if (checked == Checked)
        return;
    Checked = checked;
    Invalidate();
}

int CBitmapBtn::OnCreate() {
    // Buttons are reached with the mouse only; the keyboard belongs to the dialogs' Enter and Escape.
    SetTabStop(false);
    return 0;
}

void CBitmapBtn::OnPaint(Painter& painter) {
    const Rect client = GetClientRect();
    const Size size{client.Width(), client.Height()};
    const ButtonLook look = ChooseButtonLook(ToggleMode, Checked, pushed_, Hover, !IsWindowEnabled());

    painter.FillRect(client, ArgbFromColorRef(BackColor));
    painter.DrawImage(Images[std::size_t(look.face)], FaceRect(size, SquareImage));

    if (Caption.empty() || !ShowCaption)
        return;
    const Font font = DialogFont(FontHeight, FontWeight);
    const Argb colour = ArgbFromColorRef(TextColors[std::size_t(look.caption)]);
    if (UseTextRect) {
        painter.DrawText(Caption, TextRect, font, colour, kTextCentered | qor::TextAlign::NoClip);
        return;
    }
    const Size text = painter.MeasureText(Caption, font);
    painter.DrawText(Caption, CaptionOrigin(TextAlign, TextOffsetX, size, text), font, colour);
}

void CBitmapBtn::OnMouseMove(UINT flags, Point point) {
    if (tracking_)
        UpdatePressed(point);

    const bool leftDown = (flags & MK_LBUTTON) != 0;
    // A drag that started elsewhere does not light the button.
    if (leftDown && !Hover)
        return;

    const HWND self = GetSafeHwnd();
    Application* app = Application::Current();
    if (qor::GetCapture() != self) {
        if (app && app->GetActiveWindow() != kNoWindow && GetParent()) {
            Hover = true;
            SetCapture();
            Invalidate();
        }
    } else if (WindowFromPoint(ClientToScreen(point)) != self) {
        if (Hover) {
            Hover = false;
            Invalidate();
        }
        // While the left button is held the capture stays, so the release still comes here.
        if (!leftDown)
            ReleaseCapture();
    }
    if (CWnd* parent = GetParent())
        parent->PostMessage(kMsgButtonPointerMoved, WPARAM(self), 0);
}

void CBitmapBtn::OnLButtonDown(UINT, Point) {
    tracking_ = true;
    pushed_ = true;
    SetCapture();
    SetFocus();
    Invalidate();
}

void CBitmapBtn::OnLButtonUp(UINT, Point point) {
    const bool wasTracking = tracking_;
    const bool inside = GetClientRect().Contains(point);
    tracking_ = false;
    pushed_ = false;
    Invalidate();

    CWnd* parent = GetParent();
    const HWND self = GetSafeHwnd();
    const int id = GetDlgCtrlID();
    // Only a press and a release both on the button are a click: a drag that merely ends here, or
    // one that started here and ended elsewhere, changes nothing.
    const bool clicked = wasTracking && inside;

    if (ToggleMode) {
        if (!clicked) {
            if (!Hover)
                ReleaseOwnCapture();
            return;
        }
        // The capture stays: the button is still lit until the pointer leaves it.
        Checked = !Checked;
        if (parent)
            parent->SendMessage(WM_COMMAND, MakeWParam(id, 0), LPARAM(self));
        return; // the parent may have destroyed this button
    }

    ReleaseOwnCapture();
    if (clicked && parent)
        parent->SendMessage(WM_COMMAND, MakeWParam(id, BN_CLICKED), LPARAM(self));
}

void CBitmapBtn::OnCaptureChanged(HWND) {
    // Whoever took the capture, a press in progress is over and so is the hover.
    if (tracking_ || pushed_) {
        tracking_ = false;
        pushed_ = false;
        Invalidate();
    }
    if (Hover) {
        Hover = false;
        Invalidate();
    }
}

void CBitmapBtn::OnKillFocus(HWND) {
    // Losing the keyboard focus in the middle of a press (a dialog popping up) cancels the press.
    if (!tracking_)
        return;
    tracking_ = false;
    pushed_ = false;
    Invalidate();
    ReleaseOwnCapture();
}

void CBitmapBtn::UpdatePressed(Point point) {
    const bool over = GetClientRect().Contains(point);
    if (over != pushed_) {
        pushed_ = over;
        Invalidate();
    }
}

void CBitmapBtn::ReleaseOwnCapture() {
    if (qor::GetCapture() == GetSafeHwnd())
        ReleaseCapture();
}

} // namespace qor
