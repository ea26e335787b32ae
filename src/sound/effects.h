// Effect sounds and the speaker button that switches them off and on.
#pragma once

#include <string_view>

namespace cb {

class Form;

// Plays "\SOUND\<name>.WAV" when effects are on; a missing file is silence.
void PlayEffect(Form& form, std::string_view name);

// The speaker button: effects off when on, on when off. It loads no picture.
void MuteWave_Click(Form& form);

}  // namespace cb
