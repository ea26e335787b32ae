#include "sound/music.h"

#include "screen/form.h"
#include "screen/guard.h"

namespace cb {

void SetVolume(Form& form, uint8_t nVolume) {
    const auto volume = static_cast<int16_t>(nVolume * 42 - 3000);
    form.platform.setMusicVolume(volume);
}

void MusicOn_Click(Form& form) {
    ProgramState& s = form.state;
    Platform& p = form.platform;
    // Every click asks for the engine, which the platform keeps once made; nothing of it
    // exists before the first one.
    p.openMusic();
    s.MusicEngineOpen = true;
    SetVolume(form, 0);
    if (s.MusicOff == 1) {
        s.MusicPlaying = 1;
        s.MusicOff = 0;
        // A tune that cannot be loaded leaves the flags on and the timer off: the next click
        // switches off.
        p.loadMusic(s.AppDir + "MUSIC\\001.MID");
        s.MusicSegmentLoaded = true;
        SetVolume(form, 75);
        p.playMusic();
        form.tmrRepeat.setEnabled(true);
    } else if (s.MusicOff == 0) {
        p.stopMusic();
        form.tmrRepeat.setEnabled(false);
        s.MusicPlaying = 0;
        s.MusicOff = 1;
    }
}

void tmrRepeat_Timer(Form& form) {
    if (!form.state.MusicSegmentLoaded) return;
    form.lblPlay.Caption.clear();
    if (!form.platform.musicPlaying()) form.platform.playMusic();
}

void StopMusic(Form& form) {
    guarded([&] {
        form.platform.stopMusic();
        form.tmrRepeat.setEnabled(false);
        form.state.MusicPlaying = 0;
    });
}

}  // namespace cb
