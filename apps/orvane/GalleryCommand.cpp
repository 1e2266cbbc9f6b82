// `orvane gallery --live`: the component gallery in a desktop window, until it is closed.
// (`orvane render gallery DIR` writes its pictures.)
#include <cstdio>
#include <string_view>

#include "Command.h"
#include "LiveGallery.h"
#include "orvane/platform/ui/window/DesktopWindow.h"

namespace orvane::cli {
namespace {

constexpr std::string_view kName = "gallery";

int runLive() {
    if (!ov::ui::DesktopWindow::isDisplayNamed()) {
        std::fprintf(stderr,
                     "orvane gallery: no display to open a window on (DISPLAY and "
                     "WAYLAND_DISPLAY are unset)\n");
        return 1;
    }
    if (!gallery::showLiveGallery()) {
        std::fprintf(stderr, "orvane gallery: cannot open a window\n");
        return 1;
    }
    return 0;
}

int runGallery(Arguments arguments) {
    if (arguments.size() != 1 || std::string_view(arguments[0]) != "--live") return usage(kName);
    return runLive();
}

const Command kGallery{kName, "gallery --live", runGallery};

}  // namespace
}  // namespace orvane::cli
