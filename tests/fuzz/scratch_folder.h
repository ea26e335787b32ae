// A folder of the fuzz target's own for the files it hands to the platform, in memory where
// the system offers a memory file system, so that each input costs no disk write.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace cbfuzz {

// Made once, on first use, and removed when the process ends normally; a run that ends in a
// crash leaves it behind, with the file that caused it.
inline const std::filesystem::path& scratchFolder() {
    // Never destroyed, so that it is still there when the removal runs at exit.
    static const std::filesystem::path* folder = [] {
        const char* base = std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : "/tmp";
        std::string pattern = std::string(base) + "/cb-fuzz-XXXXXX";
        if (!mkdtemp(pattern.data())) std::abort();
        return new std::filesystem::path(pattern);
    }();
    static const bool removedAtExit = std::atexit([] {
                                          std::error_code ignored;
                                          std::filesystem::remove_all(*folder, ignored);
                                      }) == 0;
    (void)removedAtExit;
    return *folder;
}

// Replaces the file with exactly these bytes.
inline void writeFile(const std::filesystem::path& file, const uint8_t* data, size_t size) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    if (!out) std::abort();
}

}  // namespace cbfuzz
