#pragma once
// The image button every window is built from: window-frame buttons, confirm and cancel buttons,
// tabs, profile selectors, assignment fields, check boxes and menu entries. It paints one of four
// faces (normal, hover, pressed, disabled) stretched over its client area with an optional caption,
// lights up while the pointer is over it, and in toggle mode flips its own checked state.
//
// Hover works through the mouse capture: the button takes the capture when the pointer first moves
// over it and gives it up as soon as another window is under the pointer, so leaving it fast still
// ends the hover. Every pointer move over the button is posted to the parent (menus follow the entry
// under the pointer that way).
//
// Owners configure it through its public properties right after creating it with CWnd::Create.

#include "platform/gfx/Image.h"
#include "platform/ui/CWnd.h"

#include <array>
#include <cstdint>
#include <string>

namespace qor {

// Posted to the parent on every pointer move over a button: wParam = the button's handle, lParam 0.
inline constexpr UINT kMsgButtonPointerMoved = 0x1511; // 5393

enum class CaptionAlign : std::int32_t {
    Centred = 1, // centred both ways in the client area
    Left = 4,    // starts at the left edge, centred vertically
};

enum class ButtonFace : std::uint8_t { Normal = 0, Hover = 1, Pressed = 2, Disabled = 3 };
enum class CaptionColour : std::uint8_t { Normal = 0, Hover = 1, Pressed = 2 };

struct ButtonLook {
    ButtonFace face;
    CaptionColour caption;
    friend bool operator==(const ButtonLook&, const ButtonLook&) = default;
};

// Which face and caption colour a button in this state shows. `pressed` is the left button held on
// the button with the pointer over it.
ButtonLook ChooseButtonLook(bool toggleMode, bool checked, bool pressed, bool hover, bool disabled);

// Where a caption of size `text` starts in a client area of size `client`: left-aligned captions at
// x 0, others centred; both centred vertically. Each half is truncated before subtracting.
Point CaptionOrigin(CaptionAlign align, int offsetX, Size client, Size text);

// The rectangle the face is stretched into: the client area, or a square of the client height at the
// left when `squareImage` is set.
Rect FaceRect(Size client, bool squareImage);

class CBitmapBtn : public CWnd {
public:
    CBitmapBtn() = default;

    // Properties (colours are 0x00BBGGRR).
    bool ShowCaption = false;
    bool Checked = false;
    bool ToggleMode = false;
    bool Hover = false;             // maintained by the button itself
    std::array<ImagePtr, 4> Images; // indexed by ButtonFace; one image may serve several faces
    bool UseTextRect = false;
    Rect TextRect;
    std::string Caption;
    std::int32_t FontHeight = 15;
    std::int32_t FontWeight = 400;
    std::int32_t TextOffsetX = 0;
    CaptionAlign TextAlign = CaptionAlign::Centred;
    std::array<std::uint32_t, 3> TextColors{0xFFFFFF, 0xFFFFFF, 0xFFFFFF}; // indexed by CaptionColour
    std::uint32_t BackColor = 0x000000;
    bool SquareImage = false;

    // Replaces the four faces (normal, hover, pressed, disabled).
    void SetImages(ImagePtr normal, ImagePtr hover, ImagePtr pressed, ImagePtr disabled);
    // The same from image files; a missing file gives a face that draws nothing.
    void SetImageFiles(const std::string& normal, const std::string& hover, const std::string& pressed,
                       const std::string& disabled);
    void SetCaption(const std::string& text, int offsetX, CaptionAlign align);
    std::string GetCaption() const { return Caption; }
    // Repaints only when the state changes.
    void SetChecked(bool checked);

    // The left button went down on this button and is still held.
    bool IsTrackingPress() const { return tracking_; }

protected:
    int OnCreate() override;
    void OnPaint(Painter& painter) override;
    void OnMouseMove(UINT flags, Point point) override;
    void OnLButtonDown(UINT flags, Point point) override;
    void OnLButtonUp(UINT flags, Point point) override;
    void OnCaptureChanged(HWND newCapture) override;
    void OnKillFocus(HWND next) override;

private:
    void UpdatePressed(Point point);
    void ReleaseOwnCapture();

    bool tracking_ = false; // a press on this button is in progress
    bool pushed_ = false;   // ... and the pointer is over the button
};

} // namespace qor
