#pragma once
// The program's open-file and save-file dialog, in the skin's dialog style: the current folder at the
// top with an Up button, the list of its folders and matching files, a name field, and OK (Open or
// Save) and Cancel. A click on a file puts its name into the field; a double-click opens a folder or
// chooses a file; Enter is OK and Escape Cancel. A name or a path may be typed: a folder is opened, a
// name without extension gets the default one, Open takes only an existing regular file, and Save asks
// before replacing a file. Problems show in a line above the buttons; the dialog stays open.
//
// Run it with DoModal; after IDOK, GetPathName() is the chosen file.

#include "controls/CBitmapBtn.h"
#include "controls/CClrEdit.h"
#include "controls/FileChoice.h"
#include "controls/FileListView.h"
#include "platform/gfx/Image.h"
#include "platform/ui/CDialog.h"

#include <functional>
#include <string>
#include <vector>

namespace qor {

struct FileDialogOptions {
    FileDialogMode mode = FileDialogMode::Open;
    std::string title;
    std::string filter;           // e.g. "pfd(*.pfd)|*.pfd|"; the first entry is used
    std::string defaultExtension; // e.g. ".pfd"
    std::string initialFolder;    // the nearest existing folder above it when it is missing
    std::string fileName;         // put into the name field at the start
};

class CFileDialog : public CDialog {
public:
    static constexpr Size kSize{560, 440};
    static constexpr int kUpButtonId = 100;

    // Answers whether `path` may be replaced; the default asks with a CConfirmDlg.
    using ConfirmReplace = std::function<bool(const std::string& path)>;

    CFileDialog(CWnd* owner, FileDialogOptions options);

    const std::string& GetPathName() const { return pathName_; }
    void SetConfirmReplace(ConfirmReplace confirm) { confirmReplace_ = std::move(confirm); }

    // State and parts, for tests.
    const std::string& CurrentFolder() const { return folder_; }
    const std::string& Message() const { return message_; }
    FileListView& List() { return list_; }
    CClrEdit& NameField() { return name_; }
    CBitmapBtn& OkButton() { return ok_; }
    CBitmapBtn& CancelButton() { return cancel_; }
    CBitmapBtn& UpButton() { return up_; }

    // Shows `folder` (canonicalised; a missing one falls back to its nearest existing parent).
    void Navigate(const std::string& folder);

protected:
    int OnCreate() override;
    void OnDestroy() override;
    void OnPaint(Painter& painter) override;
    bool OnCommand(int id, int notification, HWND sender) override;
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;

private:
    void Choose(const std::string& typed);
    void OpenEntry(int row);
    void ShowMessage(std::string message);
    bool AskReplace(const std::string& path);

    FileDialogOptions options_;
    std::vector<std::string> patterns_;
    std::string filterDescription_;
    std::string folder_;
    std::string message_;
    std::string nameAtMessage_; // the name field's text when the message appeared
    std::string pathName_;
    std::string home_;
    ConfirmReplace confirmReplace_;

    ImagePtr background_;
    FileListView list_;
    CClrEdit name_;
    CBitmapBtn up_;
    CBitmapBtn ok_;
    CBitmapBtn cancel_;
};

} // namespace qor
