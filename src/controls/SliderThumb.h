#pragma once
// The draggable thumb of an image slider (CPngHSlider, CPngSlider): a child window of its track that
// paints the thumb image, follows a drag along the track's axis without ever leaving the track, and
// on release reports the value its position stands for to the track. The thumb stays where it was
// dropped; SetPos moves it to the position of a value without reporting anything.

#include "controls/SliderGeometry.h"
#include "platform/gfx/Image.h"
#include "platform/ui/CWnd.h"

#include <cstdint>
#include <string>

namespace qor {

// Value report of a slider: wParam = value, lParam = the slider's ID.
inline constexpr UINT kMsgSliderValue = 0x1513; // 5395

class SliderThumb : public CWnd {
public:
    std::int32_t ID = 0;
    ImagePtr Image;    // normal face
    ImagePtr AltImage; // face while the slider is disabled; null when none was given
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    bool Dragging = false;
    std::int32_t Min = 0;
    std::int32_t Max = 10;
    bool Enabled = true; // mirrors the track's enabled state
    std::int32_t Value = 0;

    // Loads the faces and creates the thumb in the top-left corner of `track`, sized like `imagePath`.
    // An empty `altImagePath` means no disabled face.
    bool Create(const std::string& imagePath, const std::string& altImagePath, CWnd* track, int id);

    // Moves the thumb to the position of `value` (a value outside Min..Max becomes Min); no report.
    void SetPos(int value);

    SliderAxis Axis() const { return axis_; }
    // The area the thumb travels in: the track's client area.
    Rect TravelArea() const;

protected:
    explicit SliderThumb(SliderAxis axis) : axis_(axis) {}

    void OnPaint(Painter& painter) override;
    void OnLButtonDown(UINT flags, Point point) override;
    void OnMouseMove(UINT flags, Point point) override;
    void OnLButtonUp(UINT flags, Point point) override;
    void OnCaptureChanged(HWND newCapture) override;

private:
    void ReportDrop();

    SliderAxis axis_;
    Point pressPoint_;
};

} // namespace qor
