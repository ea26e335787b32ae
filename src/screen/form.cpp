#include "screen/form.h"

#include <algorithm>
#include <stdexcept>

#include "platform/picture_codec.h"

namespace cb {

Picture builtinPicture(std::string_view name) {
    const std::span<const uint8_t> bytes = builtinFile(name);
    if (bytes.empty()) return nullptr;
    return std::make_shared<const Image>(
        decodePicture(bytes.data(), bytes.size(), std::string(name)));
}

namespace {

// Builds the boxes of the layout table, top of the stacking order first.
bool buildWindow(Window& window, const Form& form) {
    for (const ControlLayout& c : kLayout) {
        PictureBox& b =
            window.addBox(std::string(c.name), {c.left, c.top, c.width, c.height}, c.focus);
        b.setVisible(c.shownAtStart);
        if (!c.builtinPicture.empty()) b.setPicture(builtinPicture(c.builtinPicture));
        b.setCursor(form.builtinCursor(c.cursor));
    }
    return true;
}

}  // namespace

Form::Form(Platform& p)
    : platform(p),
      window(p),
      laidOut(buildWindow(window, *this)),
      Papir(box("Papir")),
      Rubber(box("Rubber")),
      olovka(box("olovka")),
      kapljica(box("kapljica")),
      PrintPict(box("PrintPict")),
      Back(box("Back")),
      Ne(box("Ne")),
      Da(box("Da")),
      Izlaz(box("Izlaz")),
      Zatvori(box("Zatvori")),
      Firma(box("Firma")),
      visit_site(box("visit_site")),
      Registered(box("Registered")),
      MoreImages(box("MoreImages")),
      MuteWave(box("MuteWave")),
      MusicOn(box("MusicOn")),
      Slika(box("Slika")),
      tmrRepeat(window.addTimer()) {
    static constexpr std::string_view kPalette[12] = {
        "PaletaCrvena", "PaletaZelena",     "PaletaZuta", "PaletaSvPlava",
        "PaletaOranz",  "PaletaLjubicasta", "PaletaSiva", "PaletaTamnozuta",
        "PaletaBraon",  "PaletaPlava",      "PaletaCrna", "PaletaPink"};
    for (size_t i = 0; i < palette.size(); ++i) palette[i] = &box(kPalette[i]);
    for (size_t i = 0; i < Galerija.size(); ++i)
        Galerija[i] = &box("Galerija" + std::to_string(i + 1));
    for (PictureBox* b : {&Papir, &Rubber, &olovka, &kapljica, &Slika}) b->backColour = 0xFFFFFFFF;

    window.setBackground(builtinPicture(kMainBackground));
    window.cursor = builtinCursor(CursorKind::Arrow);
    tmrRepeat.intervalSeconds = kRepeatTimerSeconds;

    // The canvas keeps an image of its own, starting as its built-in page.
    canvas_ = std::make_shared<Image>(kCanvasWidth, kCanvasHeight);
    if (const Picture& page = Slika.picture()) {
        for (int y = 0; y < std::min(page->height, kCanvasHeight); ++y)
            for (int x = 0; x < std::min(page->width, kCanvasWidth); ++x)
                canvas_->at(x, y) = page->at(x, y) | 0xFF000000;
    }
    Slika.setPicture(canvas_);
    window.setFocus(&Slika);
}

PictureBox& Form::box(std::string_view name) const {
    for (const auto& b : window.boxes())
        if (b->name() == name) return *b;
    throw std::logic_error("no control " + std::string(name));
}

std::string Form::asset(std::string_view relative) const {
    return state.AssetRoot + std::string(relative);
}

void Form::loadPicture(PictureBox& target, std::string_view relative) {
    target.setPicture(platform.loadPicture(asset(relative)));
}

Cursor Form::builtinCursor(CursorKind kind) const {
    static Cursor cache[5];
    Cursor& c = cache[static_cast<int>(kind)];
    if (!c.image) {
        const CursorResource r = cursorResource(kind);
        c = {builtinPicture(r.file), r.hotX, r.hotY};
    }
    return c;
}

}  // namespace cb
