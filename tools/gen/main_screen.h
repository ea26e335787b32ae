// The main screen's background and the palette discs lying on its tray.
#pragma once

#include "layout.h"
#include "paint.h"

namespace book {

// Everything of the main screen that lies under the buttons: the field, the canvas frame,
// logo and help, the button slots and the wooden tray with its twelve empty wells.
Surface paintMainBase();

enum class DiscLook { Normal, Hover, Selected };
// Draws a palette disc in screen coordinates, centred in its button's box.
void drawPaletteDisc(cairo_t* cr, const PaletteEntry& entry, DiscLook look);

}  // namespace book
