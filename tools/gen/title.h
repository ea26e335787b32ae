// The book's name in big friendly letters, each letter in a paint colour of its own.
#pragma once

#include <cairo.h>

#include <string>

namespace book {

struct TitleStyle {
    double sizePx = 40;
    double tiltDegrees = 5;  // letters lean left and right in turn
    double bounce = 0.04;    // and sit a little up and down, as a share of the size
    int firstColour = 0;     // where in the title colour cycle the first letter starts
    bool halo = true;        // a white rim around each letter, for busy backgrounds
    bool shadow = true;
};

// Width of the word as drawTitle lays it out.
double titleWidth(cairo_t* cr, const std::string& text, const TitleStyle& style);

// Draws the word centred on cx, the letters' logical boxes starting at top.
void drawTitle(cairo_t* cr, const std::string& text, double cx, double top,
               const TitleStyle& style);

}  // namespace book
