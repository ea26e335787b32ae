// Reading pictures: the five kinds a book is made of, told apart by content; the GIF reader of
// our own, held to SDL_image's reading of the same bytes on the book and on every feature of
// a GIF; and the files that are refused, quietly, with an exception.
#include "platform/picture_codec.h"

#include <SDL.h>
#include <SDL_image.h>
#include <gif_lib.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/errors.h"

namespace fs = std::filesystem;

namespace cb {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes readFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

// SDL_image's own reading of the bytes, whatever their kind; no picture when it has none.
Image sdlImageReading(const Bytes& bytes) {
    try {
        return imageFromSurface(
            IMG_Load_RW(SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())), 1),
            "test");
    } catch (const PlatformError&) {
        return Image();
    }
}

Image ours(const Bytes& bytes) {
    return decodePicture(bytes.data(), bytes.size(), "test");
}

// A GIF made to order with giflib.
struct GifMaker {
    int width = 6, height = 5;
    int globalColours = 4;  // 0: no global table
    int localColours = 0;   // 0: no table of its own
    bool interlaced = false;
    std::vector<int> transparencies;  // one graphics control block each; -1: none given
    bool secondPicture = false;

    Bytes make() const {
        Bytes out;
        int error = 0;
        GifFileType* gif = EGifOpen(&out, write, &error);
        EGifSetGifVersion(gif, true);
        ColorMapObject* global = table(globalColours, 40);
        EGifPutScreenDesc(gif, width, height, 8, 0, global);
        for (int picture = 0; picture < (secondPicture ? 2 : 1); ++picture) {
            for (int t : transparencies) {
                GraphicsControlBlock control{DISPOSAL_UNSPECIFIED, false, 0, t};
                GifByteType block[4];
                EGifGCBToExtension(&control, block);
                EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, block);
            }
            ColorMapObject* local = table(localColours, 90 + picture);
            EGifPutImageDesc(gif, 0, 0, width, height, interlaced, local);
            std::vector<int> rows;
            for (auto [first, step] :
                 interlaced ? std::vector<std::pair<int, int>>{{0, 8}, {4, 8}, {2, 4}, {1, 2}}
                            : std::vector<std::pair<int, int>>{{0, 1}})
                for (int y = first; y < height; y += step) rows.push_back(y);
            const int colours = localColours ? localColours : globalColours;
            for (int y : rows) {
                std::vector<GifPixelType> line(width);
                for (int x = 0; x < width; ++x) line[x] = GifPixelType((x * 3 + y) % colours);
                EGifPutLine(gif, line.data(), width);
            }
            GifFreeMapObject(local);
        }
        GifFreeMapObject(global);
        EGifCloseFile(gif, &error);
        return out;
    }

  private:
    static int write(GifFileType* gif, const GifByteType* data, int size) {
        Bytes& out = *static_cast<Bytes*>(gif->UserData);
        out.insert(out.end(), data, data + size);
        return size;
    }
    static ColorMapObject* table(int colours, int seed) {
        if (colours == 0) return nullptr;
        std::vector<GifColorType> c(colours);
        for (int i = 0; i < colours; ++i)
            c[i] = {GifByteType(seed * i), GifByteType(255 - 7 * i), GifByteType(seed + 13 * i)};
        return GifMakeMapObject(colours, c.data());
    }
};

void expectSameReading(const Bytes& bytes, const std::string& name) {
    const Image reference = sdlImageReading(bytes);
    ASSERT_FALSE(reference.pixels.empty()) << name;
    const Image read = ours(bytes);
    EXPECT_EQ(read.width, reference.width) << name;
    EXPECT_EQ(read.height, reference.height) << name;
    EXPECT_EQ(read.pixels, reference.pixels) << name;
}

TEST(PictureCodec, EveryPictureOfTheBookReadsAsSdlImageReadsIt) {
    int pictures = 0;
    for (const auto& entry : fs::directory_iterator(fs::path(CB_SOURCE_DIR) / "assets/PICTURE")) {
        expectSameReading(readFile(entry.path()), entry.path().filename().string());
        ++pictures;
    }
    EXPECT_EQ(pictures, 149);
}

