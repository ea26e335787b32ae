#include "ico_writer.h"

#include <algorithm>
#include <fstream>
#include <stdexcept>

namespace book {
namespace {

void put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(v & 255);
    out.push_back((v >> 8) & 255);
}

void put32(std::vector<uint8_t>& out, uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

// Cairo keeps colour multiplied by alpha; BMP entries keep it straight.
uint32_t unpremultiply(uint32_t argb) {
    const uint32_t a = argb >> 24;
    if (a == 0) return 0;
    if (a == 255) return argb;
    auto channel = [&](int shift) {
        const uint32_t c = (argb >> shift) & 255;
        return std::min<uint32_t>(255, (c * 255 + a / 2) / a) << shift;
    };
    return (a << 24) | channel(16) | channel(8) | channel(0);
}

}  // namespace

std::vector<uint8_t> encodeIco(cairo_surface_t* surface) {
    cairo_surface_flush(surface);
    const int w = cairo_image_surface_get_width(surface);
    const int h = cairo_image_surface_get_height(surface);
    if (w < 1 || h < 1 || w > 256 || h > 256) throw std::runtime_error("icon size out of range");
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const bool hasAlpha = cairo_image_surface_get_format(surface) == CAIRO_FORMAT_ARGB32;

    const uint32_t maskRowBytes = ((static_cast<uint32_t>(w) + 31) / 32) * 4;
    const uint32_t pixelBytes = static_cast<uint32_t>(w) * h * 4;
    const uint32_t maskBytes = maskRowBytes * h;
    const uint32_t imageBytes = 40 + pixelBytes + maskBytes;

    std::vector<uint8_t> out;
    out.reserve(22 + imageBytes);
    put16(out, 0);  // reserved
    put16(out, 1);  // type: icon
    put16(out, 1);  // one image
    out.push_back(w == 256 ? 0 : static_cast<uint8_t>(w));
    out.push_back(h == 256 ? 0 : static_cast<uint8_t>(h));
    out.push_back(0);  // no colour table
    out.push_back(0);
    put16(out, 1);   // planes
    put16(out, 32);  // bits per pixel
    put32(out, imageBytes);
    put32(out, 22);  // the image follows the one directory entry

    put32(out, 40);
    put32(out, static_cast<uint32_t>(w));
    put32(out, static_cast<uint32_t>(h) * 2);  // colour rows and mask rows together
    put16(out, 1);
    put16(out, 32);
    put32(out, 0);  // no compression
    put32(out, pixelBytes + maskBytes);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);

    auto pixel = [&](int x, int y) {
        const uint32_t raw = reinterpret_cast<const uint32_t*>(data + y * stride)[x];
        return hasAlpha ? unpremultiply(raw) : (raw | 0xFF000000u);
    };
    for (int y = h - 1; y >= 0; --y)  // bottom-up, BGRA
        for (int x = 0; x < w; ++x) put32(out, pixel(x, y));
    for (int y = h - 1; y >= 0; --y) {
        std::vector<uint8_t> row(maskRowBytes, 0);
        for (int x = 0; x < w; ++x)
            if ((pixel(x, y) >> 24) != 255) row[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

void writeIco(cairo_surface_t* surface, const std::string& path) {
    const std::vector<uint8_t> bytes = encodeIco(surface);
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    if (!file) throw std::runtime_error("cannot write " + path);
}

}  // namespace book
