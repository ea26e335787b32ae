// The music of the SDL platform, heard through SDL's disk audio driver: the synthesiser with
// Debian's soundfont, playing small MIDI files written here.
#include <SDL.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "platform/errors.h"
#include "platform/sdl_platform.h"

namespace {

namespace fs = std::filesystem;

struct Note {
    int key, velocity, ticks;  // 480 ticks last half a second
};

// A type-0 MIDI file playing the notes one after another on a church organ, which holds its
// level while a key is down; the piece ends with the last note.
std::string midiFile(const std::vector<Note>& notes) {
    std::string track = {0, char(0xFF), 0x51, 3, 0x07, char(0xA1), 0x20, 0, char(0xC0), 19};
    for (const Note& n : notes) {
        track += {0, char(0x90), char(n.key), char(n.velocity)};
        std::string length(1, char(n.ticks & 0x7F));
        for (int rest = n.ticks >> 7; rest > 0; rest >>= 7)
            length.insert(0, 1, char(0x80 | (rest & 0x7F)));
        track += length + std::string{char(0x80), char(n.key), 0};
    }
    track += {0, char(0xFF), 0x2F, 0};
    const auto be32 = [](size_t v) {
        return std::string{char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
    };
    return std::string("MThd") + be32(6) + std::string{0, 0, 0, 1, 1, char(0xE0)} + "MTrk" +
           be32(track.size()) + track;
}

// Levels are RMS over 10 ms of 16-bit stereo at 44.1 kHz, in dB of full scale.
constexpr std::streamoff kWindowBytes = 441 * 4;
// What may still be in the device's buffers when a call returns.
constexpr std::streamoff kLatencyBytes = 3 * 4096;

std::vector<int16_t> samples(const std::string& capture, std::streamoff from, std::streamoff to) {
    std::ifstream in(capture, std::ios::binary);
    in.seekg(from);
    std::vector<int16_t> out(size_t(std::max<std::streamoff>(0, to - from) / 2));
    in.read(reinterpret_cast<char*>(out.data()), std::streamsize(out.size() * 2));
    out.resize(size_t(in.gcount() / 2));
    return out;
}

double rmsDb(const std::vector<int16_t>& s) {
    double sum = 0;
    for (int16_t v : s) sum += double(v) * v;
    return s.empty() || sum == 0 ? -200.0
                                 : 10 * std::log10(sum / double(s.size()) / 32768.0 / 32768.0);
}

class SdlMusic : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/cb-music-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
        capture_ = dir_ + "/capture.raw";
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", capture_.c_str(), 1);
    }
    void TearDown() override {
        platform_.reset();
        fs::remove_all(dir_);
    }

    cb::SdlPlatform& open() {
        platform_ = std::make_unique<cb::SdlPlatform>(cb::Image(32, 32, 0xFF3366CC));
        return *platform_;
    }
    // Opens the platform and the music, at the loudest volume the program uses.
    cb::SdlPlatform& openMusic() {
        auto& p = open();
        p.openMusic();
        p.setMusicVolume(150);
        return p;
    }
    std::string piece(const std::string& name, const std::vector<Note>& notes) {
        const std::string path = dir_ + "/" + name;
        std::ofstream(path, std::ios::binary) << midiFile(notes);
        return path;
    }
    std::streamoff captured() const {
        return fs::exists(capture_) ? std::streamoff(fs::file_size(capture_)) : 0;
    }
    void runFor(double seconds) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
        struct : cb::InputSink {
            void pointerMoved(int, int, int) override {}
            void buttonPressed(int, int, int, int) override {}
            void buttonReleased(int, int, int, int) override {}
            void keyPressed(int, int, bool) override {}
            void terminateRequested() override {}
        } sink;
        while (std::chrono::steady_clock::now() < end) platform_->waitEvents(0.01, sink);
    }
    // The loudest 10 ms of the capture between the two byte offsets.
    double loudest(std::streamoff from, std::streamoff to) const {
        double top = -200.0;
        for (std::streamoff at = from; at + kWindowBytes <= to; at += kWindowBytes)
            top = std::max(top, rmsDb(samples(capture_, at, at + kWindowBytes)));
        return top;
    }
    // Where the last 10 ms at least as loud as level end, before the given offset.
    std::streamoff lastSoundBefore(std::streamoff to, double level) const {
        for (std::streamoff at = to - kWindowBytes; at >= 0; at -= kWindowBytes)
            if (rmsDb(samples(capture_, at, at + kWindowBytes)) >= level) return at + kWindowBytes;
        return 0;
    }

    std::string dir_, capture_;
    std::unique_ptr<cb::SdlPlatform> platform_;
};

constexpr int kLoud = 100, kSoft = 20;  // about 28 dB apart

