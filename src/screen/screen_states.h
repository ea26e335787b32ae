// The seven methods that switch whole screens: show and hide the main screen, hide the
// gallery, and freeze or unfreeze either screen while a panel lies over it. Their callers
// choose which one to use from ActiveScreen; none of them reads or writes it.
#pragma once

#include <array>

namespace cb {

class Form;
class PictureBox;

// The twenty controls of the main screen, in the order the methods visit them: the canvas,
// the tool and sound buttons, then the twelve palette buttons in palette order.
std::array<PictureBox*, 20> mainScreenGroup(Form& form);

void ugasi_glavni_ekran(Form& form);         // hides the main screen
void upali_glavni_ekran(Form& form);         // shows it
void glavni_ekran_zamrznut(Form& form);      // freezes it (the paper button is hidden)
void glavni_ekran_odmrznut(Form& form);      // unfreezes it (the paper button comes back)
void galerijski_ekran_zamrznut(Form& form);  // freezes the thumbnails; Back keeps reacting
void galerijski_ekran_odmrznut(Form& form);
void galerijski_ekran_ugasi(Form& form);  // hides the gallery and puts the main background back

}  // namespace cb
