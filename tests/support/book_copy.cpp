#include "book_copy.h"

#include <stdlib.h>

#include <stdexcept>

namespace fs = std::filesystem;

namespace cbtest {

BookCopy::BookCopy(const std::string& leaf) {
    std::string pattern = (fs::temp_directory_path() / "colouring-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary folder");
    root_ = pattern;
    dir_ = root_ / leaf;
    fs::create_directories(dir_);
    const fs::path book = CB_BOOK_DIR;
    for (const char* part : {"PICTURE", "SOUND", "MUSIC", "MY_PICTURE"})
        if (fs::exists(book / part))
            fs::copy(book / part, dir_ / part, fs::copy_options::recursive);
    if (fs::exists(book / "COLORS.EXE")) fs::copy_file(book / "COLORS.EXE", dir_ / "COLORS.EXE");
}

BookCopy::~BookCopy() {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
}

}  // namespace cbtest
