// audiogen --out DIR: writes DIR/SOUND/*.WAV and DIR/MUSIC/001.MID, then prints the figures
// of what it wrote, read back from the files.
#include <algorithm>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include "audio.h"
#include "audio_files.h"

namespace fs = std::filesystem;

int main(int argc, char** argv) {
    if (argc != 3 || std::string(argv[1]) != "--out") {
        std::fprintf(stderr, "usage: %s --out ASSET_DIR\n", argv[0]);
        return 2;
    }
    try {
        const fs::path root = argv[2];
        fs::create_directories(root / "SOUND");
        fs::create_directories(root / "MUSIC");
        book::writeEffects((root / "SOUND").string());
        book::writeTune((root / "MUSIC" / "001.MID").string());

        std::vector<fs::path> sounds;
        for (const auto& entry : fs::directory_iterator(root / "SOUND")) {
            if (entry.path().extension() == ".WAV") sounds.push_back(entry.path());
        }
        std::sort(sounds.begin(), sounds.end());
        for (const fs::path& p : sounds) {
            const auto w = book::audio_files::readWav(p.string());
            std::printf("%-16s %5.3f s  peak %5.3f  RMS %6.2f dB\n", p.filename().c_str(),
                        w.seconds, w.peak, w.rmsDb);
        }
        const auto m = book::audio_files::readMidi((root / "MUSIC" / "001.MID").string());
        std::printf("001.MID          %5.2f s  %zu tracks, end tick %u (%u bars)\n", m.seconds,
                    m.trackEnds.size(), m.trackEnds.front(), m.trackEnds.front() / m.ticksPerBar);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "audiogen: %s\n", e.what());
        return 1;
    }
    return 0;
}
