#include "screen/picture_box.h"

#include <algorithm>

#include "screen/window.h"

namespace cb {

PictureBox::PictureBox(Window& owner, std::string name, Rect place, int focusOrder)
    : owner_(owner), name_(std::move(name)), place_(place), focusOrder_(focusOrder) {}

void PictureBox::setVisible(bool visible) {
    if (visible_ == visible) return;
    visible_ = visible;
    owner_.boxChanged(*this);
}

void PictureBox::setEnabled(bool enabled) {
    if (enabled_ == enabled) return;
    enabled_ = enabled;
    owner_.boxChanged(*this);
}

void PictureBox::setPicture(Picture picture) {
    picture_ = std::move(picture);
    if (visible_) owner_.invalidate(place_);
}

void PictureBox::setCursor(Cursor cursor) {
    cursor_ = std::move(cursor);
    owner_.refreshCursor();
}

void PictureBox::move(int left, int top) {
    if (left == place_.x && top == place_.y) return;
    if (visible_) owner_.invalidate(place_);
    place_.x = left;
    place_.y = top;
    if (visible_) owner_.invalidate(place_);
}

void PictureBox::invalidateRows(int firstRow, int lastRow) {
    if (!visible_ || lastRow < firstRow) return;
    firstRow = std::max(firstRow, 0);
    lastRow = std::min(lastRow, place_.h - 1);
    owner_.invalidate({place_.x, place_.y + firstRow, place_.w, lastRow - firstRow + 1});
}

}  // namespace cb
