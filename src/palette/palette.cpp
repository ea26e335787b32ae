#include "palette/palette.h"

#include <cstdio>
#include <string>

#include "platform/image.h"
#include "screen/form.h"
#include "sound/effects.h"

namespace cb {

// The button labelled "dark yellow" paints white, and the black one paints 30, 30, 30 so
// that black paint never counts as an outline.
const std::array<PaletteColour, 12> kPalette = {{
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

namespace {

constexpr int kPaletteTop = 675;

// "\PICTURE\BOJE<look>_<NN>.JPG": look 1 normal, 2 hover, 3 selected.
std::string pictureOf(int look, int position) {
    char name[32];
    std::snprintf(name, sizeof name, "\\PICTURE\\BOJE%d_%02d.JPG", look, position);
    return name;
}

bool selected(const Form& form, int position) {
    return form.state.PaletteSelected[position - 1] == 1;
}

}  // namespace

void gasi_boje_3_faze(Form& form) {
    form.state.PaletteSelected.fill(0);
}

void LoadPaletteResting(Form& form, int position) {
    form.loadPicture(*form.palette[position - 1],
                     pictureOf(selected(form, position) ? 3 : 1, position));
}

void LoadAllPaletteResting(Form& form) {
    for (int p = 1; p <= 12; ++p) LoadPaletteResting(form, p);
}

void PaletteClick(Form& form, int position) {
    form.state.CurrentColor = kPalette[position - 1].colour;
    PlayEffect(form, kPalette[position - 1].sound);
    gasi_boje_3_faze(form);
    form.state.PaletteSelected[position - 1] = 1;
    LoadAllPaletteResting(form);
}

void PaletteMouseMove(Form& form, int position) {
    if (form.palette[position - 1]->Top() != kPaletteTop) return;
    form.loadPicture(*form.palette[position - 1],
                     pictureOf(selected(form, position) ? 3 : 2, position));
    if (position > 1) LoadPaletteResting(form, position - 1);
    if (position < 12) LoadPaletteResting(form, position + 1);
}

}  // namespace cb
