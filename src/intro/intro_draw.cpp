#include "intro_draw.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace intro {

namespace {

constexpr int kTextureSize = 128;

// A square RGBA texture whose every pixel comes from shade(dx, dy): offsets from the centre
// in units of the radius, giving a grey level and a coverage in 0..1.
struct Shade {
    double grey;
    double alpha;
};
SDL_Texture* makeTexture(SDL_Renderer* renderer,
                         const std::function<Shade(double, double)>& shade) {
    SDL_Surface* s =
        SDL_CreateRGBSurfaceWithFormat(0, kTextureSize, kTextureSize, 32, SDL_PIXELFORMAT_RGBA32);
    if (s == nullptr) return nullptr;
    const double half = kTextureSize / 2.0;
    for (int y = 0; y < kTextureSize; ++y) {
        auto* row = static_cast<Uint8*>(s->pixels) + y * s->pitch;
        for (int x = 0; x < kTextureSize; ++x) {
            const Shade v = shade((x + 0.5 - half) / (half - 1.0), (y + 0.5 - half) / (half - 1.0));
            const auto grey = static_cast<Uint8>(std::lround(255.0 * std::clamp(v.grey, 0.0, 1.0)));
            row[4 * x + 0] = grey;
            row[4 * x + 1] = grey;
            row[4 * x + 2] = grey;
            row[4 * x + 3] = static_cast<Uint8>(std::lround(255.0 * std::clamp(v.alpha, 0.0, 1.0)));
        }
    }
    SDL_Texture* texture = SDL_CreateTextureFromSurface(renderer, s);
    SDL_FreeSurface(s);
    if (texture != nullptr) SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
    return texture;
}

// Coverage of the unit circle with a one-pixel soft edge, so the discs are smooth.
double edge(double d) {
    return std::clamp((1.0 - d) * (kTextureSize / 2.0 - 1.0) + 0.5, 0.0, 1.0);
}

SDL_FRect around(double x, double y, double halfWidth, double halfHeight) {
    return {static_cast<float>(x - halfWidth), static_cast<float>(y - halfHeight),
            static_cast<float>(2.0 * halfWidth), static_cast<float>(2.0 * halfHeight)};
}

Uint8 byte(double unit) {
    return static_cast<Uint8>(std::lround(255.0 * std::clamp(unit, 0.0, 1.0)));
}

}  // namespace

Painter::Painter(SDL_Renderer* renderer, SDL_Texture* title) : renderer_(renderer), title_(title) {
    // The disc is lit from the upper left: a touch darker towards the lower right.
    disc_ = makeTexture(renderer, [](double dx, double dy) {
        const double d = std::hypot(dx, dy);
        return Shade{1.0 - 0.14 * std::clamp((dx + dy) / 2.0 + 0.3, 0.0, 1.0), edge(d)};
    });
    gloss_ = makeTexture(renderer, [](double dx, double dy) {
        const double d = std::hypot(dx, dy);
        return Shade{1.0, 0.7 * std::pow(std::clamp(1.0 - d, 0.0, 1.0), 0.8)};
    });
    shadow_ = makeTexture(renderer, [](double dx, double dy) {
        const double d2 = dx * dx + dy * dy;
        const double fall = std::clamp(1.0 - d2, 0.0, 1.0);
        return Shade{0.0, fall * fall};
    });
}

Painter::~Painter() {
    for (SDL_Texture* t : {disc_, gloss_, shadow_}) {
        if (t != nullptr) SDL_DestroyTexture(t);
    }
}

void Painter::frame(double t) {
    background();
    title(titleAt(t));
    for (size_t i = 0; i < kColours; ++i) {
        const DiscPose pose = discAt(i, t);
        if (!pose.visible) continue;
        shadow(pose.x, pose.groundY, pose.radius * (1.0 - 0.5 * pose.lift),
               0.35 * (1.0 - pose.lift));
    }
    for (size_t i = 0; i < kColours; ++i) {
        const DiscPose pose = discAt(i, t);
        if (pose.visible) disc(pose.x, pose.y, pose.radius, i, 1.0);
    }
}

void Painter::background() {
    // Whatever the letterbox bars show, the same soft colour as the scene's edges.
    SDL_SetRenderDrawColor(renderer_, 246, 246, 244, 255);
    SDL_RenderClear(renderer_);
    const SDL_Color top{255, 249, 236, 255};
    const SDL_Color bottom{228, 241, 255, 255};
    const float w = kWidth;
    const float h = kHeight;
    const SDL_Vertex v[4] = {{{0, 0}, top, {0, 0}},
                             {{w, 0}, top, {0, 0}},
                             {{w, h}, bottom, {0, 0}},
                             {{0, h}, bottom, {0, 0}}};
    const int order[6] = {0, 1, 2, 0, 2, 3};
    SDL_RenderGeometry(renderer_, nullptr, v, 4, order, 6);
}

void Painter::shadow(double x, double y, double halfWidth, double alpha) {
    if (shadow_ == nullptr || alpha <= 0.0) return;
    SDL_SetTextureAlphaMod(shadow_, byte(alpha));
    const SDL_FRect r = around(x, y, halfWidth * 1.1, halfWidth * 0.28);
    SDL_RenderCopyF(renderer_, shadow_, nullptr, &r);
}

void Painter::disc(double x, double y, double radius, size_t colour, double alpha) {
    if (disc_ == nullptr) return;
    const Rgb rim = rimOf(colour);
    const Rgb fill = kPalette[colour];
    SDL_SetTextureAlphaMod(disc_, byte(alpha));
    SDL_SetTextureColorMod(disc_, rim.r, rim.g, rim.b);
    const SDL_FRect outer = around(x, y, radius, radius);
    SDL_RenderCopyF(renderer_, disc_, nullptr, &outer);
    SDL_SetTextureColorMod(disc_, fill.r, fill.g, fill.b);
    const double inner = radius * 0.88;
    const SDL_FRect body = around(x, y, inner, inner);
    SDL_RenderCopyF(renderer_, disc_, nullptr, &body);
    if (gloss_ != nullptr) {
        SDL_SetTextureAlphaMod(gloss_, byte(0.75 * alpha));
        const SDL_FRect shine =
            around(x - 0.32 * radius, y - 0.38 * radius, 0.36 * radius, 0.22 * radius);
        SDL_RenderCopyF(renderer_, gloss_, nullptr, &shine);
    }
}

void Painter::title(const TitlePose& pose) {
    if (pose.alpha <= 0.0) return;
    if (title_ != nullptr) {
        int w = 0;
        int h = 0;
        SDL_QueryTexture(title_, nullptr, nullptr, &w, &h);
        // Fit a picture of any size into the space above the discs.
        const double fit = std::min({1.0, 900.0 / std::max(w, 1), 260.0 / std::max(h, 1)});
        const double s = fit * pose.scale;
        SDL_SetTextureAlphaMod(title_, byte(pose.alpha));
        const SDL_FRect r = around(pose.centreX, pose.centreY, w * s / 2.0, h * s / 2.0);
        SDL_RenderCopyF(renderer_, title_, nullptr, &r);
        return;
    }
    constexpr double kPitch = 11.0;
    for (const Dot& dot : titleDots(kPitch)) {
        disc(pose.centreX + dot.x * pose.scale, pose.centreY + dot.y * pose.scale,
             0.5 * kPitch * pose.scale, dot.colour, pose.alpha);
    }
}

}  // namespace intro
