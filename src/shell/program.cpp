#include "shell/program.h"

#include "shell/startup.h"

namespace cb {

ColouringBook::ColouringBook(Platform& platform) : form(platform) { attachHandlers(); }

void ColouringBook::attachHandlers() {
    // A shutdown of the machine or a parent's terminal ends the program cleanly; a close
    // request from the desktop never reaches here.
    form.window.TerminateRequested = [this] {
        QuitProgram(form);
        form.platform.exitNow();
    };
}

void ColouringBook::start() {
    Form_Load(form);
    // A start-up that stopped early leaves the window to be shown all the same.
    form.window.render();
    form.platform.setWindowVisible(true);
}

void ColouringBook::run() {
    for (;;) form.window.doEvents(3600);
}

}  // namespace cb
