#include <cmath>

#include "icons.h"
#include "layout.h"

namespace book {
namespace {

void strokeOutline(cairo_t* cr, double width, Rgb colour = ink::kOutline) {
    setColour(cr, colour);
    cairo_set_line_width(cr, width);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
}

void fillAndOutline(cairo_t* cr, Rgb fill, double width) {
    setColour(cr, fill);
    cairo_fill_preserve(cr);
    strokeOutline(cr, width);
}

}  // namespace

void drawSpeaker(cairo_t* cr, double cx, double cy, double size, bool waves) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    const double s = size / 40;  // drawn on a 40-unit grid
    cairo_scale(cr, s, s);
    const double shift = waves ? -7 : 0;
    cairo_move_to(cr, shift - 14, -7);
    cairo_line_to(cr, shift - 5, -7);
    cairo_line_to(cr, shift + 7, -17);
    cairo_line_to(cr, shift + 7, 17);
    cairo_line_to(cr, shift - 5, 7);
    cairo_line_to(cr, shift - 14, 7);
    cairo_close_path(cr);
    fillAndOutline(cr, {1, 1, 1}, 2.6);
    if (waves) {
        for (int i = 0; i < 2; ++i) {
            const double r = 9 + i * 7;
            cairo_new_sub_path(cr);
            cairo_arc(cr, shift + 8, 0, r, -0.85, 0.85);
            setColour(cr, {1, 1, 1});
            cairo_set_line_width(cr, 4.2);
            cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
            cairo_stroke(cr);
        }
    }
    cairo_restore(cr);
}

void drawNotes(cairo_t* cr, double cx, double cy, double size, Rgb colour) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    const double s = size / 40;
    cairo_scale(cr, s, s);
    // Two beamed notes.
    auto head = [&](double x, double y) { ellipse(cr, x, y, 6.5, 4.8, -0.45); };
    head(-9, 12);
    head(11, 8);
    cairo_rectangle(cr, -4.5, -14, 3.4, 26);
    cairo_rectangle(cr, 15.5, -18, 3.4, 26);
    cairo_move_to(cr, -4.5, -14);
    cairo_line_to(cr, 18.9, -18);
    cairo_line_to(cr, 18.9, -10);
    cairo_line_to(cr, -4.5, -6);
    cairo_close_path(cr);
    setColour(cr, colour);
    cairo_fill(cr);
    cairo_restore(cr);
}

void drawStrike(cairo_t* cr, double cx, double cy, double radius) {
    const double d = radius * 0.72;
    cairo_move_to(cr, cx - d, cy - d);
    cairo_line_to(cr, cx + d, cy + d);
    strokeOutline(cr, radius * 0.34, {1, 1, 1});
    cairo_move_to(cr, cx - d, cy - d);
    cairo_line_to(cr, cx + d, cy + d);
    strokeOutline(cr, radius * 0.2, rgb255(230, 40, 50));
}

void drawCheck(cairo_t* cr, double cx, double cy, double size, Rgb colour, double width) {
    cairo_move_to(cr, cx - size * 0.45, cy);
    cairo_line_to(cr, cx - size * 0.12, cy + size * 0.32);
    cairo_line_to(cr, cx + size * 0.48, cy - size * 0.36);
    strokeOutline(cr, width, colour);
}

void drawCross(cairo_t* cr, double cx, double cy, double size, Rgb colour, double width) {
    const double d = size * 0.38;
    cairo_move_to(cr, cx - d, cy - d);
    cairo_line_to(cr, cx + d, cy + d);
    cairo_move_to(cr, cx + d, cy - d);
    cairo_line_to(cr, cx - d, cy + d);
    strokeOutline(cr, width, colour);
}

void drawGlobe(cairo_t* cr, double cx, double cy, double r) {
    circle(cr, cx, cy, r);
    setColour(cr, rgb255(90, 180, 255));
    cairo_fill_preserve(cr);
    cairo_save(cr);
    cairo_clip(cr);
    // Two friendly green lands.
    setColour(cr, rgb255(110, 210, 100));
    ellipse(cr, cx - r * 0.35, cy - r * 0.25, r * 0.45, r * 0.35);
    cairo_fill(cr);
    ellipse(cr, cx + r * 0.45, cy + r * 0.4, r * 0.4, r * 0.3);
    cairo_fill(cr);
    cairo_restore(cr);
    // Lines of latitude and a meridian.
    ellipse(cr, cx, cy, r * 0.45, r);
    cairo_move_to(cr, cx - r, cy);
    cairo_line_to(cr, cx + r, cy);
    strokeOutline(cr, r * 0.07, {1, 1, 1});
    circle(cr, cx, cy, r);
    strokeOutline(cr, r * 0.1);
}

void drawPrinter(cairo_t* cr, double cx, double cy, double scale) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, scale, scale);
    // The page coming out at the top, with a rainbow drawing on it.
    cairo_rectangle(cr, -34, -55, 68, 40);
    fillAndOutline(cr, {1, 1, 1}, 3);
    const Rgb bands[] = {kPalette[0].paint, kPalette[4].paint, kPalette[2].paint, kPalette[1].paint,
                         kPalette[3].paint};
    for (int i = 0; i < 5; ++i) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, 0, -18, 26 - i * 4, M_PI, 2 * M_PI);
        setColour(cr, bands[i]);
        cairo_set_line_width(cr, 4);
        cairo_stroke(cr);
    }
    // The body.
    roundedRect(cr, -58, -22, 116, 56, 14);
    fillAndOutline(cr, rgb255(120, 150, 255), 3);
    roundedRect(cr, -50, -16, 100, 12, 6);
    setColour(cr, rgb255(170, 192, 255));
    cairo_fill(cr);
    circle(cr, 40, 8, 5);
    fillAndOutline(cr, rgb255(90, 230, 110), 2);
    circle(cr, 26, 8, 5);
    fillAndOutline(cr, rgb255(255, 210, 60), 2);
    // The tray with the printed page sliding out.
    cairo_rectangle(cr, -40, 30, 80, 26);
    fillAndOutline(cr, {1, 1, 1}, 3);
    for (int i = 0; i < 3; ++i) {
        cairo_move_to(cr, -30, 38 + i * 6);
        cairo_line_to(cr, 30 - i * 12, 38 + i * 6);
    }
    strokeOutline(cr, 2.5, rgb255(180, 200, 230));
    cairo_restore(cr);
}

