// The three panels laid over the middle of the screen, and the buttons that lie on them.
// The panels cover part of the child's picture, so they are full rectangles: a coloured
// band to the very edge, with a rounded card inside it.
#include <array>
#include <cmath>
#include <functional>
#include <string>

#include "icons.h"
#include "layout.h"
#include "pictures.h"
#include "title.h"

namespace book {
namespace {

const Rgb kShadow = rgb255(40, 60, 100);

Surface panelBase(Rgb band, Rgb top, Rgb bottom) {
    const Box p = kPanelBox;
    Surface s = newSurface(p.width, p.height);
    Context c = drawOn(s);
    cairo_t* cr = c.get();
    cairo_rectangle(cr, 0, 0, p.width, p.height);
    setColour(cr, band);
    cairo_fill(cr);
    cairo_rectangle(cr, 1, 1, p.width - 2, p.height - 2);
    setColour(cr, darker(band, 0.25));
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    auto card = [&](cairo_t* c2) { roundedRect(c2, 6, 6, p.width - 12, p.height - 12, 12); };
    softShadow(cr, card, 0, 2, 4, darker(band, 0.5), 0.5);
    card(cr);
    fillVertical(cr, 6, top, p.height - 6, bottom);
    // Confetti in the band.
    Dice dice(static_cast<uint32_t>(band.r * 1000 + band.g * 100));
    for (int i = 0; i < 26; ++i) {
        const bool horizontal = i % 2 == 0;
        const double x =
            horizontal ? dice.range(10, p.width - 10) : (i % 4 == 1 ? 3.5 : p.width - 3.5);
        const double y =
            horizontal ? (i % 4 == 0 ? 3.5 : p.height - 3.5) : dice.range(10, p.height - 10);
        circle(cr, x, y, 1.8);
        setColour(cr, {1, 1, 1}, 0.7);
        cairo_fill(cr);
    }
    return s;
}

void glow(cairo_t* cr, const Shape& shape, int radius) {
    softShadow(cr, shape, 0, 0, radius, ink::kGlow, 1.0);
    softShadow(cr, shape, 0, 0, radius, ink::kGlow, 1.0);
}

// A pill-shaped button filled with its colour, white letters; lit, it is lighter and ringed
// in warm yellow.
void pill(cairo_t* cr, double w, double h, Rgb colour, bool lit, double inset) {
    auto shape = [&](cairo_t* c) {
        roundedRect(c, inset, inset, w - 2 * inset, h - 2 * inset, (h - 2 * inset) / 2);
    };
    if (lit)
        glow(cr, shape, static_cast<int>(inset) + 2);
    else
        softShadow(cr, shape, 0, 1.5, 2, kShadow, 0.35);
    shape(cr);
    const Rgb base = lit ? lighter(colour, 0.22) : colour;
    fillVertical(cr, inset, lighter(base, 0.25), h - inset, base, true);
    setColour(cr, lit ? rgb255(255, 236, 110) : Rgb{1, 1, 1});
    cairo_set_line_width(cr, lit ? 3 : 2);
    cairo_stroke(cr);
}

void drawClose(cairo_t* cr, bool lit) {
    const Box b = kCloseBox;
    pill(cr, b.width, b.height, rgb255(236, 78, 86), lit, 2);
    drawCross(cr, 15, 13.5, 13, {1, 1, 1}, 3);
    drawTextCentred(cr, "close", 45, 13.5, 15, {1, 1, 1});
}

void drawVisit(cairo_t* cr, bool lit) {
    const Box b = kVisitBox;
    pill(cr, b.width, b.height, rgb255(44, 182, 84), lit, 4);
    drawGlobe(cr, 36, 31, 19);
    drawTextCentred(cr, "Visit our web site", 185, 30, 26, {1, 1, 1}, 1.5, rgb255(20, 110, 50));
    if (lit) {
        drawSparkle(cr, 300, 16, 12, {1, 1, 1});
        drawSparkle(cr, 312, 42, 8, {1, 1, 1});
    }
}

// The maker's logo: a crayon and the studio's name.
void drawMaker(cairo_t* cr, bool lit) {
    const Box b = kMakerBox;
    auto shape = [&](cairo_t* c) { roundedRect(c, 2, 2, b.width - 4, b.height - 4, 9); };
    if (lit) glow(cr, shape, 3);
    shape(cr);
    setColour(cr, lit ? rgb255(255, 250, 214) : Rgb{1, 1, 1});
    cairo_fill_preserve(cr);
    setColour(cr, lit ? rgb255(255, 176, 0) : rgb255(150, 130, 200));
    cairo_set_line_width(cr, lit ? 2.5 : 1.5);
    cairo_stroke(cr);
    drawCrayon(cr, 7, 28, -M_PI / 4, 23, 8, rgb255(255, 110, 40), 1.3);
    drawText(cr, "Little Crayon", 33, 3, 12.5, rgb255(120, 80, 200));
    drawText(cr, "Studio", 33, 17, 12.5, rgb255(255, 110, 40));
}

void drawYes(cairo_t* cr, bool lit) {
    const Box b = kYesBox;
    pill(cr, b.width, b.height, rgb255(40, 170, 70), lit, 3);
    drawCheck(cr, 28, 25, 24, {1, 1, 1}, 5);
    drawTextCentred(cr, "Yes", 68, 24, 26, {1, 1, 1}, 1.2, rgb255(20, 100, 40));
}

void drawNo(cairo_t* cr, bool lit) {
    const Box b = kNoBox;
    pill(cr, b.width, b.height, rgb255(232, 64, 70), lit, 3);
    drawCross(cr, 25, 25, 22, {1, 1, 1}, 5);
    drawTextCentred(cr, "No", 56, 24, 26, {1, 1, 1}, 1.2, rgb255(140, 30, 40));
}

struct Button {
    std::string stem;
    Box box;
    void (*draw)(cairo_t*, bool);
};

// Writes a panel (its base with every button resting on it) and the buttons' two pictures.
void writePanel(BookOutput& out, const std::string& name, cairo_surface_t* base,
                std::initializer_list<Button> buttons) {
    Surface panel = copyOf(base);
    for (const Button& b : buttons) {
        for (int lit = 0; lit < 2; ++lit) {
            Surface s = drawOver(base, b.box.left, b.box.top, b.box.width, b.box.height,
                                 [&](cairo_t* cr) { b.draw(cr, lit == 1); });
            out.jpeg(b.stem + (lit ? "2.JPG" : "1.JPG"), Group::Buttons, s.get());
            if (!lit) {
                Context cr = drawOn(panel);
                cairo_set_source_surface(cr.get(), s.get(), b.box.left, b.box.top);
                cairo_paint(cr.get());
            }
        }
    }
    out.jpeg(name, Group::Panels, panel.get());
}

void keyCap(cairo_t* cr, double x, double y, const std::string& key, const std::string& what) {
    const double w = measureText(cr, key, 13).width + 10;
    roundedRect(cr, x, y, w, 20, 5);
    setColour(cr, {1, 1, 1});
    cairo_fill_preserve(cr);
    setColour(cr, rgb255(150, 170, 210));
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    drawText(cr, key, x + 5, y + 2, 13, rgb255(40, 100, 210));
    drawText(cr, what, x + w + 4, y + 2, 13, ink::kOutline);
}

Surface infoBase() {
    Surface s = panelBase(rgb255(88, 160, 255), rgb255(255, 255, 255), rgb255(226, 242, 255));
    Context c = drawOn(s);
    cairo_t* cr = c.get();
    TitleStyle style;
    style.sizePx = 36;
    drawTitle(cr, "Colouring Book", 166, 12, style);
    drawTextCentred(cr, "for children from 3 to 6", 200, 74, 19, ink::kOutline);
    keyCap(cr, 36, 99, "Ctrl+P", "print");
    keyCap(cr, 154, 99, "Ctrl+X", "exit");
    keyCap(cr, 264, 99, "Ctrl+R", "info");
    return s;
}

Surface exitBase() {
    Surface s = panelBase(rgb255(40, 160, 70), rgb255(140, 230, 140), rgb255(70, 196, 96));
    Context c = drawOn(s);
    cairo_t* cr = c.get();
    const Rgb edge = rgb255(20, 110, 50);
    drawTextCentred(cr, "Do you want to", 200, 46, 32, {1, 1, 1}, 2, edge);
    drawTextCentred(cr, "stop colouring?", 200, 88, 32, {1, 1, 1}, 2, edge);
    for (auto [x, y, size] :
         {std::array<double, 3>{38, 40, 16}, {362, 36, 14}, {352, 100, 10}, {46, 104, 11}})
        drawSparkle(cr, x, y, size, rgb255(255, 250, 170));
    // A soft shelf where the two buttons lie.
    roundedRect(cr, 30, 138, 340, 74, 22);
    setColour(cr, {1, 1, 1}, 0.22);
    cairo_fill(cr);
    return s;
}

Surface printingBase() {
    Surface s = panelBase(rgb255(150, 120, 255), rgb255(255, 255, 255), rgb255(238, 232, 255));
    Context c = drawOn(s);
    cairo_t* cr = c.get();
    softShadow(
        cr, [](cairo_t* c2) { drawPrinter(c2, 108, 132, 1.2); }, 2, 4, 5, kShadow, 0.3);
    drawPrinter(cr, 108, 132, 1.2);
    drawTextCentred(cr, "Printing\u2026", 284, 100, 40, rgb255(110, 70, 220));
    drawTextCentred(cr, "Please wait", 284, 148, 26, ink::kOutline);
    const Rgb dots[] = {kPalette[0].paint, kPalette[2].paint, kPalette[1].paint, kPalette[3].paint,
                        kPalette[5].paint};
    for (int i = 0; i < 5; ++i) {
        circle(cr, 244 + i * 20, 190, 6);
        fillAndRim(cr, dots[i], 0.3, 1.5);
    }
    return s;
}

}  // namespace

void makePanels(BookOutput& out) {
    const Surface info = infoBase();
    writePanel(out, "CTRL-R.JPG", info.get(),
               {{"CLOSE", kCloseBox, drawClose},
                {"VISIT", kVisitBox, drawVisit},
                {"CTRLRFRM", kMakerBox, drawMaker}});
    const Surface exit = exitBase();
    writePanel(out, "CTRLX.JPG", exit.get(), {{"YES", kYesBox, drawYes}, {"NO", kNoBox, drawNo}});
    const Surface printing = printingBase();
    writePanel(out, "PRINTING.JPG", printing.get(), {});
}

}  // namespace book