TEST_F(SdlMusic, APieceEndsWithItsLastNoteAndStartsAgainFromTheTop) {
    auto& p = openMusic();
    p.loadMusic(piece("short.mid", {{72, kLoud, 480}, {67, kSoft, 480}}));
    const std::streamoff start = captured();
    p.playMusic();
    EXPECT_TRUE(p.musicPlaying());
    const auto waited = std::chrono::steady_clock::now();
    while (p.musicPlaying() && std::chrono::steady_clock::now() - waited < std::chrono::seconds(10))
        runFor(0.01);
    ASSERT_FALSE(p.musicPlaying()) << "the piece never ended";
    const std::streamoff ended = captured();
    const double loud = loudest(start, ended);
    EXPECT_GT(loud, -40.0) << "the piece was not heard";
    // FluidSynth waits two quiet seconds before it calls a piece over; the program's half-second
    // repeat must count from the last note, so the end comes while the notes still fade.
    const double quietSeconds = double(ended - lastSoundBefore(ended, loud - 60)) / (44100 * 4);
    EXPECT_LT(quietSeconds, 1.0) << "the end came after " << quietSeconds << " s of quiet";

    const std::streamoff again = captured();
    p.playMusic();
    EXPECT_TRUE(p.musicPlaying());
    runFor(0.4);
    EXPECT_GT(loudest(again, captured()), loud - 6) << "it did not start again with its loud note";
}

TEST_F(SdlMusic, StopSilencesAtOnceAndTheNextPlayStartsFromTheTop) {
    auto& p = openMusic();
    p.loadMusic(piece("long.mid", {{72, kLoud, 480}, {67, kSoft, 4 * 480}}));
    const std::streamoff start = captured();
    p.playMusic();
    runFor(1.2);  // into the soft note
    const double loud = loudest(start, captured());
    const double soft = loudest(captured() - 10 * kWindowBytes, captured());
    ASSERT_LT(soft, loud - 15) << "the piece should be in its soft note by now";

    p.stopMusic();
    EXPECT_FALSE(p.musicPlaying());
    const std::streamoff stopped = captured();
    runFor(0.5);
    const auto after = samples(capture_, stopped + kLatencyBytes, captured());
    ASSERT_GT(after.size(), 44100u / 2);
    EXPECT_EQ(rmsDb(after), -200.0) << "something sounded after the stop";

    const std::streamoff again = captured();
    p.playMusic();
    runFor(0.3);
    EXPECT_GT(loudest(again, captured()), soft + 15) << "it went on where it stopped";
}

TEST_F(SdlMusic, TheVolumeIsInHundredthsOfADecibel) {
    auto& p = openMusic();
    const std::string held = piece("held.mid", {{72, kLoud, 4 * 480}});
    // The level of a held note, after its attack, at a volume.
    const auto level = [&](int volume) {
        p.setMusicVolume(volume);
        p.loadMusic(held);
        p.playMusic();
        const std::streamoff start = captured();
        runFor(0.5);
        p.stopMusic();
        return rmsDb(samples(capture_, start + kLatencyBytes + 10 * kWindowBytes,
                             start + kLatencyBytes + 30 * kWindowBytes));
    };
    const double loudest = level(150);
    EXPECT_GT(loudest, -40.0);
    for (int volume : {0, -1500, -3000}) {
        EXPECT_NEAR(level(volume) - loudest, (volume - 150) / 100.0, 1.0) << "volume " << volume;
    }
}

TEST_F(SdlMusic, WhatCannotBePlayedThrowsAndLeavesSilence) {
    auto& p = openMusic();
    const std::string good = piece("good.mid", {{72, kLoud, 4 * 480}});
    std::ofstream(dir_ + "/text.mid") << "not a tune at all";
    for (const std::string& bad : {dir_ + "/missing.mid", dir_ + "/text.mid", dir_}) {
        p.loadMusic(good);
        p.playMusic();
        runFor(0.1);
        EXPECT_THROW(p.loadMusic(bad), cb::PlatformError) << bad;
        EXPECT_FALSE(p.musicPlaying()) << bad;
        EXPECT_THROW(p.playMusic(), cb::PlatformError) << bad << ": the good piece is gone";
        const std::streamoff failed = captured();
        runFor(0.2);
        EXPECT_EQ(rmsDb(samples(capture_, failed + kLatencyBytes, captured())), -200.0) << bad;
    }
}

TEST_F(SdlMusic, WithoutASoundDeviceThereIsNoMusic) {
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    auto& p = open();
    EXPECT_THROW(p.openMusic(), cb::PlatformError);
    EXPECT_THROW(p.setMusicVolume(150), cb::PlatformError);
    EXPECT_THROW(p.loadMusic(piece("tune.mid", {{72, kLoud, 480}})), cb::PlatformError);
    EXPECT_THROW(p.playMusic(), cb::PlatformError);
    EXPECT_NO_THROW(p.stopMusic());
    EXPECT_FALSE(p.musicPlaying());
}

}  // namespace
