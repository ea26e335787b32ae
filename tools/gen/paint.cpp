#include "paint.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace book {

Rgb mix(Rgb a, Rgb b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

void setColour(cairo_t* cr, Rgb c, double alpha) {
    cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

Surface newSurface(int width, int height) {
    return Surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
}

Surface crop(cairo_surface_t* source, int x, int y, int w, int h) {
    Surface out = newSurface(w, h);
    Context cr = drawOn(out);
    cairo_set_source_surface(cr.get(), source, -x, -y);
    cairo_set_operator(cr.get(), CAIRO_OPERATOR_SOURCE);
    cairo_paint(cr.get());
    return out;
}

Surface copyOf(cairo_surface_t* source) {
    return crop(source, 0, 0, widthOf(source), heightOf(source));
}

Surface drawOver(cairo_surface_t* background, int x, int y, int w, int h,
                 const std::function<void(cairo_t*)>& draw) {
    Surface out = crop(background, x, y, w, h);
    Context cr = drawOn(out);
    draw(cr.get());
    return out;
}

int widthOf(cairo_surface_t* s) {
    return cairo_image_surface_get_width(s);
}
int heightOf(cairo_surface_t* s) {
    return cairo_image_surface_get_height(s);
}

namespace {

// One box pass along rows (or columns) of premultiplied ARGB, each channel separately.
void boxPass(uint32_t* px, int w, int h, int stridePx, int radius, bool horizontal) {
    const int lines = horizontal ? h : w, len = horizontal ? w : h;
    std::vector<uint32_t> line(static_cast<size_t>(len));
    const int span = 2 * radius + 1;
    for (int l = 0; l < lines; ++l) {
        auto at = [&](int i) -> uint32_t& {
            return horizontal ? px[l * stridePx + i] : px[i * stridePx + l];
        };
        for (int i = 0; i < len; ++i) line[i] = at(i);
        for (int shift = 0; shift < 32; shift += 8) {
            int sum = 0;
            auto value = [&](int i) {
                return (i < 0 || i >= len) ? 0 : static_cast<int>((line[i] >> shift) & 255);
            };
            for (int i = -radius; i <= radius; ++i) sum += value(i);
            for (int i = 0; i < len; ++i) {
                const uint32_t v = static_cast<uint32_t>((sum + span / 2) / span);
                at(i) = (at(i) & ~(255u << shift)) | (v << shift);
                sum += value(i + radius + 1) - value(i - radius);
            }
        }
    }
}

}  // namespace

void blur(cairo_surface_t* surface, int radius) {
    if (radius < 1) return;
    cairo_surface_flush(surface);
    auto* px = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(surface));
    const int w = widthOf(surface), h = heightOf(surface);
    const int stridePx = cairo_image_surface_get_stride(surface) / 4;
    const int passRadius = std::max(1, radius / 2);
    for (int pass = 0; pass < 3; ++pass) {
        boxPass(px, w, h, stridePx, passRadius, true);
        boxPass(px, w, h, stridePx, passRadius, false);
    }
    cairo_surface_mark_dirty(surface);
}

void softShadow(cairo_t* cr, const Shape& shape, double dx, double dy, int radius, Rgb colour,
                double alpha) {
    // Record the shape first, so that only the part of the picture it touches is blurred.
    cairo_surface_t* recording = cairo_recording_surface_create(CAIRO_CONTENT_COLOR_ALPHA, nullptr);
    {
        Context m(cairo_create(recording));
        cairo_matrix_t matrix;
        cairo_get_matrix(cr, &matrix);
        cairo_translate(m.get(), dx, dy);
        cairo_transform(m.get(), &matrix);
        cairo_set_source_rgb(m.get(), 0, 0, 0);
        shape(m.get());
        cairo_fill(m.get());
    }
    double x0, y0, w, h;
    cairo_recording_surface_ink_extents(recording, &x0, &y0, &w, &h);
    const int pad = 2 * radius + 2;
    const int left = static_cast<int>(std::floor(x0)) - pad;
    const int top = static_cast<int>(std::floor(y0)) - pad;
    const int width = static_cast<int>(std::ceil(x0 + w)) + pad - left;
    const int height = static_cast<int>(std::ceil(y0 + h)) + pad - top;
    if (w > 0 && h > 0) {
        Surface mask = newSurface(width, height);
        {
            Context m = drawOn(mask);
            cairo_set_source_surface(m.get(), recording, -left, -top);
            cairo_paint(m.get());
        }
        blur(mask.get(), radius);
        cairo_save(cr);
        cairo_identity_matrix(cr);
        setColour(cr, colour, alpha);
        cairo_mask_surface(cr, mask.get(), left, top);
        cairo_restore(cr);
    }
    cairo_surface_destroy(recording);
}

void roundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
    r = std::min({r, w / 2, h / 2});
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

void circle(cairo_t* cr, double cx, double cy, double r) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    cairo_close_path(cr);
}

