#pragma once
// SDL2, loaded with dlopen the first time a window is shown, so that the library neither links
// it nor needs it headless. Only the functions the window backend uses are looked up; SDL's own
// headers give their types.

#include <SDL.h>

namespace ov::ui {

struct SdlLibrary {
    // The loaded library with its video subsystem started, or nullptr (logged once per
    // attempt) when SDL cannot be loaded or no display can be reached. Main thread only.
    static const SdlLibrary* video();

    decltype(&::SDL_GetError) GetError;
    decltype(&::SDL_InitSubSystem) InitSubSystem;
    decltype(&::SDL_QuitSubSystem) QuitSubSystem;
    decltype(&::SDL_GetCurrentVideoDriver) GetCurrentVideoDriver;
    decltype(&::SDL_SetHint) SetHint;
    decltype(&::SDL_CreateWindow) CreateWindow;
    decltype(&::SDL_DestroyWindow) DestroyWindow;
    decltype(&::SDL_GetWindowID) GetWindowID;
    decltype(&::SDL_GetWindowFromID) GetWindowFromID;
    decltype(&::SDL_GetWindowSize) GetWindowSize;
    decltype(&::SDL_SetWindowSize) SetWindowSize;
    decltype(&::SDL_GetWindowDisplayIndex) GetWindowDisplayIndex;
    decltype(&::SDL_GetDisplayDPI) GetDisplayDPI;
    decltype(&::SDL_GetWindowSurface) GetWindowSurface;
    decltype(&::SDL_UpdateWindowSurface) UpdateWindowSurface;
    decltype(&::SDL_LockSurface) LockSurface;
    decltype(&::SDL_UnlockSurface) UnlockSurface;
    decltype(&::SDL_ConvertPixels) ConvertPixels;
    decltype(&::SDL_PollEvent) PollEvent;
    decltype(&::SDL_WaitEventTimeout) WaitEventTimeout;
    decltype(&::SDL_PushEvent) PushEvent;
    decltype(&::SDL_RegisterEvents) RegisterEvents;
    decltype(&::SDL_StartTextInput) StartTextInput;
};

}  // namespace ov::ui
