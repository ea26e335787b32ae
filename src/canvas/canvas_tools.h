// The canvas: pages loaded onto it, the area fill of the drop tool, the pencil's strokes,
// and the two tool buttons that choose between them.
#pragma once

#include <string>
#include <string_view>

#include "screen/picture_box.h"

namespace cb {

class Form;

// Rounds to the nearest integer, halves to the even neighbour (2.5 gives 2, 3.5 gives 4).
int roundHalfEven(float value);

// A pixel whose colour value is 0 to 9 is part of a page's outline and is never filled.
constexpr bool isOutline(uint32_t colour) {
    return colour <= 9;
}

// Replaces the whole canvas image with a picture file of the book, drawn from the top-left;
// the picture becomes the canvas picture.
void LoadCanvasPicture(Form& form, std::string_view relative);
// The same for a file named by its full path.
void LoadCanvasPictureFile(Form& form, const std::string& path);

// A press on the canvas: stores the point; with the drop and the left button fills the area.
void Slika_MouseDown(Form& form, const MouseArgs& e);
// A movement over the canvas (or anywhere while a canvas press is held). Draws a pencil
// segment and returns true when the pencil is active and only the left button is held;
// otherwise draws nothing and returns false.
bool Slika_MouseMoveDraws(Form& form, const MouseArgs& e);

// Draws a line 3 pixels wide with round ends in a colour value, cut at the canvas edges.
void DrawPencilLine(Form& form, int x1, int y1, int x2, int y2, uint32_t colour);

void kapljica_Click(Form& form);
void olovka_Click(Form& form);

}  // namespace cb
