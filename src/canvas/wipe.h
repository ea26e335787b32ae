// The eraser and the paper: a wipe sweeps the canvas white in one of eight patterns while
// its sound plays, then the blank page is loaded; the eraser then puts the current page back.
#pragma once

namespace cb {

class Form;

// How fast a sweep runs: 450,000 steps in about a second on any machine, shown as it goes.
constexpr double kWipeStepsPerSecond = 450000.0;
constexpr double kWipeFrameSeconds = 1.0 / 60.0;

// Chooses a pattern from the platform's random numbers: 6 for the first wipe of a run.
int ChooseWipePattern(Form& form);
// Runs the sweeps of pattern 1 to 8 on the canvas, paced by the clock, without handling
// input meanwhile (it waits, in order, for the next round of events).
void RunWipePattern(Form& form, int pattern);
void brisanje_slika(Form& form);
void Papir_Click(Form& form);
void Rubber_Click(Form& form);

}  // namespace cb
