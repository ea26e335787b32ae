#include "screen/layout.h"

namespace cb {

using C = CursorKind;

// clang-format off
const std::array<ControlLayout, 54> kLayout = {{
    {"Papir",            936, 412,  63,  61, true,  "PICTURE/PAPIR1.JPG",      C::Arrow,  54},
    {"Rubber",           825, 412, 112,  61, true,  "PICTURE/GUMICA1.JPG",     C::Arrow,  53},
    {"olovka",           804, 571,  62,  81, true,  "PICTURE/OLOVKA2.JPG",     C::Hand,   52},
    {"kapljica",         871, 571,  58,  81, true,  "PICTURE/KAPLJICA1.JPG",   C::Hand,   51},
    {"PrintPict",        312, 259, 400, 250, false, "PICTURE/PRINTING.JPG",    C::Arrow,  49},
    {"Back",              30,   0, 192,  40, false, "PICTURE/BACK1.JPG",       C::Arrow,  48},
    {"Ne",               568, 409,  85,  50, false, "PICTURE/NO1.JPG",         C::Arrow,  47},
    {"Da",               368, 409, 107,  50, false, "PICTURE/YES1.JPG",        C::Arrow,  46},
    {"Izlaz",            312, 259, 400, 250, false, "PICTURE/CTRLX.JPG",       C::System, 45},
    {"Zatvori",          632, 269,  73,  27, false, "PICTURE/CLOSE1.JPG",      C::Arrow,  44},
    {"Firma",            459, 462, 110,  35, false, "PICTURE/CTRLRFRM1.JPG",   C::Arrow,  43},
    {"visit_site",       346, 395, 330,  62, false, "PICTURE/VISIT1.JPG",      C::Arrow,  42},
    {"Registered",       312, 259, 400, 250, false, "PICTURE/CTRL-R.JPG",      C::Arrow,  41},
    {"Galerija25",        96, 248, 131, 122, false, "", C::Arrow, 40},
    {"Galerija24",        64, 232, 131, 122, false, "", C::Arrow, 39},
    {"Galerija23",        40, 216, 131, 122, false, "", C::Arrow, 38},
    {"Galerija22",        24, 208, 131, 122, false, "", C::Arrow, 37},
    {"Galerija21",         8, 200, 131, 122, false, "", C::Arrow, 36},
    {"Galerija20",       432,  48, 131, 122, false, "", C::Arrow, 35},
    {"Galerija19",       440,  32, 131, 122, false, "", C::Arrow, 34},
    {"Galerija18",       456,  24, 131, 122, false, "", C::Arrow, 33},
    {"Galerija17",       472,   8, 131, 122, false, "", C::Arrow, 32},
    {"Galerija16",       496,   0, 131, 122, false, "", C::Arrow, 31},
    {"Galerija15",       144,  64, 131, 122, false, "", C::Arrow, 30},
    {"Galerija14",       160,  40, 131, 122, false, "", C::Arrow, 29},
    {"Galerija13",       168,  24, 131, 122, false, "", C::Arrow, 28},
    {"Galerija12",       176,   8, 131, 122, false, "", C::Arrow, 27},
    {"Galerija11",       192,   0, 131, 122, false, "", C::Arrow, 26},
    {"Galerija10",      1008, 448, 131, 122, false, "", C::Arrow, 25},
    {"Galerija9",       1000, 440, 131, 122, false, "", C::Arrow, 24},
    {"Galerija8",       1000, 168, 131, 122, false, "", C::Arrow, 23},
    {"Galerija7",       1008, 296, 131, 122, false, "", C::Arrow, 22},
    {"Galerija6",       1000, 344, 131, 122, false, "", C::Arrow, 21},
    {"Galerija5",        832,  32, 131, 122, false, "", C::Arrow, 20},
    {"Galerija4",        824,  24, 131, 122, false, "", C::Arrow, 19},
    {"Galerija3",        816,  16, 131, 122, false, "", C::Arrow, 18},
    {"Galerija2",        808,   8, 131, 122, false, "", C::Arrow, 17},
    {"Galerija1",        800,   0, 131, 122, false, "", C::Arrow, 16},
    {"PaletaPink",       932, 675,  84,  85, true,  "PICTURE/BOJE1_12.JPG",    C::Brush,  15},
    {"PaletaCrna",       848, 675,  84,  85, true,  "PICTURE/BOJE1_11.JPG",    C::Brush,  14},
    {"PaletaPlava",      764, 675,  84,  85, true,  "PICTURE/BOJE1_10.JPG",    C::Brush,  13},
    {"PaletaBraon",      680, 675,  84,  85, true,  "PICTURE/BOJE1_09.JPG",    C::Brush,  12},
    {"PaletaTamnozuta",  596, 675,  84,  85, true,  "PICTURE/BOJE1_08.JPG",    C::Brush,  11},
    {"PaletaSiva",       513, 675,  83,  85, true,  "PICTURE/BOJE1_07.JPG",    C::Brush,  10},
    {"PaletaLjubicasta", 428, 675,  85,  85, true,  "PICTURE/BOJE1_06.JPG",    C::Brush,   9},
    {"PaletaOranz",      345, 675,  83,  85, true,  "PICTURE/BOJE1_05.JPG",    C::Brush,   8},
    {"PaletaSvPlava",    261, 675,  84,  85, true,  "PICTURE/BOJE1_04.JPG",    C::Brush,   7},
    {"PaletaZuta",       176, 675,  84,  85, true,  "PICTURE/BOJE1_03.JPG",    C::Brush,   6},
    {"PaletaZelena",      93, 675,  84,  85, true,  "PICTURE/BOJE1_02.JPG",    C::Brush,   5},
    {"PaletaCrvena",       8, 675,  85,  85, true,  "PICTURE/BOJE1_01.JPG",    C::Brush,   4},
    {"MoreImages",       832, 241, 160, 169, true,  "PICTURE/MOREIMAGES1.JPG", C::Arrow,   3},
    {"MuteWave",         835, 485,  78,  79, true,  "PICTURE/ZVUCNIK1.JPG",    C::Arrow,   2},
    {"MusicOn",          919, 485,  78,  78, true,  "PICTURE/MUSICOFF2.JPG",   C::Arrow,   1},
    {"Slika",             30,  29, 750, 600, true,  "PICTURE/01.GIF",          C::Drop,    0},
}};
// clang-format on

CursorResource cursorResource(CursorKind kind) {
    switch (kind) {
        case CursorKind::Hand:
            return {"HAND.png", 12, 1};
        case CursorKind::Brush:
            return {"BRUSH.png", 32, 32};
        case CursorKind::Drop:
            return {"DROP.png", 16, 16};
        case CursorKind::Arrow:
        case CursorKind::System:
            break;
    }
    return {"ARROW.png", 0, 0};
}

}  // namespace cb
