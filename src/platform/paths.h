// File names as the program writes them: backslash-separated and matched without regard to
// case, resolved here on a file system that respects case.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace cb {

// Resolves each component: the exact name first, else the first name in sorted order that
// matches it without regard to case. Backslashes count as separators. A component that does
// not exist is kept as written, so the result names the missing file.
std::string resolvePath(const std::string& path);

// The length of a file in bytes; throws PlatformError when it is missing or not a file.
uint32_t fileLength(const std::string& path);

// The whole content of an ordinary file of at most maxBytes; throws PlatformError when it is
// missing, a folder or anything else that is not an ordinary file, larger, or unreadable. The
// libraries behind the platform are handed bytes read this way rather than a path: some of
// them open a folder as if it were a file and take its length for the largest there is.
std::vector<uint8_t> readWholeFile(const std::string& resolvedPath, size_t maxBytes);

// The directory of the running executable, symlinks followed, without a trailing slash.
std::string executableDirectory();

// The folder that holds the user's own files of the program (the print's scratch copy): the
// program's folder when this user may write there, as in a build tree; else, for an
// installed copy (or any under /usr), "colouring-book" in the user's cache folder ($XDG_CACHE_HOME,
// or $HOME/.cache), which the installed launcher prepares. Ends with a separator. Nothing is
// created here.
std::string userFolder(const std::string& programFolder, bool programFolderWritable,
                       const char* xdgCacheHome, const char* home);
std::string userFolder(const std::string& programFolder);

// Upper-cases ASCII letters, as the program does for its asset root.
std::string upperCase(std::string text);

}  // namespace cb
