// The music button, the timer that starts the tune again, and quitting with music on.
#include <filesystem>

#include "platform/errors.h"
#include "running_book.h"
#include "sound/music.h"

namespace fs = std::filesystem;

namespace cb {
namespace {

using Lines = std::vector<std::string>;

class Music : public RunningBook {
  protected:
    Lines musicCalls() {
        Lines out = platform.entries("music ");
        platform.clearLog();
        return out;
    }
    long plays() { return std::count(platform.log.begin(), platform.log.end(), "music play"); }
    std::string tune() { return "music load " + state().AppDir + "MUSIC\\001.MID"; }
    // Lets the clock run, handling events and timer ticks as the program does.
    void runFor(double seconds) {
        const double end = window().now() + seconds;
        while (window().now() < end) window().doEvents(end - window().now());
    }
};

TEST_F(Music, NothingExistsAtStartThenEachClickSwitches) {
    EXPECT_TRUE(platform.entries("music").empty());
    EXPECT_FALSE(state().MusicEngineOpen);
    EXPECT_FALSE(form().tmrRepeat.Enabled());

    click(form().MusicOn);
    EXPECT_EQ(musicCalls(), (Lines{"music open", "music volume -3000", tune(), "music volume 150",
                                   "music play"}));
    EXPECT_EQ(state().MusicOff, 0);
    EXPECT_EQ(state().MusicPlaying, 1);
    EXPECT_TRUE(form().tmrRepeat.Enabled());

    click(form().MusicOn);
    EXPECT_EQ(musicCalls(), (Lines{"music open", "music volume -3000", "music stop"}));
    EXPECT_EQ(state().MusicOff, 1);
    EXPECT_EQ(state().MusicPlaying, 0);
    EXPECT_FALSE(form().tmrRepeat.Enabled());
    EXPECT_FALSE(platform.musicSounding);

    click(form().MusicOn);                           // loaded again, from the beginning
    EXPECT_TRUE(platform.entries("load ").empty());  // the button's look follows later
    EXPECT_EQ(musicCalls(), (Lines{"music open", "music volume -3000", tune(), "music volume 150",
                                   "music play"}));
}

TEST_F(Music, TheTimerStartsTheTuneAgainWithinHalfASecondOfItsEnd) {
    click(form().MusicOn);
    runFor(1.2);  // ticks that find it playing start nothing
    EXPECT_EQ(plays(), 1);
    EXPECT_EQ(platform.entries("music playing?").size(), 2u);
    const float ended = platform.clock;
    platform.musicSounding = false;  // the piece ends
    platform.clearLog();
    runFor(0.6);
    EXPECT_EQ(plays(), 1);
    EXPECT_LE(platform.timeOf("music play") - ended, 0.5f);  // the tick that asks, and plays
    EXPECT_TRUE(platform.musicSounding);

    click(form().MusicOn);
    platform.clearLog();
    platform.musicSounding = false;
    runFor(2.0);  // while off it never restarts
    EXPECT_TRUE(platform.entries("music").empty());
}

TEST_F(Music, FailuresLeaveTheFlagsAsThePlaybackLeftThem) {
    // No audio device or no MIDI playback: nothing else changes.
    platform.musicAvailable = false;
    click(form().MusicOn);
    EXPECT_EQ(state().MusicOff, 1);
    EXPECT_EQ(state().MusicPlaying, 0);
    EXPECT_FALSE(form().tmrRepeat.Enabled());

    // The tune missing: the flags are on already, the timer stays off, nothing plays; the
    // next click switches off.
    platform.musicAvailable = true;
    fs::remove(book.file("MUSIC/001.MID"));
    click(form().MusicOn);
    EXPECT_EQ(state().MusicOff, 0);
    EXPECT_EQ(state().MusicPlaying, 1);
    EXPECT_FALSE(form().tmrRepeat.Enabled());
    EXPECT_FALSE(platform.musicSounding);
    click(form().MusicOn);
    EXPECT_EQ(state().MusicOff, 1);
    EXPECT_EQ(state().MusicPlaying, 0);
}

TEST_F(Music, QuittingWithMusicOnStopsItBeforeTheDisplayComesBack) {
    click(form().MusicOn);
    platform.clearLog();
    key('X');
    EXPECT_THROW(click(form().Da), ProgramEnd);
    const Lines& log = platform.log;
    const auto stop = std::find(log.begin(), log.end(), "music stop");
    const auto restore = std::find(log.begin(), log.end(), "restore display mode");
    const auto close = std::find(log.begin(), log.end(), "music close");
    ASSERT_NE(stop, log.end());
    EXPECT_LT(stop, restore);
    EXPECT_LT(restore, close);  // the engine closes as the window unloads
    EXPECT_EQ(log.back(), "exit");
}

TEST_F(Music, QuittingWithoutMusicClosesNoEngine) {
    key('X');
    EXPECT_THROW(click(form().Da), ProgramEnd);
    EXPECT_TRUE(platform.entries("music").empty());
}

}  // namespace
}  // namespace cb
