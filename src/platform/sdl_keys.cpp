#include "platform/sdl_keys.h"

#include "platform/keyboard_record.h"
#include "platform/platform.h"

namespace cb {
namespace {

// The character a key would type on a US layout, for layouts whose keycodes are not ASCII.
SDL_Keycode usKeycodeAt(SDL_Scancode scancode) {
    if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z)
        return SDLK_a + (scancode - SDL_SCANCODE_A);
    if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9)
        return SDLK_1 + (scancode - SDL_SCANCODE_1);
    switch (scancode) {
        case SDL_SCANCODE_0:
            return SDLK_0;
        case SDL_SCANCODE_MINUS:
            return SDLK_MINUS;
        case SDL_SCANCODE_EQUALS:
            return SDLK_EQUALS;
        case SDL_SCANCODE_LEFTBRACKET:
            return SDLK_LEFTBRACKET;
        case SDL_SCANCODE_RIGHTBRACKET:
            return SDLK_RIGHTBRACKET;
        case SDL_SCANCODE_BACKSLASH:
            return SDLK_BACKSLASH;
        case SDL_SCANCODE_SEMICOLON:
            return SDLK_SEMICOLON;
        case SDL_SCANCODE_APOSTROPHE:
            return SDLK_QUOTE;
        case SDL_SCANCODE_GRAVE:
            return SDLK_BACKQUOTE;
        case SDL_SCANCODE_COMMA:
            return SDLK_COMMA;
        case SDL_SCANCODE_PERIOD:
            return SDLK_PERIOD;
        case SDL_SCANCODE_SLASH:
            return SDLK_SLASH;
        default:
            return SDLK_UNKNOWN;
    }
}

uint32_t virtualKeyOfKeycode(SDL_Keycode key) {
    if (key >= SDLK_a && key <= SDLK_z) return 'A' + (key - SDLK_a);
    if (key >= SDLK_0 && key <= SDLK_9) return '0' + (key - SDLK_0);
    if (key >= SDLK_F1 && key <= SDLK_F12) return 112 + (key - SDLK_F1);
    if (key >= SDLK_F13 && key <= SDLK_F24) return 124 + (key - SDLK_F13);
    if (key >= SDLK_KP_1 && key <= SDLK_KP_9) return 97 + (key - SDLK_KP_1);
    switch (key) {
        case SDLK_BACKSPACE:
            return 8;
        case SDLK_TAB:
            return VK_TAB;
        case SDLK_RETURN:
        case SDLK_RETURN2:
        case SDLK_KP_ENTER:
            return 13;
        case SDLK_PAUSE:
            return 19;
        case SDLK_CAPSLOCK:
            return 20;
        case SDLK_ESCAPE:
            return VK_ESCAPE;
        case SDLK_SPACE:
            return 32;
        case SDLK_PAGEUP:
            return 33;
        case SDLK_PAGEDOWN:
            return 34;
        case SDLK_END:
            return 35;
        case SDLK_HOME:
            return 36;
        case SDLK_LEFT:
            return 37;
        case SDLK_UP:
            return 38;
        case SDLK_RIGHT:
            return 39;
        case SDLK_DOWN:
            return 40;
        case SDLK_PRINTSCREEN:
            return 44;
        case SDLK_INSERT:
            return 45;
        case SDLK_DELETE:
            return 46;
        case SDLK_LSHIFT:
        case SDLK_RSHIFT:
            return VK_SHIFT;
        case SDLK_LCTRL:
        case SDLK_RCTRL:
            return VK_CONTROL;
        case SDLK_LALT:
        case SDLK_RALT:
        case SDLK_MODE:
            return VK_MENU;  // AltGr arrives as MODE on some layouts
        case SDLK_LGUI:
            return VK_LWIN;
        case SDLK_RGUI:
            return VK_RWIN;
        case SDLK_APPLICATION:
        case SDLK_MENU:
            return VK_APPS;
        case SDLK_SLEEP:
            return 95;
        case SDLK_KP_0:
            return 96;
        case SDLK_KP_MULTIPLY:
            return 106;
        case SDLK_KP_PLUS:
            return 107;
        case SDLK_KP_MINUS:
            return 109;
        case SDLK_KP_PERIOD:
            return 110;
        case SDLK_KP_DIVIDE:
            return 111;
        case SDLK_NUMLOCKCLEAR:
            return 144;
        case SDLK_SCROLLLOCK:
            return 145;
        case SDLK_AUDIOMUTE:
        case SDLK_MUTE:
            return 173;
        case SDLK_VOLUMEDOWN:
            return 174;
        case SDLK_VOLUMEUP:
            return 175;
        case SDLK_AUDIONEXT:
            return 176;
        case SDLK_AUDIOPREV:
            return 177;
        case SDLK_AUDIOSTOP:
            return 178;
        case SDLK_AUDIOPLAY:
            return 179;
        case SDLK_SEMICOLON:
            return 186;
        case SDLK_EQUALS:
            return 187;
        case SDLK_COMMA:
            return 188;
        case SDLK_MINUS:
            return 189;
        case SDLK_PERIOD:
            return 190;
        case SDLK_SLASH:
            return 191;
        case SDLK_BACKQUOTE:
            return 192;
        case SDLK_LEFTBRACKET:
            return 219;
        case SDLK_BACKSLASH:
            return 220;
        case SDLK_RIGHTBRACKET:
            return 221;
        case SDLK_QUOTE:
            return 222;
        default:
            return 0;
    }
}

}  // namespace

uint32_t virtualKeyFor(SDL_Keycode key, SDL_Scancode scancode) {
    if (const uint32_t vk = virtualKeyOfKeycode(key)) return vk;
    // The extra key between left Shift and Z on European keyboards.
    if (scancode == SDL_SCANCODE_NONUSBACKSLASH) return 226;
    return virtualKeyOfKeycode(usKeycodeAt(scancode));
}

int modifierMaskFor(uint16_t sdlModifiers) {
    int mask = 0;
    if (sdlModifiers & KMOD_SHIFT) mask |= kShiftMask;
    if (sdlModifiers & KMOD_CTRL) mask |= kCtrlMask;
    if (sdlModifiers & (KMOD_ALT | KMOD_MODE)) mask |= kAltMask;
    return mask;
}

}  // namespace cb
