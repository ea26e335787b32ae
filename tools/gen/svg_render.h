// Rendering of the book's SVG sources with librsvg onto cairo image surfaces.
#pragma once

#include <cairo.h>

#include <string>

#include "page_bitmap.h"

namespace book {

// Renders an SVG file at its own size onto a new white ARGB surface. With crisp set, every
// shape is drawn without anti-aliasing (the pages must come out in pure black and white).
// Throws std::runtime_error when the file cannot be read or drawn.
cairo_surface_t* renderSvg(const std::string& path, int width, int height, bool crisp);

// Renders a page source and reduces it to ink and paper. A pixel that is neither pure black
// nor pure white clears report-worthy twoColours in the returned flag.
PageBitmap renderPage(const std::string& path, bool* pureTwoColours = nullptr);

// Writes a page as a PNG for looking at, each white area tinted a different pale colour
// so that leaks and missing areas show at a glance.
void writeAreaPreview(const PageBitmap& page, const std::string& pngPath);

}  // namespace book
