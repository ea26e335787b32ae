#include "shell/startup.h"

#include "platform/paths.h"
#include "screen/form.h"
#include "screen/guard.h"
#include "shell/asset_check.h"
#include "shell/keyboard_filter.h"
#include "sound/music.h"

namespace cb {

void Form_Load(Form& form) {
    ProgramState& s = form.state;
    Platform& p = form.platform;
    guarded([&] {
        s.KeyboardHook = p.installKeyboardFilter(KeyboardFilterProc);
        s.AppDir = p.programDirectory();
        if (s.AppDir.empty() || (s.AppDir.back() != '\\' && s.AppDir.back() != '/'))
            s.AppDir += "\\";
        s.AssetRoot = upperCase(p.programDirectory());
        p.setCurrentDirectory(s.AssetRoot);
        s.FillMode = True;
        p.setWindowVisible(false);
        p.startProgram(s.AssetRoot + "\\COLORS.EXE");
        WaitSeconds(form);
        form.window.render();
        p.setWindowVisible(true);
        CheckAssets(form);
        s.CurrentColor = rgb(255, 0, 0);
        s.MusicOff = 1;
        s.SoundFlag = 1;
        s.SoundEnabled = 1;
        s.ActiveScreen = 0;
        s.CurrentPicture = 1;
        s.PaletteSelected[0] = 0;
        p.setDisplayMode(1024, 768, 32);
        WaitSeconds(form);
    });
}

void Form_Unload(Form& form) {
    if (form.state.KeyboardHook != 0) form.platform.removeKeyboardFilter(form.state.KeyboardHook);
    if (form.state.MusicEngineOpen) form.platform.closeMusic();
    form.platform.setWindowVisible(false);
}

void QuitProgram(Form& form) {
    guarded([&] {
        form.platform.restoreDisplayMode();
        Form_Unload(form);
    });
}

void Da_Click(Form& form) {
    if (form.state.MusicPlaying == 1) StopMusic(form);
    QuitProgram(form);
    // When restoring the display failed, the window was not unloaded: the filter goes here.
    if (form.state.KeyboardHook != 0) form.platform.removeKeyboardFilter(form.state.KeyboardHook);
    form.platform.exitNow();
}

}  // namespace cb
