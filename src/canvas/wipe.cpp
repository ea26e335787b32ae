#include "canvas/wipe.h"

#include <algorithm>
#include <climits>
#include <cstdio>

#include "canvas/canvas_tools.h"
#include "canvas/wipe_sweeps.h"
#include "screen/form.h"
#include "sound/effects.h"

namespace cb {

int ChooseWipePattern(Form& form) {
    int r = 0;
    do {
        r = static_cast<int>(9.0f * form.platform.rnd());
        form.platform.randomize();
    } while (r == 0);
    return r;
}

void RunWipePattern(Form& form, int pattern) {
    const WipePattern& p = kWipePatterns[static_cast<size_t>(pattern - 1)];
    const int total = p.second ? 2 * kSweepSteps : kSweepSteps;
    Image& canvas = form.canvas();
    constexpr uint32_t kWhite = 0xFFFFFFFF;
    Platform& platform = form.platform;
    const double start = platform.steadySeconds();
    int done = 0;
    for (int frame = 1;; ++frame) {
        // Every step due by now, the rows they touched shown in one frame.
        const double due = (platform.steadySeconds() - start) * kWipeStepsPerSecond;
        const int until = static_cast<int>(std::min<double>(total, due));
        int top = INT_MAX, bottom = -1;
        for (; done < until; ++done) {
            const bool first = done < kSweepSteps;
            const StepPoint at =
                stepPoint(first ? *p.first : *p.second, first ? done : done - kSweepSteps);
            if (!onCanvas(at)) continue;
            canvas.at(at.x, at.y) = kWhite;
            top = std::min(top, at.y);
            bottom = std::max(bottom, at.y);
        }
        form.canvasChanged(top, bottom);
        // A frame every time, also in the pause of "every other row" where nothing changes.
        form.window.render(/*always=*/true);
        if (done == total) return;
        // Sleep until the next frame is due; a shutdown asked for meanwhile ends the program
        // now, not after the wipe.
        const double wait = start + frame * kWipeFrameSeconds - platform.steadySeconds();
        if (platform.pauseHoldingInput(std::max(wait, 0.0))) form.window.terminateRequested();
    }
}

void brisanje_slika(Form& form) {
    const int pattern = ChooseWipePattern(form);
    PlayEffect(form, "LJUBICASTA");
    RunWipePattern(form, pattern);
    LoadCanvasPicture(form, "\\PICTURE\\00.GIF");
}

void Papir_Click(Form& form) {
    brisanje_slika(form);
}

void Rubber_Click(Form& form) {
    brisanje_slika(form);
    const int page = form.state.CurrentPicture;
    if (page < 1 || page > 25) return;
    char name[24];
    std::snprintf(name, sizeof name, "\\PICTURE\\%02d.GIF", page);
    LoadCanvasPicture(form, name);
}

}  // namespace cb
