#include "Canvas.h"

#include <png.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
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

// Straight-alpha RGBA rows (RGB when every pixel is opaque), unpremultiplied the way cairo's own PNG
// writer does it, so the pixels are the same; the row filters are limited to the ones a reader undoes
// almost for free, because the program decodes its background on every start.
bool Canvas::SavePng(const std::filesystem::path& path) const {
    cairo_surface_flush(m_surface);
    const unsigned char* data = cairo_image_surface_get_data(m_surface);
    const int stride = cairo_image_surface_get_stride(m_surface);
    auto pixel = [&](int x, int y) {
        std::uint32_t p;
        std::memcpy(&p, data + y * stride + x * 4, 4);
        return p;
    };
    bool opaque = true;
    for (int y = 0; y < m_height && opaque; ++y)
        for (int x = 0; x < m_width && opaque; ++x)
            opaque = (pixel(x, y) >> 24) == 0xFF;
    const int channels = opaque ? 3 : 4;
    std::vector<unsigned char> rows(std::size_t(m_width) * std::size_t(m_height) * std::size_t(channels));
    for (int y = 0; y < m_height; ++y) {
        unsigned char* out = rows.data() + std::size_t(y) * std::size_t(m_width) * std::size_t(channels);
        for (int x = 0; x < m_width; ++x, out += channels) {
            const std::uint32_t p = pixel(x, y);
            const std::uint32_t a = p >> 24;
            auto channel = [&](int shift) {
                const std::uint32_t c = (p >> shift) & 0xFF;
                return (unsigned char)(a == 0 ? 0 : (c * 255 + a / 2) / a);
            };
            out[0] = channel(16);
            out[1] = channel(8);
            out[2] = channel(0);
            if (!opaque)
                out[3] = (unsigned char)a;
        }
    }

    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "wb"), &std::fclose);
    if (!file)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file.get());
    png_set_IHDR(png, info, png_uint_32(m_width), png_uint_32(m_height), 8,
                 opaque ? PNG_COLOR_TYPE_RGB : PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_write_info(png, info);
    for (int y = 0; y < m_height; ++y)
        png_write_row(png, rows.data() + std::size_t(y) * std::size_t(m_width) * std::size_t(channels));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fflush(file.get()) == 0;
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
