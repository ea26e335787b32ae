// pagecheck: renders page sources the way the generator does and prints their figures.
// Usage: pagecheck [--preview DIR] page.svg...
#include <cstdio>
#include <exception>
#include <string>

#include "svg_render.h"

int main(int argc, char** argv) {
    std::string previewDir;
    int failures = 0;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--preview" && i + 1 < argc) {
            previewDir = argv[++i];
            continue;
        }
        try {
            bool pure = true;
            const book::PageBitmap page = book::renderPage(arg, &pure);
            const bool blank = arg.size() >= 6 && arg.substr(arg.size() - 6) == "00.svg";
            book::PageReport r = book::checkPage(page, blank);
            std::printf(
                "%s: areas %d, smallest %d, details %d, white specks %d, ink specks %d, "
                "thin ink %d, outside %d px%s\n",
                arg.c_str(), r.areas, r.smallestArea, r.detailAreas, r.whiteSpecks, r.inkSpecks,
                r.thinInk, r.outsidePixels, pure ? "" : ", NOT two-colour");
            for (const auto& p : r.problems) std::printf("  problem: %s\n", p.c_str());
            if (!r.ok()) ++failures;
            if (!previewDir.empty()) {
                std::string base = arg.substr(arg.find_last_of('/') + 1);
                base = base.substr(0, base.find_last_of('.'));
                book::writeAreaPreview(page, previewDir + "/" + base + ".png");
            }
        } catch (const std::exception& e) {
            std::printf("%s: %s\n", arg.c_str(), e.what());
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
