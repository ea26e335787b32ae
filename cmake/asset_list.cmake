# Writes the start-up check's list: every checked picture of the book with its exact size,
# measured from the committed files so that the list cannot drift from them.
# Run as: cmake -DPICTURES=<assets/PICTURE> -DOUT=file.cpp -P asset_list.cmake
set(names "")
foreach(n RANGE 1 25)
  string(LENGTH "${n}" len)
  if(len EQUAL 1)
    set(n "0${n}")
  endif()
  list(APPEND names "${n}.GIF")
endforeach()
set(thumbs 01 03 05 07 09 19 21 23 25 27 37 39 41 43 45 55 57 59 61 63 73 75 77 79 81)
foreach(t IN LISTS thumbs)
  list(APPEND names "GALERIJA1BELE_${t}.JPG")
endforeach()
foreach(t IN LISTS thumbs)
  list(APPEND names "GALERIJA1ZUTE_${t}.JPG")
endforeach()
list(APPEND names CTRL-R.JPG GALERIJA.JPG GLAVNA.JPG MOREIMAGES1.JPG MOREIMAGES2.JPG
     KAPLJICA1.JPG KAPLJICA2.JPG OLOVKA1.JPG OLOVKA2.JPG)
foreach(set 1 2 3)
  foreach(n 01 02 03 04 05 06 07 08 09 10 11 12)
    list(APPEND names "BOJE${set}_${n}.JPG")
  endforeach()
endforeach()
list(APPEND names BACK1.JPG BACK2.JPG CLOSE1.JPG CLOSE2.JPG CTRLRFRM1.JPG CTRLRFRM2.JPG
     CTRLX.JPG VISIT1.JPG VISIT2.JPG 00.GIF GUMICA1.JPG GUMICA2.JPG PAPIR1.JPG PAPIR2.JPG
     MUSICOFF1.JPG MUSICOFF2.JPG MUZIKA1.JPG MUZIKA2.JPG NO1.JPG NO2.JPG PRINTING.JPG
     SOUNDOFF1.JPG SOUNDOFF2.JPG YES1.JPG YES2.JPG ZVUCNIK1.JPG ZVUCNIK2.JPG)
list(LENGTH names count)
if(NOT count EQUAL 147)
  message(FATAL_ERROR "the check list has ${count} entries, not 147")
endif()
set(rows "")
foreach(name IN LISTS names)
  if(NOT EXISTS "${PICTURES}/${name}")
    message(FATAL_ERROR "checked picture ${PICTURES}/${name} is missing")
  endif()
  file(SIZE "${PICTURES}/${name}" size)
  string(APPEND rows "    {\"\\\\PICTURE\\\\${name}\", ${size}},\n")
endforeach()
file(WRITE "${OUT}.tmp" "// Generated at build time from the committed pictures; do not edit.
#include \"shell/asset_check.h\"

namespace cb {

const std::array<AssetEntry, 147> AssetCheckList = {{
${rows}}};

}  // namespace cb
")
file(COPY_FILE "${OUT}.tmp" "${OUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUT}.tmp")
