// Ctrl+P: the canvas as the child coloured it goes to the family's printer, after a notice
// of three seconds in which the child can go on colouring.
#pragma once

namespace cb {

class Form;

// Unguarded: a failing step ends the key handler that called it.
void PrintPicture(Form& form);

}  // namespace cb
