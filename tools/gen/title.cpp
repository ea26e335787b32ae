#include "title.h"

#include <array>
#include <cmath>
#include <vector>

#include "layout.h"
#include "paint.h"

namespace book {
namespace {

// The bright paint colours, in an order that keeps neighbours far apart. White, grey and
// black are left out: they read as gaps in a word.
const std::array<Rgb, 9> kTitleColours{
    kPalette[0].paint, kPalette[4].paint, rgb255(255, 214, 0), kPalette[1].paint, kPalette[3].paint,
    kPalette[9].paint, kPalette[5].paint, kPalette[11].paint,  kPalette[8].paint,
};

struct Letter {
    std::string text;
    double advance;
};

// Splits UTF-8 text into characters with their advances.
std::vector<Letter> lettersOf(cairo_t* cr, const std::string& text, double sizePx) {
    std::vector<Letter> letters;
    for (size_t i = 0; i < text.size();) {
        size_t len = 1;
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c >= 0xF0)
            len = 4;
        else if (c >= 0xE0)
            len = 3;
        else if (c >= 0xC0)
            len = 2;
        const std::string one = text.substr(i, len);
        letters.push_back({one, measureText(cr, one, sizePx).width});
        i += len;
    }
    return letters;
}

}  // namespace

double titleWidth(cairo_t* cr, const std::string& text, const TitleStyle& style) {
    double w = 0;
    for (const Letter& l : lettersOf(cr, text, style.sizePx)) w += l.advance;
    return w;
}

void drawTitle(cairo_t* cr, const std::string& text, double cx, double top,
               const TitleStyle& style) {
    const std::vector<Letter> letters = lettersOf(cr, text, style.sizePx);
    double x = cx - titleWidth(cr, text, style) / 2;
    const double size = style.sizePx;
    const double textHeight = measureText(cr, "Ag", size).height;
    int colour = style.firstColour, index = 0;
    for (const Letter& l : letters) {
        if (l.text == " ") {
            x += l.advance;
            continue;
        }
        const Rgb fill = kTitleColours[colour % kTitleColours.size()];
        const double sign = (index % 2 == 0) ? -1 : 1;
        const double lcx = x + l.advance / 2, lcy = top + textHeight / 2;
        cairo_save(cr);
        cairo_translate(cr, lcx, lcy + sign * style.bounce * size);
        cairo_rotate(cr, sign * style.tiltDegrees * M_PI / 180);
        if (style.shadow) {
            softShadow(
                cr,
                [&](cairo_t* c) {
                    drawText(c, l.text, 0, -textHeight / 2, size, {0, 0, 0}, Align::Centre,
                             style.halo ? size * 0.07 : 0, {0, 0, 0});
                },
                size * 0.03, size * 0.06, static_cast<int>(size * 0.08) + 1, rgb255(60, 40, 90),
                0.35);
        }
        if (style.halo)
            drawText(cr, l.text, 0, -textHeight / 2, size, {1, 1, 1}, Align::Centre, size * 0.085,
                     {1, 1, 1});
        drawText(cr, l.text, 0, -textHeight / 2, size, fill, Align::Centre, size * 0.035,
                 darker(fill, 0.4));
        cairo_restore(cr);
        x += l.advance;
        ++colour;
        ++index;
    }
}

}  // namespace book
