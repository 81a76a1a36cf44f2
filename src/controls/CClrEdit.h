#pragma once
// A single-line entry field in chosen colours (0x00BBGGRR) for the skinned dialogs. It tells its
// parent when it gains or loses the keyboard focus and, with NotifyKeyUp, of every key released in
// it. The text is the window text (SetWindowText / GetWindowText); typing stops at the length limit,
// counted in characters.
//
// Set Border and NotifyKeyUp before creating it with CWnd::Create.

#include "controls/ControlFont.h"
#include "controls/EditBuffer.h"
#include "platform/gfx/Font.h"
#include "platform/ui/CWnd.h"

#include <cstdint>

namespace qor {

// Posted to the parent: wParam = the released key's virtual-key code, lParam 0 (NotifyKeyUp only).
inline constexpr UINT kMsgEditKeyUp = 0x1402; // 5122
// Posted to the parent: wParam = kEditFocusGained or kEditFocusLost, lParam 0.
inline constexpr UINT kMsgEditFocus = 0x1403; // 5123
inline constexpr WPARAM kEditFocusGained = 1;
inline constexpr WPARAM kEditFocusLost = 2;

class CClrEdit : public CWnd {
public:
    bool Border = false;
    bool NotifyKeyUp = false;
    std::uint32_t TextColor = 0xFFFFFF;
    std::uint32_t BackColor = 0x000000;

    void SetFont(const Font& font);
    const Font& GetFont() const { return font_; }
    // Characters the user may type; 0 restores the default.
    void SetLimitText(int characters);
    int GetLimitText() const { return int(buffer_.Limit()); }
    const EditBuffer& Buffer() const { return buffer_; }

protected:
    int OnCreate() override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    bool OnCtlColor(HWND control, ControlColors& colors) override;
    void OnPaint(Painter& painter) override;
    void OnLButtonDown(UINT flags, Point point) override;
    void OnKeyDown(UINT vk, LPARAM flags) override;
    void OnKeyUp(UINT vk, LPARAM flags) override;
    void OnChar(std::uint32_t codePoint) override;
    void OnSetFocus(HWND previous) override;
    void OnKillFocus(HWND next) override;

private:
    int TextLeft() const;
    int PrefixWidth(std::size_t characters) const;
    std::size_t CaretFromX(int x) const;
    void Commit(); // the buffer's text becomes the window text

    EditBuffer buffer_;
    Font font_ = DefaultControlFont();
    int scroll_ = 0; // pixels of text scrolled out at the left
    bool committing_ = false;
};

} // namespace qor
