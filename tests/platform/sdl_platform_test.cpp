// The SDL platform on SDL's own headless drivers: the dummy video driver (no X server) and the
// disk audio driver, which writes what would have been heard to a file.
#include "platform/sdl_platform.h"

#include <SDL.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/errors.h"
#include "sdl_input.h"

namespace {

namespace fs = std::filesystem;

// Every input the platform delivers, one line each, in order.
struct RecordingSink : cb::InputSink {
    std::vector<std::string> events;
    void pointerMoved(int x, int y, int buttons) override {
        events.push_back("move " + std::to_string(x) + " " + std::to_string(y) + " " +
                         std::to_string(buttons));
    }
    void buttonPressed(int x, int y, int button, int buttons) override {
        events.push_back("press " + std::to_string(x) + " " + std::to_string(y) + " " +
                         std::to_string(button) + " " + std::to_string(buttons));
    }
    void buttonReleased(int x, int y, int button, int buttons) override {
        events.push_back("release " + std::to_string(x) + " " + std::to_string(y) + " " +
                         std::to_string(button) + " " + std::to_string(buttons));
    }
    void keyPressed(int keyCode, int modifiers, bool) override {
        events.push_back("key " + std::to_string(keyCode) + " " + std::to_string(modifiers));
    }
    void terminateRequested() override { events.push_back("terminate"); }
};

using Lines = std::vector<std::string>;

class SdlPlatformTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/cb-sdl-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
    }
    void TearDown() override {
        platform_.reset();
        fs::remove_all(dir_);
    }

    cb::SdlPlatform& open() {
        platform_ = std::make_unique<cb::SdlPlatform>(cb::Image(32, 32, 0xFF3366CC));
        return *platform_;
    }

    Uint32 windowId() const { return SDL_GetWindowID(platform_->window()); }

    void pushMotion(int x, int y, Uint32 state = 0) {
        cbtest::pushMotion(platform_->window(), x, y, state);
    }
    void pushButton(bool down, int x, int y, Uint8 button) {
        cbtest::pushButton(platform_->window(), down, x, y, button);
    }
    void pushKey(bool down, SDL_Keycode key, SDL_Scancode scancode, Uint16 mod,
                 bool repeat = false) {
        cbtest::pushKey(platform_->window(), down, key, scancode, mod, repeat);
    }

    Lines drain() {
        RecordingSink sink;
        platform_->waitEvents(0, sink);
        return sink.events;
    }

    std::string dir_;
    std::unique_ptr<cb::SdlPlatform> platform_;
};

// A frame whose every pixel differs from its neighbours, so a shifted copy cannot pass.
cb::Image patterned() {
    cb::Image frame(1024, 768);
    for (int y = 0; y < frame.height; ++y)
        for (int x = 0; x < frame.width; ++x)
            frame.at(x, y) = 0xFF000000u | uint32_t(x * 7 % 256) << 16 |
                             uint32_t(y * 5 % 256) << 8 | uint32_t((x + y) % 256);
    return frame;
}

TEST_F(SdlPlatformTest, PresentShowsTheFrameAndUploadsOnlyWhatChanged) {
    auto& platform = open();
    const cb::Image first = patterned();
    platform.present(first, {});
    cb::Image shown = platform.capture();
    ASSERT_EQ(shown.width, 1024);
    ASSERT_EQ(shown.height, 768);
    EXPECT_TRUE(shown.pixels == first.pixels);

    // Everything changes, but only the canvas is said to have: only the canvas is uploaded.
    const cb::Rect canvas{30, 29, 750, 600};
    const cb::Image second(1024, 768, 0xFFE02020);
    platform.present(second, {canvas});
    shown = platform.capture();
    int wrong = 0;
    for (int y = 0; y < 768; ++y)
        for (int x = 0; x < 1024; ++x) {
            const bool inside = x >= canvas.x && x < canvas.x + canvas.w && y >= canvas.y &&
                                y < canvas.y + canvas.h;
            if (shown.at(x, y) != (inside ? second.at(x, y) : first.at(x, y))) ++wrong;
        }
    EXPECT_EQ(wrong, 0);
}

