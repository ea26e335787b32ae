// The eraser and the paper: the sweeps as data, and the wipe as the child sees it.
#include <filesystem>
#include <set>

#include "canvas/wipe.h"
#include "canvas/wipe_sweeps.h"
#include "platform/errors.h"
#include "running_book.h"

namespace fs = std::filesystem;

namespace cb {
namespace {

constexpr uint32_t kWhite = 0xFFFFFFFF, kRed = 0xFFFF0000;

TEST(WipeSweeps, EveryPatternPaintsTheWholeCanvas) {
    struct Case {
        int pattern;
        StepPoint first, last;
    };
    const Case cases[] = {
        {1, {0, 0}, {749, 599}}, {2, {0, 0}, {749, 599}}, {3, {749, 0}, {0, 599}},
        {4, {749, 599}, {0, 0}}, {5, {0, 0}, {749, 599}}, {6, {0, 0}, {749, 599}},
        {7, {0, 0}, {0, 599}},   {8, {0, 0}, {0, 0}},
    };
    for (const Case& c : cases) {
        const WipePattern& p = kWipePatterns[c.pattern - 1];
        const Sweep& lastSweep = p.second ? *p.second : *p.first;
        const StepPoint first = stepPoint(*p.first, 0);
        const StepPoint last = stepPoint(lastSweep, kSweepSteps - 1);
        EXPECT_EQ(first.x, c.first.x) << c.pattern;
        EXPECT_EQ(first.y, c.first.y) << c.pattern;
        EXPECT_EQ(last.x, c.last.x) << c.pattern;
        EXPECT_EQ(last.y, c.last.y) << c.pattern;
        std::vector<bool> painted(kSweepSteps, false);
        for (const Sweep* s : {p.first, p.second}) {
            if (!s) continue;
            for (int i = 0; i < kSweepSteps; ++i) {
                const StepPoint at = stepPoint(*s, i);
                if (onCanvas(at)) painted[at.y * kCanvasW + at.x] = true;
            }
        }
        EXPECT_EQ(std::count(painted.begin(), painted.end(), false), 0) << c.pattern;
    }
}

TEST(WipeSweeps, EveryOtherRowPaintsTheEvenRowsThenFallsBelowTheCanvas) {
    int visible = 0;
    for (int i = 0; i < kSweepSteps; ++i) {
        const StepPoint at = stepPoint(kEveryOtherRow, i);
        EXPECT_EQ(at.y % 2, 0);
        const bool on = onCanvas(at);
        EXPECT_EQ(on, i < kSweepSteps / 2) << i;
        visible += on;
    }
    EXPECT_EQ(visible, 225000);
    EXPECT_EQ(stepPoint(kEveryOtherRow, kSweepSteps - 1).y, 1198);
}

class Wipe : public RunningBook {
  protected:
    bool allWhite() {
        const auto& px = form().canvas().pixels;
        return std::all_of(px.begin(), px.end(), [](uint32_t p) { return p == kWhite; });
    }
    void colour() {
        for (int x = 0; x < 750; ++x) form().canvas().at(x, 300) = kRed;
    }
    std::vector<std::string> wipeSounds() { return platform.entries("effect "); }
};

TEST_F(Wipe, TheFirstWipeOfARunIsPatternSixThenTheClockChooses) {
    EXPECT_EQ(ChooseWipePattern(form()), 6);
    std::set<int> seen;
    for (int i = 0; i < 200; ++i) {
        platform.clock += 0.37f;
        const int p = ChooseWipePattern(form());
        ASSERT_GE(p, 1);
        ASSERT_LE(p, 8);
        seen.insert(p);
    }
    EXPECT_EQ(seen.size(), 8u);
}

TEST_F(Wipe, EveryPatternLeavesTheCanvasWhiteAndTakesAboutASecondASweep) {
    for (int p = 1; p <= 8; ++p) {
        colour();
        const float start = platform.clock;
        const int presents = platform.presents;
        RunWipePattern(form(), p);
        EXPECT_TRUE(allWhite()) << p;
        const float seconds = platform.clock - start;
        const float expected = p <= 4 ? 1.0f : 2.0f;
        EXPECT_NEAR(seconds, expected, 0.05f) << p;
        EXPECT_GT(platform.presents - presents, 30) << p;  // shown as it goes
    }
}

TEST_F(Wipe, PaperLeavesABlankSheetAndTheEraserBringsThePageBack) {
    click(form().MoreImages);
    click(*form().Galerija[6]);
    ASSERT_EQ(state().CurrentPicture, 7);
    colour();
    click(form().Papir);
    EXPECT_TRUE(canvasShows("00.GIF"));
    EXPECT_EQ(state().CurrentPicture, 7);
    EXPECT_EQ(wipeSounds().size(), 1u);
    click(form().Rubber);
    EXPECT_TRUE(canvasShows("07.GIF"));
    EXPECT_EQ(state().FillMode, True);
    EXPECT_EQ(state().CurrentColor, rgb(255, 0, 0));
    EXPECT_EQ(wipeSounds(),
              std::vector<std::string>(2, "effect " + form().asset("\\SOUND\\LJUBICASTA.WAV")));
}

TEST_F(Wipe, WithEffectsOffTheWipeIsSilent) {
    click(form().MuteWave);
    click(form().Rubber);
    EXPECT_TRUE(wipeSounds().empty());
    EXPECT_TRUE(canvasShows("01.GIF"));
}

TEST_F(Wipe, MissingPagesEndTheClicksQuietly) {
    fs::remove(book.file("PICTURE/01.GIF"));
    colour();
    click(form().Rubber);  // the page cannot come back: the blank page stays
    EXPECT_TRUE(canvasShows("00.GIF"));
    fs::remove(book.file("PICTURE/00.GIF"));
    colour();
    click(form().Papir);  // the blank page cannot load: the wiped canvas stays
    EXPECT_TRUE(allWhite());
}

TEST_F(Wipe, InputDuringTheWipeWaitsAndIsHandledAfterwardsInOrder) {
    colour();
    const float t = platform.clock;
    // A press on the canvas and a second paper click, both made while the eraser wipes.
    platform.at(t + 0.5, [](InputSink& s) {
        s.buttonPressed(30 + 200, 29 + 200, kLeftButton, kLeftButton);
        s.buttonReleased(30 + 200, 29 + 200, kLeftButton, 0);
    });
    platform.at(t + 0.6, [&](InputSink& s) {
        s.buttonPressed(940, 415, kLeftButton, kLeftButton);
        s.buttonReleased(940, 415, kLeftButton, 0);
    });
    click(form().Rubber);  // pattern 6: two seconds
    EXPECT_TRUE(canvasShows("01.GIF"));
    EXPECT_GE(platform.clock - t, 1.9f);
    window().doEvents();
    // The press filled an area of the restored page; then the paper wiped it again.
    const auto loadsOfBlank = platform.entries("load " + form().asset("\\PICTURE\\00.GIF"));
    EXPECT_EQ(loadsOfBlank.size(), 2u);
    EXPECT_EQ(platform.entries("effect ").size(), 3u);  // wipe, fill, wipe
    EXPECT_TRUE(canvasShows("00.GIF"));
}

TEST_F(Wipe, AShutdownDuringTheWipeEndsTheProgramAtOnce) {
    platform.terminatePending = true;
    const float t = platform.clock;
    EXPECT_THROW(click(form().Papir), ProgramEnd);
    EXPECT_LT(platform.clock - t, 0.1f);
    EXPECT_FALSE(platform.fullScreen);
    EXPECT_EQ(platform.log.back(), "exit");
}

}  // namespace
}  // namespace cb
