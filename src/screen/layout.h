// The window as it stands before any code runs: every control's place, size, stacking
// order, visibility, built-in picture, cursor and focus order.
#pragma once

#include <array>
#include <string_view>

namespace cb {

enum class CursorKind { Arrow, Hand, Brush, Drop, System };

struct ControlLayout {
    std::string_view name;
    int left, top, width, height;
    bool shownAtStart;
    std::string_view builtinPicture;  // a file of the book's tree, or empty for none
    CursorKind cursor;
    int focus;
};

// Top of the stacking order first: a box listed earlier is drawn over the ones after it.
// Plain data, so that the book's generator draws its backgrounds to the same places.
// clang-format off
inline constexpr std::array<ControlLayout, 54> kLayout = {{
    {"Papir",            936, 412,  63,  61, true,  "PICTURE/PAPIR1.JPG",      CursorKind::Arrow,  54},
    {"Rubber",           825, 412, 112,  61, true,  "PICTURE/GUMICA1.JPG",     CursorKind::Arrow,  53},
    {"olovka",           804, 571,  62,  81, true,  "PICTURE/OLOVKA2.JPG",     CursorKind::Hand,   52},
    {"kapljica",         871, 571,  58,  81, true,  "PICTURE/KAPLJICA1.JPG",   CursorKind::Hand,   51},
    {"PrintPict",        312, 259, 400, 250, false, "PICTURE/PRINTING.JPG",    CursorKind::Arrow,  49},
    {"Back",              30,   0, 192,  40, false, "PICTURE/BACK1.JPG",       CursorKind::Arrow,  48},
    {"Ne",               568, 409,  85,  50, false, "PICTURE/NO1.JPG",         CursorKind::Arrow,  47},
    {"Da",               368, 409, 107,  50, false, "PICTURE/YES1.JPG",        CursorKind::Arrow,  46},
    {"Izlaz",            312, 259, 400, 250, false, "PICTURE/CTRLX.JPG",       CursorKind::System, 45},
    {"Zatvori",          632, 269,  73,  27, false, "PICTURE/CLOSE1.JPG",      CursorKind::Arrow,  44},
    {"Firma",            459, 462, 110,  35, false, "PICTURE/CTRLRFRM1.JPG",   CursorKind::Arrow,  43},
    {"visit_site",       346, 395, 330,  62, false, "PICTURE/VISIT1.JPG",      CursorKind::Arrow,  42},
    {"Registered",       312, 259, 400, 250, false, "PICTURE/CTRL-R.JPG",      CursorKind::Arrow,  41},
    {"Galerija25",        96, 248, 131, 122, false, "", CursorKind::Arrow, 40},
    {"Galerija24",        64, 232, 131, 122, false, "", CursorKind::Arrow, 39},
    {"Galerija23",        40, 216, 131, 122, false, "", CursorKind::Arrow, 38},
    {"Galerija22",        24, 208, 131, 122, false, "", CursorKind::Arrow, 37},
    {"Galerija21",         8, 200, 131, 122, false, "", CursorKind::Arrow, 36},
    {"Galerija20",       432,  48, 131, 122, false, "", CursorKind::Arrow, 35},
    {"Galerija19",       440,  32, 131, 122, false, "", CursorKind::Arrow, 34},
    {"Galerija18",       456,  24, 131, 122, false, "", CursorKind::Arrow, 33},
    {"Galerija17",       472,   8, 131, 122, false, "", CursorKind::Arrow, 32},
    {"Galerija16",       496,   0, 131, 122, false, "", CursorKind::Arrow, 31},
    {"Galerija15",       144,  64, 131, 122, false, "", CursorKind::Arrow, 30},
    {"Galerija14",       160,  40, 131, 122, false, "", CursorKind::Arrow, 29},
    {"Galerija13",       168,  24, 131, 122, false, "", CursorKind::Arrow, 28},
    {"Galerija12",       176,   8, 131, 122, false, "", CursorKind::Arrow, 27},
    {"Galerija11",       192,   0, 131, 122, false, "", CursorKind::Arrow, 26},
    {"Galerija10",      1008, 448, 131, 122, false, "", CursorKind::Arrow, 25},
    {"Galerija9",       1000, 440, 131, 122, false, "", CursorKind::Arrow, 24},
    {"Galerija8",       1000, 168, 131, 122, false, "", CursorKind::Arrow, 23},
    {"Galerija7",       1008, 296, 131, 122, false, "", CursorKind::Arrow, 22},
    {"Galerija6",       1000, 344, 131, 122, false, "", CursorKind::Arrow, 21},
    {"Galerija5",        832,  32, 131, 122, false, "", CursorKind::Arrow, 20},
    {"Galerija4",        824,  24, 131, 122, false, "", CursorKind::Arrow, 19},
    {"Galerija3",        816,  16, 131, 122, false, "", CursorKind::Arrow, 18},
    {"Galerija2",        808,   8, 131, 122, false, "", CursorKind::Arrow, 17},
    {"Galerija1",        800,   0, 131, 122, false, "", CursorKind::Arrow, 16},
    {"PaletaPink",       932, 675,  84,  85, true,  "PICTURE/BOJE1_12.JPG",    CursorKind::Brush,  15},
    {"PaletaCrna",       848, 675,  84,  85, true,  "PICTURE/BOJE1_11.JPG",    CursorKind::Brush,  14},
    {"PaletaPlava",      764, 675,  84,  85, true,  "PICTURE/BOJE1_10.JPG",    CursorKind::Brush,  13},
    {"PaletaBraon",      680, 675,  84,  85, true,  "PICTURE/BOJE1_09.JPG",    CursorKind::Brush,  12},
    {"PaletaTamnozuta",  596, 675,  84,  85, true,  "PICTURE/BOJE1_08.JPG",    CursorKind::Brush,  11},
    {"PaletaSiva",       513, 675,  83,  85, true,  "PICTURE/BOJE1_07.JPG",    CursorKind::Brush,  10},
    {"PaletaLjubicasta", 428, 675,  85,  85, true,  "PICTURE/BOJE1_06.JPG",    CursorKind::Brush,   9},
    {"PaletaOranz",      345, 675,  83,  85, true,  "PICTURE/BOJE1_05.JPG",    CursorKind::Brush,   8},
    {"PaletaSvPlava",    261, 675,  84,  85, true,  "PICTURE/BOJE1_04.JPG",    CursorKind::Brush,   7},
    {"PaletaZuta",       176, 675,  84,  85, true,  "PICTURE/BOJE1_03.JPG",    CursorKind::Brush,   6},
    {"PaletaZelena",      93, 675,  84,  85, true,  "PICTURE/BOJE1_02.JPG",    CursorKind::Brush,   5},
    {"PaletaCrvena",       8, 675,  85,  85, true,  "PICTURE/BOJE1_01.JPG",    CursorKind::Brush,   4},
    {"MoreImages",       832, 241, 160, 169, true,  "PICTURE/MOREIMAGES1.JPG", CursorKind::Arrow,   3},
    {"MuteWave",         835, 485,  78,  79, true,  "PICTURE/ZVUCNIK1.JPG",    CursorKind::Arrow,   2},
    {"MusicOn",          919, 485,  78,  78, true,  "PICTURE/MUSICOFF2.JPG",   CursorKind::Arrow,   1},
    {"Slika",             30,  29, 750, 600, true,  "PICTURE/01.GIF",          CursorKind::Drop,    0},
}};
// clang-format on
// The place of a control by name; constant, for the generator's drawings.
constexpr const ControlLayout& layoutOf(std::string_view name) {
    for (const ControlLayout& c : kLayout)
        if (c.name == name) return c;
    throw "no such control";
}

// The two controls that are not boxes: the hidden label the music timer writes into (drawn
// under every box; it never shows), and the music timer, disabled at start.
constexpr ControlLayout kLabelLayout{"lblPlay", 816, 176, 9, 17, false, "", CursorKind::Arrow, 50};
constexpr double kRepeatTimerSeconds = 0.5;

// The window's background at start, its icon and the built-in cursors.
constexpr std::string_view kMainBackground = "PICTURE/GLAVNA.JPG";
constexpr std::string_view kIconResource = "ICON.png";

struct CursorResource {
    std::string_view file;
    int hotX, hotY;
};
CursorResource cursorResource(CursorKind kind);

}  // namespace cb
