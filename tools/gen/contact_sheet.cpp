// Contact sheets: every family of pictures on one PNG, and the screens put together the way
// the program shows them, for looking at the book as a whole.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "layout.h"
#include "pictures.h"

namespace book {
namespace {

struct Tile {
    cairo_surface_t* picture;
    std::string label;
    double scale;
};

// Lays tiles out in rows no wider than maxWidth, each with its name underneath.
void writeSheet(const std::vector<Tile>& tiles, int maxWidth, const std::string& path) {
    const int gap = 12, labelH = 16;
    struct Placed {
        double x, y, w, h;
    };
    std::vector<Placed> placed;
    double x = gap, y = gap, rowH = 0, width = 0;
    for (const Tile& t : tiles) {
        const double w = widthOf(t.picture) * t.scale, h = heightOf(t.picture) * t.scale;
        if (x + w + gap > maxWidth && x > gap) {
            x = gap;
            y += rowH + labelH + gap;
            rowH = 0;
        }
        placed.push_back({x, y, w, h});
        x += std::max(w, 60.0) + gap;
        rowH = std::max(rowH, h);
        width = std::max(width, x);
    }
    const int sheetW = static_cast<int>(std::ceil(width));
    const int sheetH = static_cast<int>(std::ceil(y + rowH + labelH + gap));
    Surface sheet = newSurface(sheetW, sheetH);
    Context c = drawOn(sheet);
    cairo_t* cr = c.get();
    setColour(cr, rgb255(120, 124, 132));
    cairo_paint(cr);
    for (size_t i = 0; i < tiles.size(); ++i) {
        const Placed& p = placed[i];
        // A checkerboard shows through transparent pictures.
        for (int cy = 0; cy < p.h; cy += 8)
            for (int cx = 0; cx < p.w; cx += 8) {
                cairo_rectangle(cr, p.x + cx, p.y + cy, std::min(8.0, p.w - cx),
                                std::min(8.0, p.h - cy));
                const bool dark = ((cx + cy) / 8) % 2;
                setColour(cr, dark ? rgb255(200, 200, 200) : rgb255(240, 240, 240));
                cairo_fill(cr);
            }
        cairo_save(cr);
        cairo_translate(cr, p.x, p.y);
        cairo_scale(cr, tiles[i].scale, tiles[i].scale);
        cairo_set_source_surface(cr, tiles[i].picture, 0, 0);
        cairo_pattern_set_filter(cairo_get_source(cr),
                                 tiles[i].scale > 1 ? CAIRO_FILTER_NEAREST : CAIRO_FILTER_GOOD);
        cairo_paint(cr);
        cairo_restore(cr);
        drawText(cr, tiles[i].label, p.x, p.y + p.h + 1, 11, {1, 1, 1});
    }
    cairo_surface_write_to_png(sheet.get(), path.c_str());
}

std::vector<Tile> groupTiles(const BookOutput& out, Group g, double scale) {
    std::vector<Tile> tiles;
    for (const Written& w : out.written())
        if (w.group == g) tiles.push_back({w.picture.get(), w.name, scale});
    return tiles;
}

struct Placement {
    std::string name;
    Box box;
};

// A screen as the program composes it: background, then boxes from the bottom up, each
// picture cropped to its box.
void writeScreen(const BookOutput& out, const std::string& background,
                 const std::vector<Placement>& boxes, const std::string& path) {
    cairo_surface_t* bg = out.find(background);
    if (!bg) return;
    Surface screen = copyOf(bg);
    Context c = drawOn(screen);
    for (const Placement& p : boxes) {
        cairo_surface_t* pic = out.find(p.name);
        if (!pic) continue;
        cairo_save(c.get());
        cairo_rectangle(c.get(), p.box.left, p.box.top, p.box.width, p.box.height);
        cairo_clip(c.get());
        cairo_set_source_surface(c.get(), pic, p.box.left, p.box.top);
        cairo_paint(c.get());
        cairo_restore(c.get());
    }
    cairo_surface_write_to_png(screen.get(), path.c_str());
}

Box onPanel(const Box& b) {
    return {kPanelBox.left + b.left, kPanelBox.top + b.top, b.width, b.height};
}

std::vector<Placement> mainScreen(bool lit) {
    std::vector<Placement> p = {
        {"01.GIF", kCanvasBox},
        {lit ? "MUZIKA2.JPG" : "MUSICOFF2.JPG", kMusicBox},
        {lit ? "ZVUCNIK2.JPG" : "ZVUCNIK1.JPG", kEffectsBox},
        {lit ? "MOREIMAGES2.JPG" : "MOREIMAGES1.JPG", kMoreImagesBox},
    };
    // Lit: red is selected and green under the pointer.
    for (int i = 1; i <= 12; ++i) {
        char n[24];
        const int look = !lit ? 1 : (i == 1 ? 3 : (i == 2 ? 2 : 1));
        std::snprintf(n, sizeof n, "BOJE%d_%02d.JPG", look, i);
        p.push_back({n, kPalette[i - 1].box});
    }
    p.push_back({lit ? "KAPLJICA2.JPG" : "KAPLJICA1.JPG", kDropBox});
    p.push_back({lit ? "OLOVKA1.JPG" : "OLOVKA2.JPG", kPencilBox});
    p.push_back({lit ? "GUMICA2.JPG" : "GUMICA1.JPG", kRubberBox});
    p.push_back({lit ? "PAPIR2.JPG" : "PAPIR1.JPG", kPaperBox});
    return p;
}

}  // namespace

void writeContactSheets(const BookOutput& out, const std::string& dir) {
    writeSheet(groupTiles(out, Group::Pages, 0.25), 1300, dir + "/pages.png");
    writeSheet(groupTiles(out, Group::Buttons, 1), 1100, dir + "/buttons.png");
    writeSheet(groupTiles(out, Group::Palette, 1), 1200, dir + "/palette.png");
    writeSheet(groupTiles(out, Group::Panels, 1), 1300, dir + "/panels.png");
    writeSheet(groupTiles(out, Group::Thumbnails, 1), 1500, dir + "/thumbnails.png");
    std::vector<Tile> small = groupTiles(out, Group::Cursors, 4);
    for (Tile& t : groupTiles(out, Group::Resources, 4)) {
        if (widthOf(t.picture) > 64) t.scale = 1;
        small.push_back(t);
    }
    writeSheet(small, 1400, dir + "/cursors.png");
    writeSheet(groupTiles(out, Group::Backgrounds, 1), 2100, dir + "/backgrounds.png");

    writeScreen(out, "GLAVNA.JPG", mainScreen(false), dir + "/screen_main.png");
    writeScreen(out, "GLAVNA.JPG", mainScreen(true), dir + "/screen_main_lit.png");
    std::vector<Placement> gallery;
    for (int page = 1; page <= kPageCount; ++page) {
        char n[40];
        std::snprintf(n, sizeof n, "GALERIJA1%s_%02d.JPG", page == 7 ? "ZUTE" : "BELE",
                      thumbNumber(page));
        gallery.push_back({n, thumbBox(page)});
    }
    gallery.push_back({"BACK1.JPG", kBackBox});
    writeScreen(out, "GALERIJA.JPG", gallery, dir + "/screen_gallery.png");

    std::vector<Placement> panels = mainScreen(false);
    panels.push_back({"CTRL-R.JPG", kPanelBox});
    panels.push_back({"CLOSE2.JPG", onPanel(kCloseBox)});
    panels.push_back({"VISIT1.JPG", onPanel(kVisitBox)});
    panels.push_back({"CTRLRFRM2.JPG", onPanel(kMakerBox)});
    writeScreen(out, "GLAVNA.JPG", panels, dir + "/screen_info.png");
    panels = mainScreen(false);
    panels.push_back({"CTRLX.JPG", kPanelBox});
    panels.push_back({"YES2.JPG", onPanel(kYesBox)});
    panels.push_back({"NO1.JPG", onPanel(kNoBox)});
    writeScreen(out, "GLAVNA.JPG", panels, dir + "/screen_exit.png");
    panels = mainScreen(false);
    panels.push_back({"PRINTING.JPG", kPanelBox});
    writeScreen(out, "GLAVNA.JPG", panels, dir + "/screen_printing.png");
}

}  // namespace book
