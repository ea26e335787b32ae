// Starting other programs: by absolute path, no shell, each in a session of its own so that it
// outlives us and our terminal's signals do not reach it.
#include <SDL.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/errors.h"
#include "platform/paths.h"
#include "platform/sdl_platform.h"

extern char** environ;

namespace cb {
namespace {

// Spawn attributes that give the child a clean start: its own session, no blocked signals,
// and every signal at its default action (an ignored signal would otherwise stay ignored).
class SpawnAttributes {
  public:
    SpawnAttributes() {
        posix_spawnattr_init(&attr_);
        sigset_t none, all;
        sigemptyset(&none);
        sigfillset(&all);
        posix_spawnattr_setsigmask(&attr_, &none);
        posix_spawnattr_setsigdefault(&attr_, &all);
        posix_spawnattr_setflags(
            &attr_, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    }
    ~SpawnAttributes() { posix_spawnattr_destroy(&attr_); }
    SpawnAttributes(const SpawnAttributes&) = delete;
    SpawnAttributes& operator=(const SpawnAttributes&) = delete;
    const posix_spawnattr_t* get() const { return &attr_; }

  private:
    posix_spawnattr_t attr_;
};

}  // namespace

void SdlPlatform::startProgram(const std::string& path) {
    const std::string program = resolvePath(path);
    struct stat st;
    if (stat(program.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        throw PlatformError("no program " + path);
    const SpawnAttributes attributes;
    char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
    pid_t child = 0;
    const int error =
        posix_spawn(&child, program.c_str(), nullptr, attributes.get(), argv, environ);
    if (error != 0) throw PlatformError("cannot start " + path + ": " + std::strerror(error));
    children_.push_back(child);
}

// SDL hands the address to the desktop's opener (xdg-open) and does not wait for the browser.
void SdlPlatform::openUrl(const std::string& url) {
    SDL_OpenURL(url.c_str());
}

// Collects the programs we started that have ended. Only our own children are waited for, so
// that a wait elsewhere in the program for a child of its own is never robbed.
void SdlPlatform::reapChildren() {
    std::erase_if(children_, [](pid_t child) {
        const pid_t result = waitpid(child, nullptr, WNOHANG);
        return result == child || (result < 0 && errno == ECHILD);
    });
}

}  // namespace cb
