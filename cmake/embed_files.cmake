# Writes a C++ source holding the given files as byte arrays, looked up by name.
# Run as: cmake -DROOTS="dir1|dir2" -DNAMES="a/b.JPG|c.png" -DOUT=file.cpp -P embed_files.cmake
# Each name is looked for under the roots in order; a missing file stops the build.
string(REPLACE "|" ";" ROOTS "${ROOTS}")
string(REPLACE "|" ";" NAMES "${NAMES}")
set(body "")
set(lookup "")
set(index 0)
foreach(name IN LISTS NAMES)
  set(found "")
  foreach(root IN LISTS ROOTS)
    if(EXISTS "${root}/${name}" AND found STREQUAL "")
      set(found "${root}/${name}")
    endif()
  endforeach()
  if(found STREQUAL "")
    message(FATAL_ERROR "built-in file ${name} is missing from ${ROOTS}")
  endif()
  file(READ "${found}" hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "((0x..,){32})" "\\1\n" bytes "${bytes}")
  string(APPEND body "alignas(16) const unsigned char file${index}[] = {\n${bytes}};\n")
  string(APPEND lookup "    if (name == \"${name}\") return {file${index}, sizeof file${index}};\n")
  math(EXPR index "${index} + 1")
endforeach()
file(WRITE "${OUT}.tmp" "// Generated at build time from the book's files; do not edit.
#include <cstdint>
#include <span>
#include <string_view>

namespace cb {
namespace {
${body}}  // namespace

std::span<const uint8_t> builtinFile(std::string_view name) {
${lookup}    return {};
}

}  // namespace cb
")
file(COPY_FILE "${OUT}.tmp" "${OUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUT}.tmp")
