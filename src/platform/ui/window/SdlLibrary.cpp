#include "platform/ui/window/SdlLibrary.h"

#include <dlfcn.h>

#include <cstdlib>
#include <string_view>

#include "orvane/platform/values/SystemLog.h"

namespace ov::ui {

namespace {

constexpr const char* kLibraryName = "libSDL2-2.0.so.0";

template <class Function>
bool bind(void* handle, const char* name, Function& slot) {
    slot = reinterpret_cast<Function>(dlsym(handle, name));
    if (slot) return true;
    systemLog("window not shown: %@ has no %@", kLibraryName, name);
    return false;
}

bool bindAll(void* handle, SdlLibrary& sdl) {
#define OV_SDL_BIND(name) bind(handle, "SDL_" #name, sdl.name)
    return OV_SDL_BIND(GetError) && OV_SDL_BIND(InitSubSystem) && OV_SDL_BIND(QuitSubSystem) &&
           OV_SDL_BIND(GetCurrentVideoDriver) && OV_SDL_BIND(SetHint) &&
           OV_SDL_BIND(CreateWindow) && OV_SDL_BIND(DestroyWindow) && OV_SDL_BIND(GetWindowID) &&
           OV_SDL_BIND(GetWindowFromID) && OV_SDL_BIND(GetWindowSize) &&
           OV_SDL_BIND(SetWindowSize) && OV_SDL_BIND(GetWindowDisplayIndex) &&
           OV_SDL_BIND(GetDisplayDPI) && OV_SDL_BIND(GetWindowSurface) &&
           OV_SDL_BIND(UpdateWindowSurface) && OV_SDL_BIND(LockSurface) &&
           OV_SDL_BIND(UnlockSurface) && OV_SDL_BIND(ConvertPixels) && OV_SDL_BIND(PollEvent) &&
           OV_SDL_BIND(WaitEventTimeout) && OV_SDL_BIND(PushEvent) && OV_SDL_BIND(RegisterEvents) &&
           OV_SDL_BIND(StartTextInput);
#undef OV_SDL_BIND
}

// Never unloaded: X11 and SDL keep process-wide state that outlives any window.
const SdlLibrary* load() {
    void* handle = dlopen(kLibraryName, RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        systemLog("window not shown: %@ cannot be loaded (%@)", kLibraryName, String(dlerror()));
        return nullptr;
    }
    static SdlLibrary sdl;
    return bindAll(handle, sdl) ? &sdl : nullptr;
}

bool startVideo(const SdlLibrary& sdl) {
    // The display the environment names, so SDL does not probe the others (and print why they
    // failed); SDL_VIDEODRIVER in the environment still wins.
    const char* display = std::getenv("DISPLAY");
    sdl.SetHint(SDL_HINT_VIDEODRIVER, display && *display ? "x11" : "wayland");
    // The desktop's compositor keeps running while our windows are open.
    sdl.SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    if (sdl.InitSubSystem(SDL_INIT_VIDEO) != 0) {
        systemLog("window not shown: no display can be reached (%@)", String(sdl.GetError()));
        return false;
    }
    // Without a display SDL falls back to drivers that show nothing.
    const std::string_view driver = sdl.GetCurrentVideoDriver();
    if (driver == "offscreen" || driver == "dummy") {
        sdl.QuitSubSystem(SDL_INIT_VIDEO);
        systemLog("window not shown: no display can be reached (only SDL's %@ driver)",
                  String(driver));
        return false;
    }
    return true;
}

}  // namespace

const SdlLibrary* SdlLibrary::video() {
    static const SdlLibrary* const loaded = load();
    static bool started = false;
    if (!loaded) return nullptr;
    if (!started) started = startVideo(*loaded);
    return started ? loaded : nullptr;
}

}  // namespace ov::ui