void fillAndRim(cairo_t* cr, Rgb colour, double darkness, double lineWidth) {
    setColour(cr, colour);
    cairo_fill_preserve(cr);
    setColour(cr, darker(colour, darkness));
    cairo_set_line_width(cr, lineWidth);
    cairo_stroke(cr);
}

void ellipse(cairo_t* cr, double cx, double cy, double rx, double ry, double angle) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, angle);
    cairo_scale(cr, rx, ry);
    circle(cr, 0, 0, 1);
    cairo_restore(cr);
}

void star(cairo_t* cr, double cx, double cy, double outer, double inner, int points) {
    cairo_new_sub_path(cr);
    for (int i = 0; i < points * 2; ++i) {
        const double a = -M_PI / 2 + i * M_PI / points;
        const double r = (i % 2 == 0) ? outer : inner;
        cairo_line_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
    }
    cairo_close_path(cr);
}

void fillVertical(cairo_t* cr, double y0, Rgb top, double y1, Rgb bottom, bool preserve) {
    cairo_pattern_t* p = cairo_pattern_create_linear(0, y0, 0, y1);
    cairo_pattern_add_color_stop_rgb(p, 0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(p, 1, bottom.r, bottom.g, bottom.b);
    cairo_set_source(cr, p);
    if (preserve)
        cairo_fill_preserve(cr);
    else
        cairo_fill(cr);
    cairo_pattern_destroy(p);
}

namespace {

PangoLayout* layoutFor(cairo_t* cr, const std::string& text, double sizePx) {
    PangoLayout* layout = pango_cairo_create_layout(cr);
    PangoFontDescription* font = pango_font_description_from_string("Comic Neue Bold");
    pango_font_description_set_absolute_size(font, sizePx * PANGO_SCALE);
    pango_layout_set_font_description(layout, font);
    pango_font_description_free(font);
    pango_layout_set_text(layout, text.c_str(), -1);
    return layout;
}

TextSize sizeOf(PangoLayout* layout) {
    PangoRectangle logical;
    pango_layout_get_extents(layout, nullptr, &logical);
    return {logical.width / double(PANGO_SCALE), logical.height / double(PANGO_SCALE)};
}

}  // namespace

TextSize measureText(cairo_t* cr, const std::string& text, double sizePx) {
    PangoLayout* layout = layoutFor(cr, text, sizePx);
    const TextSize size = sizeOf(layout);
    g_object_unref(layout);
    return size;
}

void drawText(cairo_t* cr, const std::string& text, double x, double y, double sizePx, Rgb fill,
              Align align, double outlineWidth, Rgb outline) {
    PangoLayout* layout = layoutFor(cr, text, sizePx);
    const TextSize size = sizeOf(layout);
    if (align == Align::Centre) x -= size.width / 2;
    if (align == Align::Right) x -= size.width;
    cairo_save(cr);
    cairo_move_to(cr, x, y);
    if (outlineWidth > 0) {
        pango_cairo_layout_path(cr, layout);
        setColour(cr, outline);
        cairo_set_line_width(cr, outlineWidth * 2);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke(cr);
        cairo_move_to(cr, x, y);
    }
    setColour(cr, fill);
    pango_cairo_show_layout(cr, layout);
    cairo_restore(cr);
    g_object_unref(layout);
}

void drawTextCentred(cairo_t* cr, const std::string& text, double cx, double cy, double sizePx,
                     Rgb fill, double outlineWidth, Rgb outline) {
    const TextSize size = measureText(cr, text, sizePx);
    drawText(cr, text, cx, cy - size.height / 2, sizePx, fill, Align::Centre, outlineWidth,
             outline);
}

}  // namespace book
