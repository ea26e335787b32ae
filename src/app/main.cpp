// The colouring book: builds the real platform, creates the form and runs it.
#include "platform/sdl_platform.h"
#include "screen/form.h"
#include "shell/program.h"

int main() {
    cb::SdlPlatform platform(cb::builtinPicture(cb::kIconResource));
    cb::ColouringBook book(platform);
    book.start();
    book.run();
}
