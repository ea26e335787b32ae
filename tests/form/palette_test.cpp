// The palette: colours, selection, sounds and the three pictures of every button.
#include <gtest/gtest.h>

#include <filesystem>

#include "book_copy.h"
#include "palette/palette.h"
#include "platform/memory_platform.h"
#include "platform/paths.h"
#include "shell/program.h"

namespace fs = std::filesystem;

namespace cb {
namespace {

class Palette : public testing::Test {
  protected:
    Palette() {
        ProgramState& s = app.form.state;
        s.AssetRoot = upperCase(book.dir().string());
        s.CurrentColor = rgb(255, 0, 0);
        s.SoundFlag = s.SoundEnabled = 1;
    }
    PictureBox& button(int position) { return *app.form.palette[position - 1]; }
    void click(int position) {
        PictureBox& b = button(position);
        app.form.window.buttonPressed(b.Left() + 40, b.Top() + 40, kLeftButton, kLeftButton);
        app.form.window.buttonReleased(b.Left() + 40, b.Top() + 40, kLeftButton, 0);
    }
    void hover(int position) {
        PictureBox& b = button(position);
        app.form.window.pointerMoved(b.Left() + 40, b.Top() + 40, 0);
    }
    // The pictures loaded since the last look, as "BOJE2_05".
    std::vector<std::string> loaded() {
        std::vector<std::string> out;
        for (const auto& l : platform.entries("load ")) {
            const std::string file = l.substr(l.rfind('\\') + 1);
            out.push_back(file.substr(0, file.find('.')));
        }
        platform.clearLog();
        return out;
    }
    // Whether a button now shows the picture of that file.
    bool shows(int position, const std::string& file) {
        const Picture expected =
            platform.Platform::loadPicture(book.file("PICTURE/" + file + ".JPG").string());
        return button(position).picture()->pixels == expected->pixels;
    }

    cbtest::BookCopy book;
    MemoryPlatform platform;
    ColouringBook app{platform};
    ProgramState& state = app.form.state;
};

TEST_F(Palette, AClickSetsTheColourPlaysItsSoundAndReloadsAllTwelve) {
    click(2);
    EXPECT_EQ(state.CurrentColor, rgb(52, 204, 103));
    EXPECT_EQ(state.PaletteSelected, (std::array<int16_t, 12>{0, 1}));
    EXPECT_EQ(platform.log.front(), "effect " + state.AssetRoot + "\\SOUND\\ZELENA.WAV");
    EXPECT_EQ(loaded(), (std::vector<std::string>{"BOJE1_01", "BOJE3_02", "BOJE1_03", "BOJE1_04",
                                                  "BOJE1_05", "BOJE1_06", "BOJE1_07", "BOJE1_08",
                                                  "BOJE1_09", "BOJE1_10", "BOJE1_11", "BOJE1_12"}));
    EXPECT_TRUE(shows(2, "BOJE3_02"));
    click(2);  // again: the sound again and twelve loads again
    EXPECT_EQ(loaded().size(), 12u);
    click(11);
    EXPECT_EQ(state.CurrentColor, rgb(30, 30, 30));
    EXPECT_EQ(state.PaletteSelected, (std::array<int16_t, 12>{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0}));
}

TEST_F(Palette, EveryButtonHasItsColourAndSound) {
    const uint32_t colours[12] = {rgb(255, 0, 0),     rgb(52, 204, 103),  rgb(255, 255, 0),
                                  rgb(0, 204, 255),   rgb(255, 102, 0),   rgb(204, 51, 255),
                                  rgb(178, 178, 178), rgb(255, 255, 255), rgb(204, 103, 51),
                                  rgb(0, 0, 255),     rgb(30, 30, 30),    rgb(255, 0, 255)};
    const char* sounds[12] = {"CRVENA", "ZELENA",    "ZUTA",  "SVPLAVA", "ORANZ", "LJUBICASTA",
                              "SIVA",   "TAMNOZUTA", "BRAON", "PLAVA",   "CRNA",  "PINK"};
    for (int p = 1; p <= 12; ++p) {
        platform.clearLog();
        click(p);
        EXPECT_EQ(state.CurrentColor, colours[p - 1]) << p;
        EXPECT_EQ(platform.entries("effect ").at(0),
                  "effect " + state.AssetRoot + "\\SOUND\\" + sounds[p - 1] + ".WAV");
    }
}

TEST_F(Palette, WithEffectsOffAClickIsSilent) {
    state.SoundEnabled = 0;
    click(5);
    EXPECT_TRUE(platform.entries("effect").empty());
    EXPECT_EQ(state.CurrentColor, rgb(255, 102, 0));
}

TEST_F(Palette, HoverLightsTheButtonAndPutsItsNeighboursBack) {
    hover(5);
    EXPECT_EQ(loaded(), (std::vector<std::string>{"BOJE2_05", "BOJE1_04", "BOJE1_06"}));
    hover(6);  // straight onto the next button: orange goes back through purple's handler
    EXPECT_EQ(loaded(), (std::vector<std::string>{"BOJE2_06", "BOJE1_05", "BOJE1_07"}));
    EXPECT_TRUE(shows(5, "BOJE1_05"));
    EXPECT_TRUE(shows(6, "BOJE2_06"));
    hover(1);
    hover(12);
    EXPECT_EQ(loaded(), (std::vector<std::string>{"BOJE2_01", "BOJE1_02", "BOJE2_12", "BOJE1_11"}));
}

TEST_F(Palette, TheSelectedButtonKeepsItsLookUnderThePointer) {
    click(3);
    loaded();
    hover(3);
    hover(4);
    EXPECT_EQ(loaded(), (std::vector<std::string>{"BOJE3_03", "BOJE1_02", "BOJE1_04", "BOJE2_04",
                                                  "BOJE3_03", "BOJE1_05"}));
    // Before any click no flag is set, although red is the paint colour.
    state.PaletteSelected.fill(0);
    hover(1);
    EXPECT_EQ(loaded().front(), "BOJE2_01");
}

TEST_F(Palette, AButtonMovedFromItsPlaceShowsNoHover) {
    button(4).move(261, 600);
    app.form.window.pointerMoved(270, 610, 0);
    EXPECT_TRUE(loaded().empty());
}

TEST_F(Palette, AMissingPictureStopsTheReloadButNotTheNewColour) {
    fs::remove(book.file("PICTURE/BOJE1_05.JPG"));
    click(9);
    EXPECT_EQ(state.CurrentColor, rgb(204, 103, 51));
    EXPECT_EQ(state.PaletteSelected[8], 1);
    EXPECT_EQ(loaded(), (std::vector<std::string>{"BOJE1_01", "BOJE1_02", "BOJE1_03", "BOJE1_04",
                                                  "BOJE1_05"}));
    EXPECT_FALSE(shows(9, "BOJE3_09"));  // the buttons after the missing file keep their look
}

}  // namespace
}  // namespace cb
