// The platform of the form tests: no window, no sound, a virtual clock that jumps instead of
// sleeping, scripted input, and a log of every call in the order it was made.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace cb {

class MemoryPlatform : public Platform {
  public:
    MemoryPlatform();

    // What happened, one line per call: "load C:/x/PICTURE/01.GIF", "effect ...", "show", ...
    std::vector<std::string> log;
    std::vector<float> logTimes;  // the clock at each line of the log
    // The clock when the first line starting with prefix was written, or -1.
    float timeOf(const std::string& prefix) const;
    std::vector<std::string> entries(const std::string& prefix) const;
    void clearLog() { log.clear(), logTimes.clear(); }

    // Settings a test changes before it runs the program.
    std::string directory = "/tmp";  // what programDirectory() reports
    float clock = 36000.0f;          // seconds since midnight
    bool filterInstalls = true;
    bool displayRefuses = false;
    bool restoreFails = false;
    bool musicAvailable = true;  // an audio device with MIDI playback
    bool musicSounding = false;  // the piece is still playing; a test ends it by clearing it
    bool printerAvailable = true;
    bool terminatePending = false;  // the program was asked to end while input was held

    // Scripted input, delivered by waitEvents when the clock reaches its time.
    void at(double time, std::function<void(InputSink&)> event);
    void soon(std::function<void(InputSink&)> event) { at(clock, std::move(event)); }
    // A key press as the real platform delivers it: through the installed filter first.
    void key(InputSink& sink, uint32_t vkCode, int modifiers, bool repeat = false);

    // State a test reads.
    bool windowVisible = false;
    bool fullScreen = false;
    KeyboardFilter filter = nullptr;
    Cursor cursor;
    const Image* frame = nullptr;  // the last frame presented
    int presents = 0;
    int waits = 0;
    std::vector<Image> printed;  // every page printed, in order

    float timer() override { return clock; }
    double steadySeconds() override { return clock; }
    void waitEvents(double timeoutSeconds, InputSink& sink) override;
    bool pauseHoldingInput(double seconds) override;
    uint32_t fileLength(const std::string& path) override;
    Picture loadPicture(const std::string& path) override;
    void savePicture(const Image& image, const std::string& path) override;
    std::string programDirectory() override { return directory; }
    void setCurrentDirectory(const std::string& path) override;
    void setWindowVisible(bool visible) override;
    void minimizeWindow() override;
    void setCursor(const Cursor& c) override;
    void present(const Image& f, const std::vector<Rect>& changed) override;
    uint32_t installKeyboardFilter(KeyboardFilter f) override;
    void removeKeyboardFilter(uint32_t handle) override;
    void setDisplayMode(int width, int height, int bitsPerPixel) override;
    void restoreDisplayMode() override;
    void startProgram(const std::string& path) override;
    void playEffect(const std::string& path) override;
    void openMusic() override;
    void setMusicVolume(int hundredthsOfDecibel) override;
    void loadMusic(const std::string& path) override;
    void playMusic() override;
    void stopMusic() override;
    bool musicPlaying() override;
    void closeMusic() override;
    void printPicture(const Image& picture, const std::string& title) override;
    void openUrl(const std::string& url) override;
    [[noreturn]] void exitNow() override;

  private:
    void advanceTo(double time);
    void note(std::string line) {
        log.push_back(std::move(line));
        logTimes.push_back(clock);
    }
    std::multimap<double, std::function<void(InputSink&)>> script_;
    bool musicLoaded_ = false;
};

}  // namespace cb
