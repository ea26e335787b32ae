// Start-up and shutdown of the program.
#pragma once

namespace cb {

class Form;

// The whole start-up sequence, run once when the window is created.
void Form_Load(Form& form);
// Restores the display mode and unloads the window.
void QuitProgram(Form& form);
void Form_Unload(Form& form);
// Yes on the exit dialog, and a shutdown of the machine: the music stops, the display mode
// comes back, the keyboard is released and the program ends, whatever fails on the way.
void Da_Click(Form& form);

}  // namespace cb
