#include "palette/palette.h"

#include <cstdio>
#include <string>

#include "platform/image.h"
#include "screen/form.h"
#include "sound/effects.h"

namespace cb {

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
