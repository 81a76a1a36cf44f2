#include "Draw.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace qor::skin {

void SetColor(cairo_t* cr, Rgb c, double alpha) {
    cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

void RoundedRectPath(cairo_t* cr, Box box, double rx, double ry) {
    rx = std::min(rx, box.w / 2);
    ry = std::min(ry, box.h / 2);
    cairo_new_sub_path(cr);
    if (rx <= 0 || ry <= 0) {
        cairo_rectangle(cr, box.x, box.y, box.w, box.h);
        return;
    }
    // Elliptical arcs: scale a unit circle for each corner.
    auto corner = [&](double cx, double cy, double from, double to) {
        cairo_save(cr);
        cairo_translate(cr, cx, cy);
        cairo_scale(cr, rx, ry);
        cairo_arc(cr, 0, 0, 1, from, to);
        cairo_restore(cr);
    };
    corner(box.Right() - rx, box.y + ry, -M_PI / 2, 0);
    corner(box.Right() - rx, box.Bottom() - ry, 0, M_PI / 2);
    corner(box.x + rx, box.Bottom() - ry, M_PI / 2, M_PI);
    corner(box.x + rx, box.y + ry, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

void SetVerticalGradient(cairo_t* cr, double y0, double y1, Rgb top, Rgb bottom, double alpha) {
    cairo_pattern_t* pattern = cairo_pattern_create_linear(0, y0, 0, y1);
    cairo_pattern_add_color_stop_rgba(pattern, 0, top.r, top.g, top.b, alpha);
    cairo_pattern_add_color_stop_rgba(pattern, 1, bottom.r, bottom.g, bottom.b, alpha);
    cairo_set_source(cr, pattern);
    cairo_pattern_destroy(pattern);
}

void FillRounded(cairo_t* cr, Box box, double r, Rgb c, double alpha) {
    RoundedRectPath(cr, box, r);
    SetColor(cr, c, alpha);
    cairo_fill(cr);
}

void FillRoundedGradient(cairo_t* cr, Box box, double r, Rgb top, Rgb bottom) {
    RoundedRectPath(cr, box, r);
    SetVerticalGradient(cr, box.y, box.Bottom(), top, bottom);
    cairo_fill(cr);
}

void StrokeRounded(cairo_t* cr, Box box, double r, Rgb c, double alpha, double width) {
    RoundedRectPath(cr, box.Inset(width / 2), std::max(0.0, r - width / 2));
    SetColor(cr, c, alpha);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
}

void Glow(cairo_t* cr, double cx, double cy, double radius, Rgb c, double alpha) {
    cairo_new_path(cr);
    cairo_pattern_t* pattern = cairo_pattern_create_radial(cx, cy, 0, cx, cy, radius);
    cairo_pattern_add_color_stop_rgba(pattern, 0, c.r, c.g, c.b, alpha);
    cairo_pattern_add_color_stop_rgba(pattern, 0.45, c.r, c.g, c.b, alpha * 0.35);
    cairo_pattern_add_color_stop_rgba(pattern, 1, c.r, c.g, c.b, 0);
    cairo_set_source(cr, pattern);
    cairo_arc(cr, cx, cy, radius, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(pattern);
}

void DrawFace(Canvas& canvas, Rgb backdrop, const FaceStyle& style) {
    cairo_t* cr = canvas.Cr();
    const Box box = Bounds(canvas);
    SetColor(cr, backdrop);
    cairo_paint(cr);
    FillRoundedGradient(cr, box, style.radius, style.top, style.bottom);
    if (style.sheen > 0) {
        cairo_save(cr);
        RoundedRectPath(cr, box, style.radius);
        cairo_clip(cr);
        SetColor(cr, palette::kWhite, style.sheen);
        cairo_rectangle(cr, 0, 1, box.w, 1);
        cairo_fill(cr);
        cairo_restore(cr);
    }
    StrokeRounded(cr, box, style.radius, style.border, style.borderAlpha);
}

void SelectFont(cairo_t* cr, double size, Weight weight, bool italic) {
    cairo_select_font_face(cr, "Liberation Sans", italic ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
                           weight == Weight::Bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
}

double TextWidth(cairo_t* cr, std::string_view text) {
    const std::string s(text);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, s.c_str(), &extents);
    return extents.x_advance;
}

void TextCentered(cairo_t* cr, std::string_view text, double cx, double cy, Rgb c, double alpha) {
    const std::string s(text);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, s.c_str(), &extents);
    cairo_move_to(cr, cx - extents.width / 2 - extents.x_bearing,
                  cy - extents.height / 2 - extents.y_bearing);
    SetColor(cr, c, alpha);
    cairo_show_text(cr, s.c_str());
    cairo_new_path(cr); // drop the current point the text leaves behind
}

bool InsideRounded(double px, double py, Box box, double rx, double ry) {
    const double x = px + 0.5;
    const double y = py + 0.5;
    if (x < box.x || y < box.y || x > box.Right() || y > box.Bottom())
        return false;
    const double cx = std::clamp(x, box.x + rx, box.Right() - rx);
    const double cy = std::clamp(y, box.y + ry, box.Bottom() - ry);
    const double dx = (x - cx) / rx;
    const double dy = (y - cy) / ry;
    return dx * dx + dy * dy <= 1.0;
}

void CutToRounded(Canvas& canvas, double rx, double ry) {
    const Box box = Bounds(canvas);
    for (int y = 0; y < canvas.Height(); ++y) {
        // Only the corner rows can hold outside pixels.
        if (y >= ry && y < canvas.Height() - ry)
            continue;
        for (int x = 0; x < canvas.Width(); ++x) {
            if (!InsideRounded(x, y, box, rx, ry))
                canvas.ClearPixel(x, y);
        }
    }
}

void Chevron(cairo_t* cr, double cx, double cy, double size, bool pointsRight, Rgb c, double alpha,
             double width) {
    const double d = pointsRight ? 1 : -1;
    cairo_move_to(cr, cx - d * size / 2, cy - size);
    cairo_line_to(cr, cx + d * size / 2, cy);
    cairo_line_to(cr, cx - d * size / 2, cy + size);
    SetColor(cr, c, alpha);
    cairo_set_line_width(cr, width);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
}

void Triangle(cairo_t* cr, double cx, double cy, double w, double h, bool up, Rgb c, double alpha) {
    const double d = up ? -1 : 1;
    cairo_move_to(cr, cx - w / 2, cy - d * h / 2);
    cairo_line_to(cr, cx + w / 2, cy - d * h / 2);
    cairo_line_to(cr, cx, cy + d * h / 2);
    cairo_close_path(cr);
    SetColor(cr, c, alpha);
    cairo_fill(cr);
}

} // namespace qor::skin
