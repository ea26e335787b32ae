// The book's sounds and its tune, written from plain C++ so that the generator needs no
// audio library. Both writers are deterministic: every run gives the same bytes.
#pragma once

#include <string>

namespace book {

// Writes the twelve colour sounds (CRVENA.WAV ... PINK.WAV) into soundDir, which must exist.
void writeEffects(const std::string& soundDir);

// Writes the looping background tune as a standard MIDI file (format 1).
void writeTune(const std::string& midiPath);

}  // namespace book