TEST(PictureCodec, TheGifReaderAgreesWithSdlImageOnEveryFeatureOfAGif) {
    struct Case {
        std::string name;
        GifMaker gif;
        size_t keep = 0;  // bytes kept of the file, 0 for all of it
    };
    auto with = [](auto change) {
        GifMaker m;
        change(m);
        return m;
    };
    const std::vector<Case> cases = {
        {"global table", GifMaker{}},
        {"table of its own", with([](GifMaker& m) { m.localColours = 8; })},
        {"no global table", with([](GifMaker& m) {
             m.globalColours = 0;
             m.localColours = 2;
         })},
        {"interlaced, one row", with([](GifMaker& m) {
             m.interlaced = true;
             m.height = 1;
         })},
        {"interlaced, every pass", with([](GifMaker& m) {
             m.interlaced = true;
             m.height = 11;
         })},
        {"transparent", with([](GifMaker& m) { m.transparencies = {2}; })},
        {"transparency kept by a later block without one", with([](GifMaker& m) {
             m.transparencies = {1, -1};
         })},
        {"transparency replaced", with([](GifMaker& m) {
             m.transparencies = {1, 3};
         })},
        {"only the first picture", with([](GifMaker& m) { m.secondPicture = true; })},
        {"cut in the middle of the picture", with([](GifMaker& m) {
             m.width = 40;
             m.height = 30;
             m.globalColours = 16;
         }),
         120},
    };
    for (const Case& c : cases) {
        Bytes bytes = c.gif.make();
        if (c.keep) bytes.resize(c.keep);
        expectSameReading(bytes, c.name);
    }
}

