// The three keyboard commands: Ctrl+P prints, Ctrl+X asks whether to quit, Ctrl+R shows the
// information panel. One body, attached to the window and the twenty main-screen controls.
#pragma once

namespace cb {

class Form;

void ShortcutKeyDown(Form& form, int keyCode, int shift);

}  // namespace cb
