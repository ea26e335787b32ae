#include "screen/screen_states.h"

#include "screen/form.h"
#include "screen/guard.h"

namespace cb {

std::array<PictureBox*, 20> mainScreenGroup(Form& form) {
    std::array<PictureBox*, 20> group{&form.Slika,  &form.MoreImages, &form.MuteWave, &form.MusicOn,
                                      &form.Rubber, &form.Papir,      &form.kapljica, &form.olovka};
    for (size_t i = 0; i < form.palette.size(); ++i) group[8 + i] = form.palette[i];
    return group;
}

void ugasi_glavni_ekran(Form& form) {
    guarded([&] {
        for (PictureBox* box : mainScreenGroup(form)) box->setVisible(false);
    });
}

void upali_glavni_ekran(Form& form) {
    guarded([&] {
        for (PictureBox* box : mainScreenGroup(form)) box->setVisible(true);
    });
}

namespace {

// While a panel lies over the main screen the paper button is taken off the screen rather
// than disabled; the other nineteen stay drawn but deaf.
void setMainScreenLive(Form& form, bool live) {
    guarded([&] {
        for (PictureBox* box : mainScreenGroup(form)) {
            if (box == &form.Papir)
                box->setVisible(live);
            else
                box->setEnabled(live);
        }
    });
}

void setThumbnailsEnabled(Form& form, bool enabled) {
    guarded([&] {
        for (PictureBox* thumbnail : form.Galerija) thumbnail->setEnabled(enabled);
    });
}

}  // namespace

void glavni_ekran_zamrznut(Form& form) {
    setMainScreenLive(form, false);
}

void glavni_ekran_odmrznut(Form& form) {
    setMainScreenLive(form, true);
}

void galerijski_ekran_zamrznut(Form& form) {
    setThumbnailsEnabled(form, false);
}

void galerijski_ekran_odmrznut(Form& form) {
    setThumbnailsEnabled(form, true);
}

void galerijski_ekran_ugasi(Form& form) {
    guarded([&] {
        form.Back.setVisible(false);
        for (PictureBox* thumbnail : form.Galerija) thumbnail->setVisible(false);
        // Back pressed while a panel froze the gallery would otherwise leave the thumbnails
        // disabled for every later visit; hidden boxes get no events, so this changes
        // nothing else.
        for (PictureBox* thumbnail : form.Galerija) thumbnail->setEnabled(true);
        form.loadBackground("\\PICTURE\\GLAVNA.JPG");
    });
}

}  // namespace cb
