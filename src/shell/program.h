// The colouring book as a whole: the form with every handler attached, and its event loop.
#pragma once

#include "platform/platform.h"
#include "screen/form.h"

namespace cb {

class ColouringBook {
  public:
    explicit ColouringBook(Platform& platform);

    Form form;

    // Runs the start-up sequence; afterwards the window is on screen whatever happened.
    void start();
    // Handles input until the program ends (it never returns).
    [[noreturn]] void run();

  private:
    void attachHandlers();
};

}  // namespace cb
