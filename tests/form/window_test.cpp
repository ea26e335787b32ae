// The window's layout and the routing of input to its boxes.
#include <gtest/gtest.h>

#include "platform/memory_platform.h"
#include "screen/form.h"

namespace cb {
namespace {

class WindowTest : public testing::Test {
  protected:
    MemoryPlatform platform;
    Form form{platform};
    Window& window = form.window;
    std::vector<std::string> events;

    void record(PictureBox& box) {
        box.MouseDown = [&, name = box.name()](const MouseArgs& a) {
            events.push_back(name + " down " + std::to_string(int(a.x)) + "," +
                             std::to_string(int(a.y)) + " b" + std::to_string(a.button));
        };
        box.MouseMove = [&, name = box.name()](const MouseArgs& a) {
            events.push_back(name + " move " + std::to_string(int(a.x)) + "," +
                             std::to_string(int(a.y)) + " b" + std::to_string(a.button));
        };
        box.Click = [&, name = box.name()] { events.push_back(name + " click"); };
        box.KeyDown = [&, name = box.name()](int key, int shift) {
            events.push_back(name + " key " + std::to_string(key) + "/" + std::to_string(shift));
        };
    }
    void press(int x, int y, int button = kLeftButton) {
        window.buttonPressed(x, y, button, button);
        window.buttonReleased(x, y, button, 0);
    }
};

TEST_F(WindowTest, TheLayoutHasEveryControlAtItsPlace) {
    EXPECT_EQ(window.boxes().size(), 54u);
    const Rect canvas = form.Slika.place();
    EXPECT_EQ(canvas.x, 30);
    EXPECT_EQ(canvas.y, 29);
    EXPECT_EQ(canvas.w, 750);
    EXPECT_EQ(canvas.h, 600);
    EXPECT_EQ(form.palette[11]->Left(), 932);
    EXPECT_EQ(form.Galerija[0]->name(), "Galerija1");
    EXPECT_EQ(form.Galerija[24]->Left(), 96);
}

TEST_F(WindowTest, CanvasCornersAndTheFirstPixelPastThem) {
    record(form.Slika);
    std::vector<std::string> background;
    window.MouseMove = [&](const MouseArgs& a) {
        background.push_back(std::to_string(int(a.x)) + "," + std::to_string(int(a.y)));
    };
    press(30, 29);
    press(779, 628);
    EXPECT_EQ(window.boxAt(780, 629), nullptr);
    window.pointerMoved(780, 629, 0);
    EXPECT_EQ(events, (std::vector<std::string>{"Slika down 0,0 b1", "Slika click",
                                                "Slika down 749,599 b1", "Slika click"}));
    EXPECT_EQ(background, std::vector<std::string>{"780,629"});
}

TEST_F(WindowTest, TheTopOfTheStackingOrderTakesTheMouse) {
    for (PictureBox* b : {&form.Izlaz, &form.Da, &form.Ne, &form.Registered}) b->setVisible(true);
    EXPECT_EQ(window.boxAt(370, 410), &form.Da);     // over the exit panel
    EXPECT_EQ(window.boxAt(320, 270), &form.Izlaz);  // exit panel over the info panel
    EXPECT_EQ(window.boxAt(200, 200), &form.Slika);
    form.Da.setVisible(false);
    EXPECT_EQ(window.boxAt(370, 410), &form.Izlaz);
}

TEST_F(WindowTest, ADisabledBoxPassesTheMouseToTheWindow) {
    record(form.Slika);
    int windowMoves = 0;
    window.MouseMove = [&](const MouseArgs&) { ++windowMoves; };
    form.Slika.setEnabled(false);
    press(100, 100);
    window.pointerMoved(100, 100, 0);
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(windowMoves, 1);
}

TEST_F(WindowTest, APressCapturesTheMouseUntilRelease) {
    record(form.Slika);
    record(form.MoreImages);
    window.buttonPressed(100, 100, kLeftButton, kLeftButton);
    window.pointerMoved(900, 300, kLeftButton);  // over MoreImages, but captured
    window.pointerMoved(10, 5, kLeftButton);
    window.buttonReleased(10, 5, kLeftButton, 0);  // outside: no click
    window.pointerMoved(900, 300, 0);
    EXPECT_EQ(events,
              (std::vector<std::string>{"Slika down 70,71 b1", "Slika move 870,271 b1",
                                        "Slika move -20,-24 b1", "MoreImages move 68,59 b0"}));
}

TEST_F(WindowTest, KeysGoToTheFocusedBoxAndAPressMovesTheFocus) {
    record(form.Slika);
    record(form.MoreImages);
    std::vector<int> windowKeys;
    window.KeyDown = [&](int key, int) { windowKeys.push_back(key); };
    window.keyPressed('P', kCtrlMask, false);
    press(900, 300);
    window.keyPressed('X', kCtrlMask, false);
    form.MoreImages.setVisible(false);  // a hidden box loses the focus to the window
    window.keyPressed('R', kCtrlMask, false);
    EXPECT_EQ(events, (std::vector<std::string>{"Slika key 80/2", "MoreImages down 68,59 b1",
                                                "MoreImages click", "MoreImages key 88/2"}));
    EXPECT_EQ(windowKeys, std::vector<int>{'R'});
}

TEST_F(WindowTest, AFailingHandlerEndsOnlyItself) {
    int after = 0;
    form.Slika.MouseDown = [](const MouseArgs&) { throw std::runtime_error("no file"); };
    form.Slika.Click = [&] { ++after; };
    press(100, 100);
    EXPECT_EQ(after, 1);
}

TEST_F(WindowTest, TheFrameShowsTheBuiltInPicturesAtTheirBoxes) {
    const Image& frame = window.composeAll();
    auto same = [&](const PictureBox& box, int x, int y) {
        // Where a box higher in the stacking order covers this one, that one shows.
        if (window.boxAt(box.Left() + x, box.Top() + y) != &box) return true;
        return frame.at(box.Left() + x, box.Top() + y) == (box.picture()->at(x, y) | 0xFF000000);
    };
    for (const auto& b : window.boxes()) {
        if (!b->Visible()) continue;
        ASSERT_TRUE(b->picture()) << b->name();
        const int w = std::min(b->Width(), b->picture()->width);
        const int h = std::min(b->Height(), b->picture()->height);
        EXPECT_TRUE(same(*b, 0, 0) && same(*b, w / 2, h / 2) && same(*b, w - 1, h - 1))
            << b->name();
    }
    // Between the boxes the window's background shows.
    const Picture& bg = window.background();
    EXPECT_EQ(frame.at(5, 5), bg->at(5, 5) | 0xFF000000);
    EXPECT_EQ(frame.at(1020, 700), bg->at(1020, 700) | 0xFF000000);
}

TEST_F(WindowTest, OnlyWhatChangedIsPresentedAndIdleDrawsNothing) {
    window.render();
    const int first = platform.presents;
    window.doEvents(1.0);
    EXPECT_EQ(platform.presents, first);  // nothing changed
    form.canvas().at(10, 10) = 0xFFFF0000;
    form.canvasChanged(10, 10);
    window.doEvents(0);
    EXPECT_EQ(platform.presents, first + 1);
    EXPECT_EQ(platform.frame->at(40, 39), 0xFFFF0000u);
}

TEST_F(WindowTest, TimersTickAtTheirIntervalWhileEnabled) {
    int ticks = 0;
    form.tmrRepeat.Tick = [&] { ++ticks; };
    form.tmrRepeat.setEnabled(true);
    const float t0 = platform.clock;
    for (int i = 0; i < 4; ++i) window.doEvents(10);  // each wait ends at the next tick
    EXPECT_EQ(ticks, 4);
    EXPECT_FLOAT_EQ(platform.clock, t0 + 2.0f);
    form.tmrRepeat.setEnabled(false);
    window.doEvents(2);
    EXPECT_EQ(ticks, 4);
}

}  // namespace
}  // namespace cb
