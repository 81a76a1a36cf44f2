// The main window's face and outline, and the application icon.

#include "ArtRegistry.h"
#include "Draw.h"
#include "MouseShape.h"
#include "SkinManifest.h"
#include "Surfaces.h"

#include <cmath>

namespace qor::skin {

namespace {

using namespace palette;

void PaintHeader(cairo_t* cr, const Box& body) {
    // Header gradient, fading into the body colour where the tabs begin.
    cairo_rectangle(cr, body.x, body.y, body.w, kHeaderBottom);
    SetVerticalGradient(cr, 0, kHeaderBottom, kBaseHigh, kBase);
    cairo_fill(cr);

    // A faint diagonal texture, strongest at the top.
    cairo_save(cr);
    cairo_rectangle(cr, body.x, body.y, body.w, kHeaderBottom);
    cairo_clip(cr);
    cairo_set_line_width(cr, 1);
    for (double x = -200; x < body.Right() + 200; x += 7) {
        cairo_move_to(cr, x, 0);
        cairo_line_to(cr, x + kHeaderBottom, kHeaderBottom);
    }
    SetVerticalGradient(cr, 0, kHeaderBottom, kWhite, kBase, 0.018);
    cairo_stroke(cr);
    cairo_restore(cr);

    // Accent glow behind the wordmark, kept away from the frame buttons in the top right corner.
    Glow(cr, kMainWidth / 2.0, 70, 230, kAccent, 0.13);

    // Wordmark.
    SelectFont(cr, 50, Weight::Bold, true);
    TextCentered(cr, "QOR", kMainWidth / 2.0, 74, kInk);
    // Slanted accent bars either side of the wordmark.
    for (int side = -1; side <= 1; side += 2) {
        for (int i = 0; i < 3; ++i) {
            const double x = kMainWidth / 2.0 + side * (78 + i * 11);
            cairo_move_to(cr, x + 6, 56);
            cairo_line_to(cr, x + 11, 56);
            cairo_line_to(cr, x + 3, 92);
            cairo_line_to(cr, x - 2, 92);
            cairo_close_path(cr);
            SetColor(cr, kAccent, 0.9 - 0.28 * i);
            cairo_fill(cr);
        }
    }
    SelectFont(cr, 12, Weight::Bold);
    cairo_save(cr);
    // Letter-spaced subtitle.
    const char* subtitle = "V R 1 7    G A M I N G    M O U S E";
    TextCentered(cr, subtitle, kMainWidth / 2.0, 116, kInkDim);
    cairo_restore(cr);

    // Accent rule under the header, fading out at both ends.
    cairo_pattern_t* rule = cairo_pattern_create_linear(40, 0, kMainWidth - 40, 0);
    cairo_pattern_add_color_stop_rgba(rule, 0, kAccent.r, kAccent.g, kAccent.b, 0);
    cairo_pattern_add_color_stop_rgba(rule, 0.5, kAccent.r, kAccent.g, kAccent.b, 0.85);
    cairo_pattern_add_color_stop_rgba(rule, 1, kAccent.r, kAccent.g, kAccent.b, 0);
    cairo_set_source(cr, rule);
    cairo_rectangle(cr, 40, 140, kMainWidth - 80, 1);
    cairo_fill(cr);
    cairo_pattern_destroy(rule);
}

void PaintContentPanel(cairo_t* cr) {
    const Box panel = kContentPanel;
    FillRounded(cr, panel, 10, kPanel);
    StrokeRounded(cr, panel, 10, kPanelLine);
    // Inner shadow under the tabs.
    cairo_save(cr);
    RoundedRectPath(cr, panel.Inset(1), 9);
    cairo_clip(cr);
    cairo_rectangle(cr, panel.x, panel.y, panel.w, 10);
    SetVerticalGradient(cr, panel.y, panel.y + 10, kBlack, kPanel, 0.25);
    cairo_fill(cr);
    cairo_restore(cr);
    // Divider above the profile row.
    SetColor(cr, kPanelLine);
    cairo_rectangle(cr, panel.x + 16, kProfileDividerY, panel.w - 32, 1);
    cairo_fill(cr);
}

void PaintMainBack(Canvas& canvas) {
    cairo_t* cr = canvas.Cr();
    const Box box = Bounds(canvas);
    // The frame colour everywhere, then the body one pixel inside: the outline cut below leaves a crisp
    // frame along the window's edge.
    SetColor(cr, kFrame);
    cairo_paint(cr);
    const Box body = box.Inset(1.5);
    cairo_save(cr);
    RoundedRectPath(cr, body, kMainCorner - 1.5);
    cairo_clip(cr);
    SetColor(cr, kBase);
    cairo_paint(cr);
    PaintHeader(cr, body);
    PaintContentPanel(cr);
    cairo_restore(cr);
    CutToRounded(canvas, kMainCorner, kMainCorner);
}

void PaintAppIcon(Canvas& canvas) {
    cairo_t* cr = canvas.Cr();
    const Box box = Bounds(canvas).Inset(2);
    FillRoundedGradient(cr, box, 14, kFaceHover, kBase);
    StrokeRounded(cr, box, 14, kFrame);
    Glow(cr, 32, 30, 30, kAccent, 0.35);
    // A small mouse seen from above.
    const MouseShape mouse{32, 33, 30, 44};
    mouse.BodyPath(cr);
    SetVerticalGradient(cr, mouse.Top(), mouse.Bottom(), kFaceHover, kVoid);
    cairo_fill_preserve(cr);
    SetColor(cr, kInk, 0.85);
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
    cairo_move_to(cr, 32, mouse.Top() + 1);
    cairo_line_to(cr, 32, mouse.Top() + 17);
    SetColor(cr, kInk, 0.6);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    FillRounded(cr, {29.5, mouse.Top() + 5, 5, 10}, 2.5, kAccentHigh);
    Glow(cr, 32, mouse.Top() + 10, 8, kAccentHigh, 0.6);
}

} // namespace

void AddMainWindowArt(ArtRegistry& registry) {
    registry.Add("background/cfgMainback.png", PaintMainBack);
    // Same picture: its transparent corners become the white that lies outside the window.
    registry.Add("background/cfgMainback.bmp", PaintMainBack);
    registry.Add(kAppIconPath, PaintAppIcon);
}

} // namespace qor::skin
