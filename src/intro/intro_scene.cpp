#include "intro_scene.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string_view>

namespace intro {

const std::array<Rgb, kColours> kPalette{{{255, 0, 0},
                                          {52, 204, 103},
                                          {255, 255, 0},
                                          {0, 204, 255},
                                          {255, 102, 0},
                                          {204, 51, 255},
                                          {178, 178, 178},
                                          {255, 255, 255},
                                          {204, 103, 51},
                                          {0, 0, 255},
                                          {30, 30, 30},
                                          {255, 0, 255}}};

namespace {

constexpr double kTitleY = 235.0;
constexpr double kDiscRadius = 33.0;
// The arc is a slice of a big circle whose centre lies above the screen, so it smiles.
constexpr double kArcCentreY = -130.0;
constexpr double kArcRadius = 700.0;
constexpr double kArcHalfAngle = 36.0 * std::numbers::pi / 180.0;

constexpr double kFirstDrop = 0.4;  // s
constexpr double kDropGap = 0.1;
constexpr double kDropTime = 0.7;
constexpr double kWaveStart = 2.25;
constexpr double kWaveGap = 0.025;
constexpr double kWaveTime = 0.25;
constexpr double kWaveHeight = 14.0;

double clamp01(double x) {
    return std::clamp(x, 0.0, 1.0);
}

// The familiar bouncing-ball curve: 0 at the top, 1 on the ground, three smaller hops.
double easeOutBounce(double x) {
    constexpr double n = 7.5625;
    constexpr double d = 2.75;
    if (x < 1.0 / d) return n * x * x;
    if (x < 2.0 / d) return n * (x - 1.5 / d) * (x - 1.5 / d) + 0.75;
    if (x < 2.5 / d) return n * (x - 2.25 / d) * (x - 2.25 / d) + 0.9375;
    return n * (x - 2.625 / d) * (x - 2.625 / d) + 0.984375;
}

// Overshoots a little before settling: the title pops in rather than slides.
double easeOutBack(double x) {
    constexpr double c = 1.70158;
    const double u = x - 1.0;
    return 1.0 + (c + 1.0) * u * u * u + c * u * u;
}

}  // namespace

Rgb rimOf(size_t colour) {
    const Rgb c = kPalette[colour];
    if (c.r == 255 && c.g == 255 && c.b == 255) return {160, 160, 160};
    if (c.r < 60 && c.g < 60 && c.b < 60) return {90, 90, 90};
    auto dark = [](uint8_t v) { return static_cast<uint8_t>(v * 7 / 10); };
    return {dark(c.r), dark(c.g), dark(c.b)};
}

DiscPose discAt(size_t colour, double t) {
    const double step = 2.0 * kArcHalfAngle / (kColours - 1);
    const double angle = -kArcHalfAngle + step * static_cast<double>(colour);
    const double x = kWidth / 2.0 + kArcRadius * std::sin(angle);
    const double ground = kArcCentreY + kArcRadius * std::cos(angle);

    const double drop = (t - kFirstDrop - kDropGap * static_cast<double>(colour)) / kDropTime;
    if (drop < 0.0) return {false, x, -kDiscRadius, kDiscRadius, ground + kDiscRadius, 1.0};
    const double top = -kDiscRadius * 2.0;
    double y = top + (ground - top) * easeOutBounce(clamp01(drop));

    const double wave = (t - kWaveStart - kWaveGap * static_cast<double>(colour)) / kWaveTime;
    if (wave > 0.0 && wave < 1.0) y -= kWaveHeight * std::sin(std::numbers::pi * wave);

    const double lift = clamp01((ground - y) / (ground - top));
    return {true, x, y, kDiscRadius, ground + kDiscRadius, lift};
}

TitlePose titleAt(double t) {
    const double grow = clamp01((t - 0.1) / 0.8);
    const double scale = 0.3 + 0.7 * easeOutBack(grow);
    // Once it has landed the title breathes gently, so the screen never looks frozen.
    const double breath =
        t > 0.9 ? 0.015 * std::sin(2.0 * std::numbers::pi * (t - 0.9) / 1.6) : 0.0;
    return {kWidth / 2.0, kTitleY, scale + breath, clamp01((t - 0.1) / 0.5)};
}

std::vector<Dot> titleDots(double pitch) {
    // 5 x 7 capitals, just the letters of the title.
    struct Glyph {
        char letter;
        std::array<std::string_view, 7> rows;
    };
    static constexpr std::array<Glyph, 10> kGlyphs{{
        {'C', {".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."}},
        {'O', {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
        {'L', {"#....", "#....", "#....", "#....", "#....", "#....", "#####"}},
        {'U', {"#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
        {'R', {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"}},
        {'I', {".###.", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."}},
        {'N', {"#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#", "#...#"}},
        {'G', {".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".###."}},
        {'B', {"####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."}},
        {'K', {"#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"}},
    }};
    constexpr std::string_view kTitle = "COLOURING BOOK";
    const double advance = 6.0 * pitch;
    const double left = -(static_cast<double>(kTitle.size()) * advance - pitch) / 2.0;
    std::vector<Dot> dots;
    size_t colour = 0;
    for (size_t i = 0; i < kTitle.size(); ++i) {
        const auto glyph = std::find_if(kGlyphs.begin(), kGlyphs.end(),
                                        [&](const Glyph& g) { return g.letter == kTitle[i]; });
        if (glyph == kGlyphs.end()) continue;  // the space
        for (size_t row = 0; row < 7; ++row) {
            for (size_t col = 0; col < 5; ++col) {
                if (glyph->rows[row][col] != '#') continue;
                dots.push_back({left + static_cast<double>(i) * advance + (col + 0.5) * pitch,
                                (static_cast<double>(row) - 3.0) * pitch, colour});
            }
        }
        colour = (colour + 1) % kColours;
    }
    return dots;
}

}  // namespace intro
