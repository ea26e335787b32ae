// Hover feedback of the tool, sound, more-images and Back buttons: each shows its hover
// picture while the pointer moves over it, and the window background and the canvas put the
// buttons back to rest. Every change reads its picture file again.
#pragma once

namespace cb {

class Form;
struct MouseArgs;

enum class HoverButton { MoreImages, Rubber, Papir, MuteWave, MusicOn, Back };

// The mouse-move handler of one of the six buttons.
void ButtonMouseMove(Form& form, HoverButton button);
// The window background: every button and the palette to rest, and the lit thumbnail white.
void Form_MouseMove(Form& form);
// The canvas: draws with the pencil, or else puts the tool and sound buttons to rest.
void Slika_MouseMove(Form& form, const MouseArgs& e);

}  // namespace cb
