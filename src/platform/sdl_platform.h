// The product's platform: one borderless 1024 x 768 window over SDL2, effects and music through
// SDL_mixer (the music rendered by FluidSynth), programs started with posix_spawn. The only
// place that holds SDL objects.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "platform/platform.h"

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;
struct SDL_Cursor;
struct Mix_Chunk;
union SDL_Event;

namespace cb {

class MidiSynth;
class WaylandShortcuts;
class X11WindowState;

class SdlPlatform : public Platform {
  public:
    // The layout's size: the window, the texture and the logical size of the renderer.
    static constexpr int kWidth = 1024;
    static constexpr int kHeight = 768;

    // Opens SDL (on a Wayland desktop its Wayland driver, otherwise or when that cannot start
    // X11), the hidden window with the given icon, its renderer and texture, and the mixer
    // (sound that cannot be opened leaves effects silent). Throws PlatformError when there is
    // no display to draw on.
    explicit SdlPlatform(const Image& icon);
    ~SdlPlatform() override;
    SdlPlatform(const SdlPlatform&) = delete;
    SdlPlatform& operator=(const SdlPlatform&) = delete;

    float timer() override;
    double steadySeconds() override;
    void waitEvents(double timeoutSeconds, InputSink& sink) override;
    bool pauseHoldingInput(double seconds) override;
    void setWindowVisible(bool visible) override;
    void minimizeWindow() override;
    void setCursor(const Cursor& cursor) override;
    void present(const Image& frame, const std::vector<Rect>& changed) override;
    uint32_t installKeyboardFilter(KeyboardFilter filter) override;
    void removeKeyboardFilter(uint32_t handle) override;
    void setDisplayMode(int width, int height, int bitsPerPixel) override;
    void restoreDisplayMode() override;
    void startProgram(const std::string& path) override;
    void playEffect(const std::string& path) override;
    void openMusic() override;
    void setMusicVolume(int hundredthsOfDecibel) override;
    void loadMusic(const std::string& path) override;
    void playMusic() override;
    void stopMusic() override;
    bool musicPlaying() override;
    void closeMusic() override;
    void printPicture(const Image& picture, const std::string& title) override;
    void openUrl(const std::string& url) override;
    [[noreturn]] void exitNow() override;

    // What the window shows now, read back from the renderer at its output size (screenshots
    // and tests).
    Image capture();
    SDL_Window* window() const { return window_; }

  protected:
    // The programs started that have not yet been seen to end. The product leaves them to
    // run; a harness that runs the program hundreds of times in a row stops them itself.
    const std::vector<pid_t>& startedPrograms() const { return children_; }

  private:
    // A pointer position not yet delivered: a burst of motion is delivered as its last point.
    struct PendingMotion {
        bool pending = false;
        int x = 0, y = 0, buttons = 0;
    };

    void shutDown();
    // Holds the desktop's shortcuts for the window while the keyboard filter is installed and
    // the window shows and is not minimised, and lets them go otherwise.
    void updateKeyboardHold();
    bool keyboardHoldWanted() const;
    // X11: the keyboard grabbed again as the window shows again (see X11WindowState).
    void holdKeyboardAgain();
    // Full screen as setDisplayMode took it: the mode (or the desktop's size on Wayland).
    void takeFullScreen();
    // Back from being minimised: full screen and the book's mode again. Window managers that
    // do not tell SDL a window was restored would otherwise leave the desktop's mode on.
    void returnFromMinimised();
    // Lets go of the cached cursors whose pictures nobody else holds any more.
    void forgetUnheldCursors();
    void openMixer();
    void closeMixer();
    void render();
    void recreateTexture();
    void reapChildren();
    // Delivers what the queue holds now; says whether any input reached the sink.
    bool deliverPending(InputSink& sink);
    // One event taken off the queue (motion only updates `motion`); true when it reached the
    // sink.
    bool dispatch(const SDL_Event& event, PendingMotion& motion, InputSink& sink);
    bool deliverKey(const SDL_Event& event, InputSink& sink);

    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    // False until a whole frame is in the texture (at the start, and after the device lost it).
    bool uploaded_ = false;
    bool sdlOpen_ = false;

    int buttonsHeld_ = 0;
    KeyboardFilter filter_ = nullptr;
    bool filterInstalled_ = false;
    // The compositor's shortcuts on a Wayland desktop; unavailable on any other.
    std::unique_ptr<WaylandShortcuts> shortcuts_;
    // On X11, whether the window manager has the window iconified; unavailable elsewhere.
    std::unique_ptr<X11WindowState> x11State_;
    // A Wayland compositor keeps its own display mode whatever the program asks for.
    bool compositorKeepsMode_ = false;
    // setDisplayMode took the screen, and restoreDisplayMode has not given it back.
    bool fullScreenTaken_ = false;
    // The window went away while full screen, minimised by the program or iconified by the
    // window manager; it takes the screen again when it is back.
    bool minimisedFromFullScreen_ = false;

    // Cursors made so far, by picture and hotspot, for as long as someone besides the cache
    // holds the picture; the picture is held so its address stays unique for as long as the
    // cursor is cached.
    struct CachedCursor {
        Picture picture;
        SDL_Cursor* cursor = nullptr;
    };
    std::map<std::tuple<const Image*, int, int>, CachedCursor> cursors_;
    SDL_Cursor* currentCursor_ = nullptr;

    bool mixerOpen_ = false;
    Mix_Chunk* effect_ = nullptr;
    // Made when the music is first switched on; it keeps the soundfont loaded from then on.
    std::unique_ptr<MidiSynth> synth_;
    int musicVolume_ = 150;  // hundredths of a decibel, the loudest the program asks for

    std::vector<pid_t> children_;
};

}  // namespace cb
