// bookgen: writes the book's whole asset tree from its sources.
// Usage: bookgen --art DIR --out DIR --resources DIR [--sheets DIR] [--draft] [--no-audio]
//   --draft     tolerate missing or broken page sources (with a warning) while drawing
//   --no-audio  leave the sounds and the tune alone
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <string>

#include "pictures.h"

#ifdef BOOKGEN_WITH_AUDIO
#include "audio.h"
#endif

namespace {

struct Options {
    std::string art = "art", out = "assets", resources = "resources", sheets;
    bool draft = false, audio = true;
};

bool parse(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const bool hasValue = i + 1 < argc;
        if (a == "--art" && hasValue)
            o.art = argv[++i];
        else if (a == "--out" && hasValue)
            o.out = argv[++i];
        else if (a == "--resources" && hasValue)
            o.resources = argv[++i];
        else if (a == "--sheets" && hasValue)
            o.sheets = argv[++i];
        else if (a == "--draft")
            o.draft = true;
        else if (a == "--no-audio")
            o.audio = false;
        else
            return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    if (!parse(argc, argv, o)) {
        std::fprintf(stderr,
                     "usage: bookgen --art DIR --out DIR --resources DIR [--sheets DIR] "
                     "[--draft] [--no-audio]\n");
        return 2;
    }
    try {
        book::BookOutput out(o.out + "/PICTURE", o.resources);
        const book::PageSet pages = book::makePages(o.art, {o.draft}, out);
        book::makeMainScreen(out);
        book::makeGallery(pages, out);
        book::makePanels(out);
        book::makeCursors(out);
        book::makeResources(out);
#ifdef BOOKGEN_WITH_AUDIO
        if (o.audio) {
            std::filesystem::create_directories(o.out + "/SOUND");
            std::filesystem::create_directories(o.out + "/MUSIC");
            book::writeEffects(o.out + "/SOUND");
            book::writeTune(o.out + "/MUSIC/001.MID");
        }
#endif
        if (!o.sheets.empty()) {
            std::filesystem::create_directories(o.sheets);
            book::writeContactSheets(out, o.sheets);
        }
        std::printf("bookgen: %zu pictures written\n", out.written().size());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bookgen: %s\n", e.what());
        return 1;
    }
    return 0;
}
