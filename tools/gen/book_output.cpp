#include "book_output.h"

#include <filesystem>
#include <stdexcept>

#include "gif_writer.h"
#include "ico_writer.h"
#include "jpeg_writer.h"

namespace book {

BookOutput::BookOutput(std::string pictureDir, std::string resourceDir)
    : pictureDir_(std::move(pictureDir)), resourceDir_(std::move(resourceDir)) {
    std::filesystem::create_directories(pictureDir_);
    std::filesystem::create_directories(resourceDir_);
}

void BookOutput::jpeg(const std::string& name, Group group, cairo_surface_t* picture) {
    writeJpeg(picture, pictureDir_ + "/" + name);
    remember(name, group, picture);
}

void BookOutput::gif(const std::string& name, const PageBitmap& page) {
    writePageGif(page, pictureDir_ + "/" + name);
    Surface picture = pageSurface(page);
    remember(name, Group::Pages, picture.get());
}

void BookOutput::ico(const std::string& name, cairo_surface_t* picture) {
    writeIco(picture, pictureDir_ + "/" + name);
    remember(name, Group::Cursors, picture);
}

void BookOutput::resourcePng(const std::string& name, cairo_surface_t* picture) {
    const std::string path = resourceDir_ + "/" + name;
    if (cairo_surface_write_to_png(picture, path.c_str()) != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error("cannot write " + path);
    remember(name, Group::Resources, picture);
}

cairo_surface_t* BookOutput::find(const std::string& name) const {
    for (const Written& w : written_)
        if (w.name == name) return w.picture.get();
    return nullptr;
}

void BookOutput::remember(const std::string& name, Group group, cairo_surface_t* picture) {
    written_.push_back({name, group, copyOf(picture)});
}

Surface pageSurface(const PageBitmap& page) {
    Surface s(cairo_image_surface_create(CAIRO_FORMAT_RGB24, page.width, page.height));
    cairo_surface_flush(s.get());
    unsigned char* data = cairo_image_surface_get_data(s.get());
    const int stride = cairo_image_surface_get_stride(s.get());
    for (int y = 0; y < page.height; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(data + y * stride);
        for (int x = 0; x < page.width; ++x) row[x] = page.at(x, y) ? 0xFF000000u : 0xFFFFFFFFu;
    }
    cairo_surface_mark_dirty(s.get());
    return s;
}

}  // namespace book
