#include "controls/SliderThumb.h"

#include "platform/gfx/ImageFile.h"
#include "platform/gfx/Painter.h"
#include "platform/ui/Application.h"

namespace qor {

bool SliderThumb::Create(const std::string& imagePath, const std::string& altImagePath, CWnd* track, int id) {
    Image = LoadSharedImage(imagePath);
    AltImage = altImagePath.empty() ? nullptr : LoadSharedImage(altImagePath);
    Width = Image->width;
    Height = Image->height;
    ID = id;
    Enabled = true;
    Min = 0;
    Max = 10;
    return CWnd::Create(track, Rect::FromXYWH(0, 0, Width, Height), id);
}

Rect SliderThumb::TravelArea() const {
    const CWnd* track = GetParent();
    return track ? track->GetClientRect() : Rect{};
}

void SliderThumb::SetPos(int value) {
    value = SliderNormalizeValue(value, Min, Max);
    Value = value;
    const Rect area = TravelArea();
    Point at{area.left, area.top};
    if (axis_ == SliderAxis::Horizontal)
        at.x = SliderThumbPosition(value, Min, Max, area.left, area.right, Width);
    else
        at.y = SliderThumbPosition(value, Min, Max, area.top, area.bottom, Height);
    MoveWindow(Rect::FromXYWH(at.x, at.y, Width, Height));
}

void SliderThumb::OnPaint(Painter& painter) {
    const ImagePtr& face = !Enabled && AltImage ? AltImage : Image;
    painter.DrawImage(face, Rect{0, 0, Width, Height});
}

void SliderThumb::OnLButtonDown(UINT, Point point) {
    SetCapture();
    Dragging = true;
    pressPoint_ = point;
}

void SliderThumb::OnMouseMove(UINT, Point point) {
    if (!Dragging)
        return;
    const Rect now = GetRectInParent();
    const Rect area = TravelArea();
    Point to{now.left, now.top};
    if (axis_ == SliderAxis::Horizontal) {
        to.x += SliderClampDelta(point.x - pressPoint_.x, now.left, now.right, area.left, area.right);
        to.y = area.top;
    } else {
        to.y += SliderClampDelta(point.y - pressPoint_.y, now.top, now.bottom, area.top, area.bottom);
        to.x = area.left;
    }
    MoveWindow(Rect::FromXYWH(to.x, to.y, now.Width(), now.Height()));
}

void SliderThumb::OnLButtonUp(UINT, Point) {
    // A release that ends no drag of this thumb (the thumb jumped under the pointer after a click on
    // the track) chooses nothing: its position is the track's choice, already reported.
    if (!Dragging)
        return;
    Dragging = false;
    if (qor::GetCapture() == GetSafeHwnd())
        ReleaseCapture();
    ReportDrop();
}

void SliderThumb::OnCaptureChanged(HWND) {
    // A drag cut short (a dialog opened, the slider was hidden) ends where the thumb is, as a drop
    // would; otherwise a later pointer move would still drag the thumb.
    if (!Dragging)
        return;
    Dragging = false;
    ReportDrop();
}

void SliderThumb::ReportDrop() {
    const Rect now = GetRectInParent();
    const Rect area = TravelArea();
    Value = axis_ == SliderAxis::Horizontal
                ? SliderValueFromThumb(now.left, Min, Max, area.left, area.right, Width)
                : SliderValueFromThumb(now.top, Min, Max, area.top, area.bottom, Height);
    if (CWnd* track = GetParent())
        track->PostMessage(kMsgSliderValue, WPARAM(Value), LPARAM(ID));
}

} // namespace qor
