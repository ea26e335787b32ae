#include "main_screen.h"

#include <cmath>

#include "icons.h"
#include "title.h"

namespace book {
namespace {

constexpr double kWellRadius = 34;
constexpr double kDiscCentreY = kPaletteTop + kPaletteHeight / 2.0;
const Rgb kWoodLight = rgb255(232, 176, 112);
const Rgb kWoodDark = rgb255(196, 132, 74);

void paintField(cairo_t* cr) {
    cairo_rectangle(cr, 0, 0, kScreenWidth, kScreenHeight);
    fillVertical(cr, 0, rgb255(236, 247, 255), kTrayTop, rgb255(255, 248, 232));
    // Pale confetti, so that the field looks made rather than empty.
    Dice dice(7);
    const Rgb confetti[] = {rgb255(255, 170, 170), rgb255(170, 220, 255), rgb255(255, 225, 130),
                            rgb255(180, 235, 180), rgb255(225, 190, 255)};
    for (int i = 0; i < 140; ++i) {
        const double x = dice.range(0, kScreenWidth), y = dice.range(0, kTrayTop - 8);
        const double r = dice.range(2.5, 5.5);
        circle(cr, x, y, r);
        setColour(cr, confetti[i % 5], 0.45);
        cairo_fill(cr);
    }
}

void paintCanvasFrame(cairo_t* cr) {
    const Box c = kCanvasBox;
    const double band = 9;
    auto outer = [&](cairo_t* c2) {
        roundedRect(c2, c.left - band, c.top - band, c.width + 2 * band, c.height + 2 * band, 16);
    };
    softShadow(cr, outer, 2, 5, 10, rgb255(90, 70, 20), 0.35);
    outer(cr);
    fillVertical(cr, c.top - band, rgb255(255, 222, 80), c.top + c.height + band, ink::kFrameYellow,
                 true);
    setColour(cr, rgb255(226, 164, 0));
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    // A thin light line just outside the page gives the frame a lip.
    cairo_rectangle(cr, c.left - 2.5, c.top - 2.5, c.width + 5, c.height + 5);
    setColour(cr, rgb255(255, 240, 170));
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    cairo_rectangle(cr, c.left, c.top, c.width, c.height);
    setColour(cr, {1, 1, 1});
    cairo_fill(cr);
}

void paintSidebar(cairo_t* cr) {
    auto panel = [](cairo_t* c) { roundedRect(c, 792, 4, 226, 654, 22); };
    softShadow(cr, panel, 1, 4, 8, rgb255(60, 90, 140), 0.22);
    panel(cr);
    setColour(cr, {1, 1, 1}, 0.92);
    cairo_fill_preserve(cr);
    setColour(cr, rgb255(178, 222, 255));
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
}

void paintLogoAndHelp(cairo_t* cr) {
    const Box a = kLogoArea;
    TitleStyle big;
    big.sizePx = 44;
    big.sizePx *= std::min(1.0, (a.width - 16) / titleWidth(cr, "Colouring", big));
    drawTitle(cr, "Colouring", a.cx(), a.top + 4, big);
    TitleStyle book = big;
    book.sizePx = 54;
    book.firstColour = 4;
    drawTitle(cr, "Book", a.cx(), a.top + 50, book);

    struct Line {
        const char* text;
        int icon;
    };
    const Line lines[] = {{"Pick a colour", 0}, {"Click in the picture", 1}, {"Have fun!", 2}};
    double y = a.top + 128;
    for (const Line& l : lines) {
        const double ix = a.left + 16, iy = y + 12;
        if (l.icon == 0) {
            circle(cr, ix, iy, 8);
            fillAndRim(cr, kPalette[0].paint, 0.3, 1.5);
        } else if (l.icon == 1) {
            drawDrop(cr, ix, iy - 10, 20, rgb255(255, 122, 0), ink::kOutline, 1.5, false);
        } else {
            star(cr, ix, iy, 10, 4.5);
            setColour(cr, rgb255(255, 200, 0));
            cairo_fill_preserve(cr);
            setColour(cr, rgb255(220, 140, 0));
            cairo_set_line_width(cr, 1.5);
            cairo_stroke(cr);
        }
        drawText(cr, l.text, a.left + 30, y, 17, ink::kOutline);
        y += 30;
    }
}

// A soft recess the size of a button, so that the buttons look set into the panel.
void paintSlot(cairo_t* cr, const Box& b) {
    const double x = b.left + 1, y = b.top + 1, w = b.width - 2, h = b.height - 2;
    roundedRect(cr, x, y, w, h, 14);
    setColour(cr, rgb255(236, 243, 251));
    cairo_fill(cr);
    cairo_save(cr);
    roundedRect(cr, x, y, w, h, 14);
    cairo_clip(cr);
    auto ring = [&](cairo_t* c) {
        cairo_rectangle(c, x - 20, y - 20, w + 40, h + 40);
        roundedRect(c, x, y + 2, w, h, 14);
        cairo_set_fill_rule(c, CAIRO_FILL_RULE_EVEN_ODD);
    };
    softShadow(cr, ring, 0, 0, 4, rgb255(90, 120, 160), 0.35);
    cairo_restore(cr);
}

void paintShortcutNote(cairo_t* cr) {
    cairo_save(cr);
    cairo_translate(cr, 976, 613);
    cairo_rotate(cr, 0.05);
    auto note = [](cairo_t* c) { cairo_rectangle(c, -37, -36, 74, 72); };
    softShadow(cr, note, 1, 3, 4, rgb255(120, 100, 20), 0.35);
    note(cr);
    fillVertical(cr, -36, rgb255(255, 246, 150), 36, rgb255(255, 233, 110));
    // A strip of tape holding it.
    cairo_rectangle(cr, -14, -41, 28, 10);
    setColour(cr, rgb255(200, 230, 255), 0.8);
    cairo_fill(cr);
    const Rgb key = rgb255(40, 110, 220);
    drawText(cr, "Ctrl+P", 0, -32, 15, key, Align::Centre);
    drawText(cr, "print", 0, -16, 15, ink::kOutline, Align::Centre);
    drawText(cr, "Ctrl+X", 0, 1, 15, key, Align::Centre);
    drawText(cr, "exit", 0, 17, 15, ink::kOutline, Align::Centre);
    cairo_restore(cr);
}

void paintTray(cairo_t* cr) {
    auto tray = [](cairo_t* c) { roundedRect(c, -20, kTrayTop, kScreenWidth + 40, 140, 18); };
    softShadow(cr, tray, 0, -2, 8, rgb255(120, 80, 30), 0.35);
    tray(cr);
    fillVertical(cr, kTrayTop, kWoodLight, kScreenHeight, kWoodDark);
    // Grain: long, gently waving lines, from a fixed seed.
    Dice dice(23);
    for (int i = 0; i < 22; ++i) {
        const double y0 = kTrayTop + 8 + i * 4.6 + dice.range(-1.5, 1.5);
        const double amp = dice.range(0.6, 2.2), len = dice.range(140, 320);
        const double phase = dice.range(0, 6.28);
        cairo_move_to(cr, 0, y0);
        for (int x = 0; x <= kScreenWidth; x += 8)
            cairo_line_to(cr, x, y0 + amp * std::sin(x / len * 6.28 + phase));
        setColour(cr, rgb255(160, 100, 50), dice.range(0.12, 0.3));
        cairo_set_line_width(cr, dice.range(0.8, 1.8));
        cairo_stroke(cr);
    }
    // The lip along the top edge.
    cairo_move_to(cr, 0, kTrayTop + 2);
    cairo_line_to(cr, kScreenWidth, kTrayTop + 2);
    setColour(cr, rgb255(250, 214, 160));
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    // Twelve wells, each a shallow hollow for its paint.
    for (const PaletteEntry& e : kPalette) {
        const double cx = e.box.cx(), cy = kDiscCentreY;
        circle(cr, cx, cy, kWellRadius);
        cairo_pattern_t* p = cairo_pattern_create_radial(cx, cy - 6, 4, cx, cy, kWellRadius);
        cairo_pattern_add_color_stop_rgb(p, 0, 0.93, 0.80, 0.62);
        cairo_pattern_add_color_stop_rgb(p, 1, 0.70, 0.48, 0.27);
        cairo_set_source(cr, p);
        cairo_fill(cr);
        cairo_pattern_destroy(p);
        cairo_new_sub_path(cr);
        cairo_arc(cr, cx, cy, kWellRadius - 1, 0.2, M_PI - 0.2);
        setColour(cr, rgb255(255, 226, 180), 0.9);
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);
        cairo_new_sub_path(cr);
        cairo_arc(cr, cx, cy, kWellRadius - 1, M_PI + 0.2, 2 * M_PI - 0.2);
        setColour(cr, rgb255(130, 80, 35), 0.8);
        cairo_stroke(cr);
    }
}

}  // namespace

