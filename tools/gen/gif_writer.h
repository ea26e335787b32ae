// Writes a page as the book ships it: a two-colour GIF with black at index 0, white at 1.
#pragma once

#include <string>

#include "page_bitmap.h"

namespace book {

// Throws std::runtime_error when the file cannot be written.
void writePageGif(const PageBitmap& page, const std::string& path);

}  // namespace book
