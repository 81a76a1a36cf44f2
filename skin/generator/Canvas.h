#pragma once
// One picture being drawn: a cairo ARGB32 surface of a fixed size and its drawing context.

#include <cairo.h>
#include <filesystem>

namespace qor::skin {

class Canvas {
public:
    Canvas(int width, int height);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    cairo_t* Cr() const { return m_cr; }
    cairo_surface_t* Surface() const { return m_surface; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }

    // Straight (not premultiplied) alpha of one pixel, 0-255; the mask helpers below use it.
    unsigned AlphaAt(int x, int y) const;
    // Makes one pixel fully transparent.
    void ClearPixel(int x, int y);

    bool SavePng(const std::filesystem::path& path) const;
    // 24-bit uncompressed BMP, the picture composited over pure white: what is transparent becomes the
    // white that marks "outside the window" in an outline bitmap.
    bool SaveBmp(const std::filesystem::path& path) const;

private:
    int m_width;
    int m_height;
    cairo_surface_t* m_surface;
    cairo_t* m_cr;
};

} // namespace qor::skin
