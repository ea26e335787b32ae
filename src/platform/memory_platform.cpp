#include "platform/memory_platform.h"

#include <sys/stat.h>

#include <cmath>

#include "platform/errors.h"
#include "platform/paths.h"

namespace cb {

MemoryPlatform::MemoryPlatform() = default;

std::vector<std::string> MemoryPlatform::entries(const std::string& prefix) const {
    std::vector<std::string> out;
    for (const auto& line : log)
        if (line.rfind(prefix, 0) == 0) out.push_back(line);
    return out;
}

float MemoryPlatform::timeOf(const std::string& prefix) const {
    for (size_t i = 0; i < log.size(); ++i)
        if (log[i].rfind(prefix, 0) == 0) return logTimes[i];
    return -1;
}

void MemoryPlatform::at(double time, std::function<void(InputSink&)> event) {
    script_.emplace(time, std::move(event));
}

void MemoryPlatform::key(InputSink& sink, uint32_t vkCode, int modifiers, bool repeat) {
    const bool alt = (modifiers & kAltMask) != 0;
    if (keyPassesFilter(filter, vkCode, 0, false, alt, 0))
        sink.keyPressed(int(vkCode), modifiers, repeat);
    keyPassesFilter(filter, vkCode, 0, true, alt, 0);
}

void MemoryPlatform::waitEvents(double timeoutSeconds, InputSink& sink) {
    ++waits;
    const double deadline = clock + (timeoutSeconds > 0 ? timeoutSeconds : 0);
    if (script_.empty() || script_.begin()->first > deadline) {
        advanceTo(deadline);
        return;
    }
    // Everything due by the deadline is delivered, each at its own time, as one batch.
    while (!script_.empty() && script_.begin()->first <= deadline) {
        auto node = script_.extract(script_.begin());
        if (node.key() > clock) clock = static_cast<float>(node.key());
        node.mapped()(sink);
    }
}

bool MemoryPlatform::pauseHoldingInput(double seconds) {
    advanceTo(clock + (seconds > 0 ? seconds : 0));
    return terminatePending;
}

void MemoryPlatform::advanceTo(double time) {
    // The clock is single precision, like the one the program reads: a step shorter than
    // its resolution still moves it, so that no wait can stand still.
    const float next = static_cast<float>(time);
    clock = (time > clock && next <= clock) ? std::nextafter(clock, 1e9f) : next;
}

uint32_t MemoryPlatform::fileLength(const std::string& path) {
    note("measure " + path);
    return Platform::fileLength(path);
}

Picture MemoryPlatform::loadPicture(const std::string& path) {
    note("load " + path);
    return Platform::loadPicture(path);
}

void MemoryPlatform::savePicture(const Image& image, const std::string& path) {
    note("save " + path);
    Platform::savePicture(image, path);
}

void MemoryPlatform::setCurrentDirectory(const std::string& path) {
    note("chdir " + path);
}

void MemoryPlatform::setWindowVisible(bool visible) {
    windowVisible = visible;
    note(visible ? "show window" : "hide window");
}

void MemoryPlatform::minimizeWindow() {
    note("minimize window");
}

void MemoryPlatform::setCursor(const Cursor& c) {
    cursor = c;
}

void MemoryPlatform::present(const Image& f, const std::vector<Rect>&) {
    frame = &f;
    ++presents;
}

uint32_t MemoryPlatform::installKeyboardFilter(KeyboardFilter f) {
    note("install filter");
    if (!filterInstalls) return 0;
    filter = f;
    return 1;
}

void MemoryPlatform::removeKeyboardFilter(uint32_t handle) {
    note("remove filter " + std::to_string(handle));
    filter = nullptr;
}

void MemoryPlatform::setDisplayMode(int width, int height, int bitsPerPixel) {
    note("display mode " + std::to_string(width) + "x" + std::to_string(height) + "x" +
         std::to_string(bitsPerPixel));
    if (displayRefuses) throw PlatformError("the display refuses the mode");
    fullScreen = true;
}

void MemoryPlatform::restoreDisplayMode() {
    note("restore display mode");
    if (restoreFails) throw PlatformError("the display mode cannot be restored");
    fullScreen = false;
}

void MemoryPlatform::startProgram(const std::string& path) {
    note("start " + path);
    struct stat st;
    if (stat(resolvePath(path).c_str(), &st) != 0) throw PlatformError("no program " + path);
}

void MemoryPlatform::playEffect(const std::string& path) {
    note("effect " + path);
}

void MemoryPlatform::openMusic() {
    note("music open");
    if (!musicAvailable) throw PlatformError("no MIDI playback");
}

void MemoryPlatform::setMusicVolume(int hundredthsOfDecibel) {
    note("music volume " + std::to_string(hundredthsOfDecibel));
}

void MemoryPlatform::loadMusic(const std::string& path) {
    note("music load " + path);
    musicLoaded_ = false;
    musicSounding = false;  // what played stops, as the synthesiser's does
    struct stat st;
    if (stat(resolvePath(path).c_str(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_size == 0)
        throw PlatformError("cannot load the music " + path);
    musicLoaded_ = true;
}

void MemoryPlatform::playMusic() {
    note("music play");
    if (!musicLoaded_) throw PlatformError("no music loaded");
    musicSounding = true;
}

void MemoryPlatform::stopMusic() {
    note("music stop");
    if (!musicAvailable) throw PlatformError("the music engine is gone");
    musicSounding = false;
}

bool MemoryPlatform::musicPlaying() {
    note("music playing?");
    return musicSounding;
}

void MemoryPlatform::closeMusic() {
    note("music close");
    musicSounding = false;
}

void MemoryPlatform::printPicture(const Image& picture, const std::string& title) {
    note("print " + title);
    if (!printerAvailable) throw PlatformError("no printer");
    printed.push_back(picture);
}

void MemoryPlatform::openUrl(const std::string& url) {
    note("open " + url);
}

void MemoryPlatform::exitNow() {
    note("exit");
    throw ProgramEnd{0};
}

}  // namespace cb
