// The background tune: the music button switches it on and off, and a half-second timer
// starts it again whenever it has ended.
#pragma once

#include <cstdint>

namespace cb {

class Form;

// The music's master volume: nVolume x 42 - 3000 hundredths of a decibel (0 gives -3000,
// 75 gives 150).
void SetVolume(Form& form, uint8_t nVolume);
void MusicOn_Click(Form& form);
void tmrRepeat_Timer(Form& form);
// Stops the tune before the program ends; leaves MusicOff as it is.
void StopMusic(Form& form);

}  // namespace cb
