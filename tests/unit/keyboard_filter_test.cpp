#include "shell/keyboard_filter.h"

#include <gtest/gtest.h>

namespace cb {
namespace {

struct FilterCase {
    const char* what;
    uint32_t vk;
    bool altDown;
    bool swallowed;
};

class KeyboardFilterCases : public testing::TestWithParam<FilterCase> {};

// Each case is tried as the system hands it over: key-down and key-up, plain and "sys".
TEST_P(KeyboardFilterCases, DownAndUpAlike) {
    const FilterCase& c = GetParam();
    for (bool up : {false, true}) {
        KeyboardRecord r{c.vk, 0, (c.altDown ? LLKHF_ALTDOWN : 0u) | (up ? LLKHF_UP : 0u), 0, 0};
        const uint32_t message =
            c.altDown ? (up ? WM_SYSKEYUP : WM_SYSKEYDOWN) : (up ? WM_KEYUP : WM_KEYDOWN);
        EXPECT_EQ(KeyboardFilterProc(HC_ACTION, message, reinterpret_cast<intptr_t>(&r)),
                  c.swallowed ? -1 : 0)
            << c.what << (up ? " (up)" : " (down)");
    }
}

INSTANTIATE_TEST_SUITE_P(Keys, KeyboardFilterCases,
                         testing::Values(FilterCase{"Ctrl", VK_CONTROL, false, false},
                                         FilterCase{"P (with Ctrl held)", 'P', false, false},
                                         FilterCase{"R (with Ctrl held)", 'R', false, false},
                                         FilterCase{"X (with Ctrl held)", 'X', false, false},
                                         FilterCase{"Esc (Ctrl+Esc)", VK_ESCAPE, false, false},
                                         FilterCase{"plain letter", 'A', false, false},
                                         FilterCase{"Alt", VK_MENU, true, true},
                                         FilterCase{"Alt+Tab", VK_TAB, true, true},
                                         FilterCase{"Alt+F4", VK_F4, true, true},
                                         FilterCase{"Alt+Esc", VK_ESCAPE, true, true},
                                         FilterCase{"Shift", VK_SHIFT, false, true},
                                         FilterCase{"left Super", VK_LWIN, false, true},
                                         FilterCase{"right Super", VK_RWIN, false, true},
                                         FilterCase{"Menu", VK_APPS, false, true}));

TEST(KeyboardFilter, LooksOnlyAtKeyMessagesWithActionCode) {
    KeyboardRecord alt{VK_MENU, 0, LLKHF_ALTDOWN, 0, 0};
    KeyboardScratch = {};
    // Another code, or a message that is not a key event, passes on unseen.
    EXPECT_EQ(KeyboardFilterProc(3, WM_SYSKEYDOWN, reinterpret_cast<intptr_t>(&alt)), 0);
    EXPECT_EQ(KeyboardFilterProc(HC_ACTION, 0x0200, reinterpret_cast<intptr_t>(&alt)), 0);
    EXPECT_EQ(KeyboardScratch.vkCode, 0u);
    EXPECT_EQ(KeyboardFilterProc(HC_ACTION, WM_SYSKEYDOWN, reinterpret_cast<intptr_t>(&alt)), -1);
    EXPECT_EQ(KeyboardScratch.vkCode, VK_MENU);
}

}  // namespace
}  // namespace cb
