#include "canvas/printing.h"

#include "canvas/canvas_tools.h"
#include "screen/form.h"

namespace cb {

void PrintPicture(Form& form) {
    // The snapshot is written where the program lives, and read back as the canvas picture:
    // what is printed is what the canvas showed at the key press.
    const std::string snapshot = form.state.AppDir + "MY_PICTURE\\01.GIF";
    const Image shown = form.canvas();
    form.platform.savePicture(shown, snapshot);
    LoadCanvasPictureFile(form, snapshot);
    form.PrintPict.setVisible(true);
    WaitSeconds(form);
    form.PrintPict.setVisible(false);
    // The canvas picture of this moment: a print started during the wait, or a page chosen
    // meanwhile, has replaced the snapshot.
    form.platform.printPicture(*form.canvasPicture(), "Colouring Book");
}

}  // namespace cb
