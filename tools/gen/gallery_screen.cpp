// The gallery: a sky with 25 frame slots, the back button, and a thumbnail card for each page
// drawn over its own slot so that card and background meet without a seam.
#include <cmath>
#include <cstdio>

#include "icons.h"
#include "layout.h"
#include "page_reduce.h"
#include "pictures.h"
#include "title.h"

namespace book {
namespace {

// The page inside a card keeps the page's proportion (750 x 600 = 115 x 92).
constexpr int kThumbPageW = 115, kThumbPageH = 92;
constexpr int kThumbPageX = 8, kThumbPageY = 15;

void cloud(cairo_t* cr, double x, double y, double s) {
    auto shape = [&](cairo_t* c) {
        circle(c, x, y, 18 * s);
        circle(c, x + 22 * s, y - 10 * s, 22 * s);
        circle(c, x + 46 * s, y, 17 * s);
        roundedRect(c, x - 10 * s, y, 70 * s, 16 * s, 8 * s);
    };
    softShadow(cr, shape, 0, 3, 5, rgb255(120, 170, 220), 0.25);
    setColour(cr, {1, 1, 1}, 0.95);
    shape(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    cairo_fill(cr);
}

void balloon(cairo_t* cr, double x, double y, Rgb colour) {
    cairo_move_to(cr, x, y + 30);
    cairo_curve_to(cr, x - 8, y + 55, x + 10, y + 70, x - 2, y + 100);
    setColour(cr, rgb255(120, 120, 150));
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    ellipse(cr, x, y, 24, 30);
    fillAndRim(cr, colour, 0.3, 2);
    cairo_move_to(cr, x - 4, y + 34);
    cairo_line_to(cr, x + 4, y + 34);
    cairo_line_to(cr, x, y + 29);
    cairo_close_path(cr);
    setColour(cr, darker(colour, 0.3));
    cairo_fill(cr);
    ellipse(cr, x - 9, y - 12, 4, 8, -0.6);
    setColour(cr, {1, 1, 1}, 0.6);
    cairo_fill(cr);
}

Surface paintGalleryBase() {
    Surface s = newSurface(kScreenWidth, kScreenHeight);
    Context c = drawOn(s);
    cairo_t* cr = c.get();
    cairo_rectangle(cr, 0, 0, kScreenWidth, kScreenHeight);
    cairo_pattern_t* sky = cairo_pattern_create_linear(0, 0, 0, kScreenHeight);
    cairo_pattern_add_color_stop_rgb(sky, 0, 0.62, 0.84, 1.0);
    cairo_pattern_add_color_stop_rgb(sky, 0.55, 0.87, 0.95, 1.0);
    cairo_pattern_add_color_stop_rgb(sky, 1, 1.0, 0.95, 0.97);
    cairo_set_source(cr, sky);
    cairo_fill(cr);
    cairo_pattern_destroy(sky);

    // A smiling sun in the top right corner.
    const double sx = 962, sy = 58;
    for (int i = 0; i < 12; ++i) {
        const double a = i * M_PI / 6 + 0.13;
        cairo_move_to(cr, sx + 44 * std::cos(a), sy + 44 * std::sin(a));
        cairo_line_to(cr, sx + 60 * std::cos(a), sy + 60 * std::sin(a));
    }
    setColour(cr, rgb255(255, 190, 30));
    cairo_set_line_width(cr, 6);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
    circle(cr, sx, sy, 38);
    setColour(cr, rgb255(255, 222, 60));
    cairo_fill_preserve(cr);
    setColour(cr, rgb255(245, 170, 20));
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    circle(cr, sx - 12, sy - 6, 4);
    circle(cr, sx + 12, sy - 6, 4);
    setColour(cr, ink::kOutline);
    cairo_fill(cr);
    cairo_new_sub_path(cr);
    cairo_arc(cr, sx, sy + 2, 17, 0.35, M_PI - 0.35);
    cairo_set_line_width(cr, 3.5);
    cairo_stroke(cr);
    for (double dx : {-21.0, 21.0}) {
        circle(cr, sx + dx, sy + 9, 5);
        setColour(cr, rgb255(255, 140, 120), 0.6);
        cairo_fill(cr);
    }

    cloud(cr, 30, 150, 1.2);
    cloud(cr, 300, 30, 1.0);
    cloud(cr, 560, 300, 1.3);
    cloud(cr, 700, 40, 0.9);
    cloud(cr, 180, 450, 1.1);
    cloud(cr, 830, 250, 0.8);

    // Green hills along the bottom, a rainbow and balloons on the right.
    cairo_move_to(cr, 0, 720);
    cairo_curve_to(cr, 200, 680, 380, 740, 560, 710);
    cairo_curve_to(cr, 740, 680, 880, 700, 1024, 690);
    cairo_line_to(cr, 1024, 768);
    cairo_line_to(cr, 0, 768);
    cairo_close_path(cr);
    fillVertical(cr, 680, rgb255(150, 225, 110), 768, rgb255(90, 190, 90));
    const Rgb bands[] = {kPalette[0].paint, kPalette[4].paint, rgb255(255, 220, 0),
                         kPalette[1].paint, kPalette[3].paint, kPalette[5].paint};
    for (int i = 0; i < 6; ++i) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, 905, 712, 100 - i * 9, M_PI, 2 * M_PI);
        setColour(cr, bands[i], 0.85);
        cairo_set_line_width(cr, 9);
        cairo_stroke(cr);
    }
    cloud(cr, 790, 700, 0.7);
    cloud(cr, 960, 705, 0.6);
    balloon(cr, 840, 420, kPalette[0].paint);
    balloon(cr, 905, 395, rgb255(255, 200, 0));
    balloon(cr, 970, 430, kPalette[3].paint);

