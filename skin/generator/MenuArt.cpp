// Menu entries, the key display field and the event list's marks.

#include "ArtRegistry.h"
#include "Draw.h"
#include "Surfaces.h"

#include <cmath>

namespace qor::skin {

namespace {

using namespace palette;

// A menu entry; `hasList` adds the chevron of an entry that opens a second list.
void PaintMenuItem(Canvas& canvas, bool lit, bool hasList) {
    cairo_t* cr = canvas.Cr();
    const Box box = Bounds(canvas);
    cairo_rectangle(cr, 0, 0, box.w, box.h);
    if (lit)
        SetVerticalGradient(cr, 0, box.h, kAccent, kAccentLow);
    else
        SetVerticalGradient(cr, 0, box.h, Hex(0x262A31), Hex(0x1D2026));
    cairo_fill(cr);
    SetColor(cr, kWhite, lit ? 0.18 : 0.05);
    cairo_rectangle(cr, 0, 0, box.w, 1);
    cairo_fill(cr);
    SetColor(cr, kBlack, 0.55);
    cairo_rectangle(cr, 0, box.h - 1, box.w, 1);
    cairo_fill(cr);
    // Edge lines so a stack of entries reads as one panel.
    SetColor(cr, lit ? kAccentHigh : kFrame, 0.9);
    cairo_rectangle(cr, 0, 0, 1, box.h);
    cairo_rectangle(cr, box.w - 1, 0, 1, box.h);
    cairo_fill(cr);
    if (hasList)
        Chevron(cr, box.w - 10, box.CenterY(), 3.5, true, lit ? kWhite : kAccent, 1.0, 1.6);
}

// The field that shows a captured key, white caption on a dark well.
void PaintKeyDisplay(Canvas& canvas) {
    cairo_t* cr = canvas.Cr();
    const Box box = Bounds(canvas);
    SetColor(cr, kCommandBackdrop);
    cairo_paint(cr);
    FillRounded(cr, box, 4, kVoid);
    cairo_save(cr);
    RoundedRectPath(cr, box, 4);
    cairo_clip(cr);
    cairo_rectangle(cr, 0, 0, box.w, 6);
    SetVerticalGradient(cr, 0, 6, kBlack, kVoid, 0.6);
    cairo_fill(cr);
    cairo_restore(cr);
    StrokeRounded(cr, box, 4, kAccent, 0.85);
}

// Event marks, drawn at 7 x 9: press points down (accent), release points up (silver).
void PaintEventMark(Canvas& canvas, bool press) {
    cairo_t* cr = canvas.Cr();
    const Rgb c = press ? kAccentHigh : kSilverHigh;
    const double w = canvas.Width();
    const double h = canvas.Height();
    if (press) {
        cairo_rectangle(cr, w / 2 - 1, 0, 2, 4.5);
        Triangle(cr, w / 2, 6.5, w, 5, false, c);
    } else {
        cairo_rectangle(cr, w / 2 - 1, h - 4.5, 2, 4.5);
        Triangle(cr, w / 2, 2.5, w, 5, true, c);
    }
    SetColor(cr, c);
    cairo_fill(cr);
}

// Tile behind the list of macros: a dark well with a faint diagonal hatch.
void PaintListPattern(Canvas& canvas) {
    cairo_t* cr = canvas.Cr();
    SetColor(cr, Hex(0x08090B));
    cairo_paint(cr);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    for (int i = 0; i < canvas.Width(); ++i)
        cairo_rectangle(cr, i, canvas.Height() - 1 - i, 1, 1);
    SetColor(cr, kWhite, 0.035);
    cairo_fill(cr);
}

} // namespace

void AddMenuArt(ArtRegistry& registry) {
    registry.Add("background/menuitem-n.png", [](Canvas& c) { PaintMenuItem(c, false, false); });
    registry.Add("background/menuitem-d.png", [](Canvas& c) { PaintMenuItem(c, true, false); });
    registry.Add("background/menuitem-n2.png", [](Canvas& c) { PaintMenuItem(c, false, true); });
    registry.Add("background/menuitem-d2.png", [](Canvas& c) { PaintMenuItem(c, true, true); });
    registry.Add("background/menuitem-d-b.png", PaintKeyDisplay);
    registry.Add("background/423.png", [](Canvas& c) { PaintEventMark(c, true); });
    registry.Add("background/424.png", [](Canvas& c) { PaintEventMark(c, false); });
    registry.Add("background/141.png", PaintListPattern);
}

} // namespace qor::skin
