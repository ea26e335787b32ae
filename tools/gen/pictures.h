// The families of pictures the generator makes, one function each, in the order it runs.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "book_output.h"
#include "page_bitmap.h"

namespace book {

constexpr int kPageCount = 25;
// Index 0 is the blank page; 1..25 the book's pages (empty where a source is missing).
using PageSet = std::array<std::optional<PageBitmap>, kPageCount + 1>;

struct PageOptions {
    bool draft = false;  // while the book is being drawn: warn about missing or broken pages
};

// Renders and checks every page source and writes 00.GIF .. 25.GIF. Throws on a missing
// source or a page that breaks the rules, unless draft is set.
PageSet makePages(const std::string& artDir, const PageOptions& options, BookOutput& out);

// The main screen: GLAVNA.JPG, the 36 palette pictures and the tool and sound buttons.
void makeMainScreen(BookOutput& out);

// The gallery: GALERIJA.JPG, the back button and the 50 thumbnails.
void makeGallery(const PageSet& pages, BookOutput& out);

// The info panel, the exit dialog and the printing notice with their buttons.
void makePanels(BookOutput& out);

// The two cursor files and the pictures built into the programs.
void makeCursors(BookOutput& out);
void makeResources(BookOutput& out);

// Contact sheets of everything written, for looking at (PNG files in dir).
void writeContactSheets(const BookOutput& out, const std::string& dir);

}  // namespace book
