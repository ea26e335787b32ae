#include "shell/program.h"

#include "canvas/canvas_tools.h"
#include "palette/palette.h"
#include "screen/guard.h"
#include "shell/startup.h"
#include "sound/effects.h"

namespace cb {

ColouringBook::ColouringBook(Platform& platform) : form(platform) {
    attachHandlers();
}

void ColouringBook::attachHandlers() {
    Form& f = form;
    f.Slika.MouseDown = [&f](const MouseArgs& e) { guarded([&] { Slika_MouseDown(f, e); }); };
    f.Slika.MouseMove = [&f](const MouseArgs& e) { guarded([&] { Slika_MouseMoveDraws(f, e); }); };
    // The two tool clicks have no guard of their own: a picture or cursor that cannot be
    // loaded ends the click where it is, with the tool already switched.
    f.kapljica.Click = [&f] { kapljica_Click(f); };
    f.olovka.Click = [&f] { olovka_Click(f); };
    f.MuteWave.Click = [&f] { guarded([&] { MuteWave_Click(f); }); };
    for (int p = 1; p <= 12; ++p) {
        f.palette[p - 1]->Click = [&f, p] { guarded([&] { PaletteClick(f, p); }); };
        f.palette[p - 1]->MouseMove = [&f, p](const MouseArgs&) {
            guarded([&] { PaletteMouseMove(f, p); });
        };
    }

    // A shutdown of the machine or a parent's terminal ends the program cleanly; a close
    // request from the desktop never reaches here.
    form.window.TerminateRequested = [this] {
        QuitProgram(form);
        form.platform.exitNow();
    };
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
