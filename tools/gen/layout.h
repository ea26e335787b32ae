// Where things stand on the 1024 x 768 screen: every picture that lies over a background is
// drawn over a copy of that background at its own box, so the two always meet seamlessly.
#pragma once

#include <array>

#include "paint.h"

namespace book {

constexpr int kScreenWidth = 1024;
constexpr int kScreenHeight = 768;

struct Box {
    int left, top, width, height;
    double cx() const { return left + width / 2.0; }
    double cy() const { return top + height / 2.0; }
};

// The main screen.
constexpr Box kCanvasBox{30, 29, 750, 600};
constexpr Box kMoreImagesBox{832, 241, 160, 169};
constexpr Box kRubberBox{825, 412, 112, 61};
constexpr Box kPaperBox{936, 412, 63, 61};
constexpr Box kPencilBox{804, 571, 62, 81};
constexpr Box kDropBox{871, 571, 58, 81};
constexpr Box kEffectsBox{835, 485, 78, 79};
constexpr Box kMusicBox{919, 485, 78, 78};  // its pictures are one row taller
constexpr int kMusicPictureHeight = 79;
constexpr Box kLogoArea{800, 10, 215, 220};
constexpr int kTrayTop = 665;

struct PaletteEntry {
    Box box;           // where the button stands
    int pictureWidth;  // the last picture is wider than its box
    Rgb paint;         // the exact colour the child paints with
};

constexpr int kPaletteTop = 675;
constexpr int kPaletteHeight = 85;
constexpr std::array<PaletteEntry, 12> kPalette{{
    {{8, kPaletteTop, 85, kPaletteHeight}, 85, rgb255(255, 0, 0)},
    {{93, kPaletteTop, 84, kPaletteHeight}, 84, rgb255(52, 204, 103)},
    {{176, kPaletteTop, 84, kPaletteHeight}, 84, rgb255(255, 255, 0)},
    {{261, kPaletteTop, 84, kPaletteHeight}, 84, rgb255(0, 204, 255)},
    {{345, kPaletteTop, 83, kPaletteHeight}, 83, rgb255(255, 102, 0)},
    {{428, kPaletteTop, 85, kPaletteHeight}, 85, rgb255(204, 51, 255)},
    {{513, kPaletteTop, 83, kPaletteHeight}, 83, rgb255(178, 178, 178)},
    {{596, kPaletteTop, 84, kPaletteHeight}, 84, rgb255(255, 255, 255)},
    {{680, kPaletteTop, 84, kPaletteHeight}, 84, rgb255(204, 103, 51)},
    {{764, kPaletteTop, 84, kPaletteHeight}, 84, rgb255(0, 0, 255)},
    {{848, kPaletteTop, 84, kPaletteHeight}, 84, rgb255(30, 30, 30)},
    {{932, kPaletteTop, 84, kPaletteHeight}, 86, rgb255(255, 0, 255)},
}};

// The gallery screen.
constexpr std::array<int, 5> kThumbLefts{54, 198, 341, 485, 629};
constexpr int kThumbTop0 = 48;
constexpr int kThumbRowStep = 137;
constexpr int kThumbWidth = 131;
constexpr int kThumbHeight = 122;
constexpr Box kBackBox{30, 0, 192, 40};

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
constexpr Box kPanelBox{312, 259, 400, 250};
constexpr Box kCloseBox{320, 10, 73, 27};
constexpr Box kVisitBox{34, 136, 330, 62};
constexpr Box kMakerBox{147, 203, 110, 35};
constexpr Box kYesBox{56, 150, 107, 50};
constexpr Box kNoBox{256, 150, 85, 50};

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
