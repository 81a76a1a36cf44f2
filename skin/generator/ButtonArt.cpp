// Faces of the image buttons. A family shares a stem; which number is the hover and which the pressed
// face differs per family (the windows fix it), so each family maps its file numbers to states here.

#include "ArtRegistry.h"
#include "Draw.h"
#include "Surfaces.h"

#include <cmath>
#include <string>

namespace qor::skin {

namespace {

using namespace palette;

enum class State { Normal, Hover, Pressed };

FaceStyle CommandStyle(State state, double radius) {
    switch (state) {
    case State::Hover:
        return {kFaceHover, kFaceHoverLow, kAccent, 0.9, 0.09, radius};
    case State::Pressed:
        return {kAccent, kAccentLow, kAccentHigh, 1.0, 0.18, radius};
    case State::Normal:
        break;
    }
    return {kFace, kFaceLow, kFrame, 1.0, 0.07, radius};
}

// Bottom-row commands and dialog buttons.
void PaintOk(Canvas& canvas, State state) {
    DrawFace(canvas, kCommandBackdrop, CommandStyle(state, 4));
}

// Profile selectors: pills; the selected profile shows the pressed face.
void PaintProfile(Canvas& canvas, State state) {
    DrawFace(canvas, kPanelBackdrop, CommandStyle(state, canvas.Height() / 2.0));
}

// Assignment fields (also the macro editor's command buttons): a face with an accent tick on the left
// that says "click to choose".
void PaintAssign(Canvas& canvas, State state) {
    DrawFace(canvas, kPanelBackdrop, CommandStyle(state, 3));
    if (state != State::Pressed) {
        cairo_t* cr = canvas.Cr();
        SetColor(cr, kAccent, state == State::Hover ? 1.0 : 0.75);
        cairo_rectangle(cr, 1, 3, 2, canvas.Height() - 6);
        cairo_fill(cr);
    }
}

// The disabled face of the macro editor's command buttons: sunk and muted.
void PaintRedButton(Canvas& canvas) {
    DrawFace(canvas, kPanelBackdrop, {Hex(0x1D1A1D), Hex(0x181619), Hex(0x3A1C22), 1.0, 0.0, 3});
}

void TabPath(cairo_t* cr, Box box, double r) {
    cairo_new_sub_path(cr);
    cairo_move_to(cr, box.x, box.Bottom());
    cairo_arc(cr, box.x + r, box.y + r, r, M_PI, 3 * M_PI / 2);
    cairo_arc(cr, box.Right() - r, box.y + r, r, 3 * M_PI / 2, 2 * M_PI);
    cairo_line_to(cr, box.Right(), box.Bottom());
    cairo_close_path(cr);
}

// Page tabs sit on the window body and open onto the content panel: the selected (pressed) tab takes
// the panel's colour with an accent bar on top.
void PaintTab(Canvas& canvas, State state) {
    cairo_t* cr = canvas.Cr();
    const Box box = Bounds(canvas);
    SetColor(cr, kTabBackdrop);
    cairo_paint(cr);
    const Rgb top = state == State::Pressed ? Mix(kPanel, kWhite, 0.05)
                    : state == State::Hover ? kFaceHover
                                            : kFace;
    const Rgb bottom = state == State::Pressed ? kPanel : state == State::Hover ? kFaceHoverLow : kFaceLow;
    TabPath(cr, box.Inset(0.5), 5);
    SetVerticalGradient(cr, 0, box.h, top, bottom);
    cairo_fill_preserve(cr);
    SetColor(cr, state == State::Normal ? kPanelLine : kFrame);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    if (state != State::Normal) {
        cairo_save(cr);
        TabPath(cr, box, 5);
        cairo_clip(cr);
        SetColor(cr, kAccent, state == State::Pressed ? 1.0 : 0.55);
        cairo_rectangle(cr, 0, 0, box.w, state == State::Pressed ? 2.5 : 1.5);
        cairo_fill(cr);
        if (state == State::Pressed)
            Glow(cr, box.CenterX(), 0, box.w * 0.45, kAccent, 0.18);
        cairo_restore(cr);
    }
}

// Minimise and close: glyphs on the header, lit on hover.
void PaintFrameButton(Canvas& canvas, State state, bool close) {
    cairo_t* cr = canvas.Cr();
    const Box box = Bounds(canvas);
    SetColor(cr, kFrameButtonBackdrop);
    cairo_paint(cr);
    Rgb glyph = kInkDim;
    if (state != State::Normal) {
        const Rgb fill = close ? (state == State::Hover ? kAccent : kAccentLow)
                               : (state == State::Hover ? kFaceHover : kFaceLow);
        FillRounded(cr, box, 3, fill);
        glyph = (!close && state == State::Pressed) ? kAccentHigh : kWhite;
    }
    SetColor(cr, glyph);
    cairo_set_line_width(cr, 1.5);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    const double cx = box.CenterX();
    const double cy = box.CenterY();
    if (close) {
        cairo_move_to(cr, cx - 3.2, cy - 3.2);
        cairo_line_to(cr, cx + 3.2, cy + 3.2);
        cairo_move_to(cr, cx + 3.2, cy - 3.2);
        cairo_line_to(cr, cx - 3.2, cy + 3.2);
    } else {
        cairo_move_to(cr, cx - 3.5, cy + 2.75);
        cairo_line_to(cr, cx + 3.5, cy + 2.75);
    }
    cairo_stroke(cr);
}

// Check-style choices. Only horizontal lines carry the design: the same picture is stretched from
// 11 to 108 pixels wide, and vertical strokes would thin out or swell.
void PaintCheck(Canvas& canvas, State state, Rgb backdrop, double lift) {
    cairo_t* cr = canvas.Cr();
    const Box box = Bounds(canvas);
    SetColor(cr, backdrop);
    cairo_paint(cr);
    const double r = 3;
    if (state == State::Pressed) {
        FillRoundedGradient(cr, box, r, kAccentHigh, kAccentLow);
    } else {
        FillRoundedGradient(cr, box, r, Mix(state == State::Hover ? kFaceHover : Hex(0x30343D), kWhite, lift),
                            Mix(state == State::Hover ? kFaceHoverLow : Hex(0x24272E), kWhite, lift));
    }
    cairo_save(cr);
    RoundedRectPath(cr, box, r);
    cairo_clip(cr);
    SetColor(cr, kWhite, state == State::Pressed ? 0.35 : 0.10);
    cairo_rectangle(cr, 0, 0, box.w, 1);
    cairo_fill(cr);
    SetColor(cr, kBlack, 0.45);
    cairo_rectangle(cr, 0, box.h - 1, box.w, 1);
    cairo_fill(cr);
    cairo_restore(cr);
}

// Sensitivity stage toggles: dark when the stage is off, lit accent when it is in use.
void PaintStage(Canvas& canvas, State state) {
    cairo_t* cr = canvas.Cr();
    if (state == State::Pressed) {
        DrawFace(canvas, kPanelBackdrop, {kAccent, kAccentLow, kAccentHigh, 1.0, 0.2, 4});
        cairo_save(cr);
        RoundedRectPath(cr, Bounds(canvas), 4);
        cairo_clip(cr);
        Glow(cr, canvas.Width() / 2.0, 0, canvas.Width() * 0.6, kAccentHigh, 0.35);
        cairo_restore(cr);
    } else {
        DrawFace(canvas, kPanelBackdrop,
                 {state == State::Hover ? kFaceHover : kFaceLow,
                  state == State::Hover ? kFaceHoverLow : kBase, state == State::Hover ? kAccent : kFrame,
                  state == State::Hover ? 0.8 : 1.0, 0.05, 4});
    }
}

// Lighting-mode buttons carry dark captions, so they are light: silver, and brighter with an accent
// bar when selected.
void PaintMode(Canvas& canvas, bool selected) {
    cairo_t* cr = canvas.Cr();
    const Box box = Bounds(canvas);
    if (selected) {
        DrawFace(canvas, kPanelBackdrop, {kSilverHigh, kSilverHighLow, kAccent, 1.0, 0.6, 4});
        cairo_save(cr);
        RoundedRectPath(cr, box, 4);
        cairo_clip(cr);
        SetColor(cr, kAccent);
        cairo_rectangle(cr, 0, box.h - 3, box.w, 3);
        cairo_fill(cr);
        cairo_restore(cr);
    } else {
        DrawFace(canvas, kPanelBackdrop, {kSilver, kSilverLow, Hex(0x5F646E), 1.0, 0.45, 4});
    }
}

// Macro recording: a record dot and a stop square on small faces.
void PaintRecorder(Canvas& canvas, bool lit, bool stop) {
    cairo_t* cr = canvas.Cr();
    const Box box = Bounds(canvas);
    DrawFace(canvas, kPanelBackdrop, CommandStyle(lit ? State::Hover : State::Normal, 4));
    const double cx = box.CenterX();
    const double cy = box.CenterY();
    if (stop) {
        FillRounded(cr, {cx - 4.5, cy - 4.5, 9, 9}, 1.5, lit ? kInk : kInkDim);
        return;
    }
    if (lit)
        Glow(cr, cx, cy, 11, kAccentHigh, 0.55);
    cairo_arc(cr, cx, cy, 5, 0, 2 * M_PI);
    cairo_pattern_t* dot = cairo_pattern_create_radial(cx - 1.5, cy - 1.5, 0.5, cx, cy, 5);
    const Rgb hi = lit ? Hex(0xFF9AA4) : kAccentHigh;
    const Rgb lo = lit ? kAccent : kAccentLow;
    cairo_pattern_add_color_stop_rgb(dot, 0, hi.r, hi.g, hi.b);
    cairo_pattern_add_color_stop_rgb(dot, 1, lo.r, lo.g, lo.b);
    cairo_set_source(cr, dot);
    cairo_fill(cr);
    cairo_pattern_destroy(dot);
}

template <typename Paint>
void AddFamily(ArtRegistry& registry, const std::string& stem, State one, State two, State three,
               Paint paint) {
    const State states[] = {one, two, three};
    for (int i = 0; i < 3; ++i) {
        const State state = states[i];
        registry.Add(stem + "-" + std::to_string(i + 1) + ".png",
                     [paint, state](Canvas& canvas) { paint(canvas, state); });
    }
}

} // namespace

void AddButtonArt(ArtRegistry& registry) {
    constexpr State N = State::Normal, H = State::Hover, P = State::Pressed;
    // -1 normal; then hover and pressed in the order each window loads them.
    AddFamily(registry, "buttons/min", N, P, H, [](Canvas& c, State s) { PaintFrameButton(c, s, false); });
    AddFamily(registry, "buttons/close", N, P, H, [](Canvas& c, State s) { PaintFrameButton(c, s, true); });
    AddFamily(registry, "buttons/tabbutton", N, H, P, PaintTab);
    AddFamily(registry, "buttons/ok", N, P, H, PaintOk);
    AddFamily(registry, "buttons/ProfileButton", N, H, P, PaintProfile);
    AddFamily(registry, "buttons/ButtonAssign", N, P, H, PaintAssign);
    registry.Add("buttons/RedButton-1.png", PaintRedButton);
    // Check-style choices and stage toggles use -1 off and -2 on; -3 is a hover face for completeness.
    AddFamily(registry, "buttons/checkbox1", N, P, H,
              [](Canvas& c, State s) { PaintCheck(c, s, kPanelBackdrop, 0.0); });
    // The dialogs' copy is also shrunk to 11 x 11 boxes on a dark face, so it is a little lighter.
    AddFamily(registry, "controls/checkbox1", N, P, H,
              [](Canvas& c, State s) { PaintCheck(c, s, kCommandBackdrop, 0.07); });
    AddFamily(registry, "buttons/DPI", N, P, H, PaintStage);
    // Two rows of lighting modes: -1/-2 the upper row, -3/-4 the lower row (normal, selected).
    for (int i = 1; i <= 4; ++i) {
        const bool selected = i % 2 == 0;
        registry.Add("buttons/color-mode-page-" + std::to_string(i) + ".png",
                     [selected](Canvas& c) { PaintMode(c, selected); });
    }
    registry.Add("buttons/iconstart1.png", [](Canvas& c) { PaintRecorder(c, false, false); });
    registry.Add("buttons/iconstart2.png", [](Canvas& c) { PaintRecorder(c, true, false); });
    registry.Add("buttons/iconstop1.png", [](Canvas& c) { PaintRecorder(c, false, true); });
    registry.Add("buttons/iconstop2.png", [](Canvas& c) { PaintRecorder(c, true, true); });
}

} // namespace qor::skin
