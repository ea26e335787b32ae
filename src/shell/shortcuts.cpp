#include "shell/shortcuts.h"

#include "canvas/printing.h"
#include "panels/panels.h"
#include "platform/platform.h"

namespace cb {

void ShortcutKeyDown(Form& form, int keyCode, int shift) {
    // Exactly Ctrl: Ctrl+Shift+P or Ctrl+Alt+P do nothing.
    if (keyCode == 'P' && shift == kCtrlMask) PrintPicture(form);
    if (keyCode == 'X' && shift == kCtrlMask) ShowExitDialog(form);
    if (keyCode == 'R' && shift == kCtrlMask) ShowInfoPanel(form);
}

}  // namespace cb
