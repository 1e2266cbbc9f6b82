#pragma once
// SDL's event queue merged into the main run loop: the loop hands SDL's events to the windows
// they belong to on every pass, and sleeps in SDL_WaitEventTimeout, so a window event and the
// next timer or queued task wake it alike. Installed on the main loop by the first window shown
// and kept for the life of the process. Main thread only, except wake().

#include <SDL.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>

#include "orvane/platform/threads/RunLoopEventSource.h"

namespace ov::ui {

struct SdlLibrary;

class SdlEventSource : public RunLoopEventSource {
  public:
    using Handler = std::function<void(const SDL_Event&)>;

    explicit SdlEventSource(const SdlLibrary& sdl);
    // The one on the main run loop, made and installed on first use.
    static SdlEventSource& installed(const SdlLibrary& sdl);

    // Events of window `id` go to `handler`; so do events that name no window (a keyboard
    // without a focused window) when it was added last.
    void addWindow(uint32_t id, Handler handler);
    void removeWindow(uint32_t id);

    size_t dispatchPending() override;
    double waitFor(double seconds) override;
    void wake() override;

  private:
    void dispatch(const SDL_Event& event);

    const SdlLibrary& m_sdl;
    const uint32_t m_wakeEvent;
    std::atomic<bool> m_wakePending{false};
    // An event taken off SDL's queue by a wait, dispatched on the next pass.
    std::optional<SDL_Event> m_held;
    std::map<uint32_t, Handler> m_windows;
    uint32_t m_lastAdded = 0;
};

}  // namespace ov::ui
