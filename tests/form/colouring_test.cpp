// Filling, the pencil and drop tools, the speaker and the palette, driven through the window
// as the platform delivers input, over a real copy of the book.
#include <gtest/gtest.h>

#include <filesystem>

#include "book_copy.h"
#include "canvas/canvas_tools.h"
#include "platform/memory_platform.h"
#include "platform/paths.h"
#include "shell/program.h"

namespace fs = std::filesystem;

namespace cb {
namespace {

constexpr uint32_t kWhite = 0xFFFFFFFF, kBlack = 0xFF000000;
constexpr int kCanvasLeft = 30, kCanvasTop = 29;

class Colouring : public testing::Test {
  protected:
    Colouring() {
        platform.directory = book.dir().string();
        ProgramState& s = app.form.state;
        s.AssetRoot = upperCase(book.dir().string());
        s.FillMode = True;
        s.CurrentColor = rgb(255, 0, 0);
        s.SoundFlag = s.SoundEnabled = 1;
        s.MusicOff = 1;
        s.CurrentPicture = 1;
        // A page of its own: a ring (outline 4 px) around a square area in the middle.
        Image& c = canvas();
        std::fill(c.pixels.begin(), c.pixels.end(), kWhite);
        for (int y = 100; y < 300; ++y)
            for (int x = 100; x < 300; ++x)
                if (x < 104 || x >= 296 || y < 104 || y >= 296) c.at(x, y) = kBlack;
        platform.clearLog();
    }

    Image& canvas() { return app.form.canvas(); }
    ProgramState& state() { return app.form.state; }
    Window& window() { return app.form.window; }
    uint32_t at(int x, int y) { return canvas().at(x, y); }

    // Input at canvas pixels, as the window receives it.
    void press(int x, int y, int button = kLeftButton) {
        window().buttonPressed(kCanvasLeft + x, kCanvasTop + y, button, button);
    }
    void release(int x, int y, int button = kLeftButton, int stillHeld = 0) {
        window().buttonReleased(kCanvasLeft + x, kCanvasTop + y, button, stillHeld);
    }
    void move(int x, int y, int held) {
        window().pointerMoved(kCanvasLeft + x, kCanvasTop + y, held);
    }
    void click(PictureBox& b) {
        window().buttonPressed(b.Left() + 1, b.Top() + 1, kLeftButton, kLeftButton);
        window().buttonReleased(b.Left() + 1, b.Top() + 1, kLeftButton, 0);
    }
    std::vector<std::string> effects() { return platform.entries("effect "); }
    std::vector<std::string> loads() {
        std::vector<std::string> out;
        for (const auto& l : platform.entries("load ")) out.push_back(l.substr(l.rfind('\\') + 1));
        return out;
    }
    std::string sound(const char* name) {
        return "effect " + state().AssetRoot + "\\SOUND\\" + name + ".WAV";
    }
    int count(uint32_t pixel) {
        return int(std::count(canvas().pixels.begin(), canvas().pixels.end(), pixel));
    }

