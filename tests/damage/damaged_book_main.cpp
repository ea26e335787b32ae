// The real colouring book over the real SDL platform (SDL's dummy video and audio drivers) with
// its clock made virtual: every wait jumps the clock instead of sleeping, and a scripted tour
// that reaches every handler arrives through SDL's own event queue whenever the program waits
// for input. Every file the program reads is measured, read, decoded and played for real;
// only the printer is left out (the page is counted). damaged_book_test.cpp runs it once for
// each damage done to a copy of the book:
//   damaged_book <book folder>
// It writes what happens to standard output, one line each:
//   started <state>                    start-up is over
//   step <n> <name>                    a step of the tour begins
//   load|effect|music|start|display|save|print <what>   a call to the platform
//   state <label> <state>              the program's state at that point of the tour
//   exit <where>                       the program ended: "start-up" or "after <n>/<steps>"
// and ends with the program's own exit status (0), or 3 when the tour ran out without the
// program ending.
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "screen/form.h"
#include "shell/program.h"
#include "virtual_clock_platform.h"

namespace cb {
namespace {

std::string stateOf(const Form& form) {
    const ProgramState& s = form.state;
    char text[200];
    std::snprintf(text, sizeof text,
                  "FillMode=%d CurrentColor=%06X SoundFlag=%d SoundEnabled=%d MusicOff=%d "
                  "MusicPlaying=%d Timer=%d ActiveScreen=%d CurrentPicture=%d",
                  s.FillMode, s.CurrentColor, s.SoundFlag, s.SoundEnabled, s.MusicOff,
                  s.MusicPlaying, form.tmrRepeat.Enabled() ? 1 : 0, s.ActiveScreen,
                  s.CurrentPicture);
    return text;
}

// The tour: every handler of the program, in the order a child and then a parent might meet
// them, ending with the exit dialog's No and then Yes.
std::vector<Step> tour(Form& form, VirtualClockPlatform& p) {
    // A point of the box that no box above it covers, as the pointer would find it.
    auto pointOn = [&form](const PictureBox& box) {
        for (int y = box.Top() + 2; y < box.Top() + box.Height(); y += 4)
            for (int x = box.Left() + 2; x < box.Left() + box.Width(); x += 4)
                if (form.window.boxAt(x, y) == &box) return std::pair{x, y};
        return std::pair{box.Left() + box.Width() / 2, box.Top() + box.Height() / 2};
    };
    auto hover = [&p, pointOn](const PictureBox& box) {
        return [&p, &box, pointOn] {
            const auto [x, y] = pointOn(box);
            p.move(x, y);
        };
    };
    auto click = [&p, pointOn](const PictureBox& box) {
        return [&p, &box, pointOn] {
            const auto [x, y] = pointOn(box);
            p.move(x, y);
            p.button(true, x, y);
            p.button(false, x, y);
        };
    };
    auto background = [&p] { p.move(1010, 20); };  // no box covers it on either screen
    auto report = [&form](const char* label) {
        return [&form, label] { line(std::string("state ") + label + " " + stateOf(form)); };
    };
    // A white point of the page near its middle, for the fill to land in an area.
    auto fill = [&p, &form] {
        const Image& c = form.canvas();
        int x = c.width / 2, y = c.height / 2;
        for (int r = 1; r < 200 && c.at(x, y) != 0xFFFFFFFF; ++r) {
            x = c.width / 2 + r;
            y = c.height / 2 + r / 2;
        }
        x += form.Slika.Left();
        y += form.Slika.Top();
        p.move(x, y);
        p.button(true, x, y);
        p.button(false, x, y);
    };
    auto draw = [&p, &form] {
        const int x = form.Slika.Left() + 200, y = form.Slika.Top() + 150;
        p.move(x, y);
        p.button(true, x, y);
        p.move(x + 40, y + 10, SDL_BUTTON_LMASK);
        p.move(x + 80, y + 40, SDL_BUTTON_LMASK);
        p.button(false, x + 80, y + 40);
    };
    Form& f = form;
    const double g = 0.3;
    return {
        {"palette hover", g, hover(*f.palette[2])},
        {"palette hover next", g, hover(*f.palette[3])},
        {"palette click", g, click(*f.palette[4])},
        {"background", g, background},
        {"canvas hover", g, hover(f.Slika)},
        {"fill", g, fill},
        {"pencil", g, click(f.olovka)},
        {"draw", g, draw},
        {"drop", g, click(f.kapljica)},
        {"more images hover", g, hover(f.MoreImages)},
        {"eraser hover", g, hover(f.Rubber)},
        {"paper hover", g, hover(f.Papir)},
        {"speaker hover", g, hover(f.MuteWave)},
        {"music hover", g, hover(f.MusicOn)},
        {"background after the buttons", g, background},
        {"eraser", g, click(f.Rubber)},
        {"paper", g, click(f.Papir)},
        {"gallery", g, click(f.MoreImages)},
        {"thumbnail hover", g, hover(*f.Galerija[6])},
        {"thumbnail hover next", g, hover(*f.Galerija[7])},
        {"back hover", g, hover(f.Back)},
        {"gallery background", g, background},
        {"choose page", g, click(*f.Galerija[11])},
        {"gallery again", g, click(f.MoreImages)},
        {"back", g, click(f.Back)},
        {"speaker off", g, click(f.MuteWave)},
        {"speaker off hover", g, hover(f.MuteWave)},
        {"speaker on", g, click(f.MuteWave)},
        {"music on", g, click(f.MusicOn)},
        // Two seconds of music: the repeat timer runs in them.
        {"after music on", 2.0, report("music-on")},
        {"music on hover", g, hover(f.MusicOn)},
        {"music off", g, click(f.MusicOn)},
        {"info panel", g, [&p] { p.control('R'); }},
        {"info hover", g, hover(f.Registered)},
        {"close hover", g, hover(f.Zatvori)},
        {"maker hover", g, hover(f.Firma)},
        {"visit hover", g, hover(f.visit_site)},
        {"close", g, click(f.Zatvori)},
        {"exit dialog", g, [&p] { p.control('X'); }},
        {"dialog hover", g, hover(f.Izlaz)},
        {"yes hover", g, hover(f.Da)},
        {"no hover", g, hover(f.Ne)},
        {"no", g, click(f.Ne)},
        {"print", g, [&p] { p.control('P'); }},
        // After the three seconds of the printing notice.
        {"after print", 4.0, report("end")},
        {"exit dialog again", g, [&p] { p.control('X'); }},
        {"yes", g, click(f.Da)},
    };
}

}  // namespace
}  // namespace cb

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: damaged_book <book folder>\n");
        return 2;
    }
    // Headless, whatever the desktop: the drivers are inherited by the intro as well.
    unsetenv("WAYLAND_DISPLAY");
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    const cb::Picture icon = cb::builtinPicture(cb::kIconResource);
    // The program's folder is always a whole path, as the system reports it.
    cb::VirtualClockPlatform platform(icon ? *icon : cb::Image(32, 32),
                                      std::filesystem::absolute(argv[1]).string());
    cb::ColouringBook book(platform);
    book.start();
    cb::line("started " + cb::stateOf(book.form));
    platform.beginTour(cb::tour(book.form, platform));
    book.run();
}
