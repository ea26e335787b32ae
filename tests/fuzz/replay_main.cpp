// Runs a fuzz target once over each file of the folders (or files) named on its command line,
// without libFuzzer: the committed seeds and every input that once made a target fail are
// replayed by each build as a plain test. A target that finds a fault aborts, and so fails it.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace fs = std::filesystem;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);

int main(int argc, char** argv) {
    if (LLVMFuzzerInitialize) LLVMFuzzerInitialize(&argc, &argv);
    std::vector<fs::path> files;
    for (int i = 1; i < argc; ++i) {
        const fs::path place = argv[i];
        if (fs::is_directory(place)) {
            for (const auto& entry : fs::directory_iterator(place))
                if (entry.is_regular_file()) files.push_back(entry.path());
        } else if (fs::is_regular_file(place)) {
            files.push_back(place);
        }
        // A folder that does not exist holds nothing to replay: a target never failed yet.
    }
    if (files.empty()) {
        std::fprintf(stderr, "nothing to replay\n");
        return 1;
    }
    std::sort(files.begin(), files.end());
    for (const fs::path& file : files) {
        std::ifstream in(file, std::ios::binary);
        const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
        std::fprintf(stderr, "%s\n", file.c_str());
        LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    }
    std::fprintf(stderr, "replayed %zu inputs\n", files.size());
    return 0;
}
