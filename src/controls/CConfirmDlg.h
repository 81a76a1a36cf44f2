#pragma once
// A small yes/no question in the skin's dialog style, for the file dialogs (which cannot use the main
// window's warning box). A title, an introducing line, a subject (a file name, shortened in the
// middle to fit) and a question over the dialog face with the warning symbol; Yes answers IDOK, No IDCANCEL.
// Enter means Yes, Escape No.

#include "controls/CQuestionDlg.h"
#include "platform/gfx/Font.h"

#include <string>

namespace qor {

class CConfirmDlg : public CQuestionDlg {
public:
    static constexpr Size kSize{440, 200};

    CConfirmDlg(CWnd* owner, std::string title, std::string intro, std::string subject, std::string question);

    CBitmapBtn& YesButton() { return ConfirmButton(); }
    CBitmapBtn& NoButton() { return RefuseButton(); }

protected:
    int OnCreate() override;
    void OnPaint(Painter& painter) override;

private:
    std::string title_;
    std::string intro_;
    std::string subject_;
    std::string question_;
};

// `utf8` shortened by replacing its middle with "..." so that it fits into `maxWidth` (file names
// keep their extension and paths their last folder that way).
std::string ElideMiddle(const std::string& utf8, const Font& font, int maxWidth);

} // namespace qor