void drawHand(cairo_t* cr, double tipX, double tipY, double size, double outline) {
    cairo_save(cr);
    // In hand units: the hand is 1 high, the fingertip at (0.38, 0).
    cairo_translate(cr, tipX - 0.38 * size, tipY);
    cairo_scale(cr, size, size);
    const double line = outline / size;
    auto fill = [&](Rgb c) {
        setColour(cr, c);
        cairo_fill_preserve(cr);
        setColour(cr, ink::kOutline);
        cairo_set_line_width(cr, line);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke(cr);
    };
    const Rgb skin{1, 1, 1};
    // The thumb and the knuckles of the folded fingers first; the fist covers part of them,
    // so that only the thumb's tip and a scalloped top show. Then the pointing finger.
    ellipse(cr, 0.19, 0.6, 0.16, 0.09, -0.7);
    fill(skin);
    for (int i = 0; i < 3; ++i) {
        circle(cr, 0.585 + i * 0.125, 0.47, 0.1);
        fill(skin);
    }
    roundedRect(cr, 0.22, 0.44, 0.7, 0.42, 0.15);
    fill(skin);
    roundedRect(cr, 0.27, 0.0, 0.22, 0.64, 0.11);
    fill(skin);
    cairo_rectangle(cr, 0.25, 0.84, 0.64, 0.16);
    fill(rgb255(60, 120, 255));
    cairo_restore(cr);
}

void drawSparkle(cairo_t* cr, double cx, double cy, double size, Rgb colour) {
    const double s = size / 2, w = size * 0.12;
    cairo_move_to(cr, cx, cy - s);
    cairo_curve_to(cr, cx + w, cy - w, cx + w, cy - w, cx + s, cy);
    cairo_curve_to(cr, cx + w, cy + w, cx + w, cy + w, cx, cy + s);
    cairo_curve_to(cr, cx - w, cy + w, cx - w, cy + w, cx - s, cy);
    cairo_curve_to(cr, cx - w, cy - w, cx - w, cy - w, cx, cy - s);
    cairo_close_path(cr);
    setColour(cr, colour);
    cairo_fill(cr);
}

void drawDoodle(cairo_t* cr, Doodle d, double cx, double cy, double size) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    const double s = size / 40;
    cairo_scale(cr, s, s);
    const double line = 2.2;
    switch (d) {
        case Doodle::Sun:
            for (int i = 0; i < 8; ++i) {
                const double a = i * M_PI / 4;
                cairo_move_to(cr, 13 * std::cos(a), 13 * std::sin(a));
                cairo_line_to(cr, 19 * std::cos(a), 19 * std::sin(a));
            }
            strokeOutline(cr, line, rgb255(255, 160, 0));
            circle(cr, 0, 0, 10);
            fillAndOutline(cr, rgb255(255, 220, 40), line);
            break;
        case Doodle::House:
            cairo_rectangle(cr, -13, -2, 26, 18);
            fillAndOutline(cr, rgb255(120, 200, 255), line);
            cairo_move_to(cr, -17, -2);
            cairo_line_to(cr, 0, -17);
            cairo_line_to(cr, 17, -2);
            cairo_close_path(cr);
            fillAndOutline(cr, rgb255(255, 90, 80), line);
            cairo_rectangle(cr, -4, 5, 8, 11);
            fillAndOutline(cr, rgb255(255, 210, 60), line);
            break;
        case Doodle::Fish:
            cairo_move_to(cr, -16, 0);
            cairo_curve_to(cr, -8, -13, 10, -12, 12, 0);
            cairo_curve_to(cr, 10, 12, -8, 13, -16, 0);
            cairo_close_path(cr);
            fillAndOutline(cr, rgb255(255, 140, 40), line);
            cairo_move_to(cr, 11, 0);
            cairo_line_to(cr, 19, -8);
            cairo_line_to(cr, 19, 8);
            cairo_close_path(cr);
            fillAndOutline(cr, rgb255(255, 110, 150), line);
            circle(cr, -8, -2, 2);
            setColour(cr, ink::kOutline);
            cairo_fill(cr);
            break;
        case Doodle::Flower:
            cairo_move_to(cr, 0, 4);
            cairo_line_to(cr, 0, 19);
            strokeOutline(cr, line + 1, rgb255(60, 170, 80));
            for (int i = 0; i < 5; ++i) {
                const double a = -M_PI / 2 + i * 2 * M_PI / 5;
                circle(cr, 8 * std::cos(a), -4 + 8 * std::sin(a), 6);
                fillAndOutline(cr, rgb255(230, 110, 255), line);
            }
            circle(cr, 0, -4, 5);
            fillAndOutline(cr, rgb255(255, 220, 40), line);
            break;
    }
    cairo_restore(cr);
}

}  // namespace book
