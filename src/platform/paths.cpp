#include "platform/paths.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <vector>

#include "platform/errors.h"

namespace cb {
namespace {

bool sameIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}

// Finds the entry of dir that matches name: exact first, then case-insensitive in sorted order.
std::string matchEntry(const std::string& dir, const std::string& name) {
    struct stat st;
    const std::string exact = (dir.empty() ? "" : dir) + "/" + name;
    if (lstat(exact.c_str(), &st) == 0) return name;
    DIR* d = opendir(dir.empty() ? "/" : dir.c_str());
    if (!d) return name;
    std::vector<std::string> matches;
    while (dirent* e = readdir(d)) {
        if (sameIgnoringCase(e->d_name, name)) matches.emplace_back(e->d_name);
    }
    closedir(d);
    if (matches.empty()) return name;
    std::sort(matches.begin(), matches.end());
    return matches.front();
}

}  // namespace

std::string resolvePath(const std::string& path) {
    std::string p = path;
    std::replace(p.begin(), p.end(), '\\', '/');
    const bool absolute = !p.empty() && p.front() == '/';
    std::string result = absolute ? "" : ".";
    size_t pos = 0;
    while (pos <= p.size()) {
        size_t next = p.find('/', pos);
        if (next == std::string::npos) next = p.size();
        const std::string part = p.substr(pos, next - pos);
        pos = next + 1;
        if (part.empty() || part == ".") continue;
        if (part == "..") {
            result += "/..";
            continue;
        }
        result += "/" + matchEntry(result, part);
    }
    if (result.empty()) return "/";
    if (!absolute && result.rfind("./", 0) == 0) return result.substr(2);
    return result;
}

uint32_t fileLength(const std::string& path) {
    struct stat st;
    const std::string resolved = resolvePath(path);
    if (stat(resolved.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        throw PlatformError("cannot measure " + path);
    return static_cast<uint32_t>(st.st_size);
}

std::string executableDirectory() {
    char buffer[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0) throw PlatformError("cannot find the program's own file");
    std::string exe(buffer, static_cast<size_t>(n));
    const size_t slash = exe.find_last_of('/');
    return slash == 0 ? "/" : exe.substr(0, slash);
}

std::string upperCase(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace cb
