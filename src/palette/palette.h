// The twelve colours along the bottom of the main screen, which one is selected, and the
// three pictures of each button: normal, hover and selected.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace cb {

class Form;

struct PaletteColour {
    std::string_view control;
    uint32_t colour;  // 0x00BBGGRR
    std::string_view sound;
};

// Palette order, left to right on the screen; position P is index P - 1.
extern const std::array<PaletteColour, 12> kPalette;

// A click on the button at position 1 to 12.
void PaletteClick(Form& form, int position);
// Clears all twelve selection flags.
void gasi_boje_3_faze(Form& form);
// Pointer movement over the button at a position: its hover (or selected) picture, and its
// neighbours back to their resting pictures.
void PaletteMouseMove(Form& form, int position);
// Loads the resting picture of one button: selected if its flag is set, else normal.
void LoadPaletteResting(Form& form, int position);
// All twelve to their resting pictures, positions 1 to 12 in order.
void LoadAllPaletteResting(Form& form);

}  // namespace cb
