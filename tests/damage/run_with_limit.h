// Running a program in a process of its own with a time limit, as the damaged-book table runs
// each case: a crash, a hang or a sanitizer's report ends only that case.
#pragma once

#include <chrono>
#include <filesystem>
#include <mutex>
#include <string>

namespace cb {

// How a run ended, and what it wrote.
struct Outcome {
    bool ran = false;       // it could be started
    bool timedOut = false;  // killed at the limit
    int signal = 0;         // the signal that ended it, if one did
    int status = -1;
    std::string out, err;
};

// Runs program with one argument, its output and errors in files of the scratch folder, and
// kills it when it runs past the limit. Safe to call from several threads at once.
Outcome runWithLimit(const std::string& program, const std::string& argument,
                     const std::filesystem::path& scratch, std::chrono::seconds limit);

// Held while a program is started. A thread that writes a file holds it too: a program started
// meanwhile would inherit the file open for writing and keep it so, and an executable held
// open for writing cannot be started (ETXTBSY) by anyone.
std::mutex& startLock();

// Ends and collects what ended runs left behind: the programs they started, which are handed
// to this process when it is their reaper (prctl PR_SET_CHILD_SUBREAPER), as when a run was
// killed or crashed before it could stop them.
void reapOrphans();

}  // namespace cb
