#include "platform/paths.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <unordered_map>
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

// The sorted names of a folder, read again only when the folder has changed since.
const std::vector<std::string>* listing(const std::string& dir) {
    struct Listing {
        struct timespec changed;
        std::vector<std::string> names;
    };
    static std::unordered_map<std::string, Listing> cache;
    struct stat st;
    if (stat(dir.c_str(), &st) != 0) return nullptr;
    auto it = cache.find(dir);
    if (it != cache.end() && it->second.changed.tv_sec == st.st_mtim.tv_sec &&
        it->second.changed.tv_nsec == st.st_mtim.tv_nsec)
        return &it->second.names;
    DIR* d = opendir(dir.c_str());
    if (!d) return nullptr;
    Listing fresh{st.st_mtim, {}};
    while (dirent* e = readdir(d)) fresh.names.emplace_back(e->d_name);
    closedir(d);
    std::sort(fresh.names.begin(), fresh.names.end());
    return &(cache[dir] = std::move(fresh)).names;
}

// Finds the entry of dir that matches name: exact first, then case-insensitive in sorted order.
std::string matchEntry(const std::string& dir, const std::string& name) {
    struct stat st;
    const std::string exact = dir + "/" + name;
    if (lstat(exact.c_str(), &st) == 0) return name;
    if (const std::vector<std::string>* names = listing(dir.empty() ? "/" : dir)) {
        for (const std::string& candidate : *names)
            if (sameIgnoringCase(candidate, name)) return candidate;
    }
    return name;
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
        const std::string entry = matchEntry(result, part);
        result.push_back('/');
        result.append(entry);
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

std::vector<uint8_t> readWholeFile(const std::string& resolvedPath, size_t maxBytes) {
    const int fd = open(resolvedPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw PlatformError("cannot open " + resolvedPath + ": " + std::strerror(errno));
    struct stat st;
    std::vector<uint8_t> bytes;
    bool whole =
        fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && static_cast<uint64_t>(st.st_size) <= maxBytes;
    if (whole) {
        bytes.resize(static_cast<size_t>(st.st_size));
        size_t done = 0;
        while (whole && done < bytes.size()) {
            const ssize_t n = read(fd, bytes.data() + done, bytes.size() - done);
            if (n < 0 && errno == EINTR) continue;
            whole = n > 0;
            if (whole) done += static_cast<size_t>(n);
        }
    }
    close(fd);
    if (!whole) throw PlatformError("cannot read " + resolvedPath + " whole");
    return bytes;
}

std::string executableDirectory() {
    char buffer[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0) throw PlatformError("cannot find the program's own file");
    std::string exe(buffer, static_cast<size_t>(n));
    const size_t slash = exe.find_last_of('/');
    return slash == 0 ? "/" : exe.substr(0, slash);
}

std::string userFolder(const std::string& programFolder, bool programFolderWritable,
                       const char* xdgCacheHome, const char* home) {
    if (programFolderWritable) return programFolder;
    // The cache folder must be an absolute path to count; a relative one is ignored.
    std::string cache;
    if (xdgCacheHome && xdgCacheHome[0] == '/')
        cache = xdgCacheHome;
    else if (home && home[0] == '/')
        cache = std::string(home) + "/.cache";
    else
        return programFolder;  // no home to speak of: the program's folder, as ever
    return cache + "/colouring-book/";
}

std::string userFolder(const std::string& programFolder) {
    // A copy installed under /usr is never written to, not even by root, whose account may
    // write there: its files belong to the package.
    const std::string resolved = resolvePath(programFolder);
    const bool writable = access(resolved.c_str(), W_OK) == 0 && resolved.rfind("/usr/", 0) != 0;
    return userFolder(programFolder, writable, std::getenv("XDG_CACHE_HOME"), std::getenv("HOME"));
}

std::string upperCase(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace cb