TEST_F(SdlPlatformTest, MotionIsCoalescedButNeverOvertakesButtons) {
    open();
    pushMotion(1, 2);
    pushMotion(3, 4);
    pushMotion(500, 400);
    EXPECT_EQ(drain(), Lines{"move 500 400 0"});

    pushMotion(10, 10);
    pushMotion(20, 20);
    pushButton(true, 20, 20, SDL_BUTTON_LEFT);
    pushMotion(30, 30, SDL_BUTTON_LMASK);
    pushMotion(40, 40, SDL_BUTTON_LMASK);
    pushButton(true, 40, 40, SDL_BUTTON_RIGHT);
    pushButton(false, 40, 40, SDL_BUTTON_LEFT);
    pushButton(false, 41, 40, SDL_BUTTON_RIGHT);
    pushButton(true, 41, 40, SDL_BUTTON_MIDDLE);
    EXPECT_EQ(drain(), (Lines{"move 20 20 0", "press 20 20 1 1", "move 40 40 1", "press 40 40 2 3",
                              "release 40 40 1 2", "release 41 40 2 0", "press 41 40 4 4"}));
}

TEST_F(SdlPlatformTest, WaitingWithNothingToDoReturnsEmptyHanded) {
    auto& platform = open();
    RecordingSink sink;
    platform.waitEvents(0.05, sink);
    platform.waitEvents(0, sink);
    EXPECT_EQ(sink.events, Lines{});
}

TEST_F(SdlPlatformTest, WaitingWakesForAnEventPushedFromAnotherThread) {
    auto& platform = open();
    std::thread pusher([this] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        pushMotion(7, 8);
    });
    RecordingSink sink;
    // Without the wake-up this would sleep for a minute.
    const auto start = std::chrono::steady_clock::now();
    platform.waitEvents(60, sink);
    pusher.join();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));
    EXPECT_EQ(sink.events, Lines{"move 7 8 0"});
}

// The filter under test: it records what it sees and swallows Alt+Tab.
std::vector<cb::KeyboardRecord> g_seen;
std::vector<uint32_t> g_messages;
int32_t swallowAltTab(int32_t, uint32_t message, intptr_t lParam) {
    const auto& record = *reinterpret_cast<const cb::KeyboardRecord*>(lParam);
    g_seen.push_back(record);
    g_messages.push_back(message);
    return record.vkCode == cb::VK_TAB && (record.flags & cb::LLKHF_ALTDOWN) ? 1 : 0;
}

TEST_F(SdlPlatformTest, KeysPassTheFilterAndOnlyKeyDownsAreDelivered) {
    auto& platform = open();
    g_seen.clear();
    g_messages.clear();
    EXPECT_NE(platform.installKeyboardFilter(swallowAltTab), 0u);

    pushKey(true, SDLK_a, SDL_SCANCODE_A, KMOD_LSHIFT);
    pushKey(true, SDLK_a, SDL_SCANCODE_A, KMOD_LSHIFT, true);  // auto-repeat
    pushKey(false, SDLK_a, SDL_SCANCODE_A, KMOD_LSHIFT);
    pushKey(true, SDLK_LALT, SDL_SCANCODE_LALT, KMOD_LALT);
    pushKey(true, SDLK_TAB, SDL_SCANCODE_TAB, KMOD_LALT);
    pushKey(false, SDLK_TAB, SDL_SCANCODE_TAB, KMOD_LALT);
    EXPECT_EQ(drain(), (Lines{"key 65 1", "key 65 1", "key 18 4"}));

    ASSERT_EQ(g_seen.size(), 6u);
    EXPECT_EQ(g_seen[0].vkCode, 65u);
    EXPECT_EQ(g_seen[0].scanCode, uint32_t(SDL_SCANCODE_A));
    EXPECT_EQ(g_messages[0], cb::WM_KEYDOWN);
    EXPECT_EQ(g_seen[2].flags, cb::LLKHF_UP);
    EXPECT_EQ(g_messages[2], cb::WM_KEYUP);
    EXPECT_EQ(g_seen[4].vkCode, cb::VK_TAB);
    EXPECT_EQ(g_seen[4].flags, cb::LLKHF_ALTDOWN);
    EXPECT_EQ(g_messages[4], cb::WM_SYSKEYDOWN);
    EXPECT_EQ(g_seen[5].flags, cb::LLKHF_ALTDOWN | cb::LLKHF_UP);
    EXPECT_EQ(g_messages[5], cb::WM_SYSKEYUP);

    platform.removeKeyboardFilter(1);
    pushKey(true, SDLK_TAB, SDL_SCANCODE_TAB, KMOD_LALT);
    EXPECT_EQ(drain(), Lines{"key 9 4"});
    EXPECT_EQ(g_seen.size(), 6u);
}

