// The two screens and their states, the gallery, choosing a page, and hover feedback.
#include <filesystem>

#include "gallery/gallery.h"
#include "running_book.h"

namespace fs = std::filesystem;

namespace cb {
namespace {

using Files = std::vector<std::string>;

class Screens : public RunningBook {
  protected:
    PictureBox& thumb(int n) { return *form().Galerija[n - 1]; }
    void openGallery() { click(form().MoreImages); }

  public:
    // The state of the screens in the words of the state table.
    struct Look {
        bool mainVisible, mainEnabled, papirVisible, galleryVisible, thumbsEnabled, backEnabled;
        std::string background;
        bool operator==(const Look&) const = default;
    };

  protected:
    Look look() {
        Look l{true, true, form().Papir.Visible(), true, true, form().Back.Enabled(), ""};
        for (PictureBox* b :
             {&form().Slika, &form().MoreImages, &form().Rubber, form().palette[11]}) {
            l.mainVisible = l.mainVisible && b->Visible();
            l.mainEnabled = l.mainEnabled && b->Enabled();
        }
        l.galleryVisible = form().Back.Visible();
        for (int n = 1; n <= 25; ++n) {
            l.galleryVisible = l.galleryVisible && thumb(n).Visible();
            l.thumbsEnabled = l.thumbsEnabled && thumb(n).Enabled();
        }
        const auto& bg = window().background()->pixels;
        for (const char* name : {"GLAVNA.JPG", "GALERIJA.JPG"})
            // Read from the built book: the test's copy may lack the file.
            if (platform.Platform::loadPicture(std::string(CB_BOOK_DIR "/PICTURE/") + name)
                    ->pixels == bg)
                l.background = name;
        return l;
    }
};

// visible, enabled, Papir, gallery visible, thumbnails enabled, Back enabled, background
const Screens::Look kMain{true, true, true, false, true, true, "GLAVNA.JPG"};
const Screens::Look kMainFrozen{true, false, false, false, true, true, "GLAVNA.JPG"};
const Screens::Look kGallery{false, true, false, true, true, true, "GALERIJA.JPG"};
const Screens::Look kGalleryFrozen{false, true, false, true, false, true, "GALERIJA.JPG"};

TEST_F(Screens, EveryTransitionLeavesItsStateOfTheTable) {
    EXPECT_EQ(look(), kMain);
    key('X');  // a panel over the main screen
    EXPECT_EQ(look(), kMainFrozen);
    key('R');  // the second panel freezes it again; one close gives it back
    click(form().Ne);
    EXPECT_EQ(look(), kMain);
    EXPECT_TRUE(form().Registered.Visible());
    click(form().Zatvori);

    openGallery();
    EXPECT_EQ(look(), kGallery);
    EXPECT_EQ(state().ActiveScreen, 1);
    key('R');
    EXPECT_EQ(look(), kGalleryFrozen);
    click(form().Zatvori);
    EXPECT_EQ(look(), kGallery);
    click(form().Back);
    EXPECT_EQ(look(), kMain);
    EXPECT_EQ(state().ActiveScreen, 0);
}

TEST_F(Screens, TheGalleryShowsEveryPageWhiteAtItsGridPlace) {
    const Picture before = form().canvasPicture();
    openGallery();
    int shown = 0;
    for (const auto& b : window().boxes()) shown += b->Visible();
    EXPECT_EQ(shown, 26);
    EXPECT_EQ(thumb(10).Left(), 629);
    EXPECT_EQ(thumb(10).Top(), 185);
    EXPECT_TRUE(shows(thumb(10), "GALERIJA1BELE_27.JPG"));
    EXPECT_EQ(thumb(21).Left(), 54);
    EXPECT_EQ(thumb(21).Top(), 596);
    EXPECT_TRUE(shows(thumb(21), "GALERIJA1BELE_73.JPG"));
    const int lefts[] = {54, 198, 341, 485, 629};
    for (int n = 1; n <= 25; ++n) {
        EXPECT_EQ(thumb(n).Left(), lefts[(n - 1) % 5]) << n;
        EXPECT_EQ(thumb(n).Top(), 48 + 137 * ((n - 1) / 5)) << n;
    }
    EXPECT_TRUE(shows(form().Back, "BACK1.JPG"));

    // Lit, closed, reopened: all white again. Back loads nothing into the canvas.
    moveOver(thumb(7));
    click(form().Back);
    EXPECT_EQ(form().canvasPicture(), before);
    EXPECT_EQ(state().CurrentPicture, 1);
    openGallery();
    for (int n = 1; n <= 25; ++n)
        EXPECT_TRUE(shows(thumb(n), thumbnailPicture(n, false).substr(9)));
}

TEST_F(Screens, TheThumbnailUnderThePointerLightsAndTheOneBeforeGoesWhite) {
    openGallery();
    loads();
    moveOver(thumb(7));  // the first hover resets nothing
    EXPECT_EQ(loads(), Files{"GALERIJA1ZUTE_21.JPG"});
    moveOver(thumb(8));
    EXPECT_EQ(loads(), (Files{"GALERIJA1ZUTE_23.JPG", "GALERIJA1BELE_21.JPG"}));
    EXPECT_EQ(state().LastHighlighted, 8);
    moveOver(thumb(8));  // the lit picture again, at every movement
    EXPECT_EQ(loads(), Files{"GALERIJA1ZUTE_23.JPG"});
    moveOverBackground();
    const Files bg = loads();
    EXPECT_NE(std::find(bg.begin(), bg.end(), "GALERIJA1BELE_23.JPG"), bg.end());
    EXPECT_TRUE(shows(thumb(8), "GALERIJA1BELE_23.JPG"));
    EXPECT_EQ(state().LastHighlighted, 8);  // kept: the background whitens it again and again
}

TEST_F(Screens, AThumbnailClickPutsItsPageOnTheCanvasAndReturns) {
    form().canvas().at(10, 10) = 0xFFFF0000;  // colouring that the new page replaces
    click(form().olovka);
    openGallery();
    click(thumb(12));
    EXPECT_TRUE(canvasShows("12.GIF"));
    EXPECT_EQ(state().CurrentPicture, 12);
    EXPECT_EQ(state().ActiveScreen, 0);
    EXPECT_EQ(look(), kMain);
    EXPECT_EQ(state().FillMode, False);  // the tool stays
    EXPECT_EQ(state().CurrentColor, rgb(255, 0, 0));
    // The eraser puts page 12 back now.
    form().canvas().at(10, 10) = 0xFFFF0000;
    click(form().Rubber);
    EXPECT_TRUE(canvasShows("12.GIF"));
}

TEST_F(Screens, FailingFilesEndOnlyTheirOwnStep) {
    // A missing gallery background: the old picture stays, Back and the thumbnails appear.
    fs::remove(book.file("PICTURE/GALERIJA.JPG"));
    openGallery();
    Look l = look();
    EXPECT_EQ(l.background, "GLAVNA.JPG");
    EXPECT_TRUE(l.galleryVisible);

    // A missing page: the click ends before anything changes.
    fs::remove(book.file("PICTURE/12.GIF"));
    click(thumb(12));
    EXPECT_EQ(state().ActiveScreen, 1);
    EXPECT_EQ(state().CurrentPicture, 1);
    EXPECT_TRUE(thumb(12).Visible());
}

TEST_F(Screens, AMissingMainBackgroundLeavesTheGallerysBehindTheMainScreen) {
    openGallery();
    fs::remove(book.file("PICTURE/GLAVNA.JPG"));
    click(form().Back);
    const Look l = look();
    EXPECT_EQ(l.background, "GALERIJA.JPG");
    EXPECT_TRUE(l.mainVisible);
    EXPECT_FALSE(l.galleryVisible);
    EXPECT_EQ(state().ActiveScreen, 0);
}

TEST_F(Screens, AMissingThumbnailStopsTheGalleryThere) {
    fs::remove(book.file("PICTURE/GALERIJA1BELE_41.JPG"));  // thumbnail 13
    openGallery();
    EXPECT_EQ(state().ActiveScreen, 1);
    EXPECT_TRUE(thumb(12).Visible());
    for (int n = 13; n <= 25; ++n) EXPECT_FALSE(thumb(n).Visible()) << n;
}

TEST_F(Screens, TheBackgroundResetsEveryButtonInItsOrderOnBothScreens) {
    Files main = {"MOREIMAGES1.JPG"};
    for (int p = 1; p <= 12; ++p)
        main.push_back("BOJE1_" + std::string(p < 10 ? "0" : "") + std::to_string(p) + ".JPG");
    for (const char* f :
         {"GUMICA1.JPG", "PAPIR1.JPG", "BACK1.JPG", "ZVUCNIK1.JPG", "MUSICOFF2.JPG"})
        main.push_back(f);
    moveOverBackground();
    EXPECT_EQ(loads(), main);

    openGallery();
    moveOver(thumb(3));
    loads();
    moveOverBackground();
    Files gallery = main;
    gallery.insert(gallery.begin() + 16, "GALERIJA1BELE_05.JPG");
    EXPECT_EQ(loads(), gallery);

    // A missing Back picture stops the event before the gallery, speaker and music resets.
    fs::remove(book.file("PICTURE/BACK1.JPG"));
    moveOverBackground();
    EXPECT_EQ(loads(), Files(main.begin(), main.begin() + 16));
}

TEST_F(Screens, ButtonHoversLoadTheirPictureAndTheirNeighboursRest) {
    const std::pair<PictureBox*, Files> cases[] = {
        {&form().MoreImages, {"MOREIMAGES2.JPG", "GUMICA1.JPG", "PAPIR1.JPG", "ZVUCNIK1.JPG"}},
        {&form().Rubber, {"GUMICA2.JPG", "PAPIR1.JPG"}},
        {&form().Papir, {"PAPIR2.JPG", "GUMICA1.JPG"}},
        {&form().MuteWave, {"ZVUCNIK2.JPG", "GUMICA1.JPG", "PAPIR1.JPG"}},
        {&form().MusicOn, {"MUSICOFF1.JPG", "GUMICA1.JPG", "PAPIR1.JPG", "ZVUCNIK1.JPG"}},
    };
    for (const auto& [box, files] : cases) {
        moveOver(*box);
        EXPECT_EQ(loads(), files) << box->name();
    }
    moveOver(form().MoreImages);
    moveOverBackground();
    EXPECT_TRUE(shows(form().MoreImages, "MOREIMAGES1.JPG"));
    openGallery();
    loads();
    moveOver(form().Back);
    EXPECT_EQ(loads(), Files{"BACK2.JPG"});
}

TEST_F(Screens, TheSpeakerKeepsItsHoverPictureUntilThePointerMovesAgain) {
    moveOver(form().MuteWave);
    loads();
    click(form().MuteWave);  // effects off: no picture
    EXPECT_EQ(loads(), Files{});
    EXPECT_TRUE(shows(form().MuteWave, "ZVUCNIK2.JPG"));
    moveOver(form().MuteWave);
    EXPECT_EQ(loads().front(), "SOUNDOFF1.JPG");
    moveOverBackground();
    EXPECT_TRUE(shows(form().MuteWave, "SOUNDOFF2.JPG"));
}

TEST_F(Screens, TheCanvasRestsTheButtonsUnlessThePencilDraws) {
    const Files five = {"MOREIMAGES1.JPG", "GUMICA1.JPG", "PAPIR1.JPG", "ZVUCNIK1.JPG",
                        "MUSICOFF2.JPG"};
    moveTo(300, 300);
    EXPECT_EQ(loads(), five);
    moveTo(300, 300, kLeftButton);  // the drop: a held button draws nothing
    EXPECT_EQ(loads(), five);
    click(form().olovka);
    window().buttonPressed(300, 300, kLeftButton, kLeftButton);
    loads();
    moveTo(320, 300, kLeftButton);
    EXPECT_EQ(loads(), Files{});
    window().buttonReleased(320, 300, kLeftButton, 0);
    moveTo(330, 300);
    EXPECT_EQ(loads(), five);
}

TEST_F(Screens, AFrozenButtonShowsNoHoverAndItsMovementGoesToTheWindow) {
    key('X');
    loads();
    moveOver(form().Rubber);
    const Files files = loads();
    ASSERT_FALSE(files.empty());
    EXPECT_EQ(files.front(), "MOREIMAGES1.JPG");  // the background's handler
    EXPECT_EQ(std::find(files.begin(), files.end(), "GUMICA2.JPG"), files.end());
}

TEST_F(Screens, BackUnderAPanelStillLeavesAWorkingGalleryNextTime) {
    openGallery();
    key('R');  // freezes the thumbnails; Back keeps working
    click(form().Back);
    EXPECT_EQ(state().ActiveScreen, 0);
    EXPECT_TRUE(form().Registered.Visible());
    click(form().Zatvori);  // unfreezes the main screen
    EXPECT_EQ(look(), kMain);
    openGallery();
    EXPECT_EQ(look(), kGallery);
    click(thumb(5));
    EXPECT_EQ(state().CurrentPicture, 5);
}

}  // namespace
}  // namespace cb
