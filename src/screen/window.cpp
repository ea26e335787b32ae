#include "screen/window.h"

#include <algorithm>
#include <cstring>
#include <exception>

namespace cb {
namespace {

bool contains(const Rect& r, int x, int y) {
    return x >= r.x && y >= r.y && x < r.x + r.w && y < r.y + r.h;
}

Rect intersect(const Rect& a, const Rect& b) {
    const int x0 = std::max(a.x, b.x), y0 = std::max(a.y, b.y);
    const int x1 = std::min(a.x + a.w, b.x + b.w), y1 = std::min(a.y + a.h, b.y + b.h);
    return {x0, y0, x1 - x0, y1 - y0};
}

Rect unite(const Rect& a, const Rect& b) {
    const int x0 = std::min(a.x, b.x), y0 = std::min(a.y, b.y);
    const int x1 = std::max(a.x + a.w, b.x + b.w), y1 = std::max(a.y + a.h, b.y + b.h);
    return {x0, y0, x1 - x0, y1 - y0};
}

// Runs one event handler; whatever it throws ends that handler and nothing else.
template <class F>
void dispatch(F&& handler) {
    try {
        handler();
    } catch (const std::exception&) {
    }
}

}  // namespace

void Timer::setEnabled(bool enabled) {
    if (enabled && !enabled_) due_ = owner_.now() + intervalSeconds;
    enabled_ = enabled;
}

Window::Window(Platform& platform) : platform_(platform), frame_(kWidth, kHeight, 0xFF000000) {
    clockLast_ = platform_.timer();
    invalidate({0, 0, kWidth, kHeight});
}

PictureBox& Window::addBox(std::string name, Rect place, int focusOrder) {
    boxes_.push_back(std::make_unique<PictureBox>(*this, std::move(name), place, focusOrder));
    invalidate(place);
    return *boxes_.back();
}

Timer& Window::addTimer() {
    timers_.push_back(std::make_unique<Timer>(*this));
    return *timers_.back();
}

void Window::setBackground(Picture picture) {
    background_ = std::move(picture);
    invalidate({0, 0, kWidth, kHeight});
}

PictureBox* Window::boxAt(int x, int y) const {
    for (const auto& box : boxes_) {
        if (!box->Visible() || !contains(box->place(), x, y)) continue;
        // A disabled box still covers what lies beneath it; its input goes to the window.
        return box->Enabled() ? box.get() : nullptr;
    }
    return nullptr;
}

double Window::now() {
    // The platform's clock restarts at midnight; time here only moves forward.
    const float t = platform_.timer();
    if (t < clockLast_) clockOffset_ += 86400.0;
    clockLast_ = t;
    return clockOffset_ + t;
}

void Window::doEvents(double maxWait) {
    double wait = maxWait;
    const double start = now();
    for (const auto& timer : timers_)
        if (timer->enabled_) wait = std::min(wait, timer->due_ - start);
    platform_.waitEvents(std::max(wait, 0.0), *this);
    runTimers();
    render();
}

void Window::runTimers() {
    const double t = now();
    for (const auto& timer : timers_) {
        if (!timer->enabled_ || timer->due_ > t) continue;
        timer->due_ = t + timer->intervalSeconds;
        if (timer->Tick) dispatch(timer->Tick);
    }
}

void Window::invalidate(Rect r) {
    r = intersect(r, {0, 0, kWidth, kHeight});
    if (r.empty()) return;
    for (Rect& d : dirty_) {
        if (!intersect(d, r).empty()) {
            d = unite(d, r);
            return;
        }
    }
    dirty_.push_back(r);
    if (dirty_.size() > 16) {
        Rect all = dirty_.front();
        for (const Rect& d : dirty_) all = unite(all, d);
        dirty_.assign(1, all);
    }
}

void Window::boxChanged(PictureBox& box) {
    invalidate(box.place());
    if (!box.Visible() || !box.Enabled()) {
        if (focus_ == &box) focus_ = nullptr;
        if (capture_ == &box) capture_ = nullptr;
    }
    refreshCursor();
}

void Window::render(bool always) {
    if (dirty_.empty()) {
        if (always) platform_.present(frame_, {});
        return;
    }
    for (const Rect& r : dirty_) compose(r);
    platform_.present(frame_, dirty_);
    dirty_.clear();
}

const Image& Window::composeAll() {
    compose({0, 0, kWidth, kHeight});
    return frame_;
}

void Window::compose(Rect r) {
    r = intersect(r, {0, 0, kWidth, kHeight});
    if (r.empty()) return;
    // Copies a run of a picture's row into the frame, and fills the part of the run that
    // the picture does not reach.
    auto copyRun = [this](const Image* pic, int px, int py, int x, int y, int n, uint32_t fill) {
        uint32_t* out = &frame_.at(x, y);
        int copied = 0;
        if (pic && py >= 0 && py < pic->height && px < pic->width) {
            copied = std::min(n, pic->width - px);
            std::memcpy(out, pic->pixels.data() + static_cast<size_t>(py) * pic->width + px,
                        static_cast<size_t>(copied) * 4);
        }
        std::fill(out + copied, out + n, fill);
    };
    // The background, then every visible box from the bottom of the stacking order up.
    for (int y = r.y; y < r.y + r.h; ++y)
        copyRun(background_.get(), r.x, y, r.x, y, r.w, 0xFF000000);
    for (auto it = boxes_.rbegin(); it != boxes_.rend(); ++it) {
        const PictureBox& box = **it;
        if (!box.Visible()) continue;
        const Rect area = intersect(box.place(), r);
        if (area.empty()) continue;
        for (int y = area.y; y < area.y + area.h; ++y)
            copyRun(box.picture().get(), area.x - box.Left(), y - box.Top(), area.x, y, area.w,
                    box.backColour);
    }
}

MouseArgs Window::argsFor(const PictureBox& box, int x, int y, int button, int shift) {
    return {button, shift, static_cast<float>(x - box.Left()), static_cast<float>(y - box.Top())};
}

void Window::refreshCursor() {
    const PictureBox* box = capture_ ? capture_ : boxAt(lastX_, lastY_);
    const Cursor* wanted = (box && box->cursor().image) ? &box->cursor() : &cursor;
    if (!wanted->image || (shownCursor_.image == wanted->image &&
                           shownCursor_.hotX == wanted->hotX && shownCursor_.hotY == wanted->hotY))
        return;
    shownCursor_ = *wanted;
    platform_.setCursor(*wanted);
}

void Window::pointerMoved(int x, int y, int buttons) {
    lastX_ = x;
    lastY_ = y;
    refreshCursor();
    PictureBox* box = capture_ ? capture_ : boxAt(x, y);
    if (box) {
        if (box->MouseMove)
            dispatch([&] { box->MouseMove(argsFor(*box, x, y, buttons, modifiers_)); });
    } else if (MouseMove) {
        dispatch([&] { MouseMove({buttons, modifiers_, float(x), float(y)}); });
    }
}

void Window::buttonPressed(int x, int y, int button, int) {
    lastX_ = x;
    lastY_ = y;
    PictureBox* box = capture_ ? capture_ : boxAt(x, y);
    if (!box) return;
    // A press gives the box the keyboard focus and captures the mouse until release.
    capture_ = box;
    focus_ = box;
    if (box->MouseDown) dispatch([&] { box->MouseDown(argsFor(*box, x, y, button, modifiers_)); });
}

void Window::buttonReleased(int x, int y, int button, int buttons) {
    lastX_ = x;
    lastY_ = y;
    PictureBox* box = capture_;
    if (buttons == 0) capture_ = nullptr;
    if (box && button == kLeftButton && box->Visible() && box->Enabled() &&
        contains(box->place(), x, y) && box->Click)
        dispatch(box->Click);
    refreshCursor();
}

void Window::keyPressed(int keyCode, int modifiers, bool repeat) {
    // A held key runs its command once: the keyboard's repeats of it are not key presses of
    // the child's (a child leaning on Ctrl+P would otherwise print page after page).
    if (repeat) return;
    if (focus_) {
        if (focus_->KeyDown) dispatch([&] { focus_->KeyDown(keyCode, modifiers); });
    } else if (KeyDown) {
        dispatch([&] { KeyDown(keyCode, modifiers); });
    }
}

void Window::terminateRequested() {
    if (TerminateRequested) dispatch(TerminateRequested);
}

}  // namespace cb
