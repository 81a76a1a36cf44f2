// The drawn mouse of the buttons page: its nine buttons, each with a numbered badge and a leader line
// that ends at the right edge level with that button's marker on the page (markers sit 28 pixels apart
// from y 220 in window coordinates, the last one a pixel higher; the picture is drawn at y 200).

#include "ArtRegistry.h"
#include "Draw.h"
#include "MouseShape.h"

#include <array>
#include <cmath>
#include <string>

namespace qor::skin {

namespace {

using namespace palette;

struct Badge {
    int number;
    double x, y;
};

constexpr double kMarkerY(int k) {
    return k == 8 ? 243 : 20 + 28 * k;
}

void NumberBadge(cairo_t* cr, const Badge& badge) {
    cairo_new_path(cr); // text leaves a current point behind
    cairo_arc(cr, badge.x, badge.y, 6.5, 0, 2 * M_PI);
    SetColor(cr, kVoid);
    cairo_fill_preserve(cr);
    SetColor(cr, kAccent);
    cairo_set_line_width(cr, 1.4);
    cairo_stroke(cr);
    SelectFont(cr, 9, Weight::Bold);
    TextCentered(cr, std::to_string(badge.number), badge.x, badge.y, kInk);
}

void PartPill(cairo_t* cr, Box box, double r) {
    RoundedRectPath(cr, box, r);
    SetVerticalGradient(cr, box.y, box.Bottom(), kFaceHover, kFaceLow);
    cairo_fill_preserve(cr);
    SetColor(cr, kBlack, 0.6);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

void PaintMouseFront(Canvas& canvas) {
    cairo_t* cr = canvas.Cr();
    const MouseShape m{84, 141, 124, 262};
    const double cx = m.cx;

    const std::array badges = {
        Badge{1, cx - 32, 68},
        Badge{2, cx + 32, 76},
        Badge{3, cx, 55},
        Badge{4, m.Left() + 1, 182},
        Badge{5, m.Left() + 1, 149},
        Badge{6, cx, 104},
        Badge{7, cx, 122},
        Badge{8, cx, 24},
        Badge{9, cx, 86},
    };
    // Leader lines run under the body, in their own vertical lanes right of it, then straight to the
    // edge; only their outer parts show.
    const double laneStart = m.Right() + 8;
    cairo_set_line_width(cr, 1);
    for (const Badge& b : badges) {
        const double lane = laneStart + 5 * (b.number - 1);
        const double target = kMarkerY(b.number - 1) + 0.5;
        cairo_move_to(cr, b.x, std::floor(b.y) + 0.5);
        cairo_line_to(cr, lane + 0.5, std::floor(b.y) + 0.5);
        cairo_line_to(cr, lane + 0.5, target);
        cairo_line_to(cr, canvas.Width(), target);
        SetColor(cr, kInkDim, 0.55);
        cairo_stroke(cr);
        cairo_arc(cr, canvas.Width() - 2.5, target, 2, 0, 2 * M_PI);
        SetColor(cr, kAccent, 0.9);
        cairo_fill(cr);
    }
    // Side buttons stick out a little on the left, under the body.
    PartPill(cr, {m.Left() - 5, 134, 14, 30}, 5);
    PartPill(cr, {m.Left() - 5, 167, 14, 30}, 5);

    // Body with a soft top light and a rim.
    m.BodyPath(cr);
    SetVerticalGradient(cr, m.Top(), m.Bottom(), Hex(0x31353E), Hex(0x121418));
    cairo_fill_preserve(cr);
    SetColor(cr, kFrame);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    cairo_save(cr);
    m.BodyPath(cr);
    cairo_clip(cr);
    Glow(cr, cx, m.At(0.25), 70, kWhite, 0.06);
    // Light strips along the back of both flanks.
    for (int side : {-1, 1}) {
        cairo_move_to(cr, cx + side * 0.44 * m.w, m.At(0.58));
        cairo_curve_to(cr, cx + side * 0.47 * m.w, m.At(0.72), cx + side * 0.44 * m.w, m.At(0.86),
                       cx + side * 0.30 * m.w, m.At(0.95));
        SetColor(cr, kAccent, 0.35);
        cairo_set_line_width(cr, 6);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_stroke_preserve(cr);
        SetColor(cr, kAccentHigh, 0.95);
        cairo_set_line_width(cr, 1.6);
        cairo_stroke(cr);
    }
    // Split between the two main buttons and the palm rest.
    cairo_set_line_width(cr, 1.2);
    SetColor(cr, kBlack, 0.75);
    cairo_move_to(cr, cx, m.Top());
    cairo_line_to(cr, cx, m.SplitY() + 6);
    cairo_move_to(cr, m.Left(), m.SplitY() + 14);
    cairo_curve_to(cr, cx - 30, m.SplitY() - 2, cx + 30, m.SplitY() - 2, m.Right(), m.SplitY() + 14);
    cairo_stroke(cr);
    // Small wordmark on the palm rest.
    SelectFont(cr, 11, Weight::Bold, true);
    TextCentered(cr, "QOR", cx, m.At(0.78), kInkDim, 0.8);
    cairo_restore(cr);

    // Wheel in its well, then the two sensitivity buttons behind it.
    FillRounded(cr, {cx - 9, 34, 18, 42}, 8, kVoid);
    cairo_save(cr);
    RoundedRectPath(cr, {cx - 6, 37, 12, 36}, 6);
    cairo_clip_preserve(cr);
    SetVerticalGradient(cr, 37, 73, Hex(0x505662), Hex(0x2A2E36));
    cairo_fill(cr);
    for (double y = 39; y < 73; y += 3.5) {
        cairo_rectangle(cr, cx - 6, y, 12, 1);
    }
    SetColor(cr, kBlack, 0.35);
    cairo_fill(cr);
    cairo_restore(cr);
    Glow(cr, cx, 55, 16, kAccent, 0.30);
    PartPill(cr, {cx - 7, 97, 14, 14}, 4);
    PartPill(cr, {cx - 7, 115, 14, 14}, 4);

    for (const Badge& b : badges)
        NumberBadge(cr, b);
}

// The side view is loaded with the window but not shown; it still gets a proper drawing.
void PaintMouseSide(Canvas& canvas) {
    cairo_t* cr = canvas.Cr();
    const double base = 200;
    cairo_move_to(cr, 18, base);
    cairo_curve_to(cr, 14, 150, 60, 78, 120, 84);
    cairo_curve_to(cr, 170, 90, 188, 150, 184, base);
    cairo_close_path(cr);
    SetVerticalGradient(cr, 80, base, Hex(0x31353E), Hex(0x121418));
    cairo_fill_preserve(cr);
    SetColor(cr, kFrame);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    FillRounded(cr, {14, base - 2, 174, 8}, 4, kVoid);
    // Light strip along the flank.
    cairo_move_to(cr, 40, 170);
    cairo_curve_to(cr, 80, 150, 140, 150, 172, 168);
    SetColor(cr, kAccent, 0.35);
    cairo_set_line_width(cr, 6);
    cairo_stroke_preserve(cr);
    SetColor(cr, kAccentHigh);
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
    PartPill(cr, {58, 124, 32, 12}, 5);
    PartPill(cr, {94, 124, 32, 12}, 5);
    NumberBadge(cr, {5, 74, 130});
    NumberBadge(cr, {4, 110, 130});
}

} // namespace

void AddMouseArt(ArtRegistry& registry) {
    registry.Add("background/mouse-layout-front.png", PaintMouseFront);
    registry.Add("background/mouse-layout-side.png", PaintMouseSide);
}

} // namespace qor::skin
