#include "shell/keyboard_filter.h"

#include <cstring>

namespace cb {

KeyboardRecord KeyboardScratch;

int32_t KeyboardFilterProc(int32_t nCode, uint32_t wParam, intptr_t lParam) {
    if (nCode == HC_ACTION && lParam != 0 &&
        (wParam == WM_KEYDOWN || wParam == WM_KEYUP || wParam == WM_SYSKEYDOWN ||
         wParam == WM_SYSKEYUP)) {
        std::memcpy(&KeyboardScratch, reinterpret_cast<const void*>(lParam),
                    sizeof KeyboardScratch);
        const uint32_t vk = KeyboardScratch.vkCode;
        // Ctrl is not in the set, so the Ctrl shortcuts reach the window.
        if ((KeyboardScratch.flags & LLKHF_ALTDOWN) != 0 || vk == VK_SHIFT || vk == VK_MENU ||
            vk == VK_LWIN || vk == VK_RWIN || vk == VK_APPS)
            return -1;
    }
    return CallNextHookEx(0, nCode, wParam, lParam);
}

}  // namespace cb
