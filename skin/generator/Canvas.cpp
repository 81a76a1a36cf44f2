#include "Canvas.h"

#include <cstdint>
#include <cstring>
#include <fstream>
#include <vector>

namespace qor::skin {

Canvas::Canvas(int width, int height)
    : m_width(width), m_height(height),
      m_surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
      m_cr(cairo_create(m_surface)) {}

Canvas::~Canvas() {
    cairo_destroy(m_cr);
    cairo_surface_destroy(m_surface);
}

unsigned Canvas::AlphaAt(int x, int y) const {
    cairo_surface_flush(m_surface);
    const unsigned char* data = cairo_image_surface_get_data(m_surface);
    const int stride = cairo_image_surface_get_stride(m_surface);
    std::uint32_t pixel;
    std::memcpy(&pixel, data + y * stride + x * 4, 4);
    return pixel >> 24;
}

void Canvas::ClearPixel(int x, int y) {
    cairo_surface_flush(m_surface);
    unsigned char* data = cairo_image_surface_get_data(m_surface);
    const int stride = cairo_image_surface_get_stride(m_surface);
    std::memset(data + y * stride + x * 4, 0, 4);
    cairo_surface_mark_dirty(m_surface);
}

bool Canvas::SavePng(const std::filesystem::path& path) const {
    cairo_surface_flush(m_surface);
    return cairo_surface_write_to_png(m_surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
}

namespace {

void PutLe(std::vector<unsigned char>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back((unsigned char)((value >> (8 * i)) & 0xFF));
}

} // namespace

bool Canvas::SaveBmp(const std::filesystem::path& path) const {
    cairo_surface_flush(m_surface);
    const unsigned char* data = cairo_image_surface_get_data(m_surface);
    const int stride = cairo_image_surface_get_stride(m_surface);
    const std::uint32_t rowBytes = std::uint32_t((m_width * 3 + 3) & ~3);
    const std::uint32_t imageBytes = rowBytes * std::uint32_t(m_height);

    std::vector<unsigned char> out;
    out.reserve(54 + imageBytes);
    out.push_back('B');
    out.push_back('M');
    PutLe(out, 54 + imageBytes, 4);
    PutLe(out, 0, 4);
    PutLe(out, 54, 4);
    PutLe(out, 40, 4); // BITMAPINFOHEADER
    PutLe(out, std::uint32_t(m_width), 4);
    PutLe(out, std::uint32_t(m_height), 4); // positive: rows bottom to top
    PutLe(out, 1, 2);
    PutLe(out, 24, 2);
    PutLe(out, 0, 4); // BI_RGB
    PutLe(out, imageBytes, 4);
    PutLe(out, 2835, 4); // 72 dpi
    PutLe(out, 2835, 4);
    PutLe(out, 0, 4);
    PutLe(out, 0, 4);
    for (int y = m_height - 1; y >= 0; --y) {
        for (int x = 0; x < m_width; ++x) {
            std::uint32_t pixel;
            std::memcpy(&pixel, data + y * stride + x * 4, 4);
            const unsigned a = pixel >> 24;
            // Premultiplied colour over white: c + (255 - a).
            const unsigned r = ((pixel >> 16) & 0xFF) + (255 - a);
            const unsigned g = ((pixel >> 8) & 0xFF) + (255 - a);
            const unsigned b = (pixel & 0xFF) + (255 - a);
            out.push_back((unsigned char)(b > 255 ? 255 : b));
            out.push_back((unsigned char)(g > 255 ? 255 : g));
            out.push_back((unsigned char)(r > 255 ? 255 : r));
        }
        for (std::uint32_t pad = std::uint32_t(m_width) * 3; pad < rowBytes; ++pad)
            out.push_back(0);
    }
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(out.data()), std::streamsize(out.size()));
    return bool(file);
}

} // namespace qor::skin
