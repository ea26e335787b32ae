// Input put on SDL's queue as the desktop would queue it for a window, in window pixels: what
// the platform tests, the damaged-book harness and the benchmarks feed the real platform.
#pragma once

#include <SDL.h>

namespace cbtest {

inline void pushMotion(SDL_Window* window, int x, int y, Uint32 buttonsHeld = 0) {
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.windowID = SDL_GetWindowID(window);
    e.motion.x = x;
    e.motion.y = y;
    e.motion.state = buttonsHeld;
    SDL_PushEvent(&e);
}

inline void pushButton(SDL_Window* window, bool down, int x, int y,
                       Uint8 button = SDL_BUTTON_LEFT) {
    SDL_Event e{};
    e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    e.button.windowID = SDL_GetWindowID(window);
    e.button.button = button;
    e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.button.clicks = 1;
    e.button.x = x;
    e.button.y = y;
    SDL_PushEvent(&e);
}

// SDL_PushEvent stamps the event with the time it is queued.
inline void pushKey(SDL_Window* window, bool down, SDL_Keycode sym, SDL_Scancode scancode,
                    Uint16 modifiers, bool repeat = false) {
    SDL_Event e{};
    e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.windowID = SDL_GetWindowID(window);
    e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.key.repeat = repeat ? 1 : 0;
    e.key.keysym.sym = sym;
    e.key.keysym.scancode = scancode;
    e.key.keysym.mod = modifiers;
    SDL_PushEvent(&e);
}

}  // namespace cbtest
