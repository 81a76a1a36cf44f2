#include "platform/gfx/Painter.h"

#include "platform/gfx/Text.h"
#include "platform/gfx/TextEngine.h"
#include "platform/gfx/Utf8.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace qor {

namespace {

constexpr std::uint32_t Alpha(Argb c) { return c >> 24; }
constexpr std::uint32_t Red(Argb c) { return (c >> 16) & 0xFF; }
constexpr std::uint32_t Green(Argb c) { return (c >> 8) & 0xFF; }
constexpr std::uint32_t Blue(Argb c) { return c & 0xFF; }

inline const Argb* RowOf(const Image& image, int y) { return image.pixels.data() + std::size_t(y) * std::size_t(image.width); }

// Source over destination, both straight alpha.
inline Argb BlendPixel(Argb dst, Argb src) {
    const std::uint32_t sa = Alpha(src);
    if (sa == 255) return src;
    if (sa == 0) return dst;
    const std::uint32_t da = Alpha(dst);
    if (da == 255) {
        const std::uint32_t ia = 255 - sa;
        auto mix = [&](std::uint32_t s, std::uint32_t d) { return (s * sa + d * ia + 127) / 255; };
        return 0xFF000000u | (mix(Red(src), Red(dst)) << 16) | (mix(Green(src), Green(dst)) << 8) | mix(Blue(src), Blue(dst));
    }
    if (da == 0) return src;
    const std::uint32_t outA255 = sa * 255 + da * (255 - sa); // result alpha times 255
    auto mix = [&](std::uint32_t s, std::uint32_t d) {
        return (s * sa * 255 + d * da * (255 - sa) + outA255 / 2) / outA255;
    };
    return (((outA255 + 127) / 255) << 24) | (mix(Red(src), Red(dst)) << 16) | (mix(Green(src), Green(dst)) << 8) |
           mix(Blue(src), Blue(dst));
}

inline Argb WithCoverage(Argb colour, std::uint32_t coverage) {
    std::uint32_t a = (Alpha(colour) * coverage + 127) / 255;
    return (a << 24) | (colour & 0x00FFFFFFu);
}

// Premultiplied colour with channels scaled to 0..255 and alpha to 0..1 for the filtered path.
struct Accum {
    float b = 0, g = 0, r = 0, a = 0;
};

inline std::uint32_t ToByte(float v) { return std::uint32_t(std::clamp(v + 0.5f, 0.0f, 255.0f)); }

inline Argb BlendPremultiplied(Argb dst, const Accum& s) {
    if (s.a <= 0.0f) return dst;
    const float ia = std::max(0.0f, 1.0f - s.a);
    const std::uint32_t da = Alpha(dst);
    if (da == 255) {
        return 0xFF000000u | (ToByte(s.r + Red(dst) * ia) << 16) | (ToByte(s.g + Green(dst) * ia) << 8) |
               ToByte(s.b + Blue(dst) * ia);
    }
    const float dA = da / 255.0f;
    const float outA = s.a + dA * ia;
    if (outA <= 0.0f) return dst;
    auto channel = [&](float sc, std::uint32_t dc) { return ToByte((sc + dc * dA * ia) / outA); };
    return (ToByte(outA * 255.0f) << 24) | (channel(s.r, Red(dst)) << 16) | (channel(s.g, Green(dst)) << 8) |
           channel(s.b, Blue(dst));
}

// The source samples that make up each destination pixel along one axis.
struct Taps {
    std::vector<int> first;   // per destination pixel: first source index
    std::vector<int> start;   // per destination pixel: offset into weights; start[i + 1] ends it
    std::vector<float> weights;
};

// Destination pixels [from, to) of a span destLen long that shows source pixels [0, srcLen).
Taps ComputeTaps(int srcLen, int destLen, int from, int to) {
    Taps taps;
    const double scale = double(srcLen) / destLen;
    taps.first.reserve(std::size_t(to - from));
    taps.start.reserve(std::size_t(to - from) + 1);
    for (int i = from; i < to; ++i) {
        taps.start.push_back(int(taps.weights.size()));
        if (destLen >= srcLen) {
            // Enlarging: bilinear between the two nearest source centres, edges clamped.
            double centre = (i + 0.5) * scale - 0.5;
            double j0 = std::floor(centre);
            float f = float(centre - j0);
            int a = std::clamp(int(j0), 0, srcLen - 1);
            int b = std::clamp(int(j0) + 1, 0, srcLen - 1);
            taps.first.push_back(a);
            if (a == b || f <= 0.0f) {
                taps.weights.push_back(1.0f);
            } else {
                taps.weights.push_back(1.0f - f);
                taps.weights.push_back(f);
            }
        } else {
            // Reducing: each source pixel counts by how much of it the destination pixel covers.
            double lo = i * scale, hi = (i + 1) * scale;
            int j0 = std::clamp(int(std::floor(lo)), 0, srcLen - 1);
            int j1 = std::clamp(int(std::ceil(hi)), j0 + 1, srcLen);
            taps.first.push_back(j0);
            for (int j = j0; j < j1; ++j) {
                double overlap = std::min(hi, double(j + 1)) - std::max(lo, double(j));
                taps.weights.push_back(float(std::max(0.0, overlap) / scale));
            }
        }
    }
    taps.start.push_back(int(taps.weights.size()));
    return taps;
}

// Overlap of the unit pixel centred at p with the interval [lo, hi].
inline double Overlap(double p, double lo, double hi) { return std::clamp(std::min(p + 0.5, hi) - std::max(p - 0.5, lo), 0.0, 1.0); }

} // namespace

