// JPEG output for every picture of the book that is not a page.
#pragma once

#include <cairo.h>

#include <string>

namespace book {

constexpr int kJpegQuality = 90;

// Writes an image surface (RGB24 or ARGB32; alpha is ignored) as a baseline JPEG without
// chroma subsampling, so small coloured lettering keeps its edges. Throws on failure.
void writeJpeg(cairo_surface_t* surface, const std::string& path, int quality = kJpegQuality);

}  // namespace book