TEST_F(SdlPlatformTest, KeysDoNotOvertakeMotion) {
    open();
    pushMotion(5, 6);
    pushKey(true, SDLK_ESCAPE, SDL_SCANCODE_ESCAPE, KMOD_NONE);
    pushMotion(7, 8);
    EXPECT_EQ(drain(), (Lines{"move 5 6 0", "key 27 0", "move 7 8 0"}));
}

TEST_F(SdlPlatformTest, OnlyQuitAndSignalsAskToTerminate) {
    open();
    SDL_Event close{};
    close.type = SDL_WINDOWEVENT;
    close.window.event = SDL_WINDOWEVENT_CLOSE;
    close.window.windowID = windowId();
    SDL_PushEvent(&close);
    EXPECT_EQ(drain(), Lines{});

    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    EXPECT_EQ(drain(), Lines{"terminate"});

    for (int signal : {SIGTERM, SIGINT}) {
        raise(signal);
        EXPECT_EQ(drain(), Lines{"terminate"}) << "signal " << signal;
    }
}

TEST_F(SdlPlatformTest, DisplayModeGoesFullScreenAndBack) {
    auto& platform = open();
    platform.setDisplayMode(1024, 768, 32);
    EXPECT_TRUE(SDL_GetWindowFlags(platform.window()) & SDL_WINDOW_FULLSCREEN);
    platform.restoreDisplayMode();
    EXPECT_FALSE(SDL_GetWindowFlags(platform.window()) & SDL_WINDOW_FULLSCREEN);

    EXPECT_THROW(platform.setDisplayMode(8192, 8192, 32), cb::PlatformError);
    EXPECT_FALSE(SDL_GetWindowFlags(platform.window()) & SDL_WINDOW_FULLSCREEN);
}

// A cursor stays cached for as long as someone holds its picture; a tool's cursor, read anew
// from its file on every choice, is let go once only the cache holds it, so that an hour of
// switching tools does not pile up cursors. (The dummy driver makes no real cursors; what the
// cache holds shows in who still holds the pictures.)
TEST_F(SdlPlatformTest, CursorsAreKeptOnlyForPicturesSomeoneHolds) {
    auto& platform = open();
    const cb::Picture arrow = std::make_shared<const cb::Image>(32, 32, 0xFF000000u);
    std::vector<std::weak_ptr<const cb::Image>> toolPictures;
    for (uint32_t choice = 0; choice < 50; ++choice) {
        auto picture = std::make_shared<const cb::Image>(32, 32, 0xFF000000u | choice);
        toolPictures.push_back(picture);
        platform.setCursor({picture, 16, 16});
        platform.setCursor({arrow, 0, 0});
    }
    EXPECT_EQ(arrow.use_count(), 2) << "the arrow, still held, stays cached";
    int stillHeld = 0;
    for (const auto& picture : toolPictures) stillHeld += picture.expired() ? 0 : 1;
    EXPECT_LE(stillHeld, 1);
}

