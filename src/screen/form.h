// The form: the window with its 54 boxes, the timer and the label, the program's state and
// the platform, as every handler of the program sees them.
#pragma once

#include <array>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "platform/platform.h"
#include "screen/layout.h"
#include "screen/program_state.h"
#include "screen/window.h"

namespace cb {

// The built-in files embedded into the program at build time (see cmake/embed_files.cmake).
std::span<const uint8_t> builtinFile(std::string_view name);
Picture builtinPicture(std::string_view name);

struct Label {
    ControlLayout layout;
    std::string Caption;
    bool Visible = false;
};

class Form;

// Three seconds in which every pending event is handled.
void WaitSeconds(Form& form);

class Form {
  public:
    static constexpr int kCanvasWidth = 750;
    static constexpr int kCanvasHeight = 600;

    explicit Form(Platform& platform);
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    Platform& platform;
    Window window;
    const bool laidOut;  // the boxes of the layout exist from here on
    ProgramState state;

    // The controls by name, in the layout's words.
    PictureBox& box(std::string_view name) const;
    PictureBox &Papir, &Rubber, &olovka, &kapljica, &PrintPict, &Back, &Ne, &Da, &Izlaz, &Zatvori,
        &Firma, &visit_site, &Registered, &MoreImages, &MuteWave, &MusicOn, &Slika;
    std::array<PictureBox*, 12> palette;   // palette order: PaletaCrvena first
    std::array<PictureBox*, 25> Galerija;  // Galerija[0] is Galerija1
    Timer& tmrRepeat;
    Label lblPlay{kLabelLayout, "", false};

    // The canvas's own kept image, which the canvas box shows.
    Image& canvas() { return *canvas_; }
    // The picture the canvas was last loaded with; setting it replaces the whole image.
    const Picture& canvasPicture() const { return canvasPicture_; }
    void setCanvasPicture(Picture picture);
    void canvasChanged(int firstRow, int lastRow) { Slika.invalidateRows(firstRow, lastRow); }

    // A file of the book: AssetRoot followed by a relative path such as "\PICTURE\01.GIF".
    std::string asset(std::string_view relative) const;
    // Reads a picture file of the book into a box, anew on every call.
    void loadPicture(PictureBox& target, std::string_view relative);
    // Reads a picture file of the book as the window's background.
    void loadBackground(std::string_view relative);
    Cursor builtinCursor(CursorKind kind) const;

  private:
    std::shared_ptr<Image> canvas_;
    Picture canvasPicture_;
};

}  // namespace cb
