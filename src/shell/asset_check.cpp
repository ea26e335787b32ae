#include "shell/asset_check.h"

#include <cstdlib>
#include <exception>

#include "screen/form.h"

namespace cb {
namespace {

[[noreturn]] void endProgram(Form& form) {
    if (form.state.KeyboardHook != 0) form.platform.removeKeyboardFilter(form.state.KeyboardHook);
    form.platform.exitNow();
    std::abort();  // exitNow never returns; the compiler cannot see that through the vtable
}

}  // namespace

void CheckAssets(Form& form) {
    for (const AssetEntry& entry : AssetCheckList) {
        uint32_t length = 0;
        try {
            length = form.platform.fileLength(form.asset(entry.path));
        } catch (const std::exception&) {
            endProgram(form);  // missing or unreadable: the guard ends the program too
        }
        if (length != entry.bytes) endProgram(form);
    }
}

}  // namespace cb
