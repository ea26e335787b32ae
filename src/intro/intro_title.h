// The title picture, embedded at build time from resources/INTRO_TITLE.png; empty (size 0)
// when the build found no such file.
#pragma once

#include <cstddef>

namespace intro {

extern const unsigned char kTitlePng[];
extern const size_t kTitlePngSize;

}  // namespace intro
