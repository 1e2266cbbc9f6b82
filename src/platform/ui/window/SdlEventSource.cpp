#include "platform/ui/window/SdlEventSource.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <memory>
#include <utility>

#include "orvane/platform/threads/RunLoop.h"
#include "platform/ui/window/SdlLibrary.h"

namespace ov::ui {

namespace {

// The run loop goes round at least this often in real seconds; it re-evaluates every time.
constexpr double kLongestWait = 60.0;

uint32_t windowOf(const SDL_Event& event) {
    switch (event.type) {
        case SDL_WINDOWEVENT:
            return event.window.windowID;
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            return event.key.windowID;
        case SDL_TEXTINPUT:
            return event.text.windowID;
        case SDL_MOUSEMOTION:
            return event.motion.windowID;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            return event.button.windowID;
        case SDL_FINGERDOWN:
        case SDL_FINGERUP:
        case SDL_FINGERMOTION:
            return event.tfinger.windowID;
        default:
            return 0;
    }
}

}  // namespace

SdlEventSource::SdlEventSource(const SdlLibrary& sdl)
    : m_sdl(sdl), m_wakeEvent(sdl.RegisterEvents(1)) {}

SdlEventSource& SdlEventSource::installed(const SdlLibrary& sdl) {
    static const auto source = [&] {
        auto made = std::make_shared<SdlEventSource>(sdl);
        RunLoop::main().setEventSource(made);
        return made;
    }();
    return *source;
}

void SdlEventSource::addWindow(uint32_t id, Handler handler) {
    m_windows[id] = std::move(handler);
    m_lastAdded = id;
}

void SdlEventSource::removeWindow(uint32_t id) {
    m_windows.erase(id);
    if (m_lastAdded == id) m_lastAdded = m_windows.empty() ? 0 : m_windows.rbegin()->first;
}

size_t SdlEventSource::dispatchPending() {
    size_t handled = 0;
    if (m_held) {
        dispatch(*std::exchange(m_held, std::nullopt));
        ++handled;
    }
    SDL_Event event;
    while (m_sdl.PollEvent(&event) == 1) {
        dispatch(event);
        ++handled;
    }
    return handled;
}

double SdlEventSource::waitFor(double seconds) {
    const auto start = std::chrono::steady_clock::now();
    const int milliseconds =
        static_cast<int>(std::ceil(std::clamp(seconds, 0.0, kLongestWait) * 1000));
    if (!m_held && milliseconds > 0) {
        SDL_Event event;
        if (m_sdl.WaitEventTimeout(&event, milliseconds) == 1) m_held = event;
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void SdlEventSource::wake() {
    // One wake-up event in the queue at a time: a burst of tasks must not fill SDL's queue.
    if (m_wakePending.exchange(true)) return;
    SDL_Event event{};
    event.type = m_wakeEvent;
    if (m_sdl.PushEvent(&event) != 1) m_wakePending = false;
}

void SdlEventSource::dispatch(const SDL_Event& event) {
    if (event.type == m_wakeEvent) {
        m_wakePending = false;
        return;
    }
    // Events of a window already closed are dropped; events that name none go to the last.
    const uint32_t window = windowOf(event);
    const auto found = m_windows.find(window != 0 ? window : m_lastAdded);
    if (found == m_windows.end()) return;
    // A copy: the handler may close its window, which removes it from the map.
    const Handler handler = found->second;
    handler(event);
}

}  // namespace ov::ui
