// The colouring book: builds the real platform, creates the form and runs it.
#include "platform/sdl_platform.h"
#include "screen/form.h"
#include "shell/program.h"

int main() {
    const cb::Picture icon = cb::builtinPicture(cb::kIconResource);
    cb::SdlPlatform platform(icon ? *icon : cb::Image(32, 32));
    cb::ColouringBook book(platform);
    book.start();
    book.run();
}
