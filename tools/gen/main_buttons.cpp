// The tool and sound buttons of the main screen, each drawn over its own slot of the
// background. A lit picture (hover, or the active tool) keeps the same size and gains a glow.
#include <array>
#include <cmath>
#include <functional>
#include <string>

#include "book_output.h"
#include "icons.h"
#include "layout.h"

namespace book {
namespace {

const Rgb kShadow = rgb255(50, 70, 110);

void glow(cairo_t* cr, const Shape& shape, int radius) {
    softShadow(cr, shape, 0, 0, radius, ink::kGlow, 1.0);
    softShadow(cr, shape, 0, 0, radius, ink::kGlow, 1.0);
    softShadow(cr, shape, 0, 0, radius / 2 + 1, rgb255(255, 250, 190), 1.0);
}

void sparkles(cairo_t* cr, std::initializer_list<std::array<double, 3>> places) {
    for (const auto& p : places) drawSparkle(cr, p[0], p[1], p[2], rgb255(255, 190, 0));
}

void drawMoreImages(cairo_t* cr, bool lit) {
    const double lift = lit ? 3 : 0;
    auto card = [&](cairo_t* c) { roundedRect(c, 9, 8 - lift, 142, 150, 18); };
    if (lit) glow(cr, card, 8);
    softShadow(cr, card, 1, lit ? 6 : 4, lit ? 7 : 5, kShadow, 0.3);
    card(cr);
    setColour(cr, lit ? rgb255(255, 251, 224) : rgb255(255, 255, 255));
    cairo_fill_preserve(cr);
    setColour(cr, lit ? rgb255(255, 180, 0) : ink::kSkyBlue);
    cairo_set_line_width(cr, lit ? 5 : 4);
    cairo_stroke(cr);
    // A small stack of pages, the top one showing a house.
    auto sheet = [&](double angle, double dx, double dy, Doodle d) {
        cairo_save(cr);
        cairo_translate(cr, 80 + dx, 62 + dy - lift);
        cairo_rotate(cr, angle);
        auto shape = [](cairo_t* c) { cairo_rectangle(c, -34, -26, 68, 52); };
        softShadow(cr, shape, 1, 2, 3, kShadow, 0.25);
        shape(cr);
        setColour(cr, {1, 1, 1});
        cairo_fill_preserve(cr);
        setColour(cr, ink::kOutline);
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);
        drawDoodle(cr, d, 0, 0, 38);
        cairo_restore(cr);
    };
    sheet(-0.24, -14, 6, Doodle::Flower);
    sheet(0.2, 14, 4, Doodle::Fish);
    sheet(-0.02, 0, -4, Doodle::House);
    const Rgb text = lit ? rgb255(230, 110, 0) : rgb255(40, 110, 225);
    drawTextCentred(cr, "More", 80, 113 - lift, 24, text);
    drawTextCentred(cr, "pictures", 80, 138 - lift, 24, text);
    if (lit) sparkles(cr, {{{22, 20, 14}}, {{140, 26, 11}}, {{141, 142, 13}}});
}

// A loose object on the button: lifted and glowing when lit, resting on a soft shadow when not.
void drawLoose(cairo_t* cr, bool lit, const Shape& object, int glowRadius,
               std::initializer_list<std::array<double, 3>> sparklePlaces) {
    if (lit)
        glow(cr, object, glowRadius);
    else
        softShadow(cr, object, 1, 3, 3, kShadow, 0.3);
    object(cr);
    if (lit) sparkles(cr, sparklePlaces);
}

void drawRubber(cairo_t* cr, bool lit) {
    const double lift = lit ? 2 : 0;
    drawLoose(cr, lit, [&](cairo_t* c) { drawEraser(c, 56, 27 - lift, 1.0); }, 7,
              {{{12, 12, 12}}, {{101, 50, 10}}});
}

void drawPaperButton(cairo_t* cr, bool lit) {
    const double lift = lit ? 2 : 0;
    drawLoose(cr, lit, [&](cairo_t* c) { drawPaper(c, 31.5, 30 - lift, 0.95); }, 6,
              {{{9, 10, 10}}, {{55, 51, 9}}});
}

void drawTile(cairo_t* cr, int w, int h, bool active, Rgb top, Rgb bottom) {
    auto tile = [&](cairo_t* c) { roundedRect(c, 4, 4, w - 8, h - 8, 14); };
    if (active)
        glow(cr, tile, 4);
    else
        softShadow(cr, tile, 0, 2, 3, kShadow, 0.25);
    tile(cr);
    fillVertical(cr, 4, top, h - 4, bottom, true);
    setColour(cr, active ? Rgb{1, 1, 1} : rgb255(197, 204, 214));
    cairo_set_line_width(cr, active ? 3 : 2);
    cairo_stroke(cr);
}

void drawPencilTool(cairo_t* cr, bool active) {
    const Box b = kPencilBox;
    if (active)
        drawTile(cr, b.width, b.height, true, rgb255(176, 244, 130), rgb255(70, 196, 76));
    else
        drawTile(cr, b.width, b.height, false, rgb255(244, 246, 248), rgb255(218, 223, 229));
    const double tipX = 17, tipY = 64, endX = 46, endY = 15;
    const double angle = std::atan2(endY - tipY, endX - tipX);
    const double length = std::hypot(endX - tipX, endY - tipY);
    auto pencil = [&](cairo_t* c) {
        drawPencil(c, tipX, tipY, angle, length, 13, rgb255(30, 160, 72));
    };
    softShadow(cr, pencil, 2, 3, 3, kShadow, 0.3);
    pencil(cr);
}

void drawDropTool(cairo_t* cr, bool active) {
    const Box b = kDropBox;
    if (active)
        drawTile(cr, b.width, b.height, true, rgb255(255, 242, 140), rgb255(255, 196, 50));
    else
        drawTile(cr, b.width, b.height, false, rgb255(255, 255, 255), rgb255(240, 242, 245));
    const Rgb orange = rgb255(255, 122, 0);
    const Rgb fill = active ? orange : mix(orange, rgb255(200, 200, 200), 0.45);
    auto drop = [&](cairo_t* c) { drawDrop(c, 29, 15, 50, fill, ink::kOutline, 2.2); };
    softShadow(cr, drop, 1, 3, 3, kShadow, 0.3);
    drop(cr);
}

// A round sound button: the disc, and on it a speaker or notes.
void drawSoundDisc(cairo_t* cr, double cx, double cy, Rgb colour, bool lit) {
    const double r = 31;
    auto disc = [&](cairo_t* c) { circle(c, cx, cy, r); };
    if (lit)
        glow(cr, disc, 6);
    else
        softShadow(cr, disc, 0, 2, 3, kShadow, 0.35);
    const Rgb base = lit ? lighter(colour, 0.18) : colour;
    circle(cr, cx, cy, r);
    cairo_pattern_t* p = cairo_pattern_create_radial(cx - 8, cy - 10, 3, cx, cy, r);
    const Rgb shine = lighter(base, 0.35);
    cairo_pattern_add_color_stop_rgb(p, 0, shine.r, shine.g, shine.b);
    cairo_pattern_add_color_stop_rgb(p, 1, base.r, base.g, base.b);
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
    setColour(cr, lit ? rgb255(255, 240, 120) : Rgb{1, 1, 1});
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    circle(cr, cx, cy, r + 1.8);
    setColour(cr, ink::kOutline, 0.7);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
}

const Rgb kEffectsOn = rgb255(52, 196, 90);
const Rgb kMusicOn = rgb255(122, 108, 255);
const Rgb kSoundOff = rgb255(160, 174, 190);

void drawEffects(cairo_t* cr, bool on, bool lit) {
    const double cx = kEffectsBox.width / 2.0, cy = kEffectsBox.height / 2.0;
    drawSoundDisc(cr, cx, cy, on ? kEffectsOn : kSoundOff, lit);
    drawSpeaker(cr, cx + (on ? 2 : 0), cy, 34, on);
    if (!on) drawStrike(cr, cx, cy, 24);
    if (lit) sparkles(cr, {{{9, 9, 11}}, {{69, 70, 9}}});
}

void drawMusic(cairo_t* cr, bool on, bool lit) {
    const double cx = kMusicBox.width / 2.0, cy = kMusicBox.height / 2.0;
    drawSoundDisc(cr, cx, cy, on ? kMusicOn : kSoundOff, lit);
    drawNotes(cr, cx - 1, cy + 1, 34, {1, 1, 1});
    if (!on) drawStrike(cr, cx, cy, 24);
    if (lit) sparkles(cr, {{{9, 9, 11}}, {{69, 69, 9}}});
}

}  // namespace

