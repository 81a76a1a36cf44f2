#pragma once
// What the skin's two-answer dialogs share: the dialog face with the warning symbol, a button that
// answers IDOK and one that answers IDCANCEL. Enter answers IDOK from anywhere in the dialog (before any
// control sees the key), Escape IDCANCEL. Subclasses add their texts.

#include "controls/CBitmapBtn.h"
#include "platform/gfx/Image.h"
#include "platform/ui/CDialog.h"

#include <string>

namespace qor {

class CQuestionDlg : public CDialog {
public:
    bool PreTranslateMessage(MSG& msg) override;

protected:
    struct Layout {
        Rect confirm;
        Rect refuse;
        Rect symbol;
    };

    CQuestionDlg(CWnd* owner, Size size, const Layout& layout);

    // For the subclass's OnCreate: loads the artwork and creates both buttons with these captions.
    // Returns OnCreate's answer (-1 when a button could not be made).
    int CreateFace(const std::string& confirmCaption, const std::string& refuseCaption);

    void OnDestroy() override;
    // The face over the client area and the symbol at its place.
    void OnPaint(Painter& painter) override;
    bool OnCommand(int id, int notification, HWND sender) override;

    CBitmapBtn& ConfirmButton() { return confirm_; }
    CBitmapBtn& RefuseButton() { return refuse_; }

private:
    Layout layout_;
    ImagePtr background_;
    ImagePtr symbol_;
    CBitmapBtn confirm_;
    CBitmapBtn refuse_;
};

// Sets up a command button of the skin's dialogs with the skin's button faces and `caption`.
void SetUpDialogButton(CBitmapBtn& button, const std::string& caption);

} // namespace qor
