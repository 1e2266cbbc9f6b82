#include "platform/ui/window/WindowSurface.h"

#include <algorithm>
#include <vector>

#include "platform/ui/window/SdlLibrary.h"

namespace ov::ui {

namespace {

// Cairo's ARGB32 in native byte order, which SDL names by the packed 32-bit value.
constexpr Uint32 kImageFormat = SDL_PIXELFORMAT_ARGB8888;

// Runs `copy(surface)` with the surface's pixels reachable. False without a surface.
template <class Copy>
bool withSurface(const SdlLibrary& sdl, SDL_Window* window, Copy copy) {
    SDL_Surface* surface = sdl.GetWindowSurface(window);
    if (!surface || sdl.LockSurface(surface) != 0) return false;
    const bool copied = copy(*surface);
    sdl.UnlockSurface(surface);
    return copied;
}

}  // namespace

bool showOnWindow(const SdlLibrary& sdl, SDL_Window* window, const Image& image) {
    const bool copied = withSurface(sdl, window, [&](SDL_Surface& surface) {
        const int width = std::min(surface.w, image.pixelWidth());
        const int height = std::min(surface.h, image.pixelHeight());
        return sdl.ConvertPixels(width, height, kImageFormat, image.pixels()->data(),
                                 image.stride(), surface.format->format, surface.pixels,
                                 surface.pitch) == 0;
    });
    return copied && sdl.UpdateWindowSurface(window) == 0;
}

std::shared_ptr<Image> readWindow(const SdlLibrary& sdl, SDL_Window* window, double scale) {
    std::shared_ptr<Image> image;
    withSurface(sdl, window, [&](SDL_Surface& surface) {
        auto pixels = std::make_shared<std::vector<uint8_t>>(size_t(surface.w) * surface.h * 4);
        if (sdl.ConvertPixels(surface.w, surface.h, surface.format->format, surface.pixels,
                              surface.pitch, kImageFormat, pixels->data(), surface.w * 4) != 0) {
            return false;
        }
        image = Image::imageWithARGB32(surface.w, surface.h, std::move(pixels), scale);
        return image != nullptr;
    });
    return image;
}

}  // namespace ov::ui
