// The twelve colours along the bottom of the main screen, which one is selected, and the
// three pictures of each button: normal, hover and selected.
#pragma once

#include "palette/palette_colours.h"

namespace cb {

class Form;

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
