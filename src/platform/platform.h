// Everything the program asks of the machine. Two implementations: SdlPlatform (the product)
// and MemoryPlatform (tests: a virtual clock and a record of every call).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/image.h"
#include "platform/keyboard_record.h"

namespace cb {

// Mouse buttons as the program counts them.
constexpr int kLeftButton = 1;
constexpr int kRightButton = 2;
constexpr int kMiddleButton = 4;

// Modifier mask of a key press.
constexpr int kShiftMask = 1;
constexpr int kCtrlMask = 2;
constexpr int kAltMask = 4;

// Where the platform delivers input, in window pixels of the 1024 x 768 layout.
class InputSink {
  public:
    virtual ~InputSink() = default;
    virtual void pointerMoved(int x, int y, int buttons) = 0;
    virtual void buttonPressed(int x, int y, int button, int buttons) = 0;
    virtual void buttonReleased(int x, int y, int button, int buttons) = 0;
    virtual void keyPressed(int keyCode, int modifiers) = 0;
    // A shutdown or a parent's terminal asks the program to end (SIGTERM, SIGINT).
    virtual void terminateRequested() = 0;
};

// A rectangle of the frame that changed since the last present.
struct Rect {
    int x = 0, y = 0, w = 0, h = 0;
    bool empty() const { return w <= 0 || h <= 0; }
};

class Platform {
  public:
    virtual ~Platform() = default;

    // Files. Paths may use backslashes and any case (see paths.h).
    virtual uint32_t fileLength(const std::string& path);
    virtual Picture loadPicture(const std::string& path);  // JPEG, GIF, ICO, BMP; throws
    virtual void savePicture(const Image& image, const std::string& path);  // BMP; throws
    virtual std::string programDirectory();  // the executable's folder, no trailing slash
    virtual void setCurrentDirectory(const std::string& path);

    // Time and events.
    virtual float timer() = 0;  // seconds since local midnight
    // Sleeps until input arrives or the timeout passes, then delivers everything pending.
    virtual void waitEvents(double timeoutSeconds, InputSink& sink) = 0;

    // The window.
    virtual void setWindowVisible(bool visible) = 0;
    virtual void minimizeWindow() = 0;
    virtual void setCursor(const Cursor& cursor) = 0;
    // Shows the 1024 x 768 frame; only the rectangles listed have changed since last time.
    virtual void present(const Image& frame, const std::vector<Rect>& changed) = 0;

    // Keyboard filter: returns a non-zero handle, or 0 when it cannot be installed.
    virtual uint32_t installKeyboardFilter(KeyboardFilter filter) = 0;
    virtual void removeKeyboardFilter(uint32_t handle) = 0;

    // Display mode: throws when the display refuses it.
    virtual void setDisplayMode(int width, int height, int bitsPerPixel) = 0;
    virtual void restoreDisplayMode() = 0;

    // Starts a program by absolute path, without waiting; throws when the file is missing.
    virtual void startProgram(const std::string& path) = 0;

    // Effects: plays a WAV at once, cutting off one still playing; never fails to the caller.
    virtual void playEffect(const std::string& path) = 0;

    // Ends the program at once: desktop mode back, keyboard released.
    [[noreturn]] virtual void exitNow() = 0;
};

}  // namespace cb
