// Ctrl+P: the snapshot, the notice, the print, and what fails on the way.
#include <filesystem>

#include "platform/picture_codec.h"
#include "running_book.h"

namespace fs = std::filesystem;

namespace cb {
namespace {

using Lines = std::vector<std::string>;
constexpr uint32_t kRed = 0xFFFF0000;

class Printing : public RunningBook {
  protected:
    // Fills an area of page 1 by a press at a canvas pixel (one the notice does not cover).
    void fill(int x, int y) { clickAt(30 + x, 29 + y); }
    std::string snapshot() { return state().AppDir + "MY_PICTURE\\01.GIF"; }
    // The steps of a print in the log, in order.
    Lines steps() {
        Lines out;
        for (const std::string& line : platform.log)
            if (line.rfind("save ", 0) == 0 || line.rfind("print ", 0) == 0 ||
                line == "load " + snapshot())
                out.push_back(line);
        return out;
    }
};

TEST_F(Printing, TheSnapshotOfTheKeyPressIsPrintedAfterThreeSecondsOfNotice) {
    fill(270, 380);  // the boy's shirt
    const Image atKeyPress = form().canvas();
    bool noticeDuringWait = false;
    const float t = platform.clock;
    // During the notice the child fills another area and it stays on the canvas.
    platform.at(t + 1.0, [&](InputSink&) {
        noticeDuringWait = form().PrintPict.Visible();
        fill(285, 535);
    });
    key('P');
    EXPECT_EQ(steps(), (Lines{"save " + snapshot(), "load " + snapshot(), "print Colouring Book"}));
    EXPECT_TRUE(noticeDuringWait);
    EXPECT_FALSE(form().PrintPict.Visible());
    EXPECT_GE(platform.timeOf("print ") - t, 3.0f);
    ASSERT_EQ(platform.printed.size(), 1u);
    EXPECT_EQ(platform.printed[0].pixels, atKeyPress.pixels);
    EXPECT_NE(form().canvas().pixels, atKeyPress.pixels);  // the later fill stays
    // The scratch copy reads back as exactly the canvas of the key press.
    EXPECT_EQ(decodePictureFile(book.file("MY_PICTURE/01.GIF").string()).pixels, atKeyPress.pixels);
}

TEST_F(Printing, AMissingFolderStopsBeforeTheNoticeAndNoPrinterAfterIt) {
    fill(270, 380);
    const Image before = form().canvas();
    fs::remove_all(book.file("MY_PICTURE"));
    key('P');
    EXPECT_TRUE(platform.printed.empty());
    EXPECT_TRUE(platform.entries("print").empty());
    EXPECT_EQ(form().canvas().pixels, before.pixels);
    EXPECT_LT(platform.clock - platform.timeOf("save "), 0.1f);  // no wait

    fs::create_directory(book.file("MY_PICTURE"));
    platform.printerAvailable = false;
    platform.clearLog();
    const float t = platform.clock;
    key('P');
    EXPECT_GE(platform.clock - t, 3.0f);  // the notice had its three seconds
    EXPECT_FALSE(form().PrintPict.Visible());
    EXPECT_TRUE(platform.printed.empty());
}

TEST_F(Printing, APrintDuringTheNoticeRunsInsideTheFirstAndBothPrintTheLaterSnapshot) {
    fill(270, 380);
    const float t = platform.clock;
    platform.at(t + 1.0, [&](InputSink& s) {
        fill(285, 535);
        platform.key(s, 'P', kCtrlMask);
    });
    key('P');
    ASSERT_EQ(platform.printed.size(), 2u);
    EXPECT_EQ(platform.printed[0].pixels, platform.printed[1].pixels);
    EXPECT_EQ(platform.printed[1].pixels, form().canvas().pixels);
    EXPECT_EQ(platform.printed[0].at(285, 535), kRed);
}

}  // namespace
}  // namespace cb
