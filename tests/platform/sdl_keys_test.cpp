#include "platform/sdl_keys.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "platform/frame_upload.h"

namespace {

struct KeyCase {
    SDL_Keycode key;
    SDL_Scancode scancode;
    uint32_t vk;
};

TEST(SdlKeys, MapToVirtualKeyCodes) {
    const KeyCase cases[] = {
        {SDLK_a, SDL_SCANCODE_A, 65},
        {SDLK_z, SDL_SCANCODE_Z, 90},
        {SDLK_0, SDL_SCANCODE_0, 48},
        {SDLK_9, SDL_SCANCODE_9, 57},
        {SDLK_F1, SDL_SCANCODE_F1, 112},
        {SDLK_F4, SDL_SCANCODE_F4, 115},
        {SDLK_F12, SDL_SCANCODE_F12, 123},
        {SDLK_ESCAPE, SDL_SCANCODE_ESCAPE, 27},
        {SDLK_TAB, SDL_SCANCODE_TAB, 9},
        {SDLK_RETURN, SDL_SCANCODE_RETURN, 13},
        {SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER, 13},
        {SDLK_SPACE, SDL_SCANCODE_SPACE, 32},
        {SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE, 8},
        {SDLK_LEFT, SDL_SCANCODE_LEFT, 37},
        {SDLK_UP, SDL_SCANCODE_UP, 38},
        {SDLK_RIGHT, SDL_SCANCODE_RIGHT, 39},
        {SDLK_DOWN, SDL_SCANCODE_DOWN, 40},
        {SDLK_DELETE, SDL_SCANCODE_DELETE, 46},
        {SDLK_INSERT, SDL_SCANCODE_INSERT, 45},
        {SDLK_HOME, SDL_SCANCODE_HOME, 36},
        {SDLK_END, SDL_SCANCODE_END, 35},
        {SDLK_PAGEUP, SDL_SCANCODE_PAGEUP, 33},
        {SDLK_PAGEDOWN, SDL_SCANCODE_PAGEDOWN, 34},
        {SDLK_LSHIFT, SDL_SCANCODE_LSHIFT, 16},
        {SDLK_RSHIFT, SDL_SCANCODE_RSHIFT, 16},
        {SDLK_LCTRL, SDL_SCANCODE_LCTRL, 17},
        {SDLK_RCTRL, SDL_SCANCODE_RCTRL, 17},
        {SDLK_LALT, SDL_SCANCODE_LALT, 18},
        {SDLK_RALT, SDL_SCANCODE_RALT, 18},
        {SDLK_MODE, SDL_SCANCODE_MODE, 18},  // AltGr on some layouts
        {SDLK_LGUI, SDL_SCANCODE_LGUI, 91},
        {SDLK_RGUI, SDL_SCANCODE_RGUI, 92},
        {SDLK_APPLICATION, SDL_SCANCODE_APPLICATION, 93},
        {SDLK_KP_0, SDL_SCANCODE_KP_0, 96},
        {SDLK_KP_9, SDL_SCANCODE_KP_9, 105},
        {SDLK_MINUS, SDL_SCANCODE_MINUS, 189},
        {SDLK_SLASH, SDL_SCANCODE_SLASH, 191},
        // A layout whose keys type other characters: the key's place decides.
        {0x00e9 /* é */, SDL_SCANCODE_2, 50},
        {0x0444 /* ф */, SDL_SCANCODE_A, 65},
        {SDLK_LESS, SDL_SCANCODE_NONUSBACKSLASH, 226},
        {SDLK_UNKNOWN, SDL_SCANCODE_UNKNOWN, 0},
    };
    for (const KeyCase& c : cases)
        EXPECT_EQ(cb::virtualKeyFor(c.key, c.scancode), c.vk)
            << "keycode " << c.key << " scancode " << c.scancode;
}

TEST(SdlKeys, ModifierMasks) {
    EXPECT_EQ(cb::modifierMaskFor(KMOD_NONE), 0);
    EXPECT_EQ(cb::modifierMaskFor(KMOD_LSHIFT), cb::kShiftMask);
    EXPECT_EQ(cb::modifierMaskFor(KMOD_RCTRL), cb::kCtrlMask);
    EXPECT_EQ(cb::modifierMaskFor(KMOD_RALT), cb::kAltMask);
    EXPECT_EQ(cb::modifierMaskFor(KMOD_MODE), cb::kAltMask);
    EXPECT_EQ(cb::modifierMaskFor(KMOD_LSHIFT | KMOD_LCTRL | KMOD_LALT | KMOD_NUM | KMOD_CAPS),
              cb::kShiftMask | cb::kCtrlMask | cb::kAltMask);
}

// Rectangles as plain numbers, so that a mismatch prints readably.
std::vector<std::array<int, 4>> numbers(const std::vector<cb::Rect>& rects) {
    std::vector<std::array<int, 4>> out;
    for (const cb::Rect& r : rects) out.push_back({r.x, r.y, r.w, r.h});
    return out;
}

TEST(FrameUpload, Regions) {
    using cb::Rect;
    using Rects = std::vector<Rect>;
    struct Case {
        const char* what;
        Rects changed;
        int frameWidth, frameHeight;
        bool first;
        Rects expected;
    };
    const Case cases[] = {
        {"first upload is whole", {{30, 29, 750, 600}}, 1024, 768, true, {{0, 0, 1024, 768}}},
        {"no rectangle means all", {}, 1024, 768, false, {{0, 0, 1024, 768}}},
        {"canvas only", {{30, 29, 750, 600}}, 1024, 768, false, {{30, 29, 750, 600}}},
        {"cut to the frame",
         {{-10, -5, 20, 10}, {1000, 760, 100, 100}},
         1024,
         768,
         false,
         {{0, 0, 10, 5}, {1000, 760, 24, 8}}},
        {"outside and empty dropped",
         {{2000, 0, 10, 10}, {5, 5, 0, 9}, {1, 2, 3, 4}},
         1024,
         768,
         false,
         {{1, 2, 3, 4}}},
        {"small frame", {}, 100, 50, false, {{0, 0, 100, 50}}},
        {"large frame cut to texture",
         {{0, 0, 2000, 2000}},
         2000,
         2000,
         false,
         {{0, 0, 1024, 768}}},
        {"no frame", {}, 0, 0, true, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(
            numbers(cb::uploadRegions(c.changed, c.frameWidth, c.frameHeight, 1024, 768, c.first)),
            numbers(c.expected))
            << c.what;
}

}  // namespace
