#pragma once
// A dialog: a top-level window with the keyboard handling of dialogs (Enter confirms, Escape cancels,
// Tab moves the focus between tab-stop controls) that runs modally with DoModal or modelessly (menus).
//
// DoModal creates the window (OnCreate builds the controls), sends WM_INITDIALOG, centres the window
// on its owner or the screen, disables the owner, shows the dialog and runs a nested message loop
// until EndDialog; then it enables the owner again, destroys the window and returns the end code.
// Messages for every other window keep flowing during the loop. A quit request ends the loop with
// IDCANCEL and is left in place for the outer loops.

#include "platform/ui/CWnd.h"

#include <string>

namespace qor {

class CDialog : public CWnd {
public:
    explicit CDialog(CWnd* parent = nullptr, Size initialSize = {320, 200});

    // Runs the dialog modally; returns the code given to EndDialog (IDCANCEL if the program quits),
    // -1 when the window cannot be created or the dialog is already running.
    int DoModal();
    // Creates the dialog without a loop (shown at once), e.g. a popup menu owned by `parent`.
    bool CreateModeless(WindowKind kind = WindowKind::Popup);
    // Ends a modal run with `result`; a modeless dialog is destroyed.
    void EndDialog(int result);
    bool IsModalRunning() const { return running_; }

    void SetTitle(const std::string& title) { title_ = title; } // before the window exists
    void SetWindowKind(WindowKind kind) { kind_ = kind; }       // Dialog (default) or Main
    void SetCenterOnShow(bool center) { center_ = center; }

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    bool PreTranslateMessage(MSG& msg) override;

protected:
    // Returns true to put the focus on the first tab-stop control (or the dialog itself).
    virtual bool OnInitDialog() { return true; }
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    bool OnCommand(int id, int notification, HWND sender) override;
    void OnClose() override { OnCancel(); }

    CWnd* ParentWindow() const { return parent_; }
    // Moves the focus to the next (or previous) visible, enabled tab-stop descendant.
    void NextTabStop(bool backwards);

private:
    CWnd* parent_ = nullptr; // its window is looked up when the dialog is created
    Size initialSize_;
    std::string title_;
    WindowKind kind_ = WindowKind::Dialog;
    bool center_ = true;
    bool running_ = false;
    bool ending_ = false;
    int result_ = IDCANCEL;
};

} // namespace qor
