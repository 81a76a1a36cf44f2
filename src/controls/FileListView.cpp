#include "controls/FileListView.h"

#include "controls/FileDialogLook.h"
#include "platform/gfx/Painter.h"
#include "platform/gfx/Utf8.h"
#include "platform/ui/Application.h"

#include <algorithm>

namespace qor {

using namespace filedialog;

namespace {

constexpr UINT kVkPrior = 0x21;
constexpr UINT kVkNext = 0x22;
constexpr UINT kVkEnd = 0x23;
constexpr UINT kVkHome = 0x24;
constexpr UINT kVkUp = 0x26;
constexpr UINT kVkDown = 0x28;
constexpr UINT kVkBack = 0x08;

constexpr int kBorder = 1;
constexpr int kIconLeft = 8;
constexpr int kIconSize = 16;
constexpr int kTextLeft = kIconLeft + kIconSize + 8;

} // namespace

int ClampTopRow(int top, int total, int visible) {
    return std::clamp(top, 0, std::max(0, total - std::max(visible, 0)));
}

ScrollThumb ScrollBarThumb(int trackLength, int total, int visible, int topRow) {
    if (trackLength <= 0)
        return {};
    if (total <= visible || visible <= 0)
        return {0, trackLength};
    const int length = std::min(
        trackLength, std::max(FileListView::kMinThumb, int(std::int64_t(trackLength) * visible / total)));
    const int travel = trackLength - length;
    const int maxTop = total - visible;
    const int top = int(std::int64_t(travel) * ClampTopRow(topRow, total, visible) / maxTop);
    return {top, length};
}

int TopRowFromThumb(int thumbTop, int trackLength, int total, int visible) {
    const ScrollThumb thumb = ScrollBarThumb(trackLength, total, visible, 0);
    const int travel = trackLength - thumb.length;
    const int maxTop = total - visible;
    if (travel <= 0 || maxTop <= 0)
        return 0;
    const int clamped = std::clamp(thumbTop, 0, travel);
    // Rounded to the nearest row, so the thumb lands where it was dropped.
    return ClampTopRow(int((std::int64_t(clamped) * maxTop + travel / 2) / travel), total, visible);
}

int FileListView::OnCreate() {
    SetTabStop(true);
    font_.family = "Arial";
    font_.height = 15;
    return 0;
}

void FileListView::SetEntries(std::vector<FileEntry> entries) {
    entries_ = std::move(entries);
    selection_ = -1;
    top_ = 0;
    hover_ = -1;
    lastClickRow_ = -1;
    Invalidate();
}

int FileListView::VisibleRows() const {
    return std::max(0, (GetClientRect().Height() - 2 * kBorder) / kRowHeight);
}

bool FileListView::HasScrollBar() const {
    return int(entries_.size()) > VisibleRows();
}

int FileListView::ListWidth() const {
    return GetClientRect().Width() - 2 * kBorder - (HasScrollBar() ? kScrollBarWidth : 0);
}

Rect FileListView::RowRect(int row) const {
    if (row < top_ || row >= top_ + VisibleRows() || row >= int(entries_.size()))
        return {};
    return Rect::FromXYWH(kBorder, kBorder + (row - top_) * kRowHeight, ListWidth(), kRowHeight);
}

Rect FileListView::TrackRect() const {
    if (!HasScrollBar())
        return {};
    const Rect client = GetClientRect();
    return Rect{client.right - kBorder - kScrollBarWidth, kBorder, client.right - kBorder,
                client.bottom - kBorder};
}

Rect FileListView::ThumbRect() const {
    const Rect track = TrackRect();
    if (track.IsEmpty())
        return {};
    const ScrollThumb thumb = ScrollBarThumb(track.Height(), int(entries_.size()), VisibleRows(), top_);
    return Rect{track.left + 2, track.top + thumb.top, track.right - 2, track.top + thumb.top + thumb.length};
}

void FileListView::Select(int row) {
    if (row < -1 || row >= int(entries_.size()))
        row = -1;
    selection_ = row;
    if (row >= 0) {
        const int visible = std::max(VisibleRows(), 1);
        if (row < top_)
            top_ = row;
        else if (row >= top_ + visible)
            top_ = row - visible + 1;
    }
    Invalidate();
}

void FileListView::ScrollTo(int top) {
    const int clamped = ClampTopRow(top, int(entries_.size()), VisibleRows());
    if (clamped == top_)
        return;
    top_ = clamped;
    hover_ = -1;
    Invalidate();
}

int FileListView::RowAt(Point point) const {
    if (point.x < kBorder || point.x >= kBorder + ListWidth() || point.y < kBorder)
        return -1;
    const int row = top_ + (point.y - kBorder) / kRowHeight;
    return (point.y - kBorder) / kRowHeight < VisibleRows() && row < int(entries_.size()) ? row : -1;
}

void FileListView::Notify(UINT msg, int row) {
    if (CWnd* parent = GetParent())
        parent->PostMessage(msg, WPARAM(row), 0);
}

void FileListView::ChooseRow(int row) {
    if (row == selection_)
        return;
    Select(row);
    Notify(kMsgFileListSelected, row);
}

void FileListView::OnPaint(Painter& painter) {
    const Rect client = GetClientRect();
    const bool focused = qor::GetFocus() == GetSafeHwnd();
    painter.FillRect(client, kWell);
    painter.DrawRectOutline(client, 1, focused ? kFrameFocus : kFrame);

    const int visible = VisibleRows();
    for (int i = 0; i < visible && top_ + i < int(entries_.size()); ++i) {
        const int row = top_ + i;
        const FileEntry& entry = entries_[std::size_t(row)];
        const Rect rect = RowRect(row);
        if (row == selection_) {
            painter.FillRect(rect, focused ? kSelected : kSelectedIdle);
            painter.FillRect(Rect{rect.left, rect.top, rect.left + 2, rect.bottom}, kAccent);
        } else if (row == hover_) {
            painter.FillRect(rect, kHover);
        }
        const ImagePtr& icon = entry.kind == FileEntryKind::Parent   ? ParentIcon
                               : entry.kind == FileEntryKind::Folder ? FolderIcon
                                                                     : FileIcon;
        const int iconTop = rect.top + (kRowHeight - kIconSize) / 2;
        painter.DrawImage(icon, Rect::FromXYWH(rect.left + kIconLeft, iconTop, kIconSize, kIconSize));
        // Names are bytes from the disk: show broken sequences as replacement characters.
        const Rect textBox{rect.left + kTextLeft, rect.top, rect.right - 6, rect.bottom};
        painter.DrawText(SanitizeUtf8(entry.name), textBox, font_, kInk,
                         TextAlign::Left | TextAlign::VCenter | TextAlign::EndEllipsis);
    }

    const Rect track = TrackRect();
    if (!track.IsEmpty()) {
        painter.FillRect(track, kTrack);
        painter.FillRect(ThumbRect(), draggingThumb_ ? kThumbActive : kThumb);
    }
}

void FileListView::OnLButtonDown(UINT, Point point) {
    SetFocus();
    const Rect track = TrackRect();
    if (track.Contains(point)) {
        const Rect thumb = ThumbRect();
        if (thumb.Contains(point)) {
            draggingThumb_ = true;
            grabOffset_ = point.y - thumb.top;
            SetCapture();
            Invalidate();
        } else {
            // A click on the track pages toward the pointer.
            const int page = std::max(VisibleRows() - 1, 1);
            ScrollTo(point.y < thumb.top ? top_ - page : top_ + page);
        }
        return;
    }
    const int row = RowAt(point);
    if (row < 0)
        return;
    Application* app = Application::Current();
    const std::uint64_t now = app ? app->NowMs() : 0;
    const bool doubleClick = row == lastClickRow_ && now - lastClickMs_ <= kDoubleClickMs;
    ChooseRow(row);
    if (doubleClick) {
        lastClickRow_ = -1;
        Notify(kMsgFileListActivated, row);
        return;
    }
    lastClickRow_ = row;
    lastClickMs_ = now;
}

void FileListView::OnLButtonUp(UINT, Point) {
    if (!draggingThumb_)
        return;
    draggingThumb_ = false;
    if (qor::GetCapture() == GetSafeHwnd())
        ReleaseCapture();
    Invalidate();
}

void FileListView::OnMouseMove(UINT, Point point) {
    if (draggingThumb_) {
        const Rect track = TrackRect();
        ScrollTo(TopRowFromThumb(point.y - grabOffset_ - track.top, track.Height(), int(entries_.size()),
                                 VisibleRows()));
        return;
    }
    const int row = RowAt(point);
    if (row != hover_) {
        hover_ = row;
        Invalidate();
        TrackMouseLeave();
    }
}

void FileListView::OnMouseLeave() {
    if (hover_ != -1) {
        hover_ = -1;
        Invalidate();
    }
}

void FileListView::OnMouseWheel(UINT, int notches, Point) {
    ScrollTo(top_ - notches * kWheelRows);
}

void FileListView::OnKeyDown(UINT vk, LPARAM) {
    const int count = int(entries_.size());
    if (count == 0)
        return;
    const int page = std::max(VisibleRows() - 1, 1);
    const int current = selection_;
    int row = current;
    switch (vk) {
    case kVkUp:
        row = current < 0 ? 0 : current - 1;
        break;
    case kVkDown:
        row = current + 1;
        break;
    case kVkPrior:
        row = current - page;
        break;
    case kVkNext:
        row = current < 0 ? page : current + page;
        break;
    case kVkHome:
        row = 0;
        break;
    case kVkEnd:
        row = count - 1;
        break;
    case kVkBack:
        // Backspace goes up a folder, as in the file managers.
        if (entries_.front().kind == FileEntryKind::Parent)
            Notify(kMsgFileListActivated, 0);
        return;
    default:
        return;
    }
    ChooseRow(std::clamp(row, 0, count - 1));
}

void FileListView::OnCaptureChanged(HWND) {
    if (draggingThumb_) {
        draggingThumb_ = false;
        Invalidate();
    }
}

void FileListView::OnSetFocus(HWND) {
    Invalidate();
}

void FileListView::OnKillFocus(HWND) {
    Invalidate();
}

} // namespace qor
