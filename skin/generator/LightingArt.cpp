// The lighting page's picture (drawn at 100,201 under the page's controls) and the colour swatches.
// The left part stays quiet because the option buttons and texts sit there; the glowing mouse fills
// the free right part.

#include "ArtRegistry.h"
#include "Draw.h"
#include "MouseShape.h"
#include "Surfaces.h"

#include <array>
#include <cmath>

namespace qor::skin {

namespace {

using namespace palette;

void AddSpectrumStops(cairo_pattern_t* pattern, double alpha) {
    const std::array<Rgb, 7> stops = {Hex(0xFF2A3C), Hex(0xFFB020), Hex(0x3BE36B), Hex(0x20D5FF),
                                      Hex(0x3E6BFF), Hex(0xD43EFF), Hex(0xFF2A3C)};
    for (std::size_t i = 0; i < stops.size(); ++i)
        cairo_pattern_add_color_stop_rgba(pattern, double(i) / double(stops.size() - 1), stops[i].r,
                                          stops[i].g, stops[i].b, alpha);
}

void PaintLight(Canvas& canvas) {
    cairo_t* cr = canvas.Cr();
    // Rule under the upper row of mode buttons and a quiet card behind the colour and option controls.
    SetColor(cr, kPanelLine);
    cairo_rectangle(cr, 0, 44, canvas.Width(), 1);
    cairo_fill(cr);
    const Box card{0, 52, 404, 226};
    FillRounded(cr, card, 8, kWhite, 0.018);
    StrokeRounded(cr, card, 8, kPanelLine);

    // Glowing mouse on the right.
    const MouseShape m{508, 164, 100, 196};
    Glow(cr, m.cx, m.cy + 10, 150, Hex(0x3E6BFF), 0.10);
    Glow(cr, m.cx - 30, m.cy + 40, 110, kAccent, 0.12);
    Glow(cr, m.cx + 40, m.cy - 30, 100, Hex(0x20D5FF), 0.08);
    // Floor reflection.
    cairo_save(cr);
    cairo_translate(cr, m.cx, m.Bottom() + 4);
    cairo_scale(cr, 90, 10);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
    cairo_pattern_t* floor = cairo_pattern_create_linear(m.cx - 90, 0, m.cx + 90, 0);
    AddSpectrumStops(floor, 0.18);
    cairo_set_source(cr, floor);
    cairo_fill(cr);
    cairo_pattern_destroy(floor);

    // Spectrum halo: the body outline stroked wide and soft, then the body itself.
    cairo_pattern_t* spectrum = cairo_pattern_create_linear(0, m.Top(), 0, m.Bottom());
    AddSpectrumStops(spectrum, 1.0);
    for (const auto& [width, alpha] :
         std::array<std::pair<double, double>, 3>{{{14, 0.10}, {8, 0.22}, {3, 0.9}}}) {
        cairo_push_group(cr);
        m.BodyPath(cr);
        cairo_set_source(cr, spectrum);
        cairo_set_line_width(cr, width);
        cairo_stroke(cr);
        cairo_pop_group_to_source(cr);
        cairo_paint_with_alpha(cr, alpha);
    }
    m.BodyPath(cr);
    SetVerticalGradient(cr, m.Top(), m.Bottom(), Hex(0x2A2E36), Hex(0x0E1013));
    cairo_fill(cr);
    cairo_save(cr);
    m.BodyPath(cr);
    cairo_clip(cr);
    Glow(cr, m.cx, m.At(0.2), 60, kWhite, 0.07);
    cairo_set_line_width(cr, 1.2);
    SetColor(cr, kBlack, 0.8);
    cairo_move_to(cr, m.cx, m.Top());
    cairo_line_to(cr, m.cx, m.SplitY() + 6);
    cairo_move_to(cr, m.Left(), m.SplitY() + 14);
    cairo_curve_to(cr, m.cx - 25, m.SplitY() - 2, m.cx + 25, m.SplitY() - 2, m.Right(), m.SplitY() + 14);
    cairo_stroke(cr);
    // Logo light on the palm rest.
    Glow(cr, m.cx, m.At(0.76), 22, kAccentHigh, 0.5);
    SelectFont(cr, 12, Weight::Bold, true);
    TextCentered(cr, "QOR", m.cx, m.At(0.76), kWhite, 0.95);
    cairo_restore(cr);
    // Lit wheel.
    FillRounded(cr, {m.cx - 6, m.At(0.10), 12, 32}, 6, kVoid);
    RoundedRectPath(cr, {m.cx - 4, m.At(0.10) + 2, 8, 28}, 4);
    cairo_set_source(cr, spectrum);
    cairo_fill(cr);
    cairo_pattern_destroy(spectrum);
}

struct Swatch {
    const char* path;
    unsigned color;
};

// The seven lighting colours, left to right: red, green, blue, cyan, yellow, magenta, white.
constexpr std::array kSwatches = {
    Swatch{"buttons/红色.png", 0xFF0000}, Swatch{"buttons/绿色.png", 0x00FF00},
    Swatch{"buttons/蓝色.png", 0x0000FF}, Swatch{"buttons/青色.png", 0x00FFFF},
    Swatch{"buttons/黄色.png", 0xFFFF00}, Swatch{"buttons/紫色.png", 0xFF00FF},
    Swatch{"buttons/白色.png", 0xFFFFFF},
};

void PaintSwatch(Canvas& canvas, Rgb color) {
    cairo_t* cr = canvas.Cr();
    const Box box = Bounds(canvas);
    SetColor(cr, kPanelBackdrop);
    cairo_paint(cr);
    const Box chip = box.Inset(2);
    FillRoundedGradient(cr, chip, 4, Mix(color, kWhite, 0.18), Mix(color, kBlack, 0.22));
    // Gloss on the upper half.
    cairo_save(cr);
    RoundedRectPath(cr, chip, 4);
    cairo_clip(cr);
    cairo_rectangle(cr, chip.x, chip.y, chip.w, chip.h / 2);
    SetVerticalGradient(cr, chip.y, chip.CenterY(), Mix(kWhite, color, 0.2), color, 0.35);
    cairo_fill(cr);
    cairo_restore(cr);
    StrokeRounded(cr, chip, 4, kBlack, 0.45);
    StrokeRounded(cr, box.Inset(0.5), 5, kFrame, 0.9);
}

} // namespace

void AddLightingArt(ArtRegistry& registry) {
    registry.Add("background/light.png", PaintLight);
    for (const Swatch& swatch : kSwatches) {
        const Rgb color = Hex(swatch.color);
        registry.Add(swatch.path, [color](Canvas& canvas) { PaintSwatch(canvas, color); });
    }
}

} // namespace qor::skin
