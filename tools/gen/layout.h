// Where things stand on the 1024 x 768 screen: every picture that lies over a background is
// drawn over a copy of that background at its own box, so the two always meet seamlessly.
#pragma once

#include <array>
#include <string_view>

#include "paint.h"
#include "palette/palette_colours.h"
#include "screen/layout.h"

namespace book {

constexpr int kScreenWidth = 1024;
constexpr int kScreenHeight = 768;

struct Box {
    int left, top, width, height;
    double cx() const { return left + width / 2.0; }
    double cy() const { return top + height / 2.0; }
};

// The boxes of the main screen, from the program's own layout table.
constexpr Box boxOf(std::string_view control) {
    const cb::ControlLayout& c = cb::layoutOf(control);
    return {c.left, c.top, c.width, c.height};
}
constexpr Box kCanvasBox = boxOf("Slika");
constexpr Box kMoreImagesBox = boxOf("MoreImages");
constexpr Box kRubberBox = boxOf("Rubber");
constexpr Box kPaperBox = boxOf("Papir");
constexpr Box kPencilBox = boxOf("olovka");
constexpr Box kDropBox = boxOf("kapljica");
constexpr Box kEffectsBox = boxOf("MuteWave");
constexpr Box kMusicBox = boxOf("MusicOn");  // its pictures are one row taller
constexpr int kMusicPictureHeight = 79;
constexpr Box kLogoArea{800, 10, 215, 220};
constexpr int kTrayTop = 665;

struct PaletteEntry {
    Box box;           // where the button stands
    int pictureWidth;  // the last picture is wider than its box
    Rgb paint;         // the exact colour the child paints with
};

constexpr PaletteEntry paletteEntry(size_t i) {
    const cb::PaletteColour& p = cb::kPalette[i];
    const Box box = boxOf(p.control);
    return {box, i == 11 ? 86 : box.width,
            rgb255(p.colour & 0xFF, p.colour >> 8 & 0xFF, p.colour >> 16 & 0xFF)};
}
constexpr int kPaletteTop = 675;
constexpr int kPaletteHeight = 85;
constexpr std::array<PaletteEntry, 12> kPalette{
    {paletteEntry(0), paletteEntry(1), paletteEntry(2), paletteEntry(3), paletteEntry(4),
     paletteEntry(5), paletteEntry(6), paletteEntry(7), paletteEntry(8), paletteEntry(9),
     paletteEntry(10), paletteEntry(11)}};

// The gallery screen.
constexpr std::array<int, 5> kThumbLefts{54, 198, 341, 485, 629};
constexpr int kThumbTop0 = 48;
constexpr int kThumbRowStep = 137;
constexpr int kThumbWidth = 131;
constexpr int kThumbHeight = 122;
constexpr Box kBackBox = boxOf("Back");

inline Box thumbBox(int page) {  // page 1..25
    const int row = (page - 1) / 5, col = (page - 1) % 5;
    return {kThumbLefts[col], kThumbTop0 + kThumbRowStep * row, kThumbWidth, kThumbHeight};
}
inline int thumbNumber(int page) {
    const int row = (page - 1) / 5, col = (page - 1) % 5;
    return 18 * row + 2 * col + 1;
}

// The panels, all at the same place over the middle of the screen; button boxes are
// relative to the panel.
constexpr Box relativeTo(Box panel, Box b) {
    return {b.left - panel.left, b.top - panel.top, b.width, b.height};
}
constexpr Box kPanelBox = boxOf("Registered");
constexpr Box kCloseBox = relativeTo(kPanelBox, boxOf("Zatvori"));
constexpr Box kVisitBox = relativeTo(kPanelBox, boxOf("visit_site"));
constexpr Box kMakerBox = relativeTo(kPanelBox, boxOf("Firma"));
constexpr Box kYesBox = relativeTo(boxOf("Izlaz"), boxOf("Da"));
constexpr Box kNoBox = relativeTo(boxOf("Izlaz"), boxOf("Ne"));

// The friendly colours the pictures are drawn in, beside the paint colours.
namespace ink {
constexpr Rgb kOutline = rgb255(58, 52, 84);  // soft dark plum for outlines and text
constexpr Rgb kFrameYellow = rgb255(255, 204, 41);
constexpr Rgb kGlow = rgb255(255, 236, 90);
constexpr Rgb kSkyBlue = rgb255(88, 160, 255);
constexpr Rgb kLeafGreen = rgb255(64, 186, 88);
constexpr Rgb kTomato = rgb255(240, 78, 70);
constexpr Rgb kCream = rgb255(255, 250, 238);
}  // namespace ink

}  // namespace book
