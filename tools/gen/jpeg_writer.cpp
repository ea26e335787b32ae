#include "jpeg_writer.h"

// jpeglib.h expects the standard headers that declare size_t and FILE to come first.
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

#include <csetjmp>
#include <cstdint>
#include <stdexcept>
#include <vector>

namespace book {
namespace {

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

void onError(j_common_ptr info) {
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

}  // namespace

void writeJpeg(cairo_surface_t* surface, const std::string& path, int quality) {
    cairo_surface_flush(surface);
    const int width = cairo_image_surface_get_width(surface);
    const int height = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);

    // Convert the whole picture first so that nothing below the jump point owns memory.
    std::vector<unsigned char> rgb(static_cast<size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(data + y * stride);
        for (int x = 0; x < width; ++x) {
            unsigned char* out = &rgb[(static_cast<size_t>(y) * width + x) * 3];
            out[0] = (row[x] >> 16) & 255;
            out[1] = (row[x] >> 8) & 255;
            out[2] = row[x] & 255;
        }
    }

    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) throw std::runtime_error("cannot create " + path);
    jpeg_compress_struct info{};
    ErrorManager errors{};
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = onError;
    if (setjmp(errors.jump)) {
        jpeg_destroy_compress(&info);
        std::fclose(file);
        throw std::runtime_error("cannot encode " + path);
    }
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    for (int c = 0; c < info.num_components; ++c) {
        info.comp_info[c].h_samp_factor = 1;
        info.comp_info[c].v_samp_factor = 1;
    }
    info.optimize_coding = TRUE;
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = &rgb[static_cast<size_t>(info.next_scanline) * width * 3];
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    if (std::fclose(file) != 0) throw std::runtime_error("cannot write " + path);
}

}  // namespace book