void makeMainButtons(cairo_surface_t* base, BookOutput& out) {
    struct Picture {
        std::string name;
        Box box;
        int height;
        std::function<void(cairo_t*)> draw;
    };
    const int musicH = kMusicPictureHeight;
    const Picture pictures[] = {
        {"MOREIMAGES1.JPG", kMoreImagesBox, 0, [](cairo_t* c) { drawMoreImages(c, false); }},
        {"MOREIMAGES2.JPG", kMoreImagesBox, 0, [](cairo_t* c) { drawMoreImages(c, true); }},
        {"KAPLJICA1.JPG", kDropBox, 0, [](cairo_t* c) { drawDropTool(c, true); }},
        {"KAPLJICA2.JPG", kDropBox, 0, [](cairo_t* c) { drawDropTool(c, false); }},
        {"OLOVKA1.JPG", kPencilBox, 0, [](cairo_t* c) { drawPencilTool(c, true); }},
        {"OLOVKA2.JPG", kPencilBox, 0, [](cairo_t* c) { drawPencilTool(c, false); }},
        {"GUMICA1.JPG", kRubberBox, 0, [](cairo_t* c) { drawRubber(c, false); }},
        {"GUMICA2.JPG", kRubberBox, 0, [](cairo_t* c) { drawRubber(c, true); }},
        {"PAPIR1.JPG", kPaperBox, 0, [](cairo_t* c) { drawPaperButton(c, false); }},
        {"PAPIR2.JPG", kPaperBox, 0, [](cairo_t* c) { drawPaperButton(c, true); }},
        // Effects and music: on, resting and lit; off, the 2 resting and the 1 lit.
        {"ZVUCNIK1.JPG", kEffectsBox, 0, [](cairo_t* c) { drawEffects(c, true, false); }},
        {"ZVUCNIK2.JPG", kEffectsBox, 0, [](cairo_t* c) { drawEffects(c, true, true); }},
        {"SOUNDOFF2.JPG", kEffectsBox, 0, [](cairo_t* c) { drawEffects(c, false, false); }},
        {"SOUNDOFF1.JPG", kEffectsBox, 0, [](cairo_t* c) { drawEffects(c, false, true); }},
        {"MUZIKA1.JPG", kMusicBox, musicH, [](cairo_t* c) { drawMusic(c, true, false); }},
        {"MUZIKA2.JPG", kMusicBox, musicH, [](cairo_t* c) { drawMusic(c, true, true); }},
        {"MUSICOFF2.JPG", kMusicBox, musicH, [](cairo_t* c) { drawMusic(c, false, false); }},
        {"MUSICOFF1.JPG", kMusicBox, musicH, [](cairo_t* c) { drawMusic(c, false, true); }},
    };
    for (const Picture& p : pictures) {
        const int h = p.height ? p.height : p.box.height;
        Surface s = drawOver(base, p.box.left, p.box.top, p.box.width, h, p.draw);
        out.jpeg(p.name, Group::Buttons, s.get());
    }
}

}  // namespace book
