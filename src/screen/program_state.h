// The program's state, one instance owned by the form for the whole run. The names and
// widths are those the rest of the code speaks of; flags are 1 for on and 0 for off, except
// FillMode, which is True (-1) or False (0).
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace cb {

constexpr int16_t True = -1;
constexpr int16_t False = 0;

struct ProgramState {
    uint32_t CurrentColor = 0;                  // 0x00BBGGRR
    std::array<int16_t, 12> PaletteSelected{};  // palette order, position 1 first
    int16_t FillMode = 0;
    int16_t CurrentPicture = 0;
    int16_t ActiveScreen = 0;  // 0 main screen, 1 gallery
    int16_t SoundFlag = 0;
    int16_t SoundEnabled = 0;
    int16_t MusicOff = 0;
    int16_t MusicPlaying = 0;
    int32_t LastX = 0;
    int32_t LastY = 0;
    int16_t LastHighlighted = 0;
    uint32_t KeyboardHook = 0;
    bool MusicEngineOpen = false;     // the music button was used and its engine set up
    bool MusicSegmentLoaded = false;  // a tune was loaded at least once
    std::string AppDir;               // the program's directory with a trailing separator
    std::string AssetRoot;            // the program's directory in upper case
};

}  // namespace cb
