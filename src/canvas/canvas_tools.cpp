#include "canvas/canvas_tools.h"

#include <algorithm>
#include <cmath>

#include "canvas/flood_fill.h"
#include "screen/form.h"
#include "sound/effects.h"

namespace cb {
namespace {

FloodFiller& filler() {
    static FloodFiller f(Form::kCanvasWidth, Form::kCanvasHeight);
    return f;
}

Cursor centredCursor(const Picture& picture) {
    return {picture, picture->width / 2, picture->height / 2};
}

}  // namespace

int roundHalfEven(float value) {
    // The default rounding mode of the machine rounds halves to even.
    return static_cast<int>(std::nearbyint(value));
}

void LoadCanvasPicture(Form& form, std::string_view relative) {
    LoadCanvasPictureFile(form, form.asset(relative));
}

void LoadCanvasPictureFile(Form& form, const std::string& path) {
    form.setCanvasPicture(form.platform.loadPicture(path));
}

void Slika_MouseDown(Form& form, const MouseArgs& e) {
    ProgramState& s = form.state;
    s.LastX = roundHalfEven(e.x);
    s.LastY = roundHalfEven(e.y);
    if (s.FillMode == False) return;
    if (e.button == kLeftButton) {
        Image& canvas = form.canvas();
        // A press always lies on the canvas; the clamp only guards against a stray event.
        const int x = std::clamp(s.LastX, 0, canvas.width - 1);
        const int y = std::clamp(s.LastY, 0, canvas.height - 1);
        if (isOutline(colourFromPixel(canvas.at(x, y)))) return;
        const FillResult r = filler().fill(canvas.pixels, canvas.width, canvas.height, x, y,
                                           pixelFromColour(s.CurrentColor));
        form.canvasChanged(r.first_row, r.last_row);
    }
    PlayEffect(form, "SVPLAVA");
}

void DrawPencilLine(Form& form, int x1, int y1, int x2, int y2, uint32_t colour) {
    Image& canvas = form.canvas();
    const uint32_t pixel = pixelFromColour(colour);
    // Every pixel whose centre lies within 1.5 of the segment: a 3-pixel pen with round ends.
    constexpr double kRadius = 1.5;
    const int left = std::max(0, std::min(x1, x2) - 2);
    const int right = std::min(canvas.width - 1, std::max(x1, x2) + 2);
    const int top = std::max(0, std::min(y1, y2) - 2);
    const int bottom = std::min(canvas.height - 1, std::max(y1, y2) + 2);
    if (left > right || top > bottom) return;
    const double dx = x2 - x1, dy = y2 - y1;
    const double lengthSquared = dx * dx + dy * dy;
    for (int y = top; y <= bottom; ++y) {
        for (int x = left; x <= right; ++x) {
            double t = lengthSquared > 0 ? ((x - x1) * dx + (y - y1) * dy) / lengthSquared : 0;
            t = std::clamp(t, 0.0, 1.0);
            const double ex = x1 + t * dx - x, ey = y1 + t * dy - y;
            if (ex * ex + ey * ey <= kRadius * kRadius) canvas.at(x, y) = pixel;
        }
    }
    form.canvasChanged(top, bottom);
}

bool Slika_MouseMoveDraws(Form& form, const MouseArgs& e) {
    ProgramState& s = form.state;
    if (e.button != kLeftButton || s.FillMode != False) return false;
    const int x = roundHalfEven(e.x), y = roundHalfEven(e.y);
    DrawPencilLine(form, s.LastX, s.LastY, x, y, s.CurrentColor);
    s.LastX = x;
    s.LastY = y;
    return true;
}

namespace {

// Chooses a tool: the flag first, then the two buttons' pictures (1 = the active tool's, 2 =
// the other's) and the canvas cursor, each read from its file again.
void chooseTool(Form& form, int16_t fillMode, std::string_view olovkaPicture,
                std::string_view kapljicaPicture, std::string_view cursorFile) {
    form.state.FillMode = fillMode;
    form.loadPicture(form.olovka, olovkaPicture);
    form.loadPicture(form.kapljica, kapljicaPicture);
    form.Slika.setCursor(centredCursor(form.platform.loadPicture(form.asset(cursorFile))));
}

}  // namespace

void kapljica_Click(Form& form) {
    chooseTool(form, True, "\\PICTURE\\OLOVKA2.JPG", "\\PICTURE\\KAPLJICA1.JPG",
               "\\PICTURE\\KANTICA8.ICO");
}

void olovka_Click(Form& form) {
    chooseTool(form, False, "\\PICTURE\\OLOVKA1.JPG", "\\PICTURE\\KAPLJICA2.JPG",
               "\\PICTURE\\CETKA.ICO");
}

}  // namespace cb
