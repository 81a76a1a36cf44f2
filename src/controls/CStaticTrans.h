#pragma once
// A label for skinned windows: a static text drawn straight onto its parent's painted background in
// its own Arial font (BackColor kTransparentBack), or on a solid colour in the control's plain font.
// Colours are 0x00BBGGRR and reach the paint through the control-colour request, so a parent can
// still override them. Text wraps between words and starts at the top.

#include "controls/ControlFont.h"
#include "platform/gfx/Font.h"
#include "platform/gfx/Painter.h"
#include "platform/ui/CWnd.h"

#include <cstdint>

namespace qor {

inline constexpr std::int32_t kTransparentBack = -1;

class CStaticTrans : public CWnd {
public:
    std::uint32_t TextColor = 0xFFFFFF;
    std::int32_t BackColor = kTransparentBack; // or a colour: a solid box
    std::int32_t FontHeight = 15;              // the three font fields apply when transparent
    std::int32_t FontWeight = kFontWeightBold;
    bool Italic = false;
    qor::TextAlign Alignment = qor::TextAlign::Left; // Left, HCenter or Right

    // The font used on a solid background (the dialog's font).
    void SetFont(const Font& font);
    // The font the text is drawn with now.
    Font EffectiveFont() const;

    // Repaints the parent's background under the control, 2 pixels in from its edges.
    void RefreshBehind();

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    bool OnCtlColor(HWND control, ControlColors& colors) override;
    void OnPaint(Painter& painter) override;

private:
    void InvalidateBehind(int inset);

    Font plainFont_ = DefaultControlFont();
};

} // namespace qor
