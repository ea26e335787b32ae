#include "sound/effects.h"

#include <string>

#include "screen/form.h"

namespace cb {

void PlayEffect(Form& form, std::string_view name) {
    if (form.state.SoundEnabled == 0) return;
    form.platform.playEffect(form.asset("\\SOUND\\" + std::string(name) + ".WAV"));
}

void MuteWave_Click(Form& form) {
    ProgramState& s = form.state;
    if (s.SoundFlag == 1) {
        s.SoundFlag = 0;
        s.SoundEnabled = 0;
    } else if (s.SoundFlag == 0) {
        s.SoundFlag = 1;
        s.SoundEnabled = 1;
    }
}

}  // namespace cb
