// The generator's file writers, read back by the libraries the program and tools use.
#include <SDL.h>
#include <SDL_image.h>
#include <gif_lib.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>

#include "gif_writer.h"
#include "ico_writer.h"
#include "jpeg_writer.h"
#include "page_reduce.h"

namespace {

// A folder of this run's own, removed when the tests end.
struct Scratch {
    std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("book_writers_" + std::to_string(getpid()));
    ~Scratch() { std::filesystem::remove_all(dir); }
};

std::string scratch(const std::string& name) {
    static Scratch folder;
    std::filesystem::create_directories(folder.dir);
    return (folder.dir / name).string();
}

struct SurfaceFree {
    void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
using Picture = std::unique_ptr<SDL_Surface, SurfaceFree>;

Picture loadRgba(const std::string& path) {
    Picture raw(IMG_Load(path.c_str()));
    if (!raw) return nullptr;
    return Picture(SDL_ConvertSurfaceFormat(raw.get(), SDL_PIXELFORMAT_RGBA32, 0));
}

const uint8_t* at(const SDL_Surface* s, int x, int y) {
    return static_cast<const uint8_t*>(s->pixels) + y * s->pitch + x * 4;
}

TEST(GifWriter, PagesRoundTripWithBlackThenWhiteAsTheOnlyColours) {
    book::PageBitmap page;
    page.width = 37;
    page.height = 23;
    page.ink.resize(37 * 23);
    for (int i = 0; i < 37 * 23; ++i) page.ink[i] = (i % 7 == 0 || i % 11 == 3) ? 1 : 0;
    const std::string path = scratch("page.gif");
    book::writePageGif(page, path);

    int error = 0;
    GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
    ASSERT_NE(gif, nullptr);
    ASSERT_EQ(DGifSlurp(gif), GIF_OK);
    ASSERT_NE(gif->SColorMap, nullptr);
    ASSERT_EQ(gif->SColorMap->ColorCount, 2);
    const GifColorType* c = gif->SColorMap->Colors;
    EXPECT_TRUE(c[0].Red == 0 && c[0].Green == 0 && c[0].Blue == 0);
    EXPECT_TRUE(c[1].Red == 255 && c[1].Green == 255 && c[1].Blue == 255);
    DGifCloseFile(gif, &error);

    const Picture p = loadRgba(path);
    ASSERT_TRUE(p);
    ASSERT_EQ(p->w, 37);
    ASSERT_EQ(p->h, 23);
    int wrong = 0;
    for (int y = 0; y < 23; ++y)
        for (int x = 0; x < 37; ++x)
            if ((at(p.get(), x, y)[0] == 0) != page.at(x, y)) ++wrong;
    EXPECT_EQ(wrong, 0);
}

// An opaque, a half-transparent and a clear pixel must come back as they were: a mask bit
// left clear under the soft pixel would make it solid, and colours must not stay
// premultiplied.
TEST(IcoWriter, KeepsSoftEdgesSeeThroughAndColoursStraight) {
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 32, 32);
    cairo_t* cr = cairo_create(s);
    cairo_set_source_rgba(cr, 1, 0, 0, 1);
    cairo_rectangle(cr, 0, 0, 8, 8);
    cairo_fill(cr);
    cairo_set_source_rgba(cr, 0, 0, 1, 0.5);
    cairo_rectangle(cr, 8, 0, 8, 8);
    cairo_fill(cr);
    cairo_destroy(cr);
    const std::string path = scratch("cursor.ico");
    book::writeIco(s, path);
    cairo_surface_destroy(s);

    const Picture p = loadRgba(path);
    ASSERT_TRUE(p) << IMG_GetError();
    ASSERT_EQ(p->w, 32);
    ASSERT_EQ(p->h, 32);
    const uint8_t* red = at(p.get(), 2, 2);
    const uint8_t* soft = at(p.get(), 10, 2);
    const uint8_t* clear = at(p.get(), 20, 20);
    EXPECT_EQ(red[0], 255);
    EXPECT_EQ(red[3], 255);
    EXPECT_NEAR(soft[3], 128, 2);
    EXPECT_NEAR(soft[2], 255, 2);
    EXPECT_EQ(clear[3], 0);
}

TEST(JpegWriter, WritesFullColourResolutionThatKeepsFlatColours) {
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 48, 32);
    cairo_t* cr = cairo_create(s);
    cairo_set_source_rgb(cr, 52 / 255.0, 204 / 255.0, 103 / 255.0);
    cairo_paint(cr);
    cairo_destroy(cr);
    const std::string path = scratch("flat.jpg");
    book::writeJpeg(s, path);
    cairo_surface_destroy(s);

    FILE* file = std::fopen(path.c_str(), "rb");
    ASSERT_NE(file, nullptr);
    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, file);
    ASSERT_EQ(jpeg_read_header(&info, TRUE), JPEG_HEADER_OK);
    ASSERT_EQ(info.num_components, 3);
    for (int c = 0; c < 3; ++c) {
        EXPECT_EQ(info.comp_info[c].h_samp_factor, 1);
        EXPECT_EQ(info.comp_info[c].v_samp_factor, 1);
    }
    jpeg_destroy_decompress(&info);
    std::fclose(file);

    const Picture p = loadRgba(path);
    ASSERT_TRUE(p);
    const uint8_t* c = at(p.get(), 24, 16);
    EXPECT_NEAR(c[0], 52, 2);
    EXPECT_NEAR(c[1], 204, 2);
    EXPECT_NEAR(c[2], 103, 2);
}

// Area averaging: no ink is lost or made up, and a straight edge that falls inside an output
// pixel gives that pixel its exact share.
TEST(PageReduce, KeepsTheShareOfInkOfEveryCoveredPart) {
    book::PageBitmap page;
    page.ink.assign(static_cast<size_t>(page.width) * page.height, 0);
    for (int y = 0; y < page.height; ++y)
        for (int x = 0; x < 300; ++x) page.ink[static_cast<size_t>(y) * page.width + x] = 1;
    const book::GreyImage g = book::reducePage(page, 115, 92);
    double total = 0;
    for (double v : g.ink) total += v;
    const double scale = (750.0 / 115) * (600.0 / 92);
    EXPECT_NEAR(total * scale, 300.0 * 600, 1e-6 * 300 * 600);
    // Column 46 covers source x 299.998 .. 306.52: almost no ink; column 45 is all ink.
    const double step = 750.0 / 115;
    EXPECT_NEAR(g.ink[45], 1.0, 1e-9);
    EXPECT_NEAR(g.ink[46], (300 - 46 * step) / step, 1e-9);
    EXPECT_NEAR(g.ink[47], 0.0, 1e-9);
}

}  // namespace
