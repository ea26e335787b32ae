// The shipped sounds and tune, read back from the committed asset tree.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "audio_files.h"

namespace {

const std::string kAssets = std::string(CB_SOURCE_DIR) + "/assets/";

TEST(ShippedSounds, AreShortUnclippedPcmOfEvenLoudness) {
    const char* names[] = {"CRVENA", "ZELENA",    "ZUTA",  "SVPLAVA", "ORANZ", "LJUBICASTA",
                           "SIVA",   "TAMNOZUTA", "BRAON", "PLAVA",   "CRNA",  "PINK"};
    double quietest = 1e9;
    double loudest = -1e9;
    for (const char* name : names) {
        SCOPED_TRACE(name);
        const auto wav = book::audio_files::readWav(kAssets + "SOUND/" + name + ".WAV");
        EXPECT_EQ(wav.bitsPerSample, 16);
        EXPECT_TRUE(wav.channels == 1 || wav.channels == 2);
        EXPECT_TRUE(wav.sampleRate == 22050 || wav.sampleRate == 44100);
        EXPECT_GE(wav.seconds, 0.2);
        EXPECT_LE(wav.seconds, 1.5);
        EXPECT_LT(wav.peak, 0.99) << "clipped or at full scale";
        EXPECT_GT(wav.rmsDb, -30.0) << "too quiet to hear over the tune";
        quietest = std::min(quietest, wav.rmsDb);
        loudest = std::max(loudest, wav.rmsDb);
    }
    EXPECT_LE(loudest - quietest, 3.0);
}

TEST(ShippedTune, IsAStandardMidiFileThatLoopsOnABarLine) {
    const auto midi = book::audio_files::readMidi(kAssets + "MUSIC/001.MID");
    EXPECT_EQ(midi.format, 1);
    ASSERT_GE(midi.trackEnds.size(), 2u);
    EXPECT_GE(midi.seconds, 30.0);
    EXPECT_LE(midi.seconds, 90.0);
    const uint32_t end = midi.trackEnds.front();
    for (uint32_t trackEnd : midi.trackEnds) EXPECT_EQ(trackEnd, end);
    ASSERT_GT(midi.ticksPerBar, 0u);
    EXPECT_EQ(end % midi.ticksPerBar, 0u);
}

}  // namespace
