#include "shell/program.h"

#include "canvas/canvas_tools.h"
#include "canvas/wipe.h"
#include "gallery/gallery.h"
#include "palette/palette.h"
#include "panels/panels.h"
#include "screen/guard.h"
#include "screen/screen_states.h"
#include "shell/hover.h"
#include "shell/shortcuts.h"
#include "shell/startup.h"
#include "sound/effects.h"
#include "sound/music.h"

namespace cb {
namespace {

// A click handler with the one guard: a failing step ends it silently.
template <class Body>
std::function<void()> click(Body body) {
    return [body] { guarded(body); };
}

template <class Body>
std::function<void(const MouseArgs&)> move(Body body) {
    return [body](const MouseArgs&) { guarded(body); };
}

}  // namespace

ColouringBook::ColouringBook(Platform& platform) : form(platform) {
    attachHandlers();
}

void ColouringBook::attachHandlers() {
    Form& f = form;

    // The canvas and the tools.
    f.Slika.MouseDown = [&f](const MouseArgs& e) { guarded([&] { Slika_MouseDown(f, e); }); };
    f.Slika.MouseMove = [&f](const MouseArgs& e) { guarded([&] { Slika_MouseMove(f, e); }); };
    // The two tool clicks have no guard of their own: a picture or cursor that cannot be
    // loaded ends the click where it is, with the tool already switched.
    f.kapljica.Click = [&f] { kapljica_Click(f); };
    f.olovka.Click = [&f] { olovka_Click(f); };
    // The paper's wipe has no guard of its own either; a blank page that cannot be loaded
    // ends the click silently like any other failing step.
    f.Papir.Click = click([&f] { Papir_Click(f); });
    f.Rubber.Click = click([&f] { Rubber_Click(f); });
    f.MuteWave.Click = click([&f] { MuteWave_Click(f); });
    f.MusicOn.Click = click([&f] { MusicOn_Click(f); });
    f.tmrRepeat.Tick = [&f] { guarded([&] { tmrRepeat_Timer(f); }); };
    for (int p = 1; p <= 12; ++p) {
        f.palette[p - 1]->Click = click([&f, p] { PaletteClick(f, p); });
        f.palette[p - 1]->MouseMove = move([&f, p] { PaletteMouseMove(f, p); });
    }

    // Hover feedback of the buttons, and the window background that puts them to rest.
    const std::pair<PictureBox*, HoverButton> hoverButtons[] = {
        {&f.MoreImages, HoverButton::MoreImages}, {&f.Rubber, HoverButton::Rubber},
        {&f.Papir, HoverButton::Papir},           {&f.MuteWave, HoverButton::MuteWave},
        {&f.MusicOn, HoverButton::MusicOn},       {&f.Back, HoverButton::Back}};
    for (auto [box, button] : hoverButtons)
        box->MouseMove = move([&f, button = button] { ButtonMouseMove(f, button); });
    f.window.MouseMove = move([&f] { Form_MouseMove(f); });

    // The gallery.
    f.MoreImages.Click = click([&f] { MoreImages_Click(f); });
    f.Back.Click = click([&f] { Back_Click(f); });
    for (int n = 1; n <= 25; ++n) {
        f.Galerija[n - 1]->MouseMove = move([&f, n] { GalerijaMouseMove(f, n); });
        f.Galerija[n - 1]->Click = click([&f, n] { GalerijaClick(f, n); });
    }

    // The panels.
    f.Registered.MouseMove = move([&f] { Registered_MouseMove(f); });
    f.Izlaz.MouseMove = move([&f] { Izlaz_MouseMove(f); });
    const std::pair<PictureBox*, PanelButton> panelButtons[] = {
        {&f.Zatvori, PanelButton::Zatvori},
        {&f.Firma, PanelButton::Firma},
        {&f.visit_site, PanelButton::visit_site},
        {&f.Da, PanelButton::Da},
        {&f.Ne, PanelButton::Ne}};
    for (auto [box, button] : panelButtons)
        box->MouseMove = move([&f, button = button] { PanelButtonMouseMove(f, button); });
    f.Zatvori.Click = click([&f] { Zatvori_Click(f); });
    f.visit_site.Click = click([&f] { visit_site_Click(f); });
    f.Firma.Click = click([&f] { Firma_Click(f); });
    f.Ne.Click = click([&f] { Ne_Click(f); });
    f.Da.Click = [&f] { Da_Click(f); };

    // The shortcuts: the window and exactly the twenty main-screen controls.
    auto keys = [&f](int keyCode, int shift) {
        guarded([&] { ShortcutKeyDown(f, keyCode, shift); });
    };
    f.window.KeyDown = keys;
    for (PictureBox* box : mainScreenGroup(f)) box->KeyDown = keys;

    // A shutdown of the machine or a parent's terminal ends the program as Yes does; a close
    // request from the desktop never reaches here.
    f.window.TerminateRequested = [&f] { Da_Click(f); };
}

void ColouringBook::start() {
    Form_Load(form);
    // A start-up that stopped early leaves the window to be shown all the same.
    form.window.render();
    form.platform.setWindowVisible(true);
}

void ColouringBook::run() {
    for (;;) form.window.doEvents(3600);
}

}  // namespace cb
