// `orvane render badge TEXT [--scale S] [--style default|old] -o FILE.png` and
// `orvane render gallery DIR`: interface components drawn to PNG files.
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "Command.h"
#include "Gallery.h"
#include "HudPictures.h"
#include "PictureFile.h"
#include "ProgressPictures.h"
#include "orvane/components/CustomBadge.h"

namespace orvane::cli {
namespace {

constexpr std::string_view kName = "render";

struct BadgeOptions {
    std::string text;
    double scale = 1.0;
    bool oldStyle = false;
    std::string output;
};

std::optional<BadgeOptions> parseBadge(Arguments arguments) {
    if (arguments.empty()) return std::nullopt;
    BadgeOptions options;
    options.text = arguments[0];
    for (size_t i = 1; i + 1 < arguments.size(); i += 2) {
        const std::string_view flag = arguments[i];
        const char* value = arguments[i + 1];
        if (flag == "--scale") {
            const auto scale = numberArgument(value, std::numeric_limits<double>::denorm_min(), 64);
            if (!scale) return std::nullopt;
            options.scale = *scale;
        } else if (flag == "--style" &&
                   (std::string_view(value) == "default" || std::string_view(value) == "old")) {
            options.oldStyle = std::string_view(value) == "old";
        } else if (flag == "-o") {
            options.output = value;
        } else {
            return std::nullopt;
        }
    }
    if (arguments.size() % 2 == 0 || options.output.empty()) return std::nullopt;
    return options;
}

int renderBadge(const BadgeOptions& options) {
    auto badge = ov::CustomBadge::customBadgeWithString(
        ov::String(options.text), options.scale,
        options.oldStyle ? ov::BadgeStyle::oldStyle() : ov::BadgeStyle::defaultStyle());
    return writePictureFile(*badge, 2, options.output);
}

int renderGallery(const std::string& directory) {
    const auto written = gallery::writeGallery(directory);
    if (written.empty()) {
        std::fprintf(stderr, "orvane render: cannot write the gallery into %s\n",
                     directory.c_str());
        return 1;
    }
    for (const std::string& path : written)
        std::printf("%s\n", path.c_str());
    return 0;
}

int orUsage(std::optional<int> status) {
    return status ? *status : usage(kName);
}

int runRender(Arguments arguments) {
    if (arguments.empty()) return usage(kName);
    const std::string_view what = arguments[0];
    if (what == "badge") {
        const auto options = parseBadge(arguments.subspan(1));
        return options ? renderBadge(*options) : usage(kName);
    }
    if (what == "gallery" && arguments.size() == 2) return renderGallery(arguments[1]);
    if (what == "hud") return orUsage(hud::renderHud(arguments.subspan(1)));
    if (what == "progress") return orUsage(progress::renderProgress(arguments.subspan(1)));
    return usage(kName);
}

const Command kRender{kName,
                      "render badge TEXT [--scale S] [--style default|old] -o FILE.png | "
                      "render gallery DIR | "
                      "render hud [--mode indeterminate|determinate|bar|annular|custom|text] "
                      "[--progress P] [--title T] [--details D] [--scale S] -o FILE.png | "
                      "render progress VALUE [--type rounded|flat] "
                      "[--behavior default|indeterminate|waiting] "
                      "[--text none|track|progress|fixed] "
                      "[--label TEXT] [--scale S] -o FILE.png",
                      runRender};

}  // namespace
}  // namespace orvane::cli
