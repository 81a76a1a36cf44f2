// Slider tracks and thumbs, and the markers beside the assignment fields. Tracks are opaque (the
// slider paints black under them); thumbs are round-cornered and leave their corners clear.

#include "ArtRegistry.h"
#include "Draw.h"
#include "Surfaces.h"

#include <cmath>

namespace qor::skin {

namespace {

using namespace palette;

enum class Marker { Number, Up, Down };

// Markers are disabled buttons that show the same picture in every state; the number is their caption.
void PaintMarker(Canvas& canvas, Marker marker) {
    cairo_t* cr = canvas.Cr();
    const Box box = Bounds(canvas);
    SetColor(cr, kPanelBackdrop);
    cairo_paint(cr);
    const double cx = box.CenterX();
    const double cy = box.CenterY();
    const double r = std::min(box.w, box.h) / 2 - 0.75;
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    SetVerticalGradient(cr, cy - r, cy + r, kFaceLow, kVoid);
    cairo_fill_preserve(cr);
    SetColor(cr, kAccent);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    if (marker != Marker::Number)
        Triangle(cr, cx, cy + (marker == Marker::Up ? -0.5 : 0.5), 8, 5.5, marker == Marker::Up, kInk);
}

// The groove of a horizontal slider spans the travel of the thumb's centre; ticks below it.
void PaintHorizontalTrack(Canvas& canvas, int steps) {
    cairo_t* cr = canvas.Cr();
    const Box box = Bounds(canvas);
    SetColor(cr, kPanelBackdrop);
    cairo_paint(cr);
    const double half = box.h / 2; // the thumb is as tall as the track and square
    const double x0 = half;
    const double x1 = box.w - half;
    FillRounded(cr, {x0 - 2, box.CenterY() - 2.5, x1 - x0 + 4, 5}, 2.5, kVoid);
    cairo_pattern_t* fill = cairo_pattern_create_linear(x0, 0, x1, 0);
    cairo_pattern_add_color_stop_rgba(fill, 0, kAccent.r, kAccent.g, kAccent.b, 0.25);
    cairo_pattern_add_color_stop_rgba(fill, 1, kAccentHigh.r, kAccentHigh.g, kAccentHigh.b, 0.95);
    RoundedRectPath(cr, {x0 - 1, box.CenterY() - 1, x1 - x0 + 2, 2}, 1);
    cairo_set_source(cr, fill);
    cairo_fill(cr);
    cairo_pattern_destroy(fill);
    for (int i = 0; i <= steps; ++i) {
        const double x = std::round(x0 + (x1 - x0) * i / steps) + 0.5;
        cairo_move_to(cr, x, box.h - 4);
        cairo_line_to(cr, x, box.h - 1);
    }
    SetColor(cr, kInkFaint);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

// Round thumb of the horizontal sliders.
void PaintKnob(Canvas& canvas) {
    cairo_t* cr = canvas.Cr();
    const Box box = Bounds(canvas);
    const double cx = box.CenterX();
    const double cy = box.CenterY();
    const double r = box.w / 2 - 1;
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    SetVerticalGradient(cr, cy - r, cy + r, Hex(0x454A55), Hex(0x1C1F25));
    cairo_fill_preserve(cr);
    SetColor(cr, kAccent);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    cairo_arc(cr, cx, cy, 2.5, 0, 2 * M_PI);
    SetColor(cr, kAccentHigh);
    cairo_fill(cr);
}

// Vertical tracks of the sensitivity stages; the top is the highest sensitivity, so the groove's light
// is strongest there. `grooves` lists the groove centres.
void PaintVerticalTrack(Canvas& canvas, std::initializer_list<double> grooves, Rgb light) {
    cairo_t* cr = canvas.Cr();
    const Box box = Bounds(canvas);
    SetColor(cr, kPanelBackdrop);
    cairo_paint(cr);
    const double thumbHalf = 6;
    const double y0 = thumbHalf;
    const double y1 = box.h - thumbHalf;
    // Ticks every twelfth of the travel, on the outer sides.
    cairo_set_line_width(cr, 1);
    for (int i = 0; i <= 12; ++i) {
        const double y = std::round(y0 + (y1 - y0) * i / 12) + 0.5;
        const double len = i % 3 == 0 ? 4 : 2;
        cairo_move_to(cr, 0, y);
        cairo_line_to(cr, len, y);
        cairo_move_to(cr, box.w - len, y);
        cairo_line_to(cr, box.w, y);
    }
    SetColor(cr, kInkFaint, 0.8);
    cairo_stroke(cr);
    if (grooves.size() > 1) {
        // Rungs between the two grooves of the linked slider.
        const double a = *grooves.begin();
        const double b = *(grooves.begin() + 1);
        for (double y = y0 + 8; y < y1 - 4; y += 14) {
            cairo_move_to(cr, a, std::round(y) + 0.5);
            cairo_line_to(cr, b, std::round(y) + 0.5);
        }
        SetColor(cr, kPanelLine);
        cairo_stroke(cr);
    }
    for (double gx : grooves) {
        FillRounded(cr, {gx - 2.5, y0 - 2, 5, y1 - y0 + 4}, 2.5, kVoid);
        RoundedRectPath(cr, {gx - 1, y0 - 1, 2, y1 - y0 + 2}, 1);
        SetVerticalGradient(cr, y0, y1, light, Mix(light, kVoid, 0.75));
        cairo_fill(cr);
    }
}

// Bar thumbs of the sensitivity sliders: X accent, Y silver, linked both.
void PaintBarThumb(Canvas& canvas, Rgb border, std::initializer_list<double> notches) {
    cairo_t* cr = canvas.Cr();
    const Box box = Bounds(canvas).Inset(0.5);
    FillRoundedGradient(cr, box, 3, Hex(0x4A505B), Hex(0x20232A));
    StrokeRounded(cr, box, 3, border, 1.0, 1.5);
    for (double x : notches) {
        FillRounded(cr, {x - 4, box.CenterY() - 1, 8, 2}, 1, border);
    }
}

} // namespace

void AddControlArt(ArtRegistry& registry) {
    registry.Add("controls/circle.png", [](Canvas& c) { PaintMarker(c, Marker::Number); });
    registry.Add("controls/circle_up.png", [](Canvas& c) { PaintMarker(c, Marker::Up); });
    registry.Add("controls/circle_down.png", [](Canvas& c) { PaintMarker(c, Marker::Down); });
    // Acceleration (4 steps), pointer speed and wheel lines share the first track; thirds are marked.
    registry.Add("controls/trackbar-back-b.png", [](Canvas& c) { PaintHorizontalTrack(c, 12); });
    // Double-click speed has ten values: one tick per value.
    registry.Add("controls/dbclick-back.png", [](Canvas& c) { PaintHorizontalTrack(c, 9); });
    registry.Add("controls/y.png", PaintKnob);
    registry.Add("controls/dpi-indicator-x.png",
                 [](Canvas& c) { PaintVerticalTrack(c, {11}, palette::kAccentHigh); });
    registry.Add("controls/dpi-indicator-y.png",
                 [](Canvas& c) { PaintVerticalTrack(c, {11}, palette::kSilverHigh); });
    registry.Add("controls/dpi-indicator-x2.png", [](Canvas& c) {
        PaintVerticalTrack(c, {11, 40}, palette::kAccentHigh);
    });
    registry.Add("controls/x.png", [](Canvas& c) { PaintBarThumb(c, palette::kAccent, {11}); });
    registry.Add("controls/x3.png", [](Canvas& c) { PaintBarThumb(c, palette::kSilver, {11}); });
    registry.Add("controls/x2.png", [](Canvas& c) { PaintBarThumb(c, palette::kAccent, {11, 40}); });
}

} // namespace qor::skin