// True once none of our children is left, ended or not, without collecting any.
bool noChildrenLeft() {
    siginfo_t info{};
    return waitid(P_ALL, 0, &info, WEXITED | WNOHANG | WNOWAIT) < 0 && errno == ECHILD;
}

TEST_F(SdlPlatformTest, StartsProgramsAndCollectsThemWhenTheyEnd) {
    auto& platform = open();
    const std::string script = dir_ + "/Helper.sh";
    const std::string marker = dir_ + "/ran";
    std::ofstream(script) << "#!/bin/sh\necho \"$CB_TEST_WORD\" > '" << marker << "'\n";
    chmod(script.c_str(), 0755);
    setenv("CB_TEST_WORD", "passed-through", 1);

    // Written as the program writes names: any case.
    platform.startProgram(dir_ + "/HELPER.SH");
    RecordingSink sink;
    for (int i = 0; i < 500 && !noChildrenLeft(); ++i) platform.waitEvents(0.01, sink);
    EXPECT_TRUE(noChildrenLeft()) << "the ended program was not collected";
    std::string word;
    std::ifstream(marker) >> word;
    EXPECT_EQ(word, "passed-through");

    EXPECT_THROW(platform.startProgram(dir_ + "/missing"), cb::PlatformError);
    EXPECT_THROW(platform.startProgram(dir_), cb::PlatformError);
}

// A 16-bit mono tone, as the asset generator writes effects.
void writeTone(const std::string& path, double seconds = 0.25) {
    const int rate = 22050;
    std::vector<int16_t> samples(size_t(rate * seconds));
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = int16_t(8000 * std::sin(2 * M_PI * 440 * double(i) / rate));
    const auto put32 = [](std::ofstream& out, uint32_t v) { out.write((const char*)&v, 4); };
    const auto put16 = [](std::ofstream& out, uint16_t v) { out.write((const char*)&v, 2); };
    std::ofstream out(path, std::ios::binary);
    const uint32_t dataBytes = uint32_t(samples.size() * 2);
    out.write("RIFF", 4);
    put32(out, 36 + dataBytes);
    out.write("WAVEfmt ", 8);
    put32(out, 16);
    put16(out, 1);
    put16(out, 1);
    put32(out, rate);
    put32(out, rate * 2);
    put16(out, 2);
    put16(out, 16);
    out.write("data", 4);
    put32(out, dataBytes);
    out.write((const char*)samples.data(), dataBytes);
}

// The loudest sample the disk driver wrote, from the given byte on.
int loudest(const std::string& capture, std::streamoff from = 0) {
    std::ifstream in(capture, std::ios::binary);
    in.seekg(from);
    int peak = 0;
    int16_t sample;
    while (in.read((char*)&sample, 2)) peak = std::max(peak, std::abs(int(sample)));
    return peak;
}

