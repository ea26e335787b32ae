#include "run_with_limit.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <mutex>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace fs = std::filesystem;

namespace cb {

namespace {

// Our own children still running; any other child is an orphan of one that ended.
std::mutex runningLock;
std::set<pid_t> running;

std::string readAll(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
}

}  // namespace

std::mutex& startLock() {
    static std::mutex lock;
    return lock;
}

void reapOrphans() {
    std::vector<pid_t> orphans;
    for (const auto& entry : fs::directory_iterator("/proc")) {
        const std::string name = entry.path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos) continue;
        std::ifstream stat(entry.path() / "stat");
        std::string text((std::istreambuf_iterator<char>(stat)), {});
        const size_t close = text.rfind(')');
        if (close == std::string::npos) continue;
        std::istringstream fields(text.substr(close + 2));
        char state = 0;
        pid_t parent = 0;
        fields >> state >> parent;
        const pid_t pid = std::stoi(name);
        std::lock_guard<std::mutex> hold(runningLock);
        if (parent == getpid() && !running.count(pid)) orphans.push_back(pid);
    }
    for (pid_t pid : orphans) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
}

Outcome runWithLimit(const std::string& program, const std::string& argument,
                     const fs::path& scratch, std::chrono::seconds limit) {
    Outcome o;
    const std::string out = (scratch / "out.txt").string(), err = (scratch / "err.txt").string();
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&files, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    char* argv[] = {const_cast<char*>(program.c_str()), const_cast<char*>(argument.c_str()),
                    nullptr};
    pid_t pid = 0;
    {
        const std::lock_guard<std::mutex> starting(startLock());
        const std::lock_guard<std::mutex> hold(runningLock);
        o.ran = posix_spawn(&pid, argv[0], &files, nullptr, argv, environ) == 0;
        if (o.ran) running.insert(pid);
    }
    posix_spawn_file_actions_destroy(&files);
    if (!o.ran) return o;
    const auto deadline = std::chrono::steady_clock::now() + limit;
    int status = 0;
    while (waitpid(pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            o.timedOut = true;
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    {
        std::lock_guard<std::mutex> hold(runningLock);
        running.erase(pid);
    }
    if (WIFSIGNALED(status)) o.signal = WTERMSIG(status);
    if (WIFEXITED(status)) o.status = WEXITSTATUS(status);
    o.out = readAll(out);
    o.err = readAll(err);
    return o;
}

}  // namespace cb
