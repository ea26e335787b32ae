// A damaged book: each file of the asset tree (the pictures, the sounds, the tune, the intro)
// in a copy of the book, cut to half its length, filled with garbage of the same length,
// missing, or a folder where the file should be, and the real program run through a tour
// that reaches every handler (damaged_book_main.cpp), each case in a process of its own with
// a time limit. None may crash, hang or draw a sanitizer's report; each ends as the failure
// rule says it must:
//  - a checked picture missing, of another size or a folder ends the program at the start-up
//    check, quietly (exit 0) and before the tour; one of the right size full of garbage passes
//    the check, and every step that reads it ends there while the tour goes on;
//  - an intro that cannot be started stops start-up at that step: no check, none of the
//    initial state, no display mode; the tour still completes. Half of the intro still starts
//    (its code lies in the first half of the file), and start-up goes on;
//  - a damaged BACK1.JPG stops the window background's resets after it;
//  - a tune that cannot be loaded leaves the music flags on and the repeat timer off; half of
//    the tune still loads (its header is whole) and plays as far as it goes;
//  - anything else: the tour completes and Yes ends the program (exit 0).
// CI runs one file of each kind; CB_DAMAGE_ALL=1 runs the whole table (scripts/damaged-book).
#include <sys/prctl.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <mutex>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "book_copy.h"
#include "gtest/gtest.h"
#include "run_with_limit.h"
#include "shell/asset_check.h"

namespace fs = std::filesystem;

