// A fixture for the form tests: the real program over the in-memory platform and a private
// copy of the book, started as a child would find it (main screen, page 1, drop tool).
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "book_copy.h"
#include "platform/memory_platform.h"
#include "shell/program.h"

namespace cb {

class RunningBook : public testing::Test {
  protected:
    RunningBook() {
        platform.directory = book.dir().string();
        app.start();
        platform.clearLog();
    }

    Form& form() { return app.form; }
    Window& window() { return app.form.window; }
    ProgramState& state() { return app.form.state; }

    // Input as the window receives it, in window pixels.
    void clickAt(int x, int y) {
        window().buttonPressed(x, y, kLeftButton, kLeftButton);
        window().buttonReleased(x, y, kLeftButton, 0);
    }
    void click(const PictureBox& box) { clickAt(box.Left() + 3, box.Top() + 3); }
    void moveTo(int x, int y, int held = 0) { window().pointerMoved(x, y, held); }
    void moveOver(const PictureBox& box) { moveTo(box.Left() + 3, box.Top() + 3); }
    // A point of the window background that no box covers on either screen.
    void moveOverBackground() { moveTo(1010, 20); }
    void key(int keyCode, int modifiers = kCtrlMask, bool repeat = false) {
        platform.key(window(), static_cast<uint32_t>(keyCode), modifiers, repeat);
    }

    // The files loaded since the log was last cleared, by name only ("GUMICA1.JPG"); the
    // log is cleared.
    std::vector<std::string> loads() {
        std::vector<std::string> out;
        for (const auto& line : platform.entries("load "))
            out.push_back(line.substr(line.rfind('\\') + 1));
        platform.clearLog();
        return out;
    }
    // Whether a box shows the book's picture of that name now.
    bool shows(const PictureBox& box, const std::string& file) {
        const Picture expected =
            platform.Platform::loadPicture(book.file("PICTURE/" + file).string());
        return box.picture() && box.picture()->pixels == expected->pixels;
    }
    // Whether the canvas holds that page of the book, pixel for pixel.
    bool canvasShows(const std::string& page) {
        const Picture expected =
            platform.Platform::loadPicture(book.file("PICTURE/" + page).string());
        for (size_t i = 0; i < expected->pixels.size(); ++i)
            if ((form().canvas().pixels[i] | 0xFF000000) != (expected->pixels[i] | 0xFF000000))
                return false;
        return true;
    }

    cbtest::BookCopy book;
    MemoryPlatform platform;
    ColouringBook app{platform};
};

}  // namespace cb