    cbtest::BookCopy book;
    MemoryPlatform platform;
    ColouringBook app{platform};
};

TEST_F(Colouring, ALeftPressFillsTheAreaAndPlaysTheFillSound) {
    press(200, 200);
    release(200, 200);
    EXPECT_EQ(at(200, 200), 0xFFFF0000u);
    EXPECT_EQ(at(104, 104), 0xFFFF0000u);
    EXPECT_EQ(at(103, 103), kBlack);
    EXPECT_EQ(at(50, 50), kWhite);
    EXPECT_EQ(count(0xFFFF0000u), 192 * 192);
    EXPECT_EQ(effects(), std::vector<std::string>{sound("SVPLAVA")});
    EXPECT_EQ(state().LastX, 200);
}

TEST_F(Colouring, APressOnTheOutlineChangesNothingAndIsSilent) {
    const std::vector<uint32_t> before = canvas().pixels;
    press(101, 150);
    EXPECT_EQ(canvas().pixels, before);
    EXPECT_TRUE(effects().empty());
    EXPECT_EQ(state().LastX, 101);  // the point is stored all the same
}

TEST_F(Colouring, OtherButtonsAndMutedEffects) {
    for (int button : {kRightButton, kMiddleButton}) {
        press(200, 200, button);
        release(200, 200, button);
    }
    EXPECT_EQ(count(0xFFFF0000u), 0);
    EXPECT_EQ(effects().size(), 2u);  // they fill nothing but still play

    click(app.form.MuteWave);
    EXPECT_EQ(state().SoundFlag, 0);
    EXPECT_EQ(state().SoundEnabled, 0);
    EXPECT_TRUE(platform.entries("load").empty());  // the speaker loads no picture
    press(200, 200);
    release(200, 200);
    EXPECT_EQ(at(200, 200), 0xFFFF0000u);
    EXPECT_EQ(effects().size(), 2u);
    click(app.form.MuteWave);
    EXPECT_EQ(state().SoundEnabled, 1);
}

TEST_F(Colouring, PaletteBlackAndWhiteAreasFillAgain) {
    state().CurrentColor = rgb(30, 30, 30);
    press(200, 200);
    release(200, 200);
    state().CurrentColor = rgb(0, 0, 255);
    press(200, 200);
    release(200, 200);
    EXPECT_EQ(at(200, 200), 0xFF0000FFu);
    // White paint inside joins the white outside once the ring is broken by a white line.
    state().CurrentColor = rgb(255, 255, 255);
    press(200, 200);
    release(200, 200);
    for (int y = 190; y < 210; ++y)
        for (int x = 100; x < 104; ++x) canvas().at(x, y) = kWhite;
    state().CurrentColor = rgb(255, 255, 0);
    press(10, 10);
    EXPECT_EQ(at(200, 200), 0xFFFFFF00u);
}

TEST_F(Colouring, ThePencilDrawsJoinedSegmentsThreePixelsWide) {
    click(app.form.olovka);
    EXPECT_EQ(state().FillMode, False);
    press(20, 20);
    EXPECT_EQ(count(0xFFFF0000u), 0);  // a press alone leaves no mark
    move(30, 20, kLeftButton);
    move(30, 40, kLeftButton);
    release(30, 40);
    EXPECT_EQ(state().LastX, 30);
    EXPECT_EQ(state().LastY, 40);
    for (int y : {19, 20, 21}) EXPECT_EQ(at(25, y), 0xFFFF0000u) << y;
    EXPECT_EQ(at(25, 18), kWhite);
    EXPECT_EQ(at(25, 22), kWhite);
    for (int x : {29, 30, 31}) EXPECT_EQ(at(x, 30), 0xFFFF0000u) << x;
    EXPECT_EQ(at(30, 20), 0xFFFF0000u);  // the corner is joined
    EXPECT_TRUE(effects().empty());
    // With the pencil a press fills nothing and plays nothing.
    press(200, 200);
    release(200, 200);
    EXPECT_EQ(at(200, 200), kWhite);
}

TEST_F(Colouring, ARightPressMidStrokeStoresItsPointAndPausesDrawing) {
    click(app.form.olovka);
    press(50, 50);
    move(60, 50, kLeftButton);
    window().buttonPressed(kCanvasLeft + 70, kCanvasTop + 50, kRightButton,
                           kLeftButton | kRightButton);
    EXPECT_EQ(state().LastX, 70);
    move(80, 60, kLeftButton | kRightButton);  // both held: no drawing
    EXPECT_EQ(at(80, 60), kWhite);
    EXPECT_EQ(at(70, 50), kWhite);
    release(80, 60, kRightButton, kLeftButton);
    move(70, 70, kLeftButton);  // drawing resumes from where the right button went down
    EXPECT_EQ(at(70, 60), 0xFFFF0000u);
    EXPECT_EQ(at(75, 55), kWhite);
}

TEST_F(Colouring, DraggingOffTheCanvasAndBackIsCutAtTheEdge) {
    click(app.form.olovka);
    press(10, 300);
    move(-40, 300, kLeftButton);  // off the left edge
    move(-40, 320, kLeftButton);
    move(10, 320, kLeftButton);  // back in, from the last point outside
    release(10, 320);
    EXPECT_EQ(at(0, 300), 0xFFFF0000u);
    EXPECT_EQ(at(0, 320), 0xFFFF0000u);
    EXPECT_EQ(at(5, 320), 0xFFFF0000u);
    EXPECT_EQ(at(0, 310), kWhite);
    EXPECT_EQ(state().LastX, 10);
}

TEST_F(Colouring, WithTheDropADragDrawsNothing) {
    const std::vector<uint32_t> before = canvas().pixels;
    press(101, 150);  // on the outline: no fill
    move(20, 150, kLeftButton);
    move(20, 20, kLeftButton);
    release(20, 20);
    EXPECT_EQ(canvas().pixels, before);
}

TEST_F(Colouring, TheToolButtonsSwapPicturesAndTheCanvasCursor) {
    const Cursor builtIn = app.form.Slika.cursor();
    click(app.form.olovka);
    EXPECT_EQ(loads(), (std::vector<std::string>{"OLOVKA1.JPG", "KAPLJICA2.JPG", "CETKA.ICO"}));
    const Cursor brush = app.form.Slika.cursor();
    EXPECT_NE(brush.image, builtIn.image);
    EXPECT_EQ(brush.hotX, brush.image->width / 2);
    platform.clearLog();
    click(app.form.kapljica);
    click(app.form.kapljica);  // the active tool again loads the same files again
    EXPECT_EQ(loads(), (std::vector<std::string>{"OLOVKA2.JPG", "KAPLJICA1.JPG", "KANTICA8.ICO",
                                                 "OLOVKA2.JPG", "KAPLJICA1.JPG", "KANTICA8.ICO"}));
    EXPECT_EQ(state().FillMode, True);
    EXPECT_EQ(state().CurrentColor, rgb(255, 0, 0));
}

TEST_F(Colouring, AToolClickThatCannotLoadItsCursorHasSwitchedTheToolAlready) {
    fs::remove(book.file("PICTURE/CETKA.ICO"));
    click(app.form.olovka);
    EXPECT_EQ(state().FillMode, False);
    EXPECT_EQ(loads(), (std::vector<std::string>{"OLOVKA1.JPG", "KAPLJICA2.JPG", "CETKA.ICO"}));
}

TEST(Rounding, HalvesGoToTheEvenNeighbour) {
    const std::pair<float, int> cases[] = {{2.5f, 2}, {3.5f, 4}, {-0.5f, 0},    {0.5f, 0},
                                           {1.4f, 1}, {1.6f, 2}, {749.5f, 750}, {-2.5f, -2}};
    for (auto [in, out] : cases) EXPECT_EQ(roundHalfEven(in), out) << in;
}

}  // namespace
}  // namespace cb
