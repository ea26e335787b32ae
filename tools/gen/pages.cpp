// The book's pages: each source is rendered crisp, checked by the page rules and written as
// a two-colour GIF. 00.GIF is the blank sheet the paper button puts back.
#include <cstdio>
#include <filesystem>
#include <stdexcept>

#include "pictures.h"
#include "svg_render.h"

namespace book {

PageSet makePages(const std::string& artDir, const PageOptions& options, BookOutput& out) {
    PageSet pages;
    PageBitmap blank;
    blank.ink.assign(static_cast<size_t>(blank.width) * blank.height, 0);
    if (!checkPage(blank, true).ok()) throw std::logic_error("the blank page is not blank");
    out.gif("00.GIF", blank);
    pages[0] = blank;

    std::string failures;
    for (int n = 1; n <= kPageCount; ++n) {
        char name[16];
        std::snprintf(name, sizeof name, "%02d", n);
        const std::string source = artDir + "/pages/" + name + ".svg";
        if (!std::filesystem::exists(source)) {
            if (!options.draft) throw std::runtime_error("missing page source " + source);
            std::fprintf(stderr, "warning: %s is missing; page %s skipped\n", source.c_str(), name);
            continue;
        }
        PageBitmap page = renderPage(source);
        const PageReport report = checkPage(page);
        if (!report.ok()) {
            std::string text = source + " breaks the page rules:";
            for (const std::string& p : report.problems) text += " " + p + ";";
            if (!options.draft) {
                failures += text + "\n";
                continue;
            }
            std::fprintf(stderr, "warning: %s\n", text.c_str());
        }
        out.gif(std::string(name) + ".GIF", page);
        pages[n] = std::move(page);
    }
    if (!failures.empty()) throw std::runtime_error(failures);
    return pages;
}

}  // namespace book