Surface paintMainBase() {
    Surface s = newSurface(kScreenWidth, kScreenHeight);
    Context c = drawOn(s);
    cairo_t* cr = c.get();
    paintField(cr);
    paintSidebar(cr);
    paintCanvasFrame(cr);
    paintLogoAndHelp(cr);
    for (const Box& b :
         {kMoreImagesBox, kRubberBox, kPaperBox, kEffectsBox, kMusicBox, kPencilBox, kDropBox})
        paintSlot(cr, b);
    paintShortcutNote(cr);
    paintTray(cr);
    return s;
}

void drawPaletteDisc(cairo_t* cr, const PaletteEntry& e, DiscLook look) {
    const double cx = e.box.cx(), cy = kDiscCentreY;
    const Rgb paint = e.paint;
    const bool white = paint.r > 0.99 && paint.g > 0.99 && paint.b > 0.99;
    const Rgb rim = white ? rgb255(150, 150, 150) : darker(paint, 0.3);
    double r = 26, lift = 0;
    if (look == DiscLook::Hover) {
        softShadow(
            cr, [&](cairo_t* c) { circle(c, cx, cy, kWellRadius + 1); }, 0, 0, 5,
            rgb255(255, 240, 120), 1.0);
        circle(cr, cx, cy, kWellRadius - 1);
        setColour(cr, rgb255(255, 252, 220));
        cairo_set_line_width(cr, 3);
        cairo_stroke(cr);
        r = 29;
    } else if (look == DiscLook::Selected) {
        lift = 2;
        r = 28;
        softShadow(
            cr, [&](cairo_t* c) { circle(c, cx, cy, r + 6); }, 1, 4, 4, rgb255(70, 40, 10), 0.55);
        circle(cr, cx, cy - lift, r + 4);
        setColour(cr, {1, 1, 1});
        cairo_set_line_width(cr, 7);
        cairo_stroke(cr);
        circle(cr, cx, cy - lift, r + 7.5);
        setColour(cr, ink::kOutline, 0.8);
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
    } else {
        softShadow(
            cr, [&](cairo_t* c) { circle(c, cx, cy, r); }, 0, 2, 3, rgb255(90, 50, 10), 0.45);
    }
    const double y = cy - lift;
    circle(cr, cx, y, r);
    setColour(cr, paint);
    cairo_fill_preserve(cr);
    setColour(cr, rim);
    cairo_set_line_width(cr, 2.5);
    cairo_stroke(cr);
    // A small gloss near the rim; the middle stays the exact paint colour.
    ellipse(cr, cx - r * 0.5, y - r * 0.52, r * 0.22, r * 0.1, -0.7);
    setColour(cr, {1, 1, 1}, white ? 0.0 : 0.55);
    cairo_fill(cr);
    if (look == DiscLook::Selected) {
        const double bx = cx + 24, by = y - 23;
        circle(cr, bx, by, 10.5);
        setColour(cr, rgb255(40, 185, 80));
        cairo_fill_preserve(cr);
        setColour(cr, {1, 1, 1});
        cairo_set_line_width(cr, 2.5);
        cairo_stroke(cr);
        drawCheck(cr, bx, by + 0.5, 11, {1, 1, 1}, 2.8);
    }
}

}  // namespace book
