// Start-up, the asset check and shutdown, run on the in-memory platform over a real copy
// of the book.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "book_copy.h"
#include "platform/errors.h"
#include "platform/memory_platform.h"
#include "platform/paths.h"
#include "shell/asset_check.h"
#include "shell/program.h"
#include "shell/startup.h"

namespace fs = std::filesystem;

namespace cb {
namespace {

class Startup : public testing::Test {
  protected:
    Startup() { platform.directory = book.dir().string(); }

    // Runs the start-up sequence; returns false when the program ended inside it.
    bool start() {
        try {
            app.start();
            return true;
        } catch (const ProgramEnd&) {
            return false;
        }
    }
    std::string upperDir() const { return upperCase(book.dir().string()); }
    size_t measured() const { return platform.entries("measure ").size(); }

    cbtest::BookCopy book;
    MemoryPlatform platform;
    ColouringBook app{platform};
    const ProgramState& state = app.form.state;
};

TEST_F(Startup, RunsEveryStepInOrderAndLeavesTheInitialState) {
    const float t0 = platform.clock;
    ASSERT_TRUE(start());

    const std::vector<std::string> expected = {
        "install filter", "chdir " + upperDir(), "hide window",
        "start " + upperDir() + "\\COLORS.EXE", "show window"};
    std::vector<std::string> firstSteps;
    for (const std::string& line : platform.log)
        if (line.rfind("measure", 0) != 0 && firstSteps.size() < expected.size())
            firstSteps.push_back(line);
    EXPECT_EQ(firstSteps, expected);
    EXPECT_EQ(measured(), 147u);
    EXPECT_EQ(platform.entries("display mode"),
              std::vector<std::string>{"display mode 1024x768x32"});

    // Three seconds with the window hidden, then three more at full screen.
    EXPECT_GE(platform.timeOf("show window") - platform.timeOf("start "), 3.0f);
    EXPECT_GE(platform.clock - t0, 6.0f);
    EXPECT_GE(platform.clock - platform.timeOf("display mode"), 3.0f);

    EXPECT_TRUE(platform.windowVisible);
    EXPECT_TRUE(platform.fullScreen);
    EXPECT_NE(platform.filter, nullptr);
    EXPECT_EQ(state.KeyboardHook, 1u);
    EXPECT_EQ(state.CurrentColor, rgb(255, 0, 0));
    EXPECT_EQ(state.FillMode, True);
    EXPECT_EQ(state.MusicOff, 1);
    EXPECT_EQ(state.MusicPlaying, 0);
    EXPECT_EQ(state.SoundFlag, 1);
    EXPECT_EQ(state.SoundEnabled, 1);
    EXPECT_EQ(state.ActiveScreen, 0);
    EXPECT_EQ(state.CurrentPicture, 1);
    EXPECT_EQ(state.PaletteSelected, (std::array<int16_t, 12>{}));
    EXPECT_EQ(state.AppDir, book.dir().string() + "\\");
    EXPECT_EQ(state.AssetRoot, upperDir());
}

TEST_F(Startup, AtStartOnlyTheMainScreenIsShownAndTheCanvasHasFocus) {
    ASSERT_TRUE(start());
    std::vector<std::string> shown;
    for (const auto& b : app.form.window.boxes())
        if (b->Visible()) shown.push_back(b->name());
    EXPECT_EQ(shown.size(), 20u);
    for (const char* name : {"Slika", "MoreImages", "Rubber", "Papir", "MuteWave", "MusicOn",
                             "olovka", "kapljica", "PaletaCrvena", "PaletaPink"})
        EXPECT_NE(std::find(shown.begin(), shown.end(), name), shown.end()) << name;
    EXPECT_EQ(app.form.window.focus(), &app.form.Slika);
}

TEST_F(Startup, AMissingIntroStopsTheSequenceButTheWindowIsShown) {
    fs::remove(book.file("COLORS.EXE"));
    ASSERT_TRUE(start());
    EXPECT_EQ(measured(), 0u);
    EXPECT_TRUE(platform.entries("display mode").empty());
    EXPECT_EQ(state.CurrentColor, 0u);
    EXPECT_EQ(state.SoundEnabled, 0);
    EXPECT_EQ(state.CurrentPicture, 0);
    EXPECT_EQ(state.FillMode, True);  // set before the intro was started
    EXPECT_TRUE(platform.windowVisible);
}

TEST_F(Startup, ARefusedDisplayModeEndsTheSequenceWithoutTheSecondWait) {
    platform.displayRefuses = true;
    ASSERT_TRUE(start());
    EXPECT_EQ(measured(), 147u);
    EXPECT_EQ(state.CurrentColor, rgb(255, 0, 0));
    EXPECT_FALSE(platform.fullScreen);
    EXPECT_LT(platform.clock - platform.timeOf("display mode"), 0.5f);
}

TEST_F(Startup, AFailedFilterIsNotAnError) {
    platform.filterInstalls = false;
    ASSERT_TRUE(start());
    EXPECT_EQ(state.KeyboardHook, 0u);
    EXPECT_TRUE(platform.fullScreen);
    QuitProgram(app.form);
    EXPECT_TRUE(platform.entries("remove filter").empty());
}

TEST_F(Startup, BothWaitsHandleEvents) {
    std::vector<float> pressed;
    app.form.Slika.MouseDown = [&](const MouseArgs& a) {
        pressed.push_back(platform.clock);
        EXPECT_EQ(a.x, 70.0f);
        EXPECT_EQ(a.y, 71.0f);
    };
    const float t0 = platform.clock;
    for (double at : {1.0, 4.5})
        platform.at(t0 + at, [](InputSink& s) {
            s.buttonPressed(100, 100, kLeftButton, kLeftButton);
            s.buttonReleased(100, 100, kLeftButton, 0);
        });
    ASSERT_TRUE(start());
    ASSERT_EQ(pressed.size(), 2u);
    EXPECT_LT(pressed[0], platform.timeOf("show window"));
    EXPECT_GT(pressed[1], platform.timeOf("display mode"));
}

TEST_F(Startup, TheWaitEndsAcrossMidnight) {
    platform.clock = 86399.0f;
    platform.at(86399.5, [&](InputSink&) { platform.clock = 0.5f; });  // the clock wraps
    WaitSeconds(app.form);
    EXPECT_GE(platform.clock, 2.0f);
    EXPECT_LT(platform.clock, 3.0f);
}

// The asset check's cases: each damages the copy, then starts.
TEST_F(Startup, AByteAddedToTheLastCheckedFileEndsTheProgramAfterMeasuringAll) {
    std::ofstream(book.file("PICTURE/ZVUCNIK2.JPG"), std::ios::app) << 'x';
    EXPECT_FALSE(start());
    EXPECT_EQ(measured(), 147u);
    EXPECT_EQ(platform.log.back(), "exit");
    EXPECT_EQ(platform.log[platform.log.size() - 2], "remove filter 1");
    EXPECT_TRUE(platform.entries("display mode").empty());
    EXPECT_EQ(state.CurrentColor, 0u);
}

TEST_F(Startup, AMissingFirstFileEndsTheProgramBeforeMeasuringAnyOther) {
    fs::remove(book.file("PICTURE/01.GIF"));
    EXPECT_FALSE(start());
    EXPECT_EQ(measured(), 1u);
    EXPECT_EQ(platform.log.back(), "exit");
}

TEST_F(Startup, LowerCaseNamesAndMissingSoundsDoNotStopStartUp) {
    fs::rename(book.file("PICTURE"), book.file("picture"));
    fs::rename(book.file("picture/GLAVNA.JPG"), book.file("picture/glavna.jpg"));
    fs::remove_all(book.file("SOUND"));
    fs::remove_all(book.file("MUSIC"));
    ASSERT_TRUE(start());
    EXPECT_EQ(measured(), 147u);
    EXPECT_TRUE(platform.fullScreen);
}

TEST_F(Startup, AFolderAtTheRootKeepsItsSeparator) {
    platform.directory = "/";
    start();  // no book there: the intro is missing and the sequence stops
    EXPECT_EQ(state.AppDir, "/");
    EXPECT_EQ(state.AssetRoot, "/");
}

TEST_F(Startup, TerminationRestoresTheDesktopAndEnds) {
    ASSERT_TRUE(start());
    platform.clearLog();
    EXPECT_THROW(app.form.window.terminateRequested(), ProgramEnd);
    // The filter goes twice: once as the window unloads, once more on the way out (which
    // changes nothing then).
    EXPECT_EQ(platform.log, (std::vector<std::string>{"restore display mode", "remove filter 1",
                                                      "hide window", "remove filter 1", "exit"}));
    EXPECT_FALSE(platform.fullScreen);
}

TEST_F(Startup, AFailedRestoreStillEndsOnTermination) {
    ASSERT_TRUE(start());
    platform.restoreFails = true;
    platform.clearLog();
    EXPECT_THROW(app.form.window.terminateRequested(), ProgramEnd);
    // The window was not unloaded, but the keyboard is released all the same.
    EXPECT_EQ(platform.log,
              (std::vector<std::string>{"restore display mode", "remove filter 1", "exit"}));
}

TEST(AssetCheckList, HasTheCheckOrder) {
    EXPECT_EQ(AssetCheckList.front().path, "\\PICTURE\\01.GIF");
    EXPECT_EQ(AssetCheckList[25].path, "\\PICTURE\\GALERIJA1BELE_01.JPG");
    EXPECT_EQ(AssetCheckList[74].path, "\\PICTURE\\GALERIJA1ZUTE_81.JPG");
    EXPECT_EQ(AssetCheckList[77].path, "\\PICTURE\\GLAVNA.JPG");
    EXPECT_EQ(AssetCheckList[129].path, "\\PICTURE\\00.GIF");
    EXPECT_EQ(AssetCheckList.back().path, "\\PICTURE\\ZVUCNIK2.JPG");
}

}  // namespace
}  // namespace cb