    TitleStyle style;
    style.sizePx = 56;
    drawTitle(cr, "Choose", 902, 146, style);
    style.sizePx = 48;
    style.firstColour = 5;
    drawTitle(cr, "a picture", 902, 214, style);
    return s;
}

void paintSlots(cairo_t* cr) {
    for (int page = 1; page <= kPageCount; ++page) {
        const Box b = thumbBox(page);
        auto slot = [&](cairo_t* c) {
            roundedRect(c, b.left + 2, b.top + 2, b.width - 4, b.height - 4, 12);
        };
        softShadow(cr, slot, 2, 5, 8, rgb255(60, 90, 140), 0.35);
        slot(cr);
        setColour(cr, {1, 1, 1}, 0.6);
        cairo_fill_preserve(cr);
        setColour(cr, {1, 1, 1});
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);
    }
}

// The page, reduced, as a surface to lay on a card. The reduction keeps the exact share of
// ink; a gentle curve then darkens the thin grey lines so the drawing reads at this size.
Surface thumbnailPage(const PageBitmap& page) {
    const GreyImage grey = reducePage(page, kThumbPageW, kThumbPageH);
    Surface s(cairo_image_surface_create(CAIRO_FORMAT_RGB24, kThumbPageW, kThumbPageH));
    cairo_surface_flush(s.get());
    unsigned char* data = cairo_image_surface_get_data(s.get());
    const int stride = cairo_image_surface_get_stride(s.get());
    for (int y = 0; y < kThumbPageH; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(data + y * stride);
        for (int x = 0; x < kThumbPageW; ++x) {
            const double ink = grey.ink[static_cast<size_t>(y) * kThumbPageW + x];
            const double shown = 1 - std::pow(1 - std::min(1.0, ink), 2.2);
            const uint32_t v = static_cast<uint32_t>(std::lround(255 * (1 - shown)));
            row[x] = 0xFF000000u | (v << 16) | (v << 8) | v;
        }
    }
    cairo_surface_mark_dirty(s.get());
    return s;
}

