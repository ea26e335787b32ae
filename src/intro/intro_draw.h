// Draws the intro's scene with an SDL renderer: the soft background, the paint discs built
// from a few generated textures, and the title (the built-in picture, or dot lettering).
#pragma once

#include <SDL.h>

#include "intro_scene.h"

namespace intro {

class Painter {
  public:
    // title may be null; then the lettering of titleDots() stands in for it.
    Painter(SDL_Renderer* renderer, SDL_Texture* title);
    ~Painter();
    Painter(const Painter&) = delete;
    Painter& operator=(const Painter&) = delete;

    void frame(double t);

  private:
    void background();
    void disc(double x, double y, double radius, size_t colour, double alpha);
    void shadow(double x, double y, double halfWidth, double alpha);
    void title(const TitlePose& pose);

    SDL_Renderer* renderer_;
    SDL_Texture* title_;
    SDL_Texture* disc_ = nullptr;
    SDL_Texture* gloss_ = nullptr;
    SDL_Texture* shadow_ = nullptr;
};

}  // namespace intro