namespace cb {
namespace {

enum class Damage { Half, Garbage, Missing, Folder };
constexpr Damage kDamages[] = {Damage::Half, Damage::Garbage, Damage::Missing, Damage::Folder};

const char* nameOf(Damage d) {
    switch (d) {
        case Damage::Half:
            return "half";
        case Damage::Garbage:
            return "garbage";
        case Damage::Missing:
            return "missing";
        case Damage::Folder:
            break;
    }
    return "folder";
}

void damage(const fs::path& file, Damage d, const std::string& seed) {
    switch (d) {
        case Damage::Half:
            fs::resize_file(file, fs::file_size(file) / 2);
            break;
        case Damage::Garbage: {
            // The same garbage for the same file on every run.
            std::mt19937 random(static_cast<uint32_t>(std::hash<std::string>{}(seed)));
            std::string bytes(fs::file_size(file), '\0');
            for (char& c : bytes) c = static_cast<char>(random());
            std::ofstream(file, std::ios::binary | std::ios::in | std::ios::out) << bytes;
            break;
        }
        case Damage::Missing:
            fs::remove(file);
            break;
        case Damage::Folder:
            fs::remove(file);
            fs::create_directory(file);
            break;
    }
}

struct Case {
    std::string file;  // relative to the book, "PICTURE/01.GIF"
    Damage damage;
    std::string name() const { return file + " " + nameOf(damage); }
};

// How a case must end.
enum class Ending { AtTheCheck, StartUpStopped, TourDone };

bool checked(const std::string& file) {
    for (const AssetEntry& e : AssetCheckList) {
        std::string path(e.path.substr(1));
        std::replace(path.begin(), path.end(), '\\', '/');
        if (path == file) return true;
    }
    return false;
}

Ending endingOf(const Case& c) {
    if (checked(c.file) && c.damage != Damage::Garbage) return Ending::AtTheCheck;
    if (c.file == "COLORS.EXE" && c.damage != Damage::Half) return Ending::StartUpStopped;
    return Ending::TourDone;
}

// The lines the harness wrote for one step of the tour ("step <n> <name>"), up to the next.
std::vector<std::string> stepLines(const std::string& out, const std::string& step) {
    std::vector<std::string> lines;
    std::istringstream in(out);
    bool inside = false;
    for (std::string l; std::getline(in, l);) {
        if (l.rfind("step ", 0) == 0)
            inside = l.substr(l.find(' ', 5) + 1) == step;
        else if (inside)
            lines.push_back(l);
    }
    return lines;
}

std::string lineStarting(const std::string& out, const std::string& prefix) {
    std::istringstream in(out);
    for (std::string l; std::getline(in, l);)
        if (l.rfind(prefix, 0) == 0) return l;
    return "";
}

bool has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// Checks one case's run against the rule; says what went wrong, or nothing.
std::string verdict(const Case& c, const Outcome& o) {
    if (!o.ran) return "the harness did not start";
    if (o.timedOut) return "hang";
    if (o.signal) return "crash (signal " + std::to_string(o.signal) + ")";
    if (has(o.err, "Sanitizer") || has(o.err, "runtime error:")) return "sanitizer report";
    if (o.status != 0) return "exit status " + std::to_string(o.status);
    const std::string started = lineStarting(o.out, "started ");
    const std::string exit = lineStarting(o.out, "exit ");
    switch (endingOf(c)) {
        case Ending::AtTheCheck:
            if (exit != "exit start-up" || !started.empty()) return "not ended by the check";
            return "";
        case Ending::StartUpStopped:
            if (!has(started,
                     "FillMode=-1 CurrentColor=000000 SoundFlag=0 SoundEnabled=0 "
                     "MusicOff=0") ||
                has(o.out, "\ndisplay "))
                return "start-up went on: " + started;
            break;
        case Ending::TourDone:
            if (!has(started,
                     "FillMode=-1 CurrentColor=0000FF SoundFlag=1 SoundEnabled=1 "
                     "MusicOff=1") ||
                !has(o.out, "\ndisplay 1024x768"))
                return "start-up did not finish: " + started;
            break;
    }
    if (exit.rfind("exit after ", 0) != 0) return "the tour did not end at Yes: " + exit;
    const std::string steps = exit.substr(11);
    const size_t slash = steps.find('/');
    if (slash == std::string::npos || steps.substr(0, slash) != steps.substr(slash + 1))
        return "the program ended inside the tour: " + exit;

    if (c.file == "PICTURE/BACK1.JPG") {
        // The window background's resets: everything up to BACK1.JPG, nothing after it.
        const auto loads = stepLines(o.out, "background after the buttons");
        if (loads.empty() || loads.back() != "load BACK1.JPG")
            return "the background's resets went on after BACK1.JPG";
    }
    if (c.file == "MUSIC/001.MID" && c.damage != Damage::Half) {
        const std::string music = lineStarting(o.out, "state music-on ");
        if (!has(music, "MusicOff=0 MusicPlaying=1 Timer=0"))
            return "the music flags after a tune that cannot be loaded: " + music;
    }
    return "";
}

std::vector<Case> cases() {
    const fs::path book = CB_BOOK_DIR;
    std::vector<std::string> files;
    const char* all = std::getenv("CB_DAMAGE_ALL");
    if (all && std::string(all) == "1") {
        for (const char* folder : {"PICTURE", "SOUND", "MUSIC"})
            for (const auto& entry : fs::directory_iterator(book / folder))
                files.push_back(std::string(folder) + "/" + entry.path().filename().string());
        files.push_back("COLORS.EXE");
        std::sort(files.begin(), files.end());
    } else {
        // One file of each kind: a checked page, the checked picture the background's resets
        // stop at, an unchecked cursor, an effect, the tune and the intro.
        files = {"PICTURE/01.GIF",    "PICTURE/BACK1.JPG", "PICTURE/CETKA.ICO",
                 "SOUND/SVPLAVA.WAV", "MUSIC/001.MID",     "COLORS.EXE"};
    }
    std::vector<Case> list;
    for (const std::string& f : files)
        for (Damage d : kDamages) list.push_back({f, d});
    return list;
}

TEST(DamagedBook, NoDamageToAnyFileCrashesOrHangsTheProgramAndEachEndsByTheRule) {
    // Intros whose harness died are handed to this process, which ends them.
    ASSERT_EQ(prctl(PR_SET_CHILD_SUBREAPER, 1), 0);
    const std::vector<Case> list = cases();
    std::vector<Outcome> outcomes(list.size());
    std::atomic<size_t> next{0};
    const auto start = std::chrono::steady_clock::now();
    auto worker = [&] {
        // Files are written only while no program is being started (see startLock).
        std::unique_ptr<cbtest::BookCopy> copy;
        {
            const std::lock_guard<std::mutex> writing(startLock());
            copy = std::make_unique<cbtest::BookCopy>();
        }
        const fs::path scratch = copy->dir().parent_path();
        for (size_t i; (i = next++) < list.size();) {
            const Case& c = list[i];
            const fs::path file = copy->file(c.file);
            {
                const std::lock_guard<std::mutex> writing(startLock());
                damage(file, c.damage, c.file);
            }
            // A hang is a run that takes far longer than the tour with its clock made virtual.
            outcomes[i] = runWithLimit(CB_DAMAGE_HARNESS, copy->dir().string(), scratch,
                                       std::chrono::seconds(120));
            reapOrphans();
            // The copy as it was, for the next case.
            const std::lock_guard<std::mutex> writing(startLock());
            const fs::path original = fs::path(CB_BOOK_DIR) / c.file;
            fs::remove_all(file);
            fs::copy_file(original, file);
            fs::permissions(file, fs::status(original).permissions());
            fs::remove_all(copy->file("MY_PICTURE"));
            fs::create_directory(copy->file("MY_PICTURE"));
        }
    };
    std::thread second(worker);
    worker();
    second.join();
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    int crashes = 0, hangs = 0, reports = 0, wrong = 0;
    for (size_t i = 0; i < list.size(); ++i) {
        const std::string v = verdict(list[i], outcomes[i]);
        crashes += v.rfind("crash", 0) == 0;
        hangs += v == "hang";
        reports += v == "sanitizer report";
        wrong += !v.empty();
        EXPECT_EQ(v, "") << list[i].name() << "\n--- output ---\n"
                         << outcomes[i].out.substr(
                                outcomes[i].out.size() > 2000 ? outcomes[i].out.size() - 2000 : 0)
                         << "\n--- errors ---\n"
                         << outcomes[i].err.substr(0, 4000);
    }
    std::printf(
        "damaged book: %zu cases, %d crashes, %d hangs, %d sanitizer reports, %d not as "
        "the rule says, in %.0f s\n",
        list.size(), crashes, hangs, reports, wrong, seconds);
}

}  // namespace
}  // namespace cb
