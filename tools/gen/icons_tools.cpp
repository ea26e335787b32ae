#include <cmath>

#include "icons.h"
#include "layout.h"

namespace book {
namespace {

void outlineAndFill(cairo_t* cr, Rgb fill, double outline) {
    setColour(cr, fill);
    cairo_fill_preserve(cr);
    setColour(cr, ink::kOutline);
    cairo_set_line_width(cr, outline);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
}

// Moves the context so that the tip is at the origin and the tool extends along +x.
void alongAxis(cairo_t* cr, double tipX, double tipY, double angle) {
    cairo_translate(cr, tipX, tipY);
    cairo_rotate(cr, angle);
}

}  // namespace

void drawPencil(cairo_t* cr, double tipX, double tipY, double angle, double length, double width,
                Rgb body, double outline) {
    cairo_save(cr);
    alongAxis(cr, tipX, tipY, angle);
    const double h = width / 2, cone = length * 0.24, ferrule = length * 0.80,
                 rubber = length * 0.88;
    // Body with a lighter stripe down its middle.
    cairo_rectangle(cr, cone, -h, ferrule - cone, width);
    outlineAndFill(cr, body, outline);
    cairo_rectangle(cr, cone + outline / 2, -h * 0.25, ferrule - cone - outline, h * 0.5);
    setColour(cr, lighter(body, 0.35));
    cairo_fill(cr);
    // Sharpened wood and the coloured lead.
    cairo_move_to(cr, 0, 0);
    cairo_line_to(cr, cone, -h);
    cairo_line_to(cr, cone, h);
    cairo_close_path(cr);
    outlineAndFill(cr, rgb255(250, 214, 160), outline);
    cairo_move_to(cr, 0, 0);
    cairo_line_to(cr, cone * 0.38, -h * 0.38);
    cairo_line_to(cr, cone * 0.38, h * 0.38);
    cairo_close_path(cr);
    outlineAndFill(cr, body, outline * 0.8);
    // Metal band and the pink rubber end.
    cairo_rectangle(cr, ferrule, -h, rubber - ferrule, width);
    outlineAndFill(cr, rgb255(205, 212, 222), outline);
    roundedRect(cr, rubber, -h, length - rubber, width, width * 0.3);
    outlineAndFill(cr, rgb255(255, 140, 170), outline);
    cairo_restore(cr);
}

void drawBrush(cairo_t* cr, double tipX, double tipY, double angle, double length, double width,
               Rgb handle, Rgb paint, double outline) {
    cairo_save(cr);
    alongAxis(cr, tipX, tipY, angle);
    const double h = width / 2, bristles = length * 0.28, ferrule = length * 0.45;
    // Handle: slim near the metal, round at the end.
    cairo_move_to(cr, ferrule, -h * 0.8);
    cairo_curve_to(cr, length * 0.7, -h * 0.6, length * 0.9, -h * 0.9, length, -h * 0.5);
    cairo_arc(cr, length, 0, h * 0.5, -M_PI / 2, M_PI / 2);
    cairo_curve_to(cr, length * 0.9, h * 0.9, length * 0.7, h * 0.6, ferrule, h * 0.8);
    cairo_close_path(cr);
    outlineAndFill(cr, handle, outline);
    cairo_rectangle(cr, bristles, -h, ferrule - bristles, width);
    outlineAndFill(cr, rgb255(200, 208, 220), outline);
    // Bristles come to a soft point at the tip, dipped in paint.
    cairo_move_to(cr, 0, 0);
    cairo_curve_to(cr, bristles * 0.3, -h * 0.9, bristles * 0.7, -h * 1.1, bristles, -h);
    cairo_line_to(cr, bristles, h);
    cairo_curve_to(cr, bristles * 0.7, h * 1.1, bristles * 0.3, h * 0.9, 0, 0);
    cairo_close_path(cr);
    outlineAndFill(cr, paint, outline);
    cairo_restore(cr);
}

void drawCrayon(cairo_t* cr, double tipX, double tipY, double angle, double length, double width,
                Rgb body, double outline) {
    cairo_save(cr);
    alongAxis(cr, tipX, tipY, angle);
    const double h = width / 2, cone = length * 0.22;
    cairo_move_to(cr, 0, -h * 0.3);
    cairo_line_to(cr, cone, -h);
    cairo_line_to(cr, length, -h);
    cairo_line_to(cr, length, h);
    cairo_line_to(cr, cone, h);
    cairo_line_to(cr, 0, h * 0.3);
    cairo_close_path(cr);
    outlineAndFill(cr, body, outline);
    // The paper wrapper with two bands.
    cairo_rectangle(cr, length * 0.38, -h, length * 0.5, width);
    outlineAndFill(cr, lighter(body, 0.45), outline);
    for (double band : {0.46, 0.8}) {
        cairo_rectangle(cr, length * band, -h, length * 0.05, width);
        setColour(cr, darker(body, 0.2));
        cairo_fill(cr);
    }
    cairo_restore(cr);
}

void dropPath(cairo_t* cr, double tipX, double tipY, double height) {
    // In units of the height: tip at (0, 0), the round end's bottom at (0, 1).
    const double s = height, r = 0.33 * s, c = 0.67 * s;
    cairo_new_sub_path(cr);
    cairo_move_to(cr, tipX, tipY);
    cairo_curve_to(cr, tipX + 0.1 * s, tipY + 0.22 * s, tipX + r, tipY + 0.4 * s, tipX + r,
                   tipY + c);
    cairo_arc(cr, tipX, tipY + c, r, 0, M_PI);
    cairo_curve_to(cr, tipX - r, tipY + 0.4 * s, tipX - 0.1 * s, tipY + 0.22 * s, tipX, tipY);
    cairo_close_path(cr);
}

void drawDrop(cairo_t* cr, double tipX, double tipY, double height, Rgb fill, Rgb outline,
              double outlineWidth, bool shine) {
    dropPath(cr, tipX, tipY, height);
    setColour(cr, fill);
    cairo_fill_preserve(cr);
    setColour(cr, outline);
    cairo_set_line_width(cr, outlineWidth);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
    if (!shine) return;
    ellipse(cr, tipX - height * 0.14, tipY + height * 0.66, height * 0.06, height * 0.12, 0.5);
    setColour(cr, {1, 1, 1}, 0.85);
    cairo_fill(cr);
}

void drawEraser(cairo_t* cr, double cx, double cy, double scale) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, scale, scale);
    cairo_rotate(cr, -0.2);
    const double w = 80, h = 30, depth = 9;
    // The side that shows below gives the block its thickness.
    roundedRect(cr, -w / 2, -h / 2 + depth, w, h, 8);
    outlineAndFill(cr, rgb255(230, 120, 150), 2.2);
    roundedRect(cr, -w / 2, -h / 2, w, h, 8);
    outlineAndFill(cr, rgb255(255, 255, 255), 2.2);
    // The pink half, with its own rounded end.
    cairo_save(cr);
    roundedRect(cr, -w / 2, -h / 2, w, h, 8);
    cairo_clip(cr);
    cairo_rectangle(cr, -w / 2, -h / 2, w * 0.46, h);
    setColour(cr, rgb255(255, 150, 180));
    cairo_fill(cr);
    cairo_restore(cr);
    cairo_move_to(cr, -w / 2 + w * 0.46, -h / 2);
    cairo_line_to(cr, -w / 2 + w * 0.46, h / 2);
    setColour(cr, ink::kOutline);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    roundedRect(cr, -w / 2, -h / 2, w, h, 8);
    cairo_set_line_width(cr, 2.2);
    cairo_stroke(cr);
    // Shine along the top edge.
    roundedRect(cr, -w / 2 + 6, -h / 2 + 4, w * 0.3, 4, 2);
    setColour(cr, {1, 1, 1}, 0.7);
    cairo_fill(cr);
    cairo_restore(cr);
}

