// How SDL's keys and modifiers become the virtual-key codes and modifier masks the program and
// its keyboard filter speak. Pure functions, so the whole table is checked without a display.
#pragma once

#include <SDL_keyboard.h>

#include <cstdint>

namespace cb {

// The virtual-key code of a key, chosen by what the key means on the current layout (SDL's
// keycode) and, when the layout gives it a character the table does not know, by where it
// sits (its scancode read as the US layout would). 0 when neither says anything.
uint32_t virtualKeyFor(SDL_Keycode key, SDL_Scancode scancode);

// The program's modifier mask (kShiftMask, kCtrlMask, kAltMask) of SDL's modifier state.
// AltGr counts as Alt.
int modifierMaskFor(uint16_t sdlModifiers);

}  // namespace cb
