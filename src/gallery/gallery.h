// The gallery screen: the 25 pages as thumbnails in a 5 x 5 grid, the one under the pointer
// lit yellow, a click choosing that page, and Back returning to the main screen.
#pragma once

#include <array>
#include <string>

namespace cb {

class Form;

// Thumbnail N (1 to 25) stands in row (N - 1) / 5 and column (N - 1) % 5. Its pictures are
// numbered by the cell of a 9 x 9 grid it would take: 18 x row + 2 x column + 1.
struct Thumbnail {
    int number;
    int left, top;
    int pictureNumber;
};
constexpr std::array<int, 5> kThumbnailLefts = {54, 198, 341, 485, 629};
constexpr Thumbnail thumbnail(int number) {
    const int row = (number - 1) / 5, column = (number - 1) % 5;
    return {number, kThumbnailLefts[column], 48 + 137 * row, 18 * row + 2 * column + 1};
}

// "\PICTURE\GALERIJA1BELE_NN.JPG" (white) or "\PICTURE\GALERIJA1ZUTE_NN.JPG" (lit).
std::string thumbnailPicture(int number, bool lit);

void MoreImages_Click(Form& form);
void Prikazi_More_Images(Form& form);   // Back and the gallery background
void Galerijske_pozicije(Form& form);   // the thumbnails to their grid places
void Prikaz_Prve_Galerije(Form& form);  // every thumbnail white and shown
void Back_Click(Form& form);

void GalerijaMouseMove(Form& form, int number);
void GalerijaClick(Form& form, int number);
// Puts the thumbnail lit last back to white.
void mouse_move_galerija1_bele(Form& form);

}  // namespace cb
