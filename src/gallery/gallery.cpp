#include "gallery/gallery.h"

#include <cstdio>

#include "canvas/canvas_tools.h"
#include "screen/form.h"
#include "screen/guard.h"
#include "screen/screen_states.h"

namespace cb {

std::string thumbnailPicture(int number, bool lit) {
    char name[40];
    std::snprintf(name, sizeof name, "\\PICTURE\\GALERIJA1%s_%02d.JPG", lit ? "ZUTE" : "BELE",
                  thumbnail(number).pictureNumber);
    return name;
}

void MoreImages_Click(Form& form) {
    ugasi_glavni_ekran(form);
    Prikazi_More_Images(form);
    Galerijske_pozicije(form);
    Prikaz_Prve_Galerije(form);
}

void Prikazi_More_Images(Form& form) {
    guarded([&] {
        form.Back.setVisible(true);
        form.loadBackground("\\PICTURE\\GALERIJA.JPG");
    });
}

void Galerijske_pozicije(Form& form) {
    guarded([&] {
        for (int n = 1; n <= 25; ++n)
            form.Galerija[n - 1]->move(thumbnail(n).left, thumbnail(n).top);
    });
}

void Prikaz_Prve_Galerije(Form& form) {
    guarded([&] {
        form.state.ActiveScreen = 1;
        for (int n = 1; n <= 25; ++n) {
            form.loadPicture(*form.Galerija[n - 1], thumbnailPicture(n, false));
            form.Galerija[n - 1]->setVisible(true);
        }
    });
}

void Back_Click(Form& form) {
    galerijski_ekran_ugasi(form);
    upali_glavni_ekran(form);
    form.state.ActiveScreen = 0;
}

namespace {

void whiten(Form& form, int number) {
    form.loadPicture(*form.Galerija[number - 1], thumbnailPicture(number, false));
}

}  // namespace

void GalerijaMouseMove(Form& form, int number) {
    ProgramState& s = form.state;
    if (form.Galerija[number - 1]->Top() != thumbnail(number).top || s.ActiveScreen != 1) return;
    form.loadPicture(*form.Galerija[number - 1], thumbnailPicture(number, true));
    if (s.LastHighlighted >= 1 && s.LastHighlighted <= 25 && s.LastHighlighted != number)
        whiten(form, s.LastHighlighted);
    s.LastHighlighted = static_cast<int16_t>(number);
}

void mouse_move_galerija1_bele(Form& form) {
    guarded([&] {
        const int last = form.state.LastHighlighted;
        if (last >= 1 && last <= 25) whiten(form, last);
    });
}

void GalerijaClick(Form& form, int number) {
    ProgramState& s = form.state;
    if (s.ActiveScreen == 1) {
        char page[24];
        std::snprintf(page, sizeof page, "\\PICTURE\\%02d.GIF", number);
        LoadCanvasPicture(form, page);
        s.CurrentPicture = static_cast<int16_t>(number);
        s.ActiveScreen = 0;
    }
    galerijski_ekran_ugasi(form);
    upali_glavni_ekran(form);
}

}  // namespace cb
