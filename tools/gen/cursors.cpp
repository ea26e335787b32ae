// The cursor files the book ships (the drop and the brush over the canvas) and the pictures
// built into the programs: pointers, the window icon and the intro's title.
#include <cmath>

#include "icons.h"
#include "layout.h"
#include "pictures.h"
#include "title.h"

namespace book {
namespace {

// Tools lie from their tip at the centre towards the lower right corner, where the program
// puts the hotspot of an icon: at its centre.
constexpr double kDiagonal = M_PI / 4;

Surface dropCursor(double size, Rgb fill, Rgb outline) {
    Surface s = newSurface(static_cast<int>(size), static_cast<int>(size));
    Context c = drawOn(s);
    const double tip = size / 2 + 0.5;
    cairo_translate(c.get(), tip, tip);
    cairo_rotate(c.get(), -kDiagonal);  // the drop's axis runs down; turn it to the corner
    drawDrop(c.get(), 0, 0, size * 0.5, fill, outline, size / 21);
    return s;
}

Surface brushCursor(double size, double length, double width, Rgb handle, Rgb paint,
                    double outline) {
    Surface s = newSurface(static_cast<int>(size), static_cast<int>(size));
    Context c = drawOn(s);
    const double tip = size / 2 + 0.5;
    drawBrush(c.get(), tip, tip, kDiagonal, length, width, handle, paint, outline);
    return s;
}

Surface arrowPointer() {
    Surface s = newSurface(32, 32);
    Context c = drawOn(s);
    cairo_t* cr = c.get();
    const double pts[][2] = {{0, 0},   {0, 21},     {5, 16.5}, {8.6, 24.5},
                             {12, 23}, {8.6, 15.4}, {15, 15.4}};
    cairo_translate(cr, 1.2, 1.2);
    cairo_scale(cr, 1.15, 1.15);
    for (const auto& p : pts) cairo_line_to(cr, p[0], p[1]);
    cairo_close_path(cr);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
    setColour(cr, {1, 1, 1});
    cairo_set_line_width(cr, 2.2);
    cairo_stroke_preserve(cr);
    setColour(cr, {0, 0, 0});
    cairo_fill(cr);
    return s;
}

Surface handPointer() {
    Surface s = newSurface(32, 32);
    Context c = drawOn(s);
    drawHand(c.get(), 12.5, 1.4, 29, 1.4);
    return s;
}

Surface appIcon() {
    Surface s = newSurface(32, 32);
    Context c = drawOn(s);
    cairo_t* cr = c.get();
    // An artist's palette with a thumb hole and five dabs of paint.
    ellipse(cr, 16, 17, 15, 12, -0.35);
    circle(cr, 19.5, 22.5, 3);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    setColour(cr, rgb255(246, 206, 146));
    cairo_fill_preserve(cr);
    setColour(cr, rgb255(150, 96, 40));
    cairo_set_line_width(cr, 1.4);
    cairo_stroke(cr);
    const Rgb dabs[] = {kPalette[0].paint, rgb255(255, 214, 0), kPalette[1].paint,
                        kPalette[9].paint, kPalette[5].paint};
    const double where[][2] = {{7.5, 16}, {10, 9.5}, {16.5, 7}, {23, 9}, {26, 15}};
    for (int i = 0; i < 5; ++i) {
        circle(cr, where[i][0], where[i][1], 3.2);
        fillAndRim(cr, dabs[i], 0.35, 0.9);
    }
    return s;
}

Surface introTitle() {
    Surface s = newSurface(800, 200);
    Context c = drawOn(s);
    TitleStyle style;
    style.sizePx = 150;
    style.tiltDegrees = 6;
    style.sizePx *= std::min(1.0, 740 / titleWidth(c.get(), "Colouring Book", style));
    const double height = measureText(c.get(), "Ag", style.sizePx).height;
    drawTitle(c.get(), "Colouring Book", 400, (200 - height) / 2 - 4, style);
    return s;
}

}  // namespace

void makeCursors(BookOutput& out) {
    Surface drop = dropCursor(32, rgb255(255, 122, 0), ink::kOutline);
    out.ico("KANTICA8.ICO", drop.get());
    Surface brush = brushCursor(64, 37, 10, rgb255(60, 120, 255), rgb255(255, 60, 80), 1.8);
    out.ico("CETKA.ICO", brush.get());
}

void makeResources(BookOutput& out) {
    out.resourcePng("ARROW.png", arrowPointer().get());
    out.resourcePng("HAND.png", handPointer().get());
    out.resourcePng("BRUSH.png",
                    brushCursor(64, 27, 7, rgb255(60, 56, 70), rgb255(40, 40, 48), 1.4).get());
    out.resourcePng("DROP.png", dropCursor(32, {1, 1, 1}, rgb255(30, 30, 40)).get());
    out.resourcePng("ICON.png", appIcon().get());
    out.resourcePng("INTRO_TITLE.png", introTitle().get());
}

}  // namespace book
