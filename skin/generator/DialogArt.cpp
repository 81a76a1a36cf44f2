// The dialogs' face, their window outlines and the warning symbol. The face is drawn once at the
// small dialogs' size; the macro editor stretches it to 757 x 582, so its outline uses the corners the
// stretched face has.

#include "ArtRegistry.h"
#include "Draw.h"
#include "SkinManifest.h"
#include "Surfaces.h"

#include <cmath>

namespace qor::skin {

namespace {

using namespace palette;

// Everything in the face stretches well: vertical gradients, glows and thin frames only.
void PaintDialogFace(Canvas& canvas) {
    cairo_t* cr = canvas.Cr();
    const Box box = Bounds(canvas);
    SetColor(cr, kFrame);
    cairo_paint(cr);
    const Box body = box.Inset(1.5);
    cairo_save(cr);
    RoundedRectPath(cr, body, kDialogCorner - 1.5);
    cairo_clip(cr);
    SetColor(cr, kBase);
    cairo_paint(cr);
    cairo_rectangle(cr, 0, 0, box.w, 76);
    SetVerticalGradient(cr, 0, 76, kBaseHigh, kBase);
    cairo_fill(cr);
    Glow(cr, box.CenterX(), -10, 210, kAccent, 0.16);
    // Accent bar at the top centre.
    SetColor(cr, kAccent);
    cairo_rectangle(cr, box.CenterX() - 50, 1.5, 100, 2);
    cairo_fill(cr);
    cairo_restore(cr);
}

// Outline bitmaps: white outside, body colour inside; only the silhouette matters.
void PaintOutline(Canvas& canvas, double rx, double ry) {
    SetColor(canvas.Cr(), kBase);
    cairo_paint(canvas.Cr());
    CutToRounded(canvas, rx, ry);
}

void PaintWarning(Canvas& canvas) {
    cairo_t* cr = canvas.Cr();
    const Box box = Bounds(canvas);
    Glow(cr, box.CenterX(), box.CenterY() + 8, 48, kAccent, 0.25);
    const double top = 10;
    const double bottom = box.h - 10;
    cairo_move_to(cr, box.CenterX(), top);
    cairo_line_to(cr, box.w - 8, bottom);
    cairo_line_to(cr, 8, bottom);
    cairo_close_path(cr);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    SetVerticalGradient(cr, top, bottom, kFaceHover, kVoid);
    cairo_fill_preserve(cr);
    SetColor(cr, kAccent);
    cairo_set_line_width(cr, 5);
    cairo_stroke(cr);
    // The exclamation mark.
    cairo_move_to(cr, box.CenterX(), 34);
    cairo_line_to(cr, box.CenterX(), 58);
    SetColor(cr, kInk);
    cairo_set_line_width(cr, 7);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
    cairo_arc(cr, box.CenterX(), 69, 4, 0, 2 * M_PI);
    cairo_fill(cr);
}

} // namespace

void AddDialogArt(ArtRegistry& registry) {
    registry.Add("background/dlg.png", PaintDialogFace);
    registry.Add("background/cfgMainback2.bmp",
                 [](Canvas& c) { PaintOutline(c, kDialogCorner, kDialogCorner); });
    registry.Add("background/cfgMainback3.bmp", [](Canvas& c) {
        PaintOutline(c, kDialogCorner * kMacroEditorWidth / kDialogWidth,
                     kDialogCorner * kMacroEditorHeight / kDialogHeight);
    });
    registry.Add("background/warn.png", PaintWarning);
}

} // namespace qor::skin
