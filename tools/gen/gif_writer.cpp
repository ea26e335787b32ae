#include "gif_writer.h"

#include <gif_lib.h>

#include <filesystem>
#include <stdexcept>
#include <vector>

namespace book {

void writePageGif(const PageBitmap& page, const std::string& path) {
    int error = 0;
    GifFileType* gif = EGifOpenFileName(path.c_str(), false, &error);
    if (!gif) throw std::runtime_error("cannot create " + path + ": " + GifErrorString(error));
    // A GIF87a file has no extension blocks, so nothing but the pixels can make two runs differ.
    EGifSetGifVersion(gif, false);
    const GifColorType colours[2] = {{0, 0, 0}, {255, 255, 255}};
    ColorMapObject* map = GifMakeMapObject(2, colours);
    bool ok = map && EGifPutScreenDesc(gif, page.width, page.height, 1, 1, map) == GIF_OK &&
              EGifPutImageDesc(gif, 0, 0, page.width, page.height, false, nullptr) == GIF_OK;
    std::vector<GifPixelType> row(static_cast<size_t>(page.width));
    for (int y = 0; ok && y < page.height; ++y) {
        for (int x = 0; x < page.width; ++x) row[x] = page.at(x, y) ? 0 : 1;
        ok = EGifPutLine(gif, row.data(), page.width) == GIF_OK;
    }
    GifFreeMapObject(map);
    const int writeError = gif->Error;
    if (EGifCloseFile(gif, &error) != GIF_OK) ok = false;
    if (!ok)
        throw std::runtime_error("cannot write " + path + ": " +
                                 GifErrorString(writeError ? writeError : error));
    // giflib creates its files readable by their owner only; the pages are for everyone.
    namespace fs = std::filesystem;
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                              fs::perms::others_read);
}

}  // namespace book
