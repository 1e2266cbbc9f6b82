#pragma once
// Pixels in and out of a desktop window's software surface (SDL_GetWindowSurface), converted
// between Cairo's premultiplied ARGB32 and whatever layout the window system chose.

#include <SDL.h>

#include <memory>

#include "orvane/platform/files/Image.h"

namespace ov::ui {

struct SdlLibrary;

// Copies `image` to the window's top-left corner (clipped to the window) and shows it. False
// when the window has no surface now.
bool showOnWindow(const SdlLibrary& sdl, SDL_Window* window, const Image& image);
// What the window's surface holds, as an image at `scale`; nullptr when it has no surface.
std::shared_ptr<Image> readWindow(const SdlLibrary& sdl, SDL_Window* window, double scale);

}  // namespace ov::ui
