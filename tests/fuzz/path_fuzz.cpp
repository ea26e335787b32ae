// Any path string through the case-insensitive resolution, over a small tree made once:
// backslashes, "..", empty parts, names of any length. Whatever comes in, the result spells
// each part as written or as an entry that matches it without regard to case, resolves to
// itself a second time, and inside the tree picks the entry the rule names: the exact
// spelling when it exists, else the first match in sorted order.
#include <limits.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "platform/paths.h"
#include "scratch_folder.h"

namespace fs = std::filesystem;

namespace {

// The tree: a book as installed, with names that differ only in case, a file where a folder
// might be expected, names of the longest length a file system allows, and bytes beyond
// ASCII. "LOOP" is a link to the tree's own root.
const std::vector<std::string> kFiles = {
    "PICTURE/01.GIF",
    "PICTURE/Glavna.jpg",
    "Picture/glavna.JPG",
    "picture/x",
    "SOUND/ZUTA.WAV",
    "sound/zuta.wav",
    "MUSIC/001.MID",
    "MY_PICTURE/01.GIF",
    "COLORS.EXE",
    "colors.exe",
    "\xc5\xbduta/\xc4\x8d.jpg",
    std::string(255, 'L') + "/" + std::string(255, 'f'),
};
const std::string kLoop = "LOOP";

std::string lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// The parts of a path as the resolution sees them: either separator, no empty or "." parts.
std::vector<std::string> split(const std::string& path) {
    std::vector<std::string> parts;
    std::string part;
    for (char c : path + "/") {
        if (c == '/' || c == '\\') {
            if (!part.empty() && part != ".") parts.push_back(part);
            part.clear();
        } else {
            part.push_back(c);
        }
    }
    return parts;
}

// Each folder of the tree (relative, "" for the root) with its entries in sorted order.
using Tree = std::map<std::string, std::vector<std::string>>;

Tree makeTree(const fs::path& root) {
    Tree tree;
    for (const std::string& file : kFiles) {
        fs::create_directories((root / file).parent_path());
        std::ofstream(root / file) << file;
        std::string folder;
        for (const std::string& part : split(file)) {
            auto& entries = tree[folder];
            if (std::find(entries.begin(), entries.end(), part) == entries.end())
                entries.push_back(part);
            folder += (folder.empty() ? "" : "/") + part;
        }
    }
    fs::create_directory_symlink(".", root / kLoop);
    tree[""].push_back(kLoop);
    for (auto& [folder, entries] : tree) std::sort(entries.begin(), entries.end());
    return tree;
}

const Tree* tree = nullptr;

// Checks, part by part, the spelling the rule chooses for a relative path without "..".
void checkAgainstTree(const std::vector<std::string>& in, const std::vector<std::string>& out) {
    // The folder reached so far; once a part names nothing, no key of the tree matches it and
    // every later part must be kept as written.
    std::string folder;
    int links = 0;
    for (size_t i = 0; i < in.size(); ++i) {
        // The system follows at most 40 links in one path (MAXSYMLINKS); beyond them nothing
        // can be looked up, and the rule no longer applies.
        if (links >= 40) return;
        std::string expected = in[i];
        const auto found = tree->find(folder);
        if (found != tree->end()) {
            const auto& entries = found->second;
            if (std::find(entries.begin(), entries.end(), in[i]) == entries.end()) {
                for (const std::string& e : entries)
                    if (lower(e) == lower(in[i])) {
                        expected = e;
                        break;
                    }
            }
        }
        if (out[i] != expected) std::abort();
        // The link is only in the root; a "LOOP" below it names nothing.
        if (expected == kLoop && folder.empty())
            ++links;
        else
            folder += (folder.empty() ? "" : "/") + expected;
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    const fs::path root = cbfuzz::scratchFolder() / "book";
    fs::create_directories(root);
    static const Tree made = makeTree(root);
    tree = &made;
    // Relative paths start from the book, as the program's do once it has changed there.
    if (chdir(root.c_str()) != 0) std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string path(reinterpret_cast<const char*>(data), size);
    // No path the program builds holds a NUL; the system would cut the name there.
    if (path.find('\0') != std::string::npos) return -1;
    // Inputs that start with an odd byte start at the book's absolute folder, written in upper
    // case as the program writes it.
    const bool prefixed = !path.empty() && (path[0] & 1);
    if (prefixed) path = cb::upperCase(fs::current_path().string()) + "\\" + path;

    const std::string resolved = cb::resolvePath(path);
    if (resolved.find('\\') != std::string::npos) std::abort();
    if (cb::resolvePath(resolved) != resolved) std::abort();

    const std::vector<std::string> in = split(path), out = split(resolved);
    if (in.size() != out.size()) std::abort();
    bool climbs = false;
    for (size_t i = 0; i < in.size(); ++i) {
        if (lower(in[i]) != lower(out[i])) std::abort();
        climbs |= in[i] == "..";
    }
    // Beyond the system's longest path no entry can be named at all, and the parts are kept as
    // written from wherever the lookups start to fail; so too beyond the links it follows.
    const bool relative = !prefixed && !path.empty() && path[0] != '/' && path[0] != '\\';
    if (relative && !climbs && resolved.size() + 2 < PATH_MAX) checkAgainstTree(in, out);
    return 0;
}
