#include "panels/panels.h"

#include <array>
#include <cstdio>
#include <initializer_list>
#include <string_view>

#include "screen/form.h"
#include "screen/screen_states.h"

namespace cb {
namespace {

struct ButtonLooks {
    PanelButton button;
    int top;
    std::string_view resting, hover;
};
constexpr std::array<ButtonLooks, 5> kPanelButtons = {{
    {PanelButton::Zatvori, 269, "\\PICTURE\\CLOSE1.JPG", "\\PICTURE\\CLOSE2.JPG"},
    {PanelButton::Firma, 462, "\\PICTURE\\CTRLRFRM1.JPG", "\\PICTURE\\CTRLRFRM2.JPG"},
    {PanelButton::visit_site, 395, "\\PICTURE\\VISIT1.JPG", "\\PICTURE\\VISIT2.JPG"},
    {PanelButton::Da, 409, "\\PICTURE\\YES1.JPG", "\\PICTURE\\YES2.JPG"},
    {PanelButton::Ne, 409, "\\PICTURE\\NO1.JPG", "\\PICTURE\\NO2.JPG"},
}};

PictureBox& boxOf(Form& form, PanelButton button) {
    switch (button) {
        case PanelButton::Zatvori:
            return form.Zatvori;
        case PanelButton::Firma:
            return form.Firma;
        case PanelButton::visit_site:
            return form.visit_site;
        case PanelButton::Da:
            return form.Da;
        case PanelButton::Ne:
            break;
    }
    return form.Ne;
}

const ButtonLooks& looksOf(PanelButton button) {
    return kPanelButtons[static_cast<size_t>(button)];
}

void rest(Form& form, std::initializer_list<PanelButton> buttons) {
    for (PanelButton b : buttons) form.loadPicture(boxOf(form, b), looksOf(b).resting);
}

// Freezes the current screen and shows a panel's pictures in order; any other screen
// number shows nothing.
void openPanel(Form& form, std::initializer_list<PictureBox*> pictures) {
    const int screen = form.state.ActiveScreen;
    if (screen == 0)
        glavni_ekran_zamrznut(form);
    else if (screen == 1)
        galerijski_ekran_zamrznut(form);
    else
        return;
    for (PictureBox* p : pictures) p->setVisible(true);
}

// Hides a panel's pictures and unfreezes the current screen. Freezing is not counted: with
// both panels open, closing one gives the screen back.
void closePanel(Form& form, std::initializer_list<PictureBox*> pictures) {
    const int screen = form.state.ActiveScreen;
    if (screen != 0 && screen != 1) return;
    for (PictureBox* p : pictures) p->setVisible(false);
    if (screen == 0)
        glavni_ekran_odmrznut(form);
    else
        galerijski_ekran_odmrznut(form);
}

// A file address of a page in the program's folder, with every byte that is not plain
// written as %XX, so that spaces and accents in a parent's folder name survive.
std::string fileAddress(const Form& form, std::string_view page) {
    std::string path = form.state.AppDir;
    for (char& c : path)
        if (c == '\\') c = '/';
    path += "PARENTS/";
    path += page;
    std::string address = "file://";
    for (unsigned char c : path) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '/' || c == '-' || c == '_' || c == '.' ||
                           c == '~';
        if (plain) {
            address += static_cast<char>(c);
        } else {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X", c);
            address += escaped;
        }
    }
    return address;
}

// The links minimise the window first, then hand the address to the browser.
void openLink(Form& form, const std::string& address) {
    form.platform.minimizeWindow();
    form.platform.openUrl(address);
}

}  // namespace

void ShowInfoPanel(Form& form) {
    openPanel(form, {&form.Registered, &form.visit_site, &form.Firma, &form.Zatvori});
}

void ShowExitDialog(Form& form) {
    openPanel(form, {&form.Izlaz, &form.Da, &form.Ne});
}

void PanelButtonMouseMove(Form& form, PanelButton button) {
    PictureBox& box = boxOf(form, button);
    if (box.Top() == looksOf(button).top) form.loadPicture(box, looksOf(button).hover);
}

void Registered_MouseMove(Form& form) {
    rest(form, {PanelButton::Zatvori, PanelButton::Firma, PanelButton::visit_site});
}

void Izlaz_MouseMove(Form& form) {
    rest(form, {PanelButton::Da, PanelButton::Ne});
}

void Zatvori_Click(Form& form) {
    closePanel(form, {&form.Registered, &form.visit_site, &form.Firma, &form.Zatvori});
}

void Ne_Click(Form& form) {
    closePanel(form, {&form.Da, &form.Ne, &form.Izlaz});
}

std::string productPageAddress(const Form& form) {
    return fileAddress(form, "index.html");
}

std::string makerPageAddress(const Form& form) {
    return fileAddress(form, "maker.html");
}

void visit_site_Click(Form& form) {
    openLink(form, productPageAddress(form));
}

void Firma_Click(Form& form) {
    openLink(form, makerPageAddress(form));
}

}  // namespace cb
