// What the intro shows at each moment, as plain geometry in the 1024 x 768 logical screen:
// the title zooming in, then twelve paint discs dropping one after another, bouncing and
// settling in an arc under it, and a little wave along the arc at the end. No SDL here.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace intro {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;
constexpr double kDuration = 3.0;  // seconds from launch; the program then ends by itself

struct Rgb {
    uint8_t r, g, b;
};

constexpr size_t kColours = 12;

// The book's palette in palette order: red, green, yellow, light blue, orange, purple, grey,
// white, brown, blue, black, pink.
extern const std::array<Rgb, kColours> kPalette;

// The darker ring around each disc; white gets grey so it shows on the light background.
Rgb rimOf(size_t colour);

struct DiscPose {
    bool visible;
    double x, y;  // centre
    double radius;
    double groundY;  // where its shadow lies
    double lift;     // 0 on the ground, 1 high above it: the shadow shrinks and fades
};
DiscPose discAt(size_t colour, double t);

struct TitlePose {
    double centreX, centreY;
    double scale;  // 1 = full size
    double alpha;  // 0..1
};
TitlePose titleAt(double t);

// The lettering drawn when the built-in title picture is missing: "COLOURING BOOK" as dots,
// each letter in one palette colour. Positions are relative to the title's centre.
struct Dot {
    double x, y;
    size_t colour;
};
std::vector<Dot> titleDots(double pitch);

}  // namespace intro
