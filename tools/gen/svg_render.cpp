#include "svg_render.h"

#include <librsvg/rsvg.h>

#include <memory>
#include <stdexcept>
#include <vector>

namespace book {

namespace {
// librsvg ignores the cairo antialias setting; only this property turns smoothing off.
const char kCrispStyle[] = "* { shape-rendering: crispEdges; }";
}  // namespace

cairo_surface_t* renderSvg(const std::string& path, int width, int height, bool crisp) {
    GError* error = nullptr;
    RsvgHandle* handle = rsvg_handle_new_from_file(path.c_str(), &error);
    if (!handle) {
        std::string message = error ? error->message : "unknown error";
        if (error) g_error_free(error);
        throw std::runtime_error("cannot read " + path + ": " + message);
    }
    if (crisp && !rsvg_handle_set_stylesheet(handle, reinterpret_cast<const guint8*>(kCrispStyle),
                                             sizeof kCrispStyle - 1, &error)) {
        g_object_unref(handle);
        if (error) g_error_free(error);
        throw std::runtime_error("cannot set the crisp stylesheet");
    }
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cairo_t* cr = cairo_create(surface);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    const RsvgRectangle viewport{0, 0, static_cast<double>(width), static_cast<double>(height)};
    const bool drawn = rsvg_handle_render_document(handle, cr, &viewport, &error);
    cairo_destroy(cr);
    g_object_unref(handle);
    if (!drawn) {
        std::string message = error ? error->message : "unknown error";
        if (error) g_error_free(error);
        cairo_surface_destroy(surface);
        throw std::runtime_error("cannot draw " + path + ": " + message);
    }
    cairo_surface_flush(surface);
    return surface;
}

PageBitmap renderPage(const std::string& path, bool* pureTwoColours) {
    cairo_surface_t* surface = renderSvg(path, kPageWidth, kPageHeight, true);
    PageBitmap page;
    page.ink.resize(static_cast<size_t>(kPageWidth) * kPageHeight);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    bool pure = true;
    for (int y = 0; y < kPageHeight; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(data + y * stride);
        for (int x = 0; x < kPageWidth; ++x) {
            const uint32_t rgb = row[x] & 0xFFFFFF;
            if (rgb != 0 && rgb != 0xFFFFFF) pure = false;
            // Luminance threshold: anything darker than mid grey is ink.
            const int r = (rgb >> 16) & 255, g = (rgb >> 8) & 255, b = rgb & 255;
            page.ink[static_cast<size_t>(y) * kPageWidth + x] = (r * 3 + g * 6 + b) < 1280;
        }
    }
    cairo_surface_destroy(surface);
    if (pureTwoColours) *pureTwoColours = pure;
    return page;
}

void writeAreaPreview(const PageBitmap& page, const std::string& pngPath) {
    cairo_surface_t* surface =
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, page.width, page.height);
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    std::vector<int> labels(page.ink.size(), -1);
    std::vector<int> stack;
    int next = 0;
    for (int start = 0; start < page.width * page.height; ++start) {
        if (page.ink[start] || labels[start] >= 0) continue;
        labels[start] = next;
        stack.push_back(start);
        while (!stack.empty()) {
            const int p = stack.back();
            stack.pop_back();
            const int x = p % page.width, y = p / page.width;
            const int nbs[4][2] = {{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}};
            for (const auto& n : nbs) {
                if (n[0] < 0 || n[1] < 0 || n[0] >= page.width || n[1] >= page.height) continue;
                const int q = n[1] * page.width + n[0];
                if (page.ink[q] || labels[q] >= 0) continue;
                labels[q] = next;
                stack.push_back(q);
            }
        }
        ++next;
    }
    for (int y = 0; y < page.height; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(data + y * stride);
        for (int x = 0; x < page.width; ++x) {
            const int id = labels[static_cast<size_t>(y) * page.width + x];
            if (id < 0) {
                row[x] = 0;
            } else if (id == labels[0]) {
                row[x] = 0xFFFFFF;
            } else {
                const uint32_t h = static_cast<uint32_t>(id) * 2654435761u;
                row[x] = 0x808080 | (h & 0x7F7F7F);
            }
        }
    }
    cairo_surface_mark_dirty(surface);
    cairo_surface_write_to_png(surface, pngPath.c_str());
    cairo_surface_destroy(surface);
}

}  // namespace book