Painter::Painter(Image& target, Rect clip) : Painter(PixelSurface(target), clip) {}

Painter::Painter(const PixelSurface& target, Rect clip) : target_(target) {
    const Rect bounds = target.IsEmpty() ? Rect{} : Rect{0, 0, target.width, target.height};
    clipRect_ = clip.Intersect(bounds);
    UpdateClipRects();
}

Painter::Painter(Image& target) : Painter(target, Rect{0, 0, target.width, target.height}) {}

void Painter::SetClipRegion(const Region& region) {
    region_ = region;
    hasRegion_ = true;
    UpdateClipRects();
}

void Painter::ClearClipRegion() {
    region_ = Region{};
    hasRegion_ = false;
    UpdateClipRects();
}

void Painter::IntersectClipRect(Rect r) {
    clipRect_ = clipRect_.Intersect(ToTarget(r));
    UpdateClipRects();
}

void Painter::UpdateClipRects() {
    clipRects_.clear();
    if (clipRect_.IsEmpty()) return;
    if (hasRegion_) clipRects_ = region_.Intersect(clipRect_).Rects();
    else clipRects_.push_back(clipRect_);
}

void Painter::BlendSpan(Rect targetRect, Argb colour) {
    for (const Rect& clip : clipRects_) {
        Rect r = targetRect.Intersect(clip);
        for (int y = r.top; y < r.bottom; ++y) {
            Argb* row = &target_.At(0, y);
            for (int x = r.left; x < r.right; ++x) row[x] = BlendPixel(row[x], colour);
        }
    }
}

void Painter::FillRect(Rect r, Argb colour) {
    if (Alpha(colour) == 0) return;
    BlendSpan(ToTarget(r), colour);
}

void Painter::ClearRect(Rect r, Argb colour) {
    for (const Rect& clip : clipRects_) {
        Rect part = ToTarget(r).Intersect(clip);
        for (int y = part.top; y < part.bottom; ++y) {
            std::fill(&target_.At(part.left, y), &target_.At(part.left, y) + part.Width(), colour);
        }
    }
}

void Painter::DrawRectOutline(Rect r, int thickness, Argb colour) {
    if (r.IsEmpty() || thickness <= 0) return;
    // Four bands that do not overlap, so a translucent frame is blended once everywhere.
    const int t = std::min({thickness, (r.Width() + 1) / 2, (r.Height() + 1) / 2});
    FillRect({r.left, r.top, r.right, r.top + t}, colour);
    FillRect({r.left, r.bottom - t, r.right, r.bottom}, colour);
    FillRect({r.left, r.top + t, r.left + t, r.bottom - t}, colour);
    FillRect({r.right - t, r.top + t, r.right, r.bottom - t}, colour);
}

void Painter::DrawLine(Point a, Point b, float width, Argb colour) {
    if (!(width > 0.0f) || Alpha(colour) == 0 || clipRects_.empty()) return;
    width = std::min(width, 4096.0f);
    // Centres of the end pixels in target coordinates; even whole widths sit on pixel corners instead
    // so that their edges fall on pixel boundaries.
    double shift = (width == std::floor(width) && int(width) % 2 == 0) ? 0.0 : 0.5;
    double ax = double(a.x) + origin_.x + shift, ay = double(a.y) + origin_.y + shift;
    double bx = double(b.x) + origin_.x + shift, by = double(b.y) + origin_.y + shift;
    double dx = bx - ax, dy = by - ay;
    double length = std::hypot(dx, dy);
    double ux = 1.0, uy = 0.0;
    if (length > 1e-9) {
        ux = dx / length;
        uy = dy / length;
    }
    const double half = width / 2.0;
    double reach = half * std::sqrt(2.0) + 1.0;
    auto toInt = [](double v) { return int(std::clamp(v, -1e9, 1e9)); };
    Rect box{toInt(std::floor(std::min(ax, bx) - reach)), toInt(std::floor(std::min(ay, by) - reach)),
             toInt(std::ceil(std::max(ax, bx) + reach)), toInt(std::ceil(std::max(ay, by) + reach))};
    for (const Rect& clip : clipRects_) {
        Rect r = box.Intersect(clip);
        for (int y = r.top; y < r.bottom; ++y) {
            Argb* row = &target_.At(0, y);
            for (int x = r.left; x < r.right; ++x) {
                double rx = x + 0.5 - ax, ry = y + 0.5 - ay;
                const double along = rx * ux + ry * uy;
                const double across = -rx * uy + ry * ux;
                const double coverage = Overlap(across, -half, half) * Overlap(along, -half, length + half);
                if (coverage <= 0.0) continue;
                row[x] = BlendPixel(row[x], WithCoverage(colour, std::uint32_t(coverage * 255.0 + 0.5)));
            }
        }
    }
}

