// The committed picture tree, read back the way the program reads it (SDL_image): every file
// of the inventory is there at its size, the pages keep the page rules, the cursors and the
// palette pictures are what the program relies on.
#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "page_bitmap.h"

namespace {

const std::string kRoot = CB_SOURCE_DIR;

struct Expected {
    std::string path;  // relative to the source tree
    int width, height;
};

std::string numbered(const char* format, int n) {
    char text[64];
    std::snprintf(text, sizeof text, format, n);
    return text;
}

const int kPaletteWidths[12] = {85, 84, 84, 84, 83, 85, 83, 84, 84, 84, 84, 86};

std::vector<Expected> inventory() {
    std::vector<Expected> all;
    const std::string pic = "assets/PICTURE/";
    for (int n = 0; n <= 25; ++n) all.push_back({pic + numbered("%02d.GIF", n), 750, 600});
    for (int k = 1; k <= 25; ++k) {
        const int nn = 18 * ((k - 1) / 5) + 2 * ((k - 1) % 5) + 1;
        all.push_back({pic + numbered("GALERIJA1BELE_%02d.JPG", nn), 131, 122});
        all.push_back({pic + numbered("GALERIJA1ZUTE_%02d.JPG", nn), 131, 122});
    }
    all.push_back({pic + "GLAVNA.JPG", 1024, 768});
    all.push_back({pic + "GALERIJA.JPG", 1024, 768});
    for (const char* panel : {"CTRL-R", "CTRLX", "PRINTING"})
        all.push_back({pic + panel + ".JPG", 400, 250});
    for (int look = 1; look <= 3; ++look)
        for (int n = 1; n <= 12; ++n)
            all.push_back({pic + "BOJE" + std::to_string(look) + numbered("_%02d.JPG", n),
                           kPaletteWidths[n - 1], 85});
    const Expected buttons[] = {
        {"MOREIMAGES", 160, 169}, {"KAPLJICA", 58, 81},  {"OLOVKA", 62, 81},   {"GUMICA", 112, 61},
        {"PAPIR", 63, 61},        {"BACK", 192, 40},     {"SOUNDOFF", 78, 79}, {"ZVUCNIK", 78, 79},
        {"MUSICOFF", 78, 79},     {"MUZIKA", 78, 79},    {"YES", 107, 50},     {"NO", 85, 50},
        {"CLOSE", 73, 27},        {"CTRLRFRM", 110, 35}, {"VISIT", 330, 62},
    };
    for (const Expected& b : buttons)
        for (const char* n : {"1", "2"})
            all.push_back({pic + b.path + n + ".JPG", b.width, b.height});
    all.push_back({pic + "KANTICA8.ICO", 32, 32});
    all.push_back({pic + "CETKA.ICO", 64, 64});
    const Expected resources[] = {{"ARROW", 32, 32}, {"HAND", 32, 32}, {"BRUSH", 64, 64},
                                  {"DROP", 32, 32},  {"ICON", 32, 32}, {"INTRO_TITLE", 800, 200}};
    for (const Expected& r : resources)
        all.push_back({"resources/" + r.path + ".png", r.width, r.height});
    return all;
}

struct SurfaceFree {
    void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
using Picture = std::unique_ptr<SDL_Surface, SurfaceFree>;

// Loads a file and converts it to RGBA bytes in memory order, whatever its own format.
Picture load(const std::string& relative) {
    Picture raw(IMG_Load((kRoot + "/" + relative).c_str()));
    if (!raw) return nullptr;
    return Picture(SDL_ConvertSurfaceFormat(raw.get(), SDL_PIXELFORMAT_RGBA32, 0));
}

const uint8_t* pixel(const SDL_Surface* s, int x, int y) {
    return static_cast<const uint8_t*>(s->pixels) + y * s->pitch + x * 4;
}

TEST(ShippedTree, EveryPictureIsThereAndDecodesAtItsSize) {
    const std::vector<Expected> all = inventory();
    EXPECT_EQ(all.size(), 26u + 50 + 2 + 3 + 36 + 30 + 2 + 6);
    for (const Expected& e : all) {
        SCOPED_TRACE(e.path);
        const Picture p = load(e.path);
        ASSERT_TRUE(p) << IMG_GetError();
        EXPECT_EQ(p->w, e.width);
        EXPECT_EQ(p->h, e.height);
    }
}

TEST(ShippedTree, PagesAreBlackAndWhiteAndKeepThePageRules) {
    for (int n = 0; n <= 25; ++n) {
        const std::string path = numbered("assets/PICTURE/%02d.GIF", n);
        SCOPED_TRACE(path);
        const Picture p = load(path);
        ASSERT_TRUE(p);
        book::PageBitmap page;
        page.ink.resize(static_cast<size_t>(page.width) * page.height);
        ASSERT_EQ(p->w, page.width);
        ASSERT_EQ(p->h, page.height);
        int otherColours = 0;
        for (int y = 0; y < page.height; ++y)
            for (int x = 0; x < page.width; ++x) {
                const uint8_t* c = pixel(p.get(), x, y);
                const bool black = c[0] == 0 && c[1] == 0 && c[2] == 0;
                const bool white = c[0] == 255 && c[1] == 255 && c[2] == 255;
                if (!black && !white) ++otherColours;
                page.ink[static_cast<size_t>(y) * page.width + x] = black;
            }
        EXPECT_EQ(otherColours, 0);
        const book::PageReport report = book::checkPage(page, n == 0);
        for (const std::string& problem : report.problems) ADD_FAILURE() << problem;
    }
}

// The program puts an icon's hotspot at its centre, so the tool's tip must be there and
// nothing may stand up and to the left of it.
TEST(ShippedTree, CursorsAreSeeThroughWithTheTipAtTheCentre) {
    for (const char* path : {"assets/PICTURE/KANTICA8.ICO", "assets/PICTURE/CETKA.ICO",
                             "resources/BRUSH.png", "resources/DROP.png"}) {
        SCOPED_TRACE(path);
        const Picture p = load(path);
        ASSERT_TRUE(p);
        const int c = p->w / 2;
        int opaque = 0, upperLeft = 0, nearTip = 0;
        for (int y = 0; y < p->h; ++y)
            for (int x = 0; x < p->w; ++x) {
                const int alpha = pixel(p.get(), x, y)[3];
                if (alpha == 255) ++opaque;
                if (alpha > 0 && x < c - 2 && y < c - 2) ++upperLeft;
                if (alpha == 255 && std::abs(x - c) <= 2 && std::abs(y - c) <= 2) ++nearTip;
            }
        EXPECT_GT(opaque, p->w * p->h / 64) << "the picture should be solid where drawn";
        EXPECT_LT(opaque, p->w * p->h / 2) << "the mask should leave the background visible";
        EXPECT_EQ(upperLeft, 0);
        EXPECT_GT(nearTip, 0);
    }
}

// Each palette picture shows its paint colour flat in the middle of the button's box.
TEST(ShippedTree, PalettePicturesShowTheirPaintColour) {
    const uint8_t paints[12][3] = {{255, 0, 0},    {52, 204, 103}, {255, 255, 0},   {0, 204, 255},
                                   {255, 102, 0},  {204, 51, 255}, {178, 178, 178}, {255, 255, 255},
                                   {204, 103, 51}, {0, 0, 255},    {30, 30, 30},    {255, 0, 255}};
    const int boxWidths[12] = {85, 84, 84, 84, 83, 85, 83, 84, 84, 84, 84, 84};
    for (int look = 1; look <= 3; ++look)
        for (int n = 1; n <= 12; ++n) {
            const std::string path =
                "assets/PICTURE/BOJE" + std::to_string(look) + numbered("_%02d.JPG", n);
            SCOPED_TRACE(path);
            const Picture p = load(path);
            ASSERT_TRUE(p);
            const uint8_t* c = pixel(p.get(), boxWidths[n - 1] / 2, 42);
            for (int k = 0; k < 3; ++k) EXPECT_NEAR(c[k], paints[n - 1][k], 4) << "channel " << k;
        }
}

}  // namespace
