// The little drawings the buttons, panels and cursors are made of. Each one draws itself
// around the point it is given, in the book's outlined, flat-colour style.
#pragma once

#include <cairo.h>

#include "paint.h"

namespace book {

// Tools. The pencil, brush and crayon lie along a line from their tip at the given angle
// (radians, 0 = the body extends to the right of the tip).
void drawPencil(cairo_t* cr, double tipX, double tipY, double angle, double length, double width,
                Rgb body, double outline = 2);
void drawBrush(cairo_t* cr, double tipX, double tipY, double angle, double length, double width,
               Rgb handle, Rgb paint, double outline = 2);
void drawCrayon(cairo_t* cr, double tipX, double tipY, double angle, double length, double width,
                Rgb body, double outline = 2);
// A paint drop standing on its round end; tip is its pointed top.
void dropPath(cairo_t* cr, double tipX, double tipY, double height);
void drawDrop(cairo_t* cr, double tipX, double tipY, double height, Rgb fill, Rgb outline,
              double outlineWidth, bool shine = true);
void drawEraser(cairo_t* cr, double cx, double cy, double scale);  // about 84 x 40 at scale 1
void drawPaper(cairo_t* cr, double cx, double cy, double scale);   // about 40 x 48 at scale 1

// Signs.
void drawSpeaker(cairo_t* cr, double cx, double cy, double size, bool waves);
void drawNotes(cairo_t* cr, double cx, double cy, double size, Rgb colour);
void drawStrike(cairo_t* cr, double cx, double cy, double radius);  // a red "not now" bar
void drawCheck(cairo_t* cr, double cx, double cy, double size, Rgb colour, double width);
void drawCross(cairo_t* cr, double cx, double cy, double size, Rgb colour, double width);
void drawGlobe(cairo_t* cr, double cx, double cy, double radius);
void drawPrinter(cairo_t* cr, double cx, double cy, double scale);  // about 120 x 110
// A white pointing hand with a blue cuff, pointing up, its fingertip at (tipX, tipY);
// size is the hand's height. Rotate the context to point elsewhere.
void drawHand(cairo_t* cr, double tipX, double tipY, double size, double outline = 1.5);
// A sparkle: a four-pointed star.
void drawSparkle(cairo_t* cr, double cx, double cy, double size, Rgb colour);

// Tiny drawings for the sheets in the more-pictures stack.
enum class Doodle { Sun, House, Fish, Flower };
void drawDoodle(cairo_t* cr, Doodle d, double cx, double cy, double size);

}  // namespace book