TEST(PictureCodec, TheFiveKindsAreToldByContentWhateverTheName) {
    const fs::path samples = fs::path(CB_SOURCE_DIR) / "tests/fuzz/corpus/picture";
    const fs::path dir = fs::temp_directory_path() / ("cb-codec-" + std::to_string(getpid()));
    fs::create_directories(dir);
    for (const char* name : {"00.GIF", "CLOSE2.JPG", "KANTICA8.ICO", "ICON.png", "ARROW.BMP"}) {
        const Bytes bytes = readFile(samples / name);
        // Every one of them under the name of a JPEG page, as a damaged copy might hold it.
        std::ofstream(dir / "GLAVNA.JPG", std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        EXPECT_EQ(decodePictureFile((dir / "GLAVNA.JPG").string()).pixels,
                  sdlImageReading(bytes).pixels)
            << name;
    }
    fs::remove_all(dir);
}

TEST(PictureCodec, OtherKindsOfPictureAreRefusedThoughSdlImageReadsThem) {
    const std::string cursor = [] {
        Bytes icon = readFile(fs::path(CB_SOURCE_DIR) / "assets/PICTURE/KANTICA8.ICO");
        icon[2] = 2;  // the same file as a cursor
        return std::string(icon.begin(), icon.end());
    }();
    const std::pair<const char*, std::string> kinds[] = {
        {"PNM", "P3\n2 1\n255\n255 0 0 0 0 255\n"},
        {"XPM", "/* XPM */\nstatic char *x[] = {\"2 1 1 1\", \"a c #ff0000\", \"aa\"};\n"},
        {"SVG",
         "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"2\" height=\"1\">"
         "<rect width=\"2\" height=\"1\" fill=\"red\"/></svg>"},
        {"CUR", cursor},
    };
    for (const auto& [kind, text] : kinds) {
        const Bytes bytes(text.begin(), text.end());
        EXPECT_FALSE(sdlImageReading(bytes).pixels.empty()) << kind;
        EXPECT_THROW(ours(bytes), PlatformError) << kind;
    }
}

TEST(PictureCodec, APictureCutAnywhereIsReadAsFarAsItGoesOrRefused) {
    // As a half-copied install leaves it. A PNG cut short once kept libpng reading the same
    // stale chunk for ever.
    const fs::path samples = fs::path(CB_SOURCE_DIR) / "tests/fuzz/corpus/picture";
    for (const char* name : {"00.GIF", "CLOSE2.JPG", "KANTICA8.ICO", "ICON.png", "ARROW.BMP"}) {
        const Bytes whole = readFile(samples / name);
        for (size_t cut = 0; cut < whole.size(); cut += whole.size() / 16 + 1) {
            const Bytes bytes(whole.begin(), whole.begin() + static_cast<long>(cut));
            try {
                const Image image = ours(bytes);
                EXPECT_EQ(image.pixels.size(), size_t(image.width) * image.height);
            } catch (const PlatformError&) {
                // Refused: the handler that reads it ends there.
            }
        }
    }
}

// The check of a PNG chunk (CRC-32), to keep a changed header readable.
uint32_t crc32(const uint8_t* data, size_t size) {
    uint32_t crc = 0xFFFFFFFF;
    for (size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return ~crc;
}

// A little-endian or big-endian number written into a header.
void put(Bytes& b, size_t at, uint32_t value, int bytes, bool bigEndian = false) {
    for (int i = 0; i < bytes; ++i)
        b[at + (bigEndian ? bytes - 1 - i : i)] = static_cast<uint8_t>(value >> (8 * i));
}

TEST(PictureCodec, APictureTooLargeOrWithoutPixelsIsRefusedBeforeItIsRead) {
    const fs::path book = fs::path(CB_SOURCE_DIR) / "assets/PICTURE";
    const fs::path samples = fs::path(CB_SOURCE_DIR) / "tests/fuzz/corpus/picture";
    // Each file with a damaged size: 30000 x 30000 would take gigabytes to hold.
    auto gif = [](int width, int height) {
        Bytes b = GifMaker{}.make();
        // The picture's own size, in its descriptor after the screen's and its colour table.
        put(b, 13 + 12 + 5, width, 2);
        put(b, 13 + 12 + 7, height, 2);
        return b;
    };
    Bytes bmp = readFile(samples / "ARROW.BMP");
    put(bmp, 18, 30000, 4);
    put(bmp, 22, 30000, 4);
    Bytes png = readFile(samples / "ICON.png");
    put(png, 16, 30000, 4, true);
    put(png, 20, 30000, 4, true);
    put(png, 29, crc32(&png[12], 17), 4, true);  // the header chunk's check: type and data
    Bytes jpeg = readFile(book / "CLOSE2.JPG");
    for (size_t i = 2; i + 9 < jpeg.size(); ++i)
        if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0) {  // the frame's header: height, width
            put(jpeg, i + 5, 30000, 2, true);
            put(jpeg, i + 7, 30000, 2, true);
            break;
        }
    Bytes icon = readFile(book / "KANTICA8.ICO");
    const uint32_t bitmapAt = icon[18] | icon[19] << 8 | icon[20] << 16 | uint32_t(icon[21]) << 24;
    put(icon, bitmapAt + 4, 30000, 4);
    put(icon, bitmapAt + 8, 60000, 4);
    Bytes narrowIcon = readFile(book / "KANTICA8.ICO");
    put(narrowIcon, bitmapAt + 4, 0, 4);

    const std::pair<const char*, Bytes> files[] = {
        {"GIF", gif(30000, 30000)},
        {"BMP", bmp},
        {"PNG", png},
        {"JPEG", jpeg},
        {"ICO", icon},
        {"GIF without width", gif(0, 5)},
        {"ICO without width", narrowIcon},
        {"empty", Bytes{}},
        {"GIF header", Bytes{'G', 'I', 'F', '8', '9', 'a'}},
    };
    for (const auto& [name, bytes] : files) EXPECT_THROW(ours(bytes), PlatformError) << name;

    EXPECT_THROW(decodePictureFile((book / "NOSUCH.JPG").string()), PlatformError);
    EXPECT_THROW(decodePictureFile(book.string()), PlatformError);  // a folder
}

}  // namespace
}  // namespace cb
