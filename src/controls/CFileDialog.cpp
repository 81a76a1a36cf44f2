#include "controls/CFileDialog.h"

#include "controls/CConfirmDlg.h"
#include "controls/ControlFont.h"
#include "controls/FileDialogLook.h"
#include "controls/FileDialogTexts.h"
#include "controls/FileFilter.h"
#include "controls/FolderListing.h"
#include "platform/gfx/ImageFile.h"
#include "platform/gfx/Painter.h"
#include "platform/ui/Application.h"
#include "skin/SkinPaths.h"

#include <cstdlib>
#include <utility>

namespace qor {

using namespace filedialog;

namespace {

constexpr Rect kTitleRect{20, 14, 540, 44};
constexpr Rect kPathRect{24, 58, 458, 84};
constexpr Rect kUpRect{466, 58, 536, 84};
constexpr Rect kListRect{24, 92, 536, 336};
constexpr Rect kNameLabelRect{24, 348, 104, 372};
constexpr Rect kNameFrameRect{108, 348, 536, 372};
constexpr Rect kMessageRect{24, 378, 536, 396};
constexpr Rect kTypeRect{24, 402, 336, 428};
constexpr Rect kOkRect{344, 402, 437, 428};
constexpr Rect kCancelRect{443, 402, 536, 428};

constexpr std::uint32_t kEditInk = 0xF2EEEC;  // kInk as 0x00BBGGRR
constexpr std::uint32_t kEditBack = 0x0F0C0B; // kWell as 0x00BBGGRR

std::string ProblemText(FileProblem problem) {
    switch (problem) {
    case FileProblem::FileNotFound:
        return FileDialogText(FileDialogTextId::FileNotFound);
    case FileProblem::FolderNotFound:
        return FileDialogText(FileDialogTextId::FolderNotFound);
    case FileProblem::InvalidName:
        return FileDialogText(FileDialogTextId::InvalidName);
    case FileProblem::ReadOnly:
        return FileDialogText(FileDialogTextId::ReadOnly);
    case FileProblem::None:
        break;
    }
    return {};
}

std::string HomeFolder() {
    const char* home = std::getenv("HOME");
    return home && home[0] == '/' ? CanonicalFolder(home) : std::string();
}

} // namespace

CFileDialog::CFileDialog(CWnd* owner, FileDialogOptions options)
    : CDialog(owner, kSize), options_(std::move(options)), home_(HomeFolder()) {
    SetTitle(options_.title);
    const std::vector<FileFilterEntry> filter = ParseFileFilter(options_.filter);
    if (!filter.empty()) {
        filterDescription_ = filter.front().description;
        patterns_ = filter.front().patterns;
    }
}

int CFileDialog::OnCreate() {
    background_ = LoadSharedImage(SkinPath(SkinFolder::Background, "dlg.png"));

    // The name field comes first: it is the first tab stop and has the focus when the dialog opens.
    name_.TextColor = kEditInk;
    name_.BackColor = kEditBack;
    name_.NotifyKeyUp = true;
    const Rect field{kNameFrameRect.left + 1, kNameFrameRect.top + 1, kNameFrameRect.right - 1,
                     kNameFrameRect.bottom - 1};
    if (!name_.Create(this, field) || !list_.Create(this, kListRect) ||
        !up_.Create(this, kUpRect, kUpButtonId) || !ok_.Create(this, kOkRect, IDOK) ||
        !cancel_.Create(this, kCancelRect, IDCANCEL))
        return -1;
    Font editFont = DialogFont(15, kFontWeightNormal);
    name_.SetFont(editFont);
    name_.SetLimitText(4096);
    name_.SetWindowText(options_.fileName);

    list_.ParentIcon = LoadSharedImage(SkinPath(SkinFolder::Background, "fd-up.png"));
    list_.FolderIcon = LoadSharedImage(SkinPath(SkinFolder::Background, "fd-folder.png"));
    list_.FileIcon = LoadSharedImage(SkinPath(SkinFolder::Background, "fd-file.png"));

    SetUpDialogButton(up_, FileDialogText(FileDialogTextId::Up));
    SetUpDialogButton(ok_, FileDialogText(options_.mode == FileDialogMode::Save ? FileDialogTextId::Save
                                                                                : FileDialogTextId::Open));
    SetUpDialogButton(cancel_, FileDialogText(FileDialogTextId::Cancel));

    std::string start = options_.initialFolder;
    if (start.empty())
        start = home_.empty() ? std::string("/") : home_;
    Navigate(start);
    return 0;
}

void CFileDialog::OnDestroy() {
    background_.reset();
}

void CFileDialog::Navigate(const std::string& folder) {
    folder_ = ExistingFolder(folder);
    FolderListing listing = ListFolder(folder_, patterns_);
    list_.SetEntries(std::move(listing.entries));
    ShowMessage(listing.readable ? std::string() : FileDialogText(FileDialogTextId::FolderUnreadable));
    InvalidateRect(kPathRect);
}

void CFileDialog::ShowMessage(std::string message) {
    if (message == message_)
        return;
    message_ = std::move(message);
    nameAtMessage_ = name_.GetWindowText();
    InvalidateRect(kMessageRect);
}

void CFileDialog::OnPaint(Painter& painter) {
    const Rect client = GetClientRect();
    painter.FillRect(client, 0xFF131519);
    painter.DrawImage(background_, client);
    painter.DrawText(options_.title, kTitleRect, DialogFont(19, kFontWeightBold), kInk, kTextCentered);

    const Font body = DialogFont(15, kFontWeightNormal);
    const TextAlign left = TextAlign::Left | TextAlign::VCenter | TextAlign::EndEllipsis;
    painter.FillRect(kPathRect, kWell);
    painter.DrawRectOutline(kPathRect, 1, kFrame);
    const Rect pathText{kPathRect.left + 8, kPathRect.top, kPathRect.right - 8, kPathRect.bottom};
    painter.DrawText(ElideMiddle(folder_, body, pathText.Width()), pathText, body, kInk, left);

    painter.DrawText(FileDialogText(FileDialogTextId::FileNameLabel), kNameLabelRect, body, kInkDim, left);
    painter.DrawRectOutline(kNameFrameRect, 1, kFrame);
    if (!message_.empty())
        painter.DrawText(message_, kMessageRect, body, kWarning, left);
    if (!filterDescription_.empty()) {
        const std::string label = FileDialogText(FileDialogTextId::TypeLabel);
        const int labelWidth = painter.MeasureText(label, body).width;
        painter.DrawText(label, kTypeRect, body, kInkDim, left);
        const Rect description{kTypeRect.left + labelWidth + 8, kTypeRect.top, kTypeRect.right,
                               kTypeRect.bottom};
        painter.DrawText(filterDescription_, description, body, kInk, left);
    }
}

bool CFileDialog::OnCommand(int id, int notification, HWND sender) {
    if (sender != kNoWindow && sender == up_.GetSafeHwnd()) {
        Navigate(ParentFolder(folder_));
        return true;
    }
    return CDialog::OnCommand(id, notification, sender);
}

LRESULT CFileDialog::OnMessage(UINT msg, WPARAM wParam, LPARAM) {
    const int row = int(wParam);
    const std::vector<FileEntry>& entries = list_.Entries();
    // The list may have changed since the report was posted.
    const bool valid = wParam >= 0 && row < int(entries.size());
    if (msg == kMsgFileListSelected && valid && row == list_.Selection()) {
        if (entries[std::size_t(row)].kind == FileEntryKind::File)
            name_.SetWindowText(entries[std::size_t(row)].name);
        ShowMessage({});
    } else if (msg == kMsgFileListActivated && valid) {
        OpenEntry(row);
    } else if (msg == kMsgEditKeyUp && name_.GetWindowText() != nameAtMessage_) {
        // Editing the refused name puts the complaint away; the release of Enter itself does not.
        ShowMessage({});
    }
    return 0;
}

void CFileDialog::OpenEntry(int row) {
    const FileEntry entry = list_.Entries()[std::size_t(row)];
    switch (entry.kind) {
    case FileEntryKind::Parent:
        Navigate(ParentFolder(folder_));
        return;
    case FileEntryKind::Folder:
        Navigate(JoinPath(folder_, entry.name));
        return;
    case FileEntryKind::File:
        name_.SetWindowText(entry.name);
        // The full path: a listed name is taken as it is, never trimmed or read as "~".
        Choose(JoinPath(folder_, entry.name));
        return;
    }
}

void CFileDialog::OnOK() {
    const int row = list_.Selection();
    const bool folderSelected = row >= 0 && row < int(list_.Entries().size()) &&
                                list_.Entries()[std::size_t(row)].kind != FileEntryKind::File;
    // Enter on a folder in the list, or OK with a folder selected and no name, opens that folder.
    if (folderSelected && (qor::GetFocus() == list_.GetSafeHwnd() || name_.GetWindowText().empty())) {
        OpenEntry(row);
        return;
    }
    Choose(name_.GetWindowText());
}

void CFileDialog::Choose(const std::string& typed) {
    const FileDecision decision =
        DecideFileChoice(options_.mode, folder_, typed, options_.defaultExtension, home_);
    switch (decision.action) {
    case FileDecision::Action::Stay:
        ShowMessage(ProblemText(decision.problem));
        return;
    case FileDecision::Action::Navigate:
        name_.SetWindowText(std::string());
        Navigate(decision.path);
        return;
    case FileDecision::Action::ConfirmReplace:
        if (!AskReplace(decision.path))
            return;
        break;
    case FileDecision::Action::Accept:
        break;
    }
    pathName_ = decision.path;
    EndDialog(IDOK);
}

bool CFileDialog::AskReplace(const std::string& path) {
    if (confirmReplace_)
        return confirmReplace_(path);
    const std::size_t slash = path.find_last_of('/');
    CConfirmDlg confirm(this, FileDialogText(FileDialogTextId::ReplaceTitle),
                        FileDialogText(FileDialogTextId::ReplaceExists),
                        slash == std::string::npos ? path : path.substr(slash + 1),
                        FileDialogText(FileDialogTextId::ReplaceQuestion));
    return confirm.DoModal() == IDOK;
}

} // namespace qor
