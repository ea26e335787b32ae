// The start-up check of the book's pictures: each must exist with exactly the size of the
// copy the program was built with.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace cb {

class Form;

struct AssetEntry {
    std::string_view path;  // relative to AssetRoot, such as "\PICTURE\01.GIF"
    uint32_t bytes;
};

// 147 entries in check order, generated from the committed files at build time.
extern const std::array<AssetEntry, 147> AssetCheckList;

// Returns only if every file matches; otherwise removes the keyboard filter and ends the
// program at once, measuring nothing after the first mismatch.
void CheckAssets(Form& form);

}  // namespace cb
