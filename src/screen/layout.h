// The window as it stands before any code runs: every control's place, size, stacking
// order, visibility, built-in picture, cursor and focus order.
#pragma once

#include <array>
#include <string_view>

namespace cb {

enum class CursorKind { Arrow, Hand, Brush, Drop, System };

struct ControlLayout {
    std::string_view name;
    int left, top, width, height;
    bool shownAtStart;
    std::string_view builtinPicture;  // a file of the book's tree, or empty for none
    CursorKind cursor;
    int focus;
};

// Top of the stacking order first: a box listed earlier is drawn over the ones after it.
extern const std::array<ControlLayout, 54> kLayout;

// The two controls that are not boxes: the hidden label the music timer writes into (drawn
// under every box; it never shows), and the music timer, disabled at start.
constexpr ControlLayout kLabelLayout{"lblPlay", 816, 176, 9, 17, false, "", CursorKind::Arrow, 50};
constexpr double kRepeatTimerSeconds = 0.5;

// The window's background at start, its icon and the built-in cursors.
constexpr std::string_view kMainBackground = "PICTURE/GLAVNA.JPG";
constexpr std::string_view kIconResource = "ICON.png";

struct CursorResource {
    std::string_view file;
    int hotX, hotY;
};
CursorResource cursorResource(CursorKind kind);

}  // namespace cb
