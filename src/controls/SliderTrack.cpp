#include "controls/SliderTrack.h"

#include "platform/gfx/ImageFile.h"
#include "platform/gfx/Painter.h"

#include <utility>

namespace qor {

bool SliderTrack::Create(const std::string& thumbImagePath, const std::string& altThumbImagePath,
                         const Rect& rect, CWnd* parent, int id) {
    thumbPath_ = thumbImagePath;
    altThumbPath_ = altThumbImagePath;
    ID = id;
    const ImagePtr thumb = LoadSharedImage(thumbImagePath);
    thumbSize_ = {thumb->width, thumb->height};
    return CWnd::Create(parent, rect, id);
}

void SliderTrack::SetTrackImage(ImagePtr image) {
    TrackImage = std::move(image);
    Invalidate();
}

void SliderTrack::SetRange(int min, int max) {
    Min = min;
    Max = max;
    SliderThumb& thumb = GetThumb();
    thumb.Min = min;
    thumb.Max = max;
}

int SliderTrack::OnCreate() {
    SliderThumb& thumb = GetThumb();
    if (!thumb.Create(thumbPath_, altThumbPath_, this, ID))
        return -1;
    thumb.SetPos(0);
    return 0;
}

void SliderTrack::OnPaint(Painter& painter) {
    const Rect client = GetClientRect();
    painter.FillRect(client, 0xFF000000);
    painter.DrawImage(TrackImage, client);
}

void SliderTrack::OnLButtonDown(UINT, Point point) {
    ChooseAt(point);
}

void SliderTrack::OnLButtonUp(UINT, Point point) {
    ChooseAt(point);
}

void SliderTrack::ChooseAt(Point point) {
    const Rect placed = GetRectInParent();
    const int value = axis_ == SliderAxis::Horizontal
                          ? SliderValueFromPoint(point.x + placed.left, Min, Max, placed.left, placed.right)
                          : SliderValueFromPoint(point.y + placed.top, Min, Max, placed.top, placed.bottom);
    GetThumb().SetPos(value);
    if (CWnd* parent = GetParent())
        parent->PostMessage(kMsgSliderValue, WPARAM(value), LPARAM(ID));
}

void SliderTrack::OnEnable(bool enabled) {
    SliderThumb& thumb = GetThumb();
    thumb.Enabled = enabled;
    thumb.Invalidate();
}

LRESULT SliderTrack::OnMessage(UINT msg, WPARAM wParam, LPARAM) {
    // The thumb reports to the track; the parent hears it from the track, under the track's ID.
    if (msg == kMsgSliderValue)
        if (CWnd* parent = GetParent())
            parent->PostMessage(kMsgSliderValue, wParam, LPARAM(ID));
    return 0;
}

} // namespace qor
