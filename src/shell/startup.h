// Start-up and shutdown of the program.
#pragma once

namespace cb {

class Form;

// The whole start-up sequence, run once when the window is created.
void Form_Load(Form& form);
// Three seconds in which every pending event is handled.
void WaitSeconds(Form& form);
// Restores the display mode and unloads the window.
void QuitProgram(Form& form);
void Form_Unload(Form& form);

}  // namespace cb