TEST_F(SdlPlatformTest, EffectsAreHeardAndMissingOnesAreSilent) {
    const std::string tone = dir_ + "/tone.wav";
    writeTone(tone);
    // Half of it, as a half-copied install leaves it.
    const std::string half = dir_ + "/half.wav";
    writeTone(half);
    fs::resize_file(half, fs::file_size(half) / 2);
    // A data chunk that says it holds gigabytes: SDL would reserve them before reading.
    const std::string boastful = dir_ + "/boastful.wav";
    writeTone(boastful);
    {
        std::fstream out(boastful, std::ios::binary | std::ios::in | std::ios::out);
        out.seekp(40);
        const uint32_t gigabytes = 0xD8000000u;
        out.write(reinterpret_cast<const char*>(&gigabytes), 4);
    }
    struct Case {
        const char* what;
        std::string path;
        bool heard;
    };
    const Case cases[] = {
        {"a tone, named in another case", dir_ + "/TONE.WAV", true},
        {"a shipped effect, named as the program names it",
         std::string(CB_SOURCE_DIR) + "\\ASSETS\\Sound\\crvena.wav", true},
        {"half a tone", half, true},
        {"a tone that says it holds gigabytes", boastful, false},
        {"a missing file", dir_ + "/nothing.wav", false},
        {"a folder", dir_, false},
        {"the tune, which SDL_mixer would play as an effect",
         std::string(CB_SOURCE_DIR) + "/assets/MUSIC/001.MID", false},
    };
    for (const Case& c : cases) {
        const std::string capture = dir_ + "/capture.raw";
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", capture.c_str(), 1);
        auto& platform = open();
        EXPECT_NO_THROW(platform.playEffect(c.path)) << c.what;
        RecordingSink sink;
        for (int i = 0; i < 4; ++i) platform.waitEvents(0.1, sink);
        platform_.reset();  // closes the capture file
        ASSERT_TRUE(fs::exists(capture)) << c.what << ": the disk driver wrote nothing";
        EXPECT_GT(fs::file_size(capture), 0u) << c.what;
        if (c.heard)
            EXPECT_GT(loudest(capture), 1000) << c.what;
        else
            EXPECT_EQ(loudest(capture), 0) << c.what;
        fs::remove(capture);
    }
}

TEST_F(SdlPlatformTest, ANewEffectCutsOffTheOneBefore) {
    const std::string tone = dir_ + "/long.wav";
    writeTone(tone, 5.0);
    const std::string capture = dir_ + "/capture.raw";
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", capture.c_str(), 1);
    auto& platform = open();
    RecordingSink sink;
    platform.playEffect(tone);
    platform.waitEvents(0.2, sink);
    // The next effect cannot be read: what was playing stops all the same.
    platform.playEffect(dir_ + "/missing.wav");
    platform.waitEvents(0.4, sink);
    platform_.reset();
    const auto size = std::streamoff(fs::file_size(capture));
    ASSERT_GT(size, 16384);
    EXPECT_GT(loudest(capture), 1000) << "the first effect was not heard";
    EXPECT_EQ(loudest(capture, size - 8192), 0) << "the first effect played on";
}

TEST_F(SdlPlatformTest, EffectsWithoutASoundDeviceAreSilent) {
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    auto& platform = open();
    const std::string tone = dir_ + "/tone.wav";
    writeTone(tone);
    EXPECT_NO_THROW(platform.playEffect(tone));
}

TEST_F(SdlPlatformTest, TheTuneLoadsFromAMidiFileOnlyAndAnythingElseIsAnError) {
    const std::string tune = std::string(CB_SOURCE_DIR) + "\\ASSETS\\Music\\001.mid";
    const std::string garbage = dir_ + "/garbage.mid", folder = dir_ + "/folder.mid";
    std::ofstream(garbage) << std::string(7243, 'x');
    fs::create_directory(folder);
    const std::string effect = dir_ + "/tone.wav";
    writeTone(effect);
    auto& platform = open();
    platform.openMusic();
    platform.loadMusic(tune);
    EXPECT_NO_THROW(platform.playMusic());
    for (const std::string& path : {dir_ + "/nothing.mid", folder, garbage, effect}) {
        // A folder made SDL_mixer crash; garbage it took for a tune and failed to play.
        EXPECT_THROW(platform.loadMusic(path), cb::PlatformError) << path;
        EXPECT_THROW(platform.playMusic(), cb::PlatformError) << path;
    }
}

TEST_F(SdlPlatformTest, TimerCountsSecondsSinceMidnight) {
    auto& platform = open();
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    const double expected = local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec;
    const float t = platform.timer();
    EXPECT_GE(t, 0.0f);
    EXPECT_LT(t, 86400.0f);
    // Allow a second either way, and the day turning over in between.
    EXPECT_TRUE(std::abs(t - expected) < 2.0 || std::abs(t - expected) > 86398.0) << t;
}

}  // namespace
