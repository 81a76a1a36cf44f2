// The small icons of the file dialogs' list: a folder, a profile file and the "up one folder" arrow.
// They are drawn on a clear background, because the rows under them change colour with hover and
// selection.

#include "ArtRegistry.h"
#include "Draw.h"

#include <cmath>

namespace qor::skin {

namespace {

using namespace palette;

void FolderShape(cairo_t* cr) {
    // Tab at the top left, body below it.
    cairo_move_to(cr, 1.5, 4);
    cairo_line_to(cr, 1.5, 13.5);
    cairo_line_to(cr, 14.5, 13.5);
    cairo_line_to(cr, 14.5, 5);
    cairo_line_to(cr, 7.5, 5);
    cairo_line_to(cr, 6, 2.5);
    cairo_line_to(cr, 2.5, 2.5);
    cairo_close_path(cr);
}

void PaintFolder(Canvas& canvas) {
    cairo_t* cr = canvas.Cr();
    FolderShape(cr);
    SetVerticalGradient(cr, 2, 14, kFaceHover, kFaceLow);
    cairo_fill_preserve(cr);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    SetColor(cr, kInkDim);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    // The accent along the folder's front edge ties it to the rest of the skin.
    cairo_move_to(cr, 2, 6.5);
    cairo_line_to(cr, 14, 6.5);
    SetColor(cr, kAccent);
    cairo_stroke(cr);
}

void PaintFile(Canvas& canvas) {
    cairo_t* cr = canvas.Cr();
    // A sheet with a folded corner.
    cairo_move_to(cr, 3.5, 1.5);
    cairo_line_to(cr, 9.5, 1.5);
    cairo_line_to(cr, 12.5, 4.5);
    cairo_line_to(cr, 12.5, 14.5);
    cairo_line_to(cr, 3.5, 14.5);
    cairo_close_path(cr);
    SetVerticalGradient(cr, 1, 15, kSilverHigh, kSilverLow);
    cairo_fill_preserve(cr);
    SetColor(cr, kInkFaint);
    cairo_set_line_width(cr, 1);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
    cairo_move_to(cr, 9.5, 1.5);
    cairo_line_to(cr, 9.5, 4.5);
    cairo_line_to(cr, 12.5, 4.5);
    cairo_stroke(cr);
    // A red band: the profile's colour mark.
    cairo_rectangle(cr, 5, 8, 6, 2);
    SetColor(cr, kAccent);
    cairo_fill(cr);
    cairo_rectangle(cr, 5, 11, 4, 1);
    SetColor(cr, kInkFaint);
    cairo_fill(cr);
}

void PaintUp(Canvas& canvas) {
    cairo_t* cr = canvas.Cr();
    // A bent arrow pointing up and left, out of the folder.
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_width(cr, 1.8);
    SetColor(cr, kInk);
    cairo_move_to(cr, 13, 13);
    cairo_line_to(cr, 13, 9);
    cairo_curve_to(cr, 13, 6.5, 11.5, 5.5, 9, 5.5);
    cairo_line_to(cr, 4, 5.5);
    cairo_stroke(cr);
    cairo_move_to(cr, 6.5, 2.5);
    cairo_line_to(cr, 3.5, 5.5);
    cairo_line_to(cr, 6.5, 8.5);
    SetColor(cr, kAccentHigh);
    cairo_stroke(cr);
}

} // namespace

void AddFileDialogArt(ArtRegistry& registry) {
    registry.Add("background/fd-up.png", PaintUp);
    registry.Add("background/fd-folder.png", PaintFolder);
    registry.Add("background/fd-file.png", PaintFile);
}

} // namespace qor::skin
