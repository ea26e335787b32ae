// The one kind of control on screen: a box showing a picture, with a cursor, visibility,
// an enabled state and the mouse and key events of its handlers.
#pragma once

#include <functional>
#include <string>

#include "platform/image.h"
#include "platform/platform.h"

namespace cb {

class Window;

struct MouseArgs {
    int button = 0;  // for presses the button that went down; for moves all buttons held
    int shift = 0;
    float x = 0;  // in the box's own pixels; outside the box while a press captures the mouse
    float y = 0;
};

class PictureBox {
  public:
    PictureBox(Window& owner, std::string name, Rect place, int focusOrder);

    const std::string& name() const { return name_; }
    int Left() const { return place_.x; }
    int Top() const { return place_.y; }
    int Width() const { return place_.w; }
    int Height() const { return place_.h; }
    Rect place() const { return place_; }
    int focusOrder() const { return focusOrder_; }

    bool Visible() const { return visible_; }
    bool Enabled() const { return enabled_; }
    const Picture& picture() const { return picture_; }
    const Cursor& cursor() const { return cursor_; }

    void setVisible(bool visible);
    void setEnabled(bool enabled);
    void setPicture(Picture picture);
    void setCursor(Cursor cursor);
    void move(int left, int top);
    // The box's picture was changed in place (the canvas); repaint these rows of it.
    void invalidateRows(int firstRow, int lastRow);

    // Colour shown where no picture covers the box.
    uint32_t backColour = 0xFFF0F0F0;

    std::function<void()> Click;
    std::function<void(const MouseArgs&)> MouseDown;
    std::function<void(const MouseArgs&)> MouseMove;
    std::function<void(int keyCode, int shift)> KeyDown;

  private:
    Window& owner_;
    std::string name_;
    Rect place_;
    int focusOrder_;
    bool visible_ = true;
    bool enabled_ = true;
    Picture picture_;
    Cursor cursor_;
};

}  // namespace cb
