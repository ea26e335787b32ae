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
    // repeat: the key is held and the keyboard repeats it.
    virtual void keyPressed(int keyCode, int modifiers, bool repeat) = 0;
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
    // GIF, or a bitmap for a picture of more than 256 colours; throws.
    virtual void savePicture(const Image& image, const std::string& path);
    virtual std::string programDirectory();  // the executable's folder, no trailing slash
    virtual void setCurrentDirectory(const std::string& path);
    // Where this user's own files of the program go (see userFolder in paths.h).
    virtual std::string userFolder(const std::string& programFolder);

    // Time and events.
    virtual float timer() = 0;  // seconds since local midnight
    // A precise clock for pacing animation: seconds from an arbitrary start, never backwards.
    virtual double steadySeconds() = 0;
    // Sleeps until input arrives or the timeout passes, then delivers everything pending.
    virtual void waitEvents(double timeoutSeconds, InputSink& sink) = 0;
    // Holds the thread for a while without handling input: what arrives meanwhile waits, in
    // order, for the next waitEvents. Says whether the program was asked to end meanwhile.
    virtual bool pauseHoldingInput(double seconds) = 0;

    // Pseudo-random numbers: the next u with 0 <= u < 1, and a new seed from the clock. The
    // first number of a run, before any reseed, is always the same.
    virtual float rnd();
    virtual void randomize();

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

    // Music: one MIDI piece through the platform's synthesiser. openMusic makes sure the
    // engine is ready (throws when there is no audio device or no MIDI playback); loadMusic
    // stops what plays and reads the file again (throws when it is missing, unreadable or no
    // MIDI file, and then nothing is loaded); playMusic starts the loaded piece from its
    // beginning, once; musicPlaying is true until its last note has been played; stopMusic
    // leaves it silent when it returns.
    virtual void openMusic() = 0;
    virtual void setMusicVolume(int hundredthsOfDecibel) = 0;
    virtual void loadMusic(const std::string& path) = 0;
    virtual void playMusic() = 0;
    virtual void stopMusic() = 0;
    virtual bool musicPlaying() = 0;
    virtual void closeMusic() = 0;

    // Prints a picture on the default printer: one landscape page, the whole picture scaled
    // to the printable area with its proportions kept, at its top-left corner. The job is
    // queued when the call returns. Throws, quickly, when there is no printer or the print
    // system does not answer.
    virtual void printPicture(const Image& picture, const std::string& title) = 0;

    // Opens an address in the desktop's browser without waiting; a failure is not reported.
    virtual void openUrl(const std::string& url) = 0;

    // Ends the program at once: desktop mode back, keyboard released.
    [[noreturn]] virtual void exitNow() = 0;

  private:
    uint32_t rndSeed_ = 327680;
};

}  // namespace cb
