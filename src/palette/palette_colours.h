// The twelve paint colours in palette order, as plain data: the program paints with them and
// the book's generator draws the palette pictures in them.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "platform/image.h"

namespace cb {

struct PaletteColour {
    std::string_view control;
    uint32_t colour;  // 0x00BBGGRR
    std::string_view sound;
};

// Palette order, left to right on the screen; position P is index P - 1.
// The button labelled "dark yellow" paints white, and the black one paints 30, 30, 30 so
// that black paint never counts as an outline.
inline constexpr std::array<PaletteColour, 12> kPalette = {{
    {"PaletaCrvena", rgb(255, 0, 0), "CRVENA"},
    {"PaletaZelena", rgb(52, 204, 103), "ZELENA"},
    {"PaletaZuta", rgb(255, 255, 0), "ZUTA"},
    {"PaletaSvPlava", rgb(0, 204, 255), "SVPLAVA"},
    {"PaletaOranz", rgb(255, 102, 0), "ORANZ"},
    {"PaletaLjubicasta", rgb(204, 51, 255), "LJUBICASTA"},
    {"PaletaSiva", rgb(178, 178, 178), "SIVA"},
    {"PaletaTamnozuta", rgb(255, 255, 255), "TAMNOZUTA"},
    {"PaletaBraon", rgb(204, 103, 51), "BRAON"},
    {"PaletaPlava", rgb(0, 0, 255), "PLAVA"},
    {"PaletaCrna", rgb(30, 30, 30), "CRNA"},
    {"PaletaPink", rgb(255, 0, 255), "PINK"},
}};

}  // namespace cb
