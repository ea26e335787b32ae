// The two panels laid over the current screen: the information panel (Ctrl+R) with its two
// links and close button, and the exit dialog (Ctrl+X) with Yes and No. Either freezes the
// screen beneath it while it is open; both may be open at once.
#pragma once

#include <string>

namespace cb {

class Form;
class PictureBox;

// Unguarded: a failure ends the key handler that opened the panel.
void ShowInfoPanel(Form& form);
void ShowExitDialog(Form& form);

// A button on a panel: its top edge in the layout and its two pictures.
enum class PanelButton { Zatvori, Firma, visit_site, Da, Ne };
// Pointer over a panel button: its hover picture, when it stands at its layout place.
void PanelButtonMouseMove(Form& form, PanelButton button);
// Pointer over a panel around its buttons: the buttons back to rest.
void Registered_MouseMove(Form& form);
void Izlaz_MouseMove(Form& form);

void Zatvori_Click(Form& form);
void visit_site_Click(Form& form);
void Firma_Click(Form& form);
void Ne_Click(Form& form);

// The parents' pages shipped beside the program, as file addresses for the browser.
std::string productPageAddress(const Form& form);
std::string makerPageAddress(const Form& form);

}  // namespace cb
