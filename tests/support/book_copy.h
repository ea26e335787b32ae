// A private copy of the built book in a temporary folder, for tests that damage or rename it.
#pragma once

#include <filesystem>
#include <string>

namespace cbtest {

class BookCopy {
  public:
    // Copies the book's tree (pictures, sounds, music, the intro) into a new folder whose
    // name has lower-case letters, as a parent's home folder would.
    explicit BookCopy(const std::string& leaf = "my book");
    ~BookCopy();
    BookCopy(const BookCopy&) = delete;
    BookCopy& operator=(const BookCopy&) = delete;

    const std::filesystem::path& dir() const { return dir_; }
    std::filesystem::path file(const std::string& relative) const { return dir_ / relative; }

  private:
    std::filesystem::path root_;
    std::filesystem::path dir_;
};

}  // namespace cbtest
