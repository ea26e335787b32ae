// The record a low-level keyboard filter sees for each key event, laid out as the system's
// twenty bytes: five 32-bit fields in this order.
#pragma once

#include <cstdint>

namespace cb {

struct KeyboardRecord {
    uint32_t vkCode = 0;
    uint32_t scanCode = 0;
    uint32_t flags = 0;
    uint32_t time = 0;
    uint32_t dwExtraInfo = 0;
};
static_assert(sizeof(KeyboardRecord) == 20);

// Message kinds handed to the filter as wParam.
constexpr uint32_t WM_KEYDOWN = 256;
constexpr uint32_t WM_KEYUP = 257;
constexpr uint32_t WM_SYSKEYDOWN = 260;
constexpr uint32_t WM_SYSKEYUP = 261;
constexpr uint32_t LLKHF_ALTDOWN = 0x20;
constexpr uint32_t LLKHF_UP = 0x80;
constexpr int32_t HC_ACTION = 0;

// Virtual-key codes the program and its filter care about.
constexpr uint32_t VK_SHIFT = 16;
constexpr uint32_t VK_CONTROL = 17;
constexpr uint32_t VK_MENU = 18;
constexpr uint32_t VK_ESCAPE = 27;
constexpr uint32_t VK_TAB = 9;
constexpr uint32_t VK_LWIN = 91;
constexpr uint32_t VK_RWIN = 92;
constexpr uint32_t VK_APPS = 93;
constexpr uint32_t VK_F4 = 115;

// The filter's signature: nCode, wParam, lParam (the address of a KeyboardRecord).
using KeyboardFilter = int32_t (*)(int32_t nCode, uint32_t wParam, intptr_t lParam);

// The chain after the program's filter: nothing else sits in it here, so the event goes on.
inline int32_t CallNextHookEx(uint32_t, int32_t, uint32_t, intptr_t) {
    return 0;
}

}  // namespace cb

namespace cb {

// Builds the record for one key event, hands it to the filter and says whether the event
// may go on to the program (the filter returned zero).
inline bool keyPassesFilter(KeyboardFilter filter, uint32_t vkCode, uint32_t scanCode, bool up,
                            bool altDown, uint32_t time) {
    if (!filter) return true;
    KeyboardRecord record;
    record.vkCode = vkCode;
    record.scanCode = scanCode;
    record.flags = (altDown ? LLKHF_ALTDOWN : 0) | (up ? LLKHF_UP : 0);
    record.time = time;
    const uint32_t message =
        altDown ? (up ? WM_SYSKEYUP : WM_SYSKEYDOWN) : (up ? WM_KEYUP : WM_KEYDOWN);
    return filter(HC_ACTION, message, reinterpret_cast<intptr_t>(&record)) == 0;
}

}  // namespace cb
