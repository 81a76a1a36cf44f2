#include "ContactSheet.h"

#include "Draw.h"

#include <algorithm>

namespace qor::skin {

namespace {

constexpr double kSheetWidth = 1760;
constexpr double kGap = 14;
constexpr double kLabelHeight = 16;

double ScaleFor(const Canvas& c) {
    const int longest = std::max(c.Width(), c.Height());
    return longest <= 30 ? 4 : longest <= 100 ? 2 : 1;
}

struct Placement {
    double x, y, scale;
};

// Rows fill left to right; returns the sheet height.
double Layout(const std::vector<SheetEntry>& entries, std::vector<Placement>& out) {
    double x = kGap, y = kGap, rowHeight = 0;
    for (const SheetEntry& e : entries) {
        const double s = ScaleFor(*e.picture);
        const double w = std::max(e.picture->Width() * s, 110.0);
        const double h = e.picture->Height() * s + kLabelHeight;
        if (x + w > kSheetWidth - kGap && x > kGap) {
            x = kGap;
            y += rowHeight + kGap;
            rowHeight = 0;
        }
        out.push_back({x, y, s});
        x += w + kGap;
        rowHeight = std::max(rowHeight, h);
    }
    return y + rowHeight + kGap;
}

} // namespace

bool WriteContactSheet(const std::vector<SheetEntry>& entries, const std::filesystem::path& path) {
    std::vector<Placement> places;
    const double height = Layout(entries, places);
    Canvas sheet{int(kSheetWidth), int(height)};
    cairo_t* cr = sheet.Cr();
    SetColor(cr, Hex(0x5A5F68));
    cairo_paint(cr);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const SheetEntry& e = entries[i];
        const Placement& p = places[i];
        const double w = e.picture->Width() * p.scale;
        const double h = e.picture->Height() * p.scale;
        // Checkerboard behind, so transparency shows.
        cairo_save(cr);
        cairo_rectangle(cr, p.x, p.y, w, h);
        cairo_clip(cr);
        for (double cy = p.y; cy < p.y + h; cy += 6)
            for (double cx = p.x; cx < p.x + w; cx += 6) {
                const bool dark = (int((cx - p.x) / 6) + int((cy - p.y) / 6)) % 2;
                SetColor(cr, dark ? Hex(0x8C9099) : Hex(0xA6AAB2));
                cairo_rectangle(cr, cx, cy, 6, 6);
                cairo_fill(cr);
            }
        cairo_translate(cr, p.x, p.y);
        cairo_scale(cr, p.scale, p.scale);
        cairo_set_source_surface(cr, e.picture->Surface(), 0, 0);
        cairo_pattern_set_filter(cairo_get_source(cr),
                                 p.scale > 1 ? CAIRO_FILTER_NEAREST : CAIRO_FILTER_GOOD);
        cairo_paint(cr);
        cairo_restore(cr);
        SelectFont(cr, 10, Weight::Normal);
        cairo_move_to(cr, p.x, p.y + h + 11);
        SetColor(cr, palette::kWhite);
        cairo_show_text(cr, e.label.c_str());
    }
    return sheet.SavePng(path);
}

} // namespace qor::skin