void Painter::DrawImage(const Image& image, Rect dest) {
    DrawImage(image, Rect{0, 0, image.width, image.height}, dest);
}

void Painter::DrawImage(const Image& image, Point topLeft) {
    DrawImage(image, Rect::FromXYWH(topLeft.x, topLeft.y, image.width, image.height));
}

void Painter::DrawImage(const ImagePtr& image, Rect dest) {
    if (image) DrawImage(*image, dest);
}

void Painter::DrawImage(const Image& image, Rect src, Rect dest) {
    if (image.IsEmpty() || src.IsEmpty() || dest.IsEmpty() || clipRects_.empty()) return;
    if (image.pixels.size() != std::size_t(image.width) * std::size_t(image.height)) return;
    // A source rectangle reaching outside the image keeps its scale: only the part inside is drawn,
    // where it would have landed.
    const Rect inside = src.Intersect({0, 0, image.width, image.height});
    if (inside.IsEmpty()) return;
    if (inside != src) {
        auto map = [](int v, int s0, int sLen, int d0, int dLen) {
            return d0 + int(std::floor(double(v - s0) * dLen / sLen + 0.5));
        };
        dest = {map(inside.left, src.left, src.Width(), dest.left, dest.Width()),
                map(inside.top, src.top, src.Height(), dest.top, dest.Height()),
                map(inside.right, src.left, src.Width(), dest.left, dest.Width()),
                map(inside.bottom, src.top, src.Height(), dest.top, dest.Height())};
        src = inside;
        if (dest.IsEmpty()) return;
    }
    const Rect destTarget = ToTarget(dest);
    if (src.Width() == dest.Width() && src.Height() == dest.Height()) DrawImageUnscaled(image, src, destTarget);
    else DrawImageScaled(image, src, destTarget);
}

void Painter::DrawImageUnscaled(const Image& image, Rect src, Rect destTarget) {
    const int dx = src.left - destTarget.left, dy = src.top - destTarget.top;
    for (const Rect& clip : clipRects_) {
        Rect r = destTarget.Intersect(clip);
        for (int y = r.top; y < r.bottom; ++y) {
            Argb* row = &target_.At(0, y);
            const Argb* from = RowOf(image, y + dy) + dx;
            for (int x = r.left; x < r.right;) {
                // Opaque stretches (most of any picture) are copied rather than blended pixel by pixel.
                int end = x;
                while (end < r.right && Alpha(from[end]) == 255) ++end;
                if (end > x) {
                    std::memcpy(row + x, from + x, std::size_t(end - x) * sizeof(Argb));
                    x = end;
                } else {
                    row[x] = BlendPixel(row[x], from[x]);
                    ++x;
                }
            }
        }
    }
}

