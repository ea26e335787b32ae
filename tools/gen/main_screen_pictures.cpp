// GLAVNA.JPG and the palette pictures: the tray is drawn once, and every palette picture is
// its own piece of that tray with the disc on top, so the buttons sit on the background
// without a seam.
#include <cstdio>

#include "main_screen.h"
#include "pictures.h"

namespace book {

void makeMainButtons(cairo_surface_t* base, BookOutput& out);  // main_buttons.cpp

void makeMainScreen(BookOutput& out) {
    Surface base = paintMainBase();
    Surface glavna = copyOf(base.get());
    {
        Context cr = drawOn(glavna);
        for (const PaletteEntry& e : kPalette) drawPaletteDisc(cr.get(), e, DiscLook::Normal);
    }
    out.jpeg("GLAVNA.JPG", Group::Backgrounds, glavna.get());

    const DiscLook looks[] = {DiscLook::Normal, DiscLook::Hover, DiscLook::Selected};
    for (int look = 0; look < 3; ++look) {
        for (size_t i = 0; i < kPalette.size(); ++i) {
            const PaletteEntry& e = kPalette[i];
            Surface pic = drawOver(base.get(), e.box.left, e.box.top, e.pictureWidth, e.box.height,
                                   [&](cairo_t* cr) {
                                       cairo_translate(cr, -e.box.left, -e.box.top);
                                       drawPaletteDisc(cr, e, looks[look]);
                                   });
            char name[32];
            std::snprintf(name, sizeof name, "BOJE%d_%02d.JPG", look + 1, static_cast<int>(i) + 1);
            out.jpeg(name, Group::Palette, pic.get());
        }
    }
    makeMainButtons(base.get(), out);
}

}  // namespace book
