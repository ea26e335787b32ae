#include "shell/hover.h"

#include <array>
#include <initializer_list>
#include <string_view>

#include "canvas/canvas_tools.h"
#include "gallery/gallery.h"
#include "palette/palette.h"
#include "screen/form.h"

namespace cb {
namespace {

struct Looks {
    std::string_view resting, hover;
};

// The two looks of a button now. The speaker and music buttons have one pair for each
// state; in their off states the file ending in 2 is the resting one.
Looks looksOf(const Form& form, HoverButton button) {
    const ProgramState& s = form.state;
    switch (button) {
        case HoverButton::MoreImages:
            return {"\\PICTURE\\MOREIMAGES1.JPG", "\\PICTURE\\MOREIMAGES2.JPG"};
        case HoverButton::Rubber:
            return {"\\PICTURE\\GUMICA1.JPG", "\\PICTURE\\GUMICA2.JPG"};
        case HoverButton::Papir:
            return {"\\PICTURE\\PAPIR1.JPG", "\\PICTURE\\PAPIR2.JPG"};
        case HoverButton::MuteWave:
            if (s.SoundFlag == 1) return {"\\PICTURE\\ZVUCNIK1.JPG", "\\PICTURE\\ZVUCNIK2.JPG"};
            return {"\\PICTURE\\SOUNDOFF2.JPG", "\\PICTURE\\SOUNDOFF1.JPG"};
        case HoverButton::MusicOn:
            if (s.MusicOff == 1) return {"\\PICTURE\\MUSICOFF2.JPG", "\\PICTURE\\MUSICOFF1.JPG"};
            return {"\\PICTURE\\MUZIKA1.JPG", "\\PICTURE\\MUZIKA2.JPG"};
        case HoverButton::Back:
            break;
    }
    return {"\\PICTURE\\BACK1.JPG", "\\PICTURE\\BACK2.JPG"};
}

PictureBox& boxOf(Form& form, HoverButton button) {
    switch (button) {
        case HoverButton::MoreImages:
            return form.MoreImages;
        case HoverButton::Rubber:
            return form.Rubber;
        case HoverButton::Papir:
            return form.Papir;
        case HoverButton::MuteWave:
            return form.MuteWave;
        case HoverButton::MusicOn:
            return form.MusicOn;
        case HoverButton::Back:
            break;
    }
    return form.Back;
}

void rest(Form& form, HoverButton button) {
    form.loadPicture(boxOf(form, button), looksOf(form, button).resting);
}

void rest(Form& form, std::initializer_list<HoverButton> buttons) {
    for (HoverButton b : buttons) rest(form, b);
}

// Each button's hover handler: its top edge in the layout, and the neighbours it puts back
// to rest after showing its own hover picture. Which neighbours each one resets is fixed
// by the book's design, not by geometry (the more-images button leaves the music button
// alone; the music button resets the speaker).
struct HoverRule {
    HoverButton button;
    int top;
    std::array<HoverButton, 3> resets;
    int resetCount;
};
using B = HoverButton;
constexpr std::array<HoverRule, 6> kHoverRules = {{
    {B::MoreImages, 241, {B::Rubber, B::Papir, B::MuteWave}, 3},
    {B::Rubber, 412, {B::Papir}, 1},
    {B::Papir, 412, {B::Rubber}, 1},
    {B::MuteWave, 485, {B::Rubber, B::Papir}, 2},
    {B::MusicOn, 485, {B::Rubber, B::Papir, B::MuteWave}, 3},
    {B::Back, 0, {}, 0},
}};

}  // namespace

void ButtonMouseMove(Form& form, HoverButton button) {
    const HoverRule& rule = kHoverRules[static_cast<size_t>(button)];
    PictureBox& box = boxOf(form, button);
    if (box.Top() != rule.top) return;
    form.loadPicture(box, looksOf(form, button).hover);
    for (int i = 0; i < rule.resetCount; ++i) rest(form, rule.resets[i]);
}

void Form_MouseMove(Form& form) {
    rest(form, HoverButton::MoreImages);
    LoadAllPaletteResting(form);
    rest(form, {HoverButton::Rubber, HoverButton::Papir, HoverButton::Back});
    if (form.state.ActiveScreen == 1) mouse_move_galerija1_bele(form);
    rest(form, {HoverButton::MuteWave, HoverButton::MusicOn});
}

void Slika_MouseMove(Form& form, const MouseArgs& e) {
    if (Slika_MouseMoveDraws(form, e)) return;
    if (form.Slika.Top() != 29) return;
    rest(form, {HoverButton::MoreImages, HoverButton::Rubber, HoverButton::Papir,
                HoverButton::MuteWave, HoverButton::MusicOn});
}

}  // namespace cb
