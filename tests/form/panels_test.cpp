// The keyboard shortcuts, the exit dialog and the information panel.
#include "panels/panels.h"
#include "platform/errors.h"
#include "running_book.h"

namespace cb {
namespace {

using Files = std::vector<std::string>;

class Panels : public RunningBook {
  protected:
    bool exitDialogShown() {
        return form().Izlaz.Visible() && form().Da.Visible() && form().Ne.Visible();
    }
    bool infoPanelShown() {
        return form().Registered.Visible() && form().visit_site.Visible() &&
               form().Firma.Visible() && form().Zatvori.Visible();
    }
    bool mainFrozen() { return !form().Slika.Enabled() && !form().Papir.Visible(); }
    void closeAll() {
        for (PictureBox* b : {&form().Izlaz, &form().Da, &form().Ne, &form().Registered,
                              &form().visit_site, &form().Firma, &form().Zatvori})
            b->setVisible(false);
    }
};

TEST_F(Panels, EveryReceiverRunsEachShortcutOnceOnBothScreens) {
    std::vector<PictureBox*> receivers = {nullptr};  // the window itself
    for (PictureBox* b : {&form().Slika, &form().MoreImages, &form().MuteWave, &form().MusicOn,
                          &form().Rubber, &form().Papir, &form().kapljica, &form().olovka})
        receivers.push_back(b);
    for (PictureBox* b : form().palette) receivers.push_back(b);
    ASSERT_EQ(receivers.size(), 21u);
    for (int screen : {0, 1}) {
        if (screen == 1) click(form().MoreImages);
        for (PictureBox* r : receivers) {
            // On the gallery the main-screen controls are hidden; a key reaching one of them
            // (it kept the focus) still runs the shortcut.
            window().setFocus(r);
            key('X');
            EXPECT_TRUE(exitDialogShown()) << (r ? r->name() : "window");
            closeAll();
            window().setFocus(r);
            key('R');
            EXPECT_TRUE(infoPanelShown()) << (r ? r->name() : "window");
            closeAll();
            const size_t printed = platform.printed.size();
            window().setFocus(r);
            key('P');
            EXPECT_EQ(platform.printed.size(), printed + 1) << (r ? r->name() : "window");
        }
    }
}

TEST_F(Panels, OtherMasksRepeatsAndOtherReceiversDoNothing) {
    for (int mask : {0, kShiftMask, kCtrlMask | kShiftMask, kCtrlMask | kAltMask})
        for (int k : {'P', 'X', 'R'}) window().keyPressed(k, mask, false);
    for (int k : {'P', 'X', 'R'}) key(k, kCtrlMask, /*repeat=*/true);
    click(form().MoreImages);
    for (PictureBox* r : {form().Galerija[4], &form().Back, &form().Izlaz, &form().Registered,
                          &form().Da, &form().PrintPict}) {
        window().setFocus(r);
        for (int k : {'P', 'X', 'R'}) key(k);
    }
    EXPECT_FALSE(form().Izlaz.Visible());
    EXPECT_FALSE(form().Registered.Visible());
    EXPECT_TRUE(platform.printed.empty());
    EXPECT_TRUE(platform.entries("save ").empty());
}

TEST_F(Panels, OneNoClosesADialogOpenedTwiceAndEitherPanelUnfreezes) {
    key('X');
    key('X');
    EXPECT_TRUE(exitDialogShown());
    EXPECT_TRUE(mainFrozen());
    click(form().Ne);
    EXPECT_FALSE(form().Izlaz.Visible());
    EXPECT_FALSE(mainFrozen());
    EXPECT_TRUE(form().Papir.Visible());

    window().setFocus(nullptr);
    key('R');
    key('X');
    EXPECT_TRUE(infoPanelShown() && exitDialogShown());
    click(form().Ne);  // the info panel is still shown, the screen is live again
    EXPECT_TRUE(infoPanelShown());
    EXPECT_FALSE(mainFrozen());
    click(form().Zatvori);
    EXPECT_FALSE(form().Registered.Visible());
}

TEST_F(Panels, ButtonsLightUnderThePointerAndRestOverTheirPanel) {
    key('X');
    loads();
    moveOver(form().Da);
    moveOver(form().Izlaz);  // on the way from Yes to No
    moveOver(form().Ne);
    EXPECT_EQ(loads(), (Files{"YES2.JPG", "YES1.JPG", "NO1.JPG", "NO2.JPG"}));
    click(form().Ne);
    key('X');  // the pictures are not reset on opening
    EXPECT_TRUE(shows(form().Ne, "NO2.JPG"));
    click(form().Ne);

    key('R');
    loads();
    moveOver(form().Zatvori);
    moveOver(form().Firma);
    moveOver(form().visit_site);
    moveOver(form().Registered);
    EXPECT_EQ(loads(), (Files{"CLOSE2.JPG", "CTRLRFRM2.JPG", "VISIT2.JPG", "CLOSE1.JPG",
                              "CTRLRFRM1.JPG", "VISIT1.JPG"}));
}

TEST_F(Panels, ALinkMinimisesTheWindowThenOpensTheParentsPage) {
    key('R');
    platform.clearLog();
    click(form().visit_site);
    click(form().Firma);
    const std::string dir = "file://" + book.dir().parent_path().string() + "/my%20book/PARENTS/";
    EXPECT_EQ(platform.log,
              (std::vector<std::string>{"minimize window", "open " + dir + "index.html",
                                        "minimize window", "open " + dir + "maker.html"}));
    EXPECT_TRUE(infoPanelShown());  // the panel stays open for the parent's return
}

TEST_F(Panels, YesEndsTheProgramWhateverFailsOnTheWay) {
    click(form().MusicOn);
    platform.musicAvailable = false;  // the music cannot be stopped
    platform.restoreFails = true;     // nor the display mode restored
    key('X');
    platform.clearLog();
    EXPECT_THROW(click(form().Da), ProgramEnd);
    EXPECT_EQ(platform.log, (std::vector<std::string>{"music stop", "restore display mode",
                                                      "remove filter 1", "exit"}));
}

}  // namespace
}  // namespace cb