void Painter::DrawImageScaled(const Image& image, Rect src, Rect destTarget) {
    Rect visible{};
    for (const Rect& clip : clipRects_) visible = visible.Union(destTarget.Intersect(clip));
    if (visible.IsEmpty()) return;

    // Taps for the visible columns and rows only; source indices are relative to src.
    const Taps xs = ComputeTaps(src.Width(), destTarget.Width(), visible.left - destTarget.left,
                                visible.right - destTarget.left);
    const Taps ys = ComputeTaps(src.Height(), destTarget.Height(), visible.top - destTarget.top,
                                visible.bottom - destTarget.top);
    std::vector<Accum> column; // one source row range, filtered vertically

    for (const Rect& clip : clipRects_) {
        const Rect r = destTarget.Intersect(clip);
        if (r.IsEmpty()) continue;
        const int xi0 = r.left - visible.left, xi1 = r.right - visible.left;
        const int srcX0 = xs.first[xi0];
        int srcX1 = srcX0;
        for (int i = xi0; i < xi1; ++i) srcX1 = std::max(srcX1, xs.first[i] + (xs.start[i + 1] - xs.start[i]));
        column.assign(std::size_t(srcX1 - srcX0), Accum{});

        for (int y = r.top; y < r.bottom; ++y) {
            const int yi = y - visible.top;
            std::fill(column.begin(), column.end(), Accum{});
            for (int t = ys.start[yi]; t < ys.start[yi + 1]; ++t) {
                const float w = ys.weights[std::size_t(t)];
                const Argb* srcRow = RowOf(image, src.top + ys.first[yi] + (t - ys.start[yi])) + src.left;
                for (int sx = srcX0; sx < srcX1; ++sx) {
                    const Argb p = srcRow[sx];
                    const float a = Alpha(p) * (w / 255.0f);
                    Accum& acc = column[std::size_t(sx - srcX0)];
                    acc.r += Red(p) * a;
                    acc.g += Green(p) * a;
                    acc.b += Blue(p) * a;
                    acc.a += a;
                }
            }
            Argb* row = &target_.At(0, y);
            for (int x = r.left; x < r.right; ++x) {
                const int xi = x - visible.left;
                Accum s;
                for (int t = xs.start[xi]; t < xs.start[xi + 1]; ++t) {
                    const float w = xs.weights[std::size_t(t)];
                    const Accum& c = column[std::size_t(xs.first[xi] + (t - xs.start[xi]) - srcX0)];
                    s.r += c.r * w;
                    s.g += c.g * w;
                    s.b += c.b * w;
                    s.a += c.a * w;
                }
                row[x] = BlendPremultiplied(row[x], s);
            }
        }
    }
}

void Painter::DrawLayout(const TextLayout& layout, Point baseline, Rect limit, const Font& font, Argb colour) {
    const Rect limitTarget = ToTarget(limit);
    const Point base{baseline.x + origin_.x, baseline.y + origin_.y};
    for (const Rect& clip : clipRects_) {
        const Rect area = clip.Intersect(limitTarget);
        if (area.IsEmpty()) continue;
        for (const PlacedGlyph& glyph : layout.glyphs) {
            const GlyphBitmap& bm = *glyph.bitmap;
            const Rect glyphRect = Rect::FromXYWH(base.x + glyph.x + bm.left, base.y - bm.top, bm.width, bm.height);
            const Rect r = glyphRect.Intersect(area);
            for (int y = r.top; y < r.bottom; ++y) {
                Argb* row = &target_.At(0, y);
                const std::uint8_t* cov = &bm.coverage[std::size_t(y - glyphRect.top) * std::size_t(bm.width)];
                for (int x = r.left; x < r.right; ++x) {
                    if (std::uint8_t c = cov[x - glyphRect.left]) row[x] = BlendPixel(row[x], WithCoverage(colour, c));
                }
            }
        }
    }
    if (font.underline && layout.width > 0) {
        const Rect line = Rect::FromXYWH(base.x, base.y + layout.metrics.underlineOffset, layout.width,
                                         layout.metrics.underlineThickness);
        BlendSpan(line.Intersect(limitTarget), colour);
    }
}

void Painter::DrawText(std::string_view utf8, Rect box, const Font& font, Argb colour, TextAlign align) {
    if (Alpha(colour) == 0 || utf8.empty() || clipRects_.empty()) return;
    const std::u32string text = DecodeUtf8(utf8);
    TextLayout layout = HasFlag(align, TextAlign::EndEllipsis) ? LayoutElided(text, font, box.Width())
                                                                : TextEngine::Instance().Layout(text, font);
    int x = box.left;
    if (HasFlag(align, TextAlign::HCenter)) x = box.left + (box.Width() - layout.width) / 2;
    else if (HasFlag(align, TextAlign::Right)) x = box.right - layout.width;
    int y = box.top;
    if (HasFlag(align, TextAlign::VCenter)) y = box.top + (box.Height() - layout.metrics.height) / 2;
    else if (HasFlag(align, TextAlign::Bottom)) y = box.bottom - layout.metrics.height;

    constexpr int kFar = std::numeric_limits<int>::max() / 4;
    const Rect limit = HasFlag(align, TextAlign::NoClip) ? Rect{-kFar, -kFar, kFar, kFar} : box;
    DrawLayout(layout, {x, y + layout.metrics.ascent}, limit, font, colour);
}

void Painter::DrawText(std::string_view utf8, Point topLeft, const Font& font, Argb colour) {
    DrawText(utf8, Rect{topLeft.x, topLeft.y, topLeft.x, topLeft.y}, font, colour, TextAlign::NoClip);
}

Size Painter::MeasureText(std::string_view utf8, const Font& font) const { return qor::MeasureText(utf8, font); }

} // namespace qor
