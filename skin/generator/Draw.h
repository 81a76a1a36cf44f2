#pragma once
// Drawing primitives shared by every family of pictures: paths, gradients, glows, glyphs and text.

#include "Canvas.h"
#include "Palette.h"

#include <string_view>

namespace qor::skin {

struct Box {
    double x, y, w, h;
    Box Inset(double d) const { return {x + d, y + d, w - 2 * d, h - 2 * d}; }
    double Right() const { return x + w; }
    double Bottom() const { return y + h; }
    double CenterX() const { return x + w / 2; }
    double CenterY() const { return y + h / 2; }
};

inline Box Bounds(const Canvas& canvas) {
    return {0, 0, double(canvas.Width()), double(canvas.Height())};
}

void SetColor(cairo_t* cr, Rgb c, double alpha = 1.0);

// Rounded rectangle with elliptical corners (rx across, ry down); rx = ry gives circular corners.
void RoundedRectPath(cairo_t* cr, Box box, double rx, double ry);
inline void RoundedRectPath(cairo_t* cr, Box box, double r) {
    RoundedRectPath(cr, box, r, r);
}

// Sets a vertical linear gradient from `top` at y0 to `bottom` at y1 as the source.
void SetVerticalGradient(cairo_t* cr, double y0, double y1, Rgb top, Rgb bottom, double alpha = 1.0);

void FillRounded(cairo_t* cr, Box box, double r, Rgb c, double alpha = 1.0);
void FillRoundedGradient(cairo_t* cr, Box box, double r, Rgb top, Rgb bottom);
// Strokes a one-pixel line exactly on pixel rows/columns inside `box`.
void StrokeRounded(cairo_t* cr, Box box, double r, Rgb c, double alpha = 1.0, double width = 1.0);

// Soft radial glow centred at (cx, cy).
void Glow(cairo_t* cr, double cx, double cy, double radius, Rgb c, double alpha);

// The shared button face: gradient body, border, top sheen. `backdrop` fills the corners so the face
// is opaque (the buttons paint black behind their image).
struct FaceStyle {
    Rgb top, bottom, border;
    double borderAlpha = 1.0;
    double sheen = 0.07; // white line along the top edge
    double radius = 3.5;
};
void DrawFace(Canvas& canvas, Rgb backdrop, const FaceStyle& style);

enum class Weight { Normal, Bold };
void SelectFont(cairo_t* cr, double size, Weight weight, bool italic = false);
double TextWidth(cairo_t* cr, std::string_view text);
// Draws `text` with its ink box centred on (cx, cy).
void TextCentered(cairo_t* cr, std::string_view text, double cx, double cy, Rgb c, double alpha = 1.0);

// Pixel-centre test for the binary window outlines: is (px + 0.5, py + 0.5) inside the rounded box?
bool InsideRounded(double px, double py, Box box, double rx, double ry);
// Clears every pixel outside the rounded box, so the picture has exactly the outline's silhouette.
void CutToRounded(Canvas& canvas, double rx, double ry);

// Small glyphs.
void Chevron(cairo_t* cr, double cx, double cy, double size, bool pointsRight, Rgb c, double alpha,
             double width);
void Triangle(cairo_t* cr, double cx, double cy, double w, double h, bool up, Rgb c, double alpha = 1.0);

} // namespace qor::skin
