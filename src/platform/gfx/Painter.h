#pragma once
// Draws into an ARGB32 image: every window paints its framebuffer through one of these. Colours are
// straight-alpha ARGB and blend over what is there (source over), so an opaque framebuffer stays
// opaque. Clipping is strict: nothing is written outside the clip rectangle, the clip region or the
// image, whatever the coordinates asked for.
//
// Drawing coordinates are logical: the target pixel is the logical point plus the origin. The clip
// rectangle and the clip region are in target pixels.

#include "platform/gfx/Font.h"
#include "platform/gfx/Geometry.h"
#include "platform/gfx/Image.h"
#include "platform/gfx/Region.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace qor {

struct TextLayout;

// How DrawText places a line in its box. Combine one horizontal and one vertical choice with options.
enum class TextAlign : std::uint32_t {
    Left = 0,
    HCenter = 1,
    Right = 2,
    Top = 0,
    VCenter = 4,
    Bottom = 8,
    EndEllipsis = 0x10, // a line wider than the box ends with "..." so that it fits
    NoClip = 0x20,      // glyphs may reach outside the box (the painter's clip still holds)
};

constexpr TextAlign operator|(TextAlign a, TextAlign b) { return TextAlign(std::uint32_t(a) | std::uint32_t(b)); }
constexpr bool HasFlag(TextAlign set, TextAlign flag) { return (std::uint32_t(set) & std::uint32_t(flag)) != 0; }

// A caption centred both ways on one line, shortened with an ellipsis when too wide. It is clipped to
// its box; add NoClip where a font taller than the box must still show whole.
inline constexpr TextAlign kTextCentered = TextAlign::HCenter | TextAlign::VCenter | TextAlign::EndEllipsis;

class Painter {
public:
    Painter(Image& target, Rect clip);
    explicit Painter(Image& target);
    // The surface's pixels must stay where they are while the painter lives.
    Painter(const PixelSurface& target, Rect clip);

    void SetOrigin(Point origin) { origin_ = origin; }
    Point Origin() const { return origin_; }

    // Limits drawing to region (target pixels) within the clip rectangle; replaces an earlier region.
    void SetClipRegion(const Region& region);
    void ClearClipRegion();
    // Narrows the clip rectangle to r (logical coordinates); it never widens again.
    void IntersectClipRect(Rect r);
    // The clip rectangle in logical coordinates.
    Rect ClipBounds() const { return clipRect_.Offset(-origin_.x, -origin_.y); }

    void FillRect(Rect r, Argb colour);
    // Writes colour as it is, alpha included, without blending.
    void ClearRect(Rect r, Argb colour);
    // A frame `thickness` pixels wide lying inside r.
    void DrawRectOutline(Rect r, int thickness, Argb colour);
    // Anti-aliased line with square ends between the centres of pixels a and b, both included. Whole
    // widths are placed so that straight lines stay sharp (even widths lean up and left).
    void DrawLine(Point a, Point b, float width, Argb colour);

    // Images are stretched into dest with bilinear filtering when enlarged and an area average when
    // reduced, and blended by their alpha. Empty or null images draw nothing.
    void DrawImage(const Image& image, Rect dest);
    void DrawImage(const Image& image, Rect src, Rect dest);
    void DrawImage(const Image& image, Point topLeft);
    void DrawImage(const ImagePtr& image, Rect dest);

    // One line of UTF-8 text in box. The vertical centre places the font's cell (ascent + descent)
    // in the middle of the box; the horizontal one halves the spare width, truncating.
    void DrawText(std::string_view utf8, Rect box, const Font& font, Argb colour, TextAlign align);
    // One line whose cell's top-left corner is at topLeft, not clipped to any box.
    void DrawText(std::string_view utf8, Point topLeft, const Font& font, Argb colour);
    // Width and cell height of a line, as DrawText lays it out.
    Size MeasureText(std::string_view utf8, const Font& font) const;

private:
    Rect ToTarget(Rect r) const { return r.Offset(origin_.x, origin_.y); }
    void UpdateClipRects();
    void BlendSpan(Rect targetRect, Argb colour);
    void DrawImageUnscaled(const Image& image, Rect src, Rect destTarget);
    void DrawImageScaled(const Image& image, Rect src, Rect destTarget);
    void DrawLayout(const TextLayout& layout, Point baseline, Rect limit, const Font& font, Argb colour);

    PixelSurface target_;
    Rect clipRect_;               // target pixels, inside the image
    bool hasRegion_ = false;
    Region region_;
    std::vector<Rect> clipRects_; // disjoint pieces where drawing may happen
    Point origin_;
};

} // namespace qor
