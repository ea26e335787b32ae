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
    setCanvasPicture(Slika.picture());
    Slika.setPicture(canvas_);
    window.setFocus(&Slika);
}

void Form::setCanvasPicture(Picture picture) {
    canvasPicture_ = std::move(picture);
    Image& c = *canvas_;
    std::fill(c.pixels.begin(), c.pixels.end(), 0xFFFFFFFF);
    if (canvasPicture_) {
        const Image& p = *canvasPicture_;
        for (int y = 0; y < std::min(p.height, c.height); ++y)
            for (int x = 0; x < std::min(p.width, c.width); ++x)
                c.at(x, y) = p.at(x, y) | 0xFF000000;
    }
    canvasChanged(0, c.height - 1);
}

void WaitSeconds(Form& form) {
    const int Pause = 3;
    const double Start = form.window.now();
    // The window's clock runs on across midnight, so the wait always ends.
    for (double t = Start; t < Start + Pause; t = form.window.now())
        form.window.doEvents(Start + Pause - t);
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

void Form::loadBackground(std::string_view relative) {
    window.setBackground(platform.loadPicture(asset(relative)));
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
