// Cursor files: a single-image ICO holding one 32-bit BMP entry with its AND mask.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <string>
#include <vector>

namespace book {

// Encodes an ARGB32 surface (at most 256 x 256). The mask bit is set for every pixel that
// is not fully opaque: readers that honour the mask force full opacity where it is clear,
// so a clear bit under a soft edge would turn that edge into a solid block.
std::vector<uint8_t> encodeIco(cairo_surface_t* surface);

// Throws std::runtime_error when the file cannot be written.
void writeIco(cairo_surface_t* surface, const std::string& path);

}  // namespace book
