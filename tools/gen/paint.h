// Drawing helpers shared by every picture of the book: colours, shapes, soft shadows and
// glows, and lettering in the book's typeface.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace book {

struct Rgb {
    double r = 0, g = 0, b = 0;  // 0..1
};

constexpr Rgb rgb255(int r, int g, int b) {
    return {r / 255.0, g / 255.0, b / 255.0};
}
Rgb mix(Rgb a, Rgb b, double t);  // t = 0 gives a, 1 gives b
inline Rgb lighter(Rgb c, double t) {
    return mix(c, {1, 1, 1}, t);
}
inline Rgb darker(Rgb c, double t) {
    return mix(c, {0, 0, 0}, t);
}
void setColour(cairo_t* cr, Rgb c, double alpha = 1.0);

struct SurfaceDeleter {
    void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
using Surface = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;

struct ContextDeleter {
    void operator()(cairo_t* cr) const { cairo_destroy(cr); }
};
using Context = std::unique_ptr<cairo_t, ContextDeleter>;

Surface newSurface(int width, int height);  // ARGB32, fully transparent
inline Context drawOn(const Surface& s) {
    return Context(cairo_create(s.get()));
}
// A copy of the rectangle (x, y, w, h) of a picture, as a surface of its own.
Surface crop(cairo_surface_t* source, int x, int y, int w, int h);
// A copy of a picture (same size) so that a base scene can be reused for several variants.
Surface copyOf(cairo_surface_t* source);
// A picture that lies over a background at (x, y): a copy of that part of the background with
// draw run on top in the picture's own coordinates.
Surface drawOver(cairo_surface_t* background, int x, int y, int w, int h,
                 const std::function<void(cairo_t*)>& draw);
int widthOf(cairo_surface_t* s);
int heightOf(cairo_surface_t* s);

// Blurs a surface in place with three box passes (close to a Gaussian of the radius).
void blur(cairo_surface_t* surface, int radius);

// A shape drawn through the caller's current transform: it builds a path, or fills, or both.
using Shape = std::function<void(cairo_t*)>;

// Paints a blurred copy of a filled shape in one colour, offset by (dx, dy) device pixels:
// a drop shadow under the shape, or with no offset and a bright colour, a glow around it.
void softShadow(cairo_t* cr, const Shape& shape, double dx, double dy, int radius, Rgb colour,
                double alpha);

void roundedRect(cairo_t* cr, double x, double y, double w, double h, double radius);
void circle(cairo_t* cr, double cx, double cy, double r);
// Fills the current path in a colour and draws its rim in a darker shade of it.
void fillAndRim(cairo_t* cr, Rgb colour, double darkness, double lineWidth);
// Adds an ellipse with radii rx, ry, turned by angle (radians) about its centre.
void ellipse(cairo_t* cr, double cx, double cy, double rx, double ry, double angle = 0);
void star(cairo_t* cr, double cx, double cy, double outer, double inner, int points = 5);

// A vertical gradient fill of the current path.
void fillVertical(cairo_t* cr, double y0, Rgb top, double y1, Rgb bottom, bool preserve = false);

// Lettering in Comic Neue Bold. Sizes are in pixels (the em size).
struct TextSize {
    double width = 0, height = 0;
};
TextSize measureText(cairo_t* cr, const std::string& text, double sizePx);
enum class Align { Left, Centre, Right };
// Draws text with its logical box's top at y; x is the left edge, the centre or the right
// edge by align. An outline is stroked under the fill when outlineWidth > 0.
void drawText(cairo_t* cr, const std::string& text, double x, double y, double sizePx, Rgb fill,
              Align align = Align::Left, double outlineWidth = 0, Rgb outline = {});
// The same, centred on (cx, cy) by the logical box.
void drawTextCentred(cairo_t* cr, const std::string& text, double cx, double cy, double sizePx,
                     Rgb fill, double outlineWidth = 0, Rgb outline = {});

// A fixed-seed sequence for scattered decoration (grain, confetti), the same on every run.
class Dice {
  public:
    explicit Dice(uint32_t seed) : state_(seed) {}
    double next() {  // 0 <= value < 1
        state_ = state_ * 1664525u + 1013904223u;
        return (state_ >> 8) / double(1u << 24);
    }
    double range(double lo, double hi) { return lo + (hi - lo) * next(); }

  private:
    uint32_t state_;
};

}  // namespace book
