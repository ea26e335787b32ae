// The program's one window: its boxes in stacking order, the background picture, the routing
// of input to boxes, timers, and the frame composed in software and presented once a round.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "platform/platform.h"
#include "screen/picture_box.h"

namespace cb {

class Window;

class Timer {
  public:
    explicit Timer(Window& owner) : owner_(owner) {}
    bool Enabled() const { return enabled_; }
    void setEnabled(bool enabled);
    double intervalSeconds = 0.5;
    std::function<void()> Tick;

  private:
    friend class Window;
    Window& owner_;
    bool enabled_ = false;
    double due_ = 0;  // seconds since the window's first pump, once enabled
};

class Window : public InputSink {
  public:
    static constexpr int kWidth = 1024;
    static constexpr int kHeight = 768;

    explicit Window(Platform& platform);

    // Boxes are added from the top of the stacking order downwards.
    PictureBox& addBox(std::string name, Rect place, int focusOrder);
    const std::vector<std::unique_ptr<PictureBox>>& boxes() const { return boxes_; }
    Timer& addTimer();

    void setBackground(Picture picture);
    const Picture& background() const { return background_; }
    Cursor cursor;  // shown over the background and over disabled boxes

    PictureBox* focus() const { return focus_; }
    void setFocus(PictureBox* box) { focus_ = box; }
    // The box that takes a click at this window pixel, or null for the window itself.
    PictureBox* boxAt(int x, int y) const;

    std::function<void(const MouseArgs&)> MouseMove;
    std::function<void(int keyCode, int shift)> KeyDown;
    std::function<void()> TerminateRequested;

    // Delivers pending input (sleeping up to maxWait seconds for some), runs due timers and
    // presents the frame if anything changed. Handlers may call it again from inside.
    void doEvents(double maxWait = 0);
    // Presents what changed since the last frame; with always, a frame even when nothing did.
    void render(bool always = false);
    // Composes the whole frame as it stands, for tests and screenshots.
    const Image& composeAll();

    void invalidate(Rect r);
    // Shows the cursor of whatever lies under the pointer now (after a cursor change).
    void refreshCursor();
    // Seconds since the window was made, from the platform's clock, across midnight.
    double now();
    void boxChanged(PictureBox& box);  // visibility or enabled state changed

    // InputSink
    void pointerMoved(int x, int y, int buttons) override;
    void buttonPressed(int x, int y, int button, int buttons) override;
    void buttonReleased(int x, int y, int button, int buttons) override;
    void keyPressed(int keyCode, int modifiers, bool repeat) override;
    void terminateRequested() override;

  private:
    void compose(Rect r);
    void runTimers();
    static MouseArgs argsFor(const PictureBox& box, int x, int y, int button, int shift);

    Platform& platform_;
    std::vector<std::unique_ptr<PictureBox>> boxes_;  // top of the stacking order first
    std::vector<std::unique_ptr<Timer>> timers_;
    Picture background_;
    PictureBox* focus_ = nullptr;
    PictureBox* capture_ = nullptr;
    int lastX_ = -1, lastY_ = -1;
    int modifiers_ = 0;
    Image frame_;
    std::vector<Rect> dirty_;
    Cursor shownCursor_;
    double clockOffset_ = 0;
    float clockLast_ = 0;
};

}  // namespace cb
