// The SDL platform with its clock made virtual, for running the real program through a
// scripted tour far faster than real time: every wait jumps the clock instead of sleeping, and
// the tour's input is queued in SDL's own event queue whenever the program waits for input.
// Everything else stays real. Every call that reads a file, and a few more, is written to
// standard output as a line.
#pragma once

#include <SDL.h>
#include <signal.h>
#include <sys/wait.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/sdl_platform.h"
#include "sdl_input.h"

namespace cb {

inline void line(const std::string& text) {
    std::printf("%s\n", text.c_str());
    std::fflush(stdout);
}

inline std::string leaf(const std::string& path) {
    return path.substr(path.find_last_of("\\/") + 1);
}

struct Step {
    std::string name;
    double gap;  // virtual seconds after the step before
    std::function<void()> act;
};

class VirtualClockPlatform : public SdlPlatform {
  public:
    VirtualClockPlatform(const Image& icon, std::string book)
        : SdlPlatform(icon), book_(std::move(book)) {}

    void beginTour(std::vector<Step> steps) {
        steps_ = std::move(steps);
        touring_ = true;
        due_ = clock_ + steps_.front().gap;
    }

    // The clock: seconds since midnight, single precision as the program reads it, starting
    // at ten in the morning. A step shorter than its resolution still moves it.
    float timer() override { return clock_; }
    double steadySeconds() override { return clock_; }

    void waitEvents(double timeoutSeconds, InputSink& sink) override {
        const double deadline = clock_ + std::max(timeoutSeconds, 0.0);
        if (touring_ && next_ == steps_.size()) {
            line("exit tour ran out after " + std::to_string(next_));
            stopStartedPrograms();
            std::_Exit(3);
        }
        if (touring_ && due_ <= deadline) {
            advanceTo(due_);
            const Step& step = steps_[next_++];
            line("step " + std::to_string(next_) + " " + step.name);
            step.act();
            if (next_ < steps_.size()) due_ = clock_ + steps_[next_].gap;
        } else {
            advanceTo(deadline);
        }
        SdlPlatform::waitEvents(0, sink);
    }

    bool pauseHoldingInput(double seconds) override {
        advanceTo(clock_ + std::max(seconds, 0.0));
        return SdlPlatform::pauseHoldingInput(0);
    }

    std::string programDirectory() override { return book_; }

    Picture loadPicture(const std::string& path) override {
        line("load " + leaf(path));
        return SdlPlatform::loadPicture(path);
    }
    void savePicture(const Image& image, const std::string& path) override {
        line("save " + leaf(path));
        SdlPlatform::savePicture(image, path);
    }
    void playEffect(const std::string& path) override {
        line("effect " + leaf(path));
        SdlPlatform::playEffect(path);
    }
    void loadMusic(const std::string& path) override {
        line("music " + leaf(path));
        SdlPlatform::loadMusic(path);
    }
    void startProgram(const std::string& path) override {
        line("start " + leaf(path));
        try {
            SdlPlatform::startProgram(path);
        } catch (const std::exception& e) {
            line(std::string("refused ") + e.what());
            throw;
        }
    }
    void setDisplayMode(int width, int height, int bitsPerPixel) override {
        line("display " + std::to_string(width) + "x" + std::to_string(height));
        SdlPlatform::setDisplayMode(width, height, bitsPerPixel);
    }
    void printPicture(const Image& picture, const std::string&) override {
        line("print " + std::to_string(picture.width) + "x" + std::to_string(picture.height));
    }
    void openUrl(const std::string& url) override { line("url " + url); }

    [[noreturn]] void exitNow() override {
        line(touring_ ? "exit after " + std::to_string(next_) + "/" + std::to_string(steps_.size())
                      : std::string("exit start-up"));
        stopStartedPrograms();
        SdlPlatform::exitNow();
    }

    // Input as the desktop would queue it, in window pixels.
    void move(int x, int y, Uint32 held = 0) { cbtest::pushMotion(window(), x, y, held); }
    void button(bool down, int x, int y) { cbtest::pushButton(window(), down, x, y); }
    void key(bool down, SDL_Keycode sym, SDL_Scancode scancode, Uint16 modifiers) {
        cbtest::pushKey(window(), down, sym, scancode, modifiers);
    }
    // Ctrl held, the letter pressed and let go, Ctrl let go.
    void control(char letter) {
        const SDL_Keycode sym = SDLK_a + (letter - 'A');
        const SDL_Scancode code = static_cast<SDL_Scancode>(SDL_SCANCODE_A + (letter - 'A'));
        key(true, SDLK_LCTRL, SDL_SCANCODE_LCTRL, KMOD_LCTRL);
        key(true, sym, code, KMOD_LCTRL);
        key(false, sym, code, KMOD_LCTRL);
        key(false, SDLK_LCTRL, SDL_SCANCODE_LCTRL, KMOD_NONE);
    }

  private:
    void advanceTo(double time) {
        const float next = static_cast<float>(time);
        clock_ = (time > clock_ && next <= clock_) ? std::nextafter(clock_, 1e9f) : next;
    }

    // The intro runs for three seconds of real time, which the virtual clock does not wait
    // for: it goes with the program, so that hundreds of runs leave none behind.
    void stopStartedPrograms() {
        for (pid_t child : startedPrograms()) {
            kill(child, SIGKILL);
            waitpid(child, nullptr, 0);
        }
    }

    std::string book_;
    float clock_ = 36000.0f;
    std::vector<Step> steps_;
    size_t next_ = 0;
    double due_ = 0;
    bool touring_ = false;
};

}  // namespace cb
