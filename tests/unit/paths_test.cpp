#include "platform/paths.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/errors.h"

namespace fs = std::filesystem;

namespace cb {
namespace {

class Paths : public testing::Test {
  protected:
    void SetUp() override {
        root = fs::temp_directory_path() / ("cb-paths-" + std::to_string(::getpid()));
        fs::remove_all(root);
        fs::create_directories(root / "Book" / "picture");
        std::ofstream(root / "Book" / "picture" / "01.gif") << "12345";
        // Two names that differ only in case: the exact one wins, else the first sorted.
        std::ofstream(root / "Book" / "picture" / "Both.jpg") << "1";
        std::ofstream(root / "Book" / "picture" / "both.JPG") << "22";
    }
    void TearDown() override { fs::remove_all(root); }
    fs::path root;
};

TEST_F(Paths, ResolvesEachComponentWithoutRegardToCase) {
    const std::string upper = upperCase(root.string()) + "\\BOOK\\PICTURE\\01.GIF";
    EXPECT_EQ(resolvePath(upper), (root / "Book/picture/01.gif").string());
    EXPECT_EQ(fileLength(upper), 5u);
    EXPECT_EQ(fileLength(root.string() + "/Book/picture/both.JPG"), 2u);
    EXPECT_EQ(fileLength(root.string() + "/Book/picture/BOTH.JPG"), 1u);  // "Both.jpg" sorts first
}

TEST_F(Paths, MissingFilesAreErrors) {
    EXPECT_THROW(fileLength(root.string() + "\\BOOK\\PICTURE\\02.GIF"), PlatformError);
    EXPECT_THROW(fileLength(root.string() + "\\BOOK\\PICTURE"), PlatformError);  // a folder
    EXPECT_EQ(resolvePath(root.string() + "/BOOK/NOWHERE/x"), (root / "Book/NOWHERE/x").string());
}

TEST(UserFolder, TheProgramsFolderWhenWritableElseTheUsersCache) {
    struct Case {
        bool writable;
        const char* xdgCache;
        const char* home;
        std::string expected;
    };
    const Case cases[] = {
        {true, "/home/ann/.c", "/home/ann", "/opt/book\\"},  // a build tree: beside the program
        {false, "/home/ann/.c", "/home/ann", "/home/ann/.c/colouring-book/"},
        {false, nullptr, "/home/ann", "/home/ann/.cache/colouring-book/"},
        {false, "relative", "/home/ann", "/home/ann/.cache/colouring-book/"},
        {false, nullptr, nullptr, "/opt/book\\"},  // nowhere else to go
    };
    for (const Case& c : cases)
        EXPECT_EQ(userFolder("/opt/book\\", c.writable, c.xdgCache, c.home), c.expected)
            << c.writable << " " << (c.xdgCache ? c.xdgCache : "-");
}

}  // namespace
}  // namespace cb