void drawPaper(cairo_t* cr, double cx, double cy, double scale) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, scale, scale);
    cairo_rotate(cr, -0.1);
    const double w = 40, h = 48, fold = 13;
    cairo_move_to(cr, -w / 2, -h / 2);
    cairo_line_to(cr, w / 2, -h / 2);
    cairo_line_to(cr, w / 2, h / 2 - fold);
    cairo_line_to(cr, w / 2 - fold, h / 2);
    cairo_line_to(cr, -w / 2, h / 2);
    cairo_close_path(cr);
    outlineAndFill(cr, {1, 1, 1}, 2);
    // Faint ruled lines.
    setColour(cr, rgb255(150, 200, 255));
    cairo_set_line_width(cr, 1.4);
    for (int i = 0; i < 4; ++i) {
        const double y = -h / 2 + 11 + i * 8;
        cairo_move_to(cr, -w / 2 + 6, y);
        cairo_line_to(cr, w / 2 - (i == 3 ? fold + 3 : 6), y);
    }
    cairo_stroke(cr);
    // The curled corner, lifting towards the viewer.
    cairo_move_to(cr, w / 2, h / 2 - fold);
    cairo_curve_to(cr, w / 2 - fold * 0.8, h / 2 - fold * 0.9, w / 2 - fold * 1.1,
                   h / 2 - fold * 0.6, w / 2 - fold, h / 2);
    cairo_close_path(cr);
    cairo_pattern_t* p = cairo_pattern_create_linear(w / 2 - fold, h / 2 - fold, w / 2, h / 2);
    cairo_pattern_add_color_stop_rgb(p, 0, 0.82, 0.85, 0.9);
    cairo_pattern_add_color_stop_rgb(p, 1, 1, 1, 1);
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
    setColour(cr, ink::kOutline);
    cairo_set_line_width(cr, 2);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
    cairo_restore(cr);
}

}  // namespace book
