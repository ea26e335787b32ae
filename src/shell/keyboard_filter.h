// The keyboard filter that keeps a child from leaving by accident: Alt and everything pressed
// with it, Shift, both Super keys and the Menu key never reach anything while it is installed.
#pragma once

#include <cstdint>

#include "platform/keyboard_record.h"

namespace cb {

// The filter's copy of the last record it inspected; nothing else reads it.
extern KeyboardRecord KeyboardScratch;

// Returns -1 for a swallowed event, otherwise what the rest of the chain returns.
int32_t KeyboardFilterProc(int32_t nCode, uint32_t wParam, intptr_t lParam);

}  // namespace cb
