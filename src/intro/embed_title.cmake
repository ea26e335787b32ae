# cmake -DINPUT=picture.png -DOUTPUT=data.cpp -P embed_title.cmake
# Turns the title picture into a C++ byte array. A missing picture gives an empty array, so
# the intro builds before the picture exists. The output is only rewritten when it changes.
if(EXISTS "${INPUT}")
  file(READ "${INPUT}" hex HEX)
  string(LENGTH "${hex}" digits)
  math(EXPR size "${digits} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
else()
  set(size 0)
  set(bytes "0")
endif()

set(content "// Generated from resources/INTRO_TITLE.png by embed_title.cmake; do not edit.
#include \"intro_title.h\"

namespace intro {

const unsigned char kTitlePng[] = {${bytes}};
const size_t kTitlePngSize = ${size};

}  // namespace intro
")

set(old "")
if(EXISTS "${OUTPUT}")
  file(READ "${OUTPUT}" old)
endif()
if(NOT old STREQUAL content)
  file(WRITE "${OUTPUT}" "${content}")
endif()