void drawCard(cairo_t* cr, cairo_surface_t* pagePicture, bool lit) {
    auto card = [](cairo_t* c) { roundedRect(c, 2, 2, kThumbWidth - 4, kThumbHeight - 4, 12); };
    card(cr);
    if (lit) {
        cairo_pattern_t* p = cairo_pattern_create_radial(kThumbWidth / 2.0, kThumbHeight / 2.0, 20,
                                                         kThumbWidth / 2.0, kThumbHeight / 2.0, 80);
        cairo_pattern_add_color_stop_rgb(p, 0, 1.0, 0.98, 0.70);
        cairo_pattern_add_color_stop_rgb(p, 1, 1.0, 0.82, 0.10);
        cairo_set_source(cr, p);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(p);
        setColour(cr, rgb255(255, 160, 0));
        cairo_set_line_width(cr, 3);
    } else {
        setColour(cr, {1, 1, 1});
        cairo_fill_preserve(cr);
        setColour(cr, rgb255(196, 210, 228));
        cairo_set_line_width(cr, 2);
    }
    cairo_stroke(cr);
    // The page sits in a thin frame of its own.
    const double px = kThumbPageX, py = kThumbPageY;
    if (lit) {
        softShadow(
            cr,
            [&](cairo_t* c) {
                cairo_rectangle(c, px - 2, py - 2, kThumbPageW + 4, kThumbPageH + 4);
            },
            0, 0, 4, {1, 1, 1}, 1.0);
    }
    cairo_rectangle(cr, px - 1, py - 1, kThumbPageW + 2, kThumbPageH + 2);
    setColour(cr, lit ? rgb255(240, 150, 0) : rgb255(214, 222, 234));
    cairo_fill(cr);
    cairo_set_source_surface(cr, pagePicture, px, py);
    cairo_paint(cr);
    if (lit) {
        drawSparkle(cr, 9, 8, 11, {1, 1, 1});
        drawSparkle(cr, kThumbWidth - 9, kThumbHeight - 8, 11, {1, 1, 1});
    }
}

void drawBack(cairo_t* cr, bool lit) {
    auto pill = [](cairo_t* c) { roundedRect(c, 2, 3, 188, 34, 17); };
    softShadow(cr, pill, 1, 2, 3, rgb255(40, 70, 120), 0.35);
    pill(cr);
    if (lit)
        fillVertical(cr, 3, rgb255(255, 214, 90), 37, rgb255(255, 160, 30), true);
    else
        fillVertical(cr, 3, rgb255(255, 178, 70), 37, rgb255(250, 128, 20), true);
    setColour(cr, lit ? rgb255(255, 250, 170) : Rgb{1, 1, 1});
    cairo_set_line_width(cr, lit ? 3 : 2.2);
    cairo_stroke(cr);
    cairo_save(cr);
    // Turned to point left, and mirrored so that the thumb is on top.
    cairo_translate(cr, 9, 20);
    cairo_rotate(cr, -M_PI / 2);
    cairo_scale(cr, -1, 1);
    drawHand(cr, 0, 0, 30, 1.6);
    cairo_restore(cr);
    drawText(cr, "Back to my picture", 116, 9, 16, {1, 1, 1}, Align::Centre, 1.6,
             rgb255(190, 80, 0));
    if (lit) drawSparkle(cr, 182, 10, 10, {1, 1, 1});
}

}  // namespace

void makeGallery(const PageSet& pages, BookOutput& out) {
    Surface base = paintGalleryBase();
    Surface gallery = copyOf(base.get());
    {
        Context cr = drawOn(gallery);
        paintSlots(cr.get());
    }
    out.jpeg("GALERIJA.JPG", Group::Backgrounds, gallery.get());

    const Box b = kBackBox;
    for (int lit = 0; lit < 2; ++lit) {
        Surface back = drawOver(base.get(), b.left, b.top, b.width, b.height,
                                [&](cairo_t* cr) { drawBack(cr, lit == 1); });
        out.jpeg(lit ? "BACK2.JPG" : "BACK1.JPG", Group::Buttons, back.get());
    }

    for (int page = 1; page <= kPageCount; ++page) {
        if (!pages[page]) continue;
        const Surface picture = thumbnailPage(*pages[page]);
        const Box t = thumbBox(page);
        for (int lit = 0; lit < 2; ++lit) {
            Surface card = drawOver(gallery.get(), t.left, t.top, t.width, t.height,
                                    [&](cairo_t* cr) { drawCard(cr, picture.get(), lit == 1); });
            char name[40];
            std::snprintf(name, sizeof name, "GALERIJA1%s_%02d.JPG", lit ? "ZUTE" : "BELE",
                          thumbNumber(page));
            out.jpeg(name, Group::Thumbnails, card.get());
        }
    }
}

}  // namespace book
