#include "orvane/platform/ui/window/DesktopWindow.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <utility>

#include "orvane/platform/threads/RunLoop.h"
#include "orvane/platform/ui/containers/DeviceOrientation.h"
#include "orvane/platform/ui/layers/DisplayLink.h"
#include "orvane/platform/ui/views/Window.h"
#include "orvane/platform/values/SystemLog.h"
#include "platform/ui/window/SdlEventSource.h"
#include "platform/ui/window/SdlLibrary.h"
#include "platform/ui/window/WindowInput.h"
#include "platform/ui/window/WindowSurface.h"

namespace ov::ui {

namespace {

constexpr Size kDefaultSize{375, 667};
// The density desktop displays were drawn for at scale 1.
constexpr double kPointsPerInch = 96;

double displayScale(const SdlLibrary& sdl, int display) {
    float horizontalDpi = 0;
    if (sdl.GetDisplayDPI(display, nullptr, &horizontalDpi, nullptr) != 0 || horizontalDpi <= 0)
        return 1;
    return std::clamp(std::round(horizontalDpi / kPointsPerInch), 1.0, 3.0);
}

int toPixels(double points, double scale) {
    return std::max(1, static_cast<int>(std::lround(points * scale)));
}

}  // namespace

struct DesktopWindow::Parts {
    Parts(const SdlLibrary& library, std::shared_ptr<Window> shownRoot, double pixelsPerPoint)
        : sdl(library), root(std::move(shownRoot)), scale(pixelsPerPoint) {}

    const SdlLibrary& sdl;
    std::shared_ptr<Window> root;
    double scale;
    SDL_Window* window = nullptr;
    uint32_t id = 0;
    std::unique_ptr<WindowInput> input;
    std::shared_ptr<DisplayLink> link;
    // The pixels last put on screen; empty when the screen must be drawn again whatever they
    // are (first frame, exposed, resized).
    Image::Pixels shown;

    void handle(const SDL_Event& event);
    void resized(int pixelWidth, int pixelHeight);
    void close();
};

void DesktopWindow::Parts::handle(const SDL_Event& event) {
    if (input->handle(event) || event.type != SDL_WINDOWEVENT) return;
    switch (event.window.event) {
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            resized(event.window.data1, event.window.data2);
            break;
        case SDL_WINDOWEVENT_EXPOSED:
            shown.reset();
            break;
        case SDL_WINDOWEVENT_CLOSE:
            close();
            break;
        default:
            break;
    }
}

void DesktopWindow::Parts::resized(int pixelWidth, int pixelHeight) {
    const Size size{pixelWidth / scale, pixelHeight / scale};
    // First the orientation, whose root controller may turn the window, then the real size.
    DeviceOrientation::current().setOrientation(
        size.width > size.height ? UIDeviceOrientationLandscapeLeft : UIDeviceOrientationPortrait);
    root->setFrame({{0, 0}, size});
    shown.reset();
}

void DesktopWindow::Parts::close() {
    if (!window) return;
    link->invalidate();
    SdlEventSource::installed(sdl).removeWindow(id);
    sdl.DestroyWindow(std::exchange(window, nullptr));
    shown.reset();
}

bool DesktopWindow::isDisplayNamed() {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY"}) {
        const char* value = std::getenv(name);
        if (value && *value) return true;
    }
    return false;
}

std::unique_ptr<DesktopWindow> DesktopWindow::open(std::shared_ptr<Window> window,
                                                   const Options& options) {
    if (!window) {
        systemLog("window not shown: there is no window to show");
        return nullptr;
    }
    if (!isDisplayNamed()) {
        systemLog("window not shown: no display is named (DISPLAY and WAYLAND_DISPLAY are unset)");
        return nullptr;
    }
    const SdlLibrary* sdl = SdlLibrary::video();
    if (!sdl) return nullptr;
    if (window->bounds().isEmpty()) window->setFrame({{0, 0}, kDefaultSize});
    const double scale = options.scale.value_or(displayScale(*sdl, 0));
    const Size size = window->bounds().size;
    SDL_Window* shown = sdl->CreateWindow(options.title.c_str(), SDL_WINDOWPOS_UNDEFINED,
                                          SDL_WINDOWPOS_UNDEFINED, toPixels(size.width, scale),
                                          toPixels(size.height, scale), SDL_WINDOW_RESIZABLE);
    if (!shown) {
        systemLog("window not shown: %@", String(sdl->GetError()));
        return nullptr;
    }
    sdl->StartTextInput();
    auto parts = std::make_unique<Parts>(*sdl, window, scale);
    parts->window = shown;
    parts->id = sdl->GetWindowID(shown);
    parts->input = std::make_unique<WindowInput>(window, scale);
    std::unique_ptr<DesktopWindow> desktop(new DesktopWindow(std::move(parts)));
    Parts* state = desktop->m_parts.get();
    SdlEventSource::installed(*sdl).addWindow(state->id,
                                              [state](const SDL_Event& e) { state->handle(e); });
    state->link = DisplayLink::displayLinkWithTarget(
        [raw = desktop.get()](DisplayLink&) { raw->presentIfChanged(); });
    state->link->addToRunLoop(RunLoop::main());
    window->makeKeyAndVisible();
    desktop->presentIfChanged();
    return desktop;
}

DesktopWindow::DesktopWindow(std::unique_ptr<Parts> parts) : m_parts(std::move(parts)) {}

DesktopWindow::~DesktopWindow() {
    m_parts->close();
}

bool DesktopWindow::isOpen() const {
    return m_parts->window != nullptr;
}

void DesktopWindow::close() {
    m_parts->close();
}

void DesktopWindow::runUntilClosed() {
    RunLoop::main().runUntil([this] { return !isOpen(); }, std::numeric_limits<double>::infinity());
}

double DesktopWindow::scale() const {
    return m_parts->scale;
}

void DesktopWindow::setFramesPerSecond(int framesPerSecond) {
    m_parts->link->setPreferredFramesPerSecond(framesPerSecond);
}

uint32_t DesktopWindow::windowId() const {
    return m_parts->id;
}

bool DesktopWindow::presentIfChanged() {
    Parts& parts = *m_parts;
    if (!parts.window) return false;
    const auto frame = renderToImage(*parts.root, parts.scale);
    if (!frame) return false;
    if (parts.shown && *parts.shown == *frame->pixels()) return false;
    if (!showOnWindow(parts.sdl, parts.window, *frame)) return false;
    parts.shown = frame->pixels();
    return true;
}

std::shared_ptr<Image> DesktopWindow::screenshot() const {
    return m_parts->window ? readWindow(m_parts->sdl, m_parts->window, m_parts->scale) : nullptr;
}

}  // namespace ov::ui
