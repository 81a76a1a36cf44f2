#pragma once
// The list of a file dialog: one row per folder entry with a small icon, a selection that follows
// clicks and the arrow keys, the mouse wheel, and a scroll bar at the right edge when the rows do not
// fit. It reports to its parent by posted messages; what a choice means is the dialog's business.
//
// Double-clicks are two presses on the same row within kDoubleClickMs, measured on the
// application's clock (the window framework has no double-click message).

#include "controls/FolderListing.h"
#include "platform/gfx/Font.h"
#include "platform/gfx/Image.h"
#include "platform/ui/CWnd.h"

#include <cstdint>
#include <vector>

namespace qor {

// Posted to the parent when the selection changes: wParam = the row, lParam 0.
inline constexpr UINT kMsgFileListSelected = 0x1530; // 5424
// Posted to the parent on a double-click, Enter is the dialog's own: wParam = the row, lParam 0.
inline constexpr UINT kMsgFileListActivated = 0x1531; // 5425

struct ScrollThumb {
    int top = 0; // from the top of the track
    int length = 0;
    friend bool operator==(const ScrollThumb&, const ScrollThumb&) = default;
};

// The first row that may be shown at the top: 0..max(0, total - visible).
int ClampTopRow(int top, int total, int visible);
// The thumb of a track `trackLength` pixels long for `total` rows of which `visible` show from
// `topRow`; never shorter than kMinThumb (or the track). A list that fits has a thumb filling the track.
ScrollThumb ScrollBarThumb(int trackLength, int total, int visible, int topRow);
// The top row for a thumb dragged so that it starts at `thumbTop`.
int TopRowFromThumb(int thumbTop, int trackLength, int total, int visible);

class FileListView : public CWnd {
public:
    static constexpr int kRowHeight = 22;
    static constexpr int kScrollBarWidth = 10;
    static constexpr int kMinThumb = 18;
    static constexpr std::uint64_t kDoubleClickMs = 500;
    static constexpr int kWheelRows = 3;

    ImagePtr ParentIcon;
    ImagePtr FolderIcon;
    ImagePtr FileIcon;

    // Replaces the rows; no row is selected and the list shows its top.
    void SetEntries(std::vector<FileEntry> entries);
    const std::vector<FileEntry>& Entries() const { return entries_; }
    int Selection() const { return selection_; }
    // Selects `row` (-1: none) and scrolls it into view; no report.
    void Select(int row);
    int TopRow() const { return top_; }
    void ScrollTo(int top);
    int VisibleRows() const;
    bool HasScrollBar() const;
    // Where `row` is drawn now (client coordinates; empty when scrolled out of view).
    Rect RowRect(int row) const;
    // The scroll bar's track and thumb (client coordinates; empty without a scroll bar).
    Rect TrackRect() const;
    Rect ThumbRect() const;

protected:
    int OnCreate() override;
    void OnPaint(Painter& painter) override;
    void OnLButtonDown(UINT flags, Point point) override;
    void OnLButtonUp(UINT flags, Point point) override;
    void OnMouseMove(UINT flags, Point point) override;
    void OnMouseLeave() override;
    void OnMouseWheel(UINT flags, int notches, Point point) override;
    void OnKeyDown(UINT vk, LPARAM flags) override;
    void OnCaptureChanged(HWND newCapture) override;
    void OnSetFocus(HWND previous) override;
    void OnKillFocus(HWND next) override;

private:
    int RowAt(Point point) const; // -1 when no row is there
    void ChooseRow(int row);      // selects and reports
    void Notify(UINT msg, int row);
    int ListWidth() const;

    std::vector<FileEntry> entries_;
    int selection_ = -1;
    int top_ = 0;
    int hover_ = -1;
    bool draggingThumb_ = false;
    int grabOffset_ = 0; // pointer y inside the thumb when the drag began
    int lastClickRow_ = -1;
    std::uint64_t lastClickMs_ = 0;
    Font font_;
};

} // namespace qor
