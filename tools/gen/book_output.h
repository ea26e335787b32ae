// Where the generated pictures go: the shipped tree, the built-in resources, and a record of
// every picture for the contact sheets.
#pragma once

#include <string>
#include <vector>

#include "page_bitmap.h"
#include "paint.h"

namespace book {

enum class Group { Pages, Thumbnails, Backgrounds, Panels, Palette, Buttons, Cursors, Resources };

struct Written {
    std::string name;
    Group group;
    Surface picture;  // what was written, for the contact sheets
};

class BookOutput {
  public:
    BookOutput(std::string pictureDir, std::string resourceDir);

    void jpeg(const std::string& name, Group group, cairo_surface_t* picture);
    void gif(const std::string& name, const PageBitmap& page);
    void ico(const std::string& name, cairo_surface_t* picture);
    void resourcePng(const std::string& name, cairo_surface_t* picture);

    const std::vector<Written>& written() const { return written_; }
    // The picture written under a name, or nullptr.
    cairo_surface_t* find(const std::string& name) const;

  private:
    void remember(const std::string& name, Group group, cairo_surface_t* picture);

    std::string pictureDir_, resourceDir_;
    std::vector<Written> written_;
};

// A page as a picture (black on white), for previews and thumbnails.
Surface pageSurface(const PageBitmap& page);

}  // namespace book
