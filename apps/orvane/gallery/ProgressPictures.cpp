#include "ProgressPictures.h"

#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "PictureFile.h"
#include "orvane/components/YLProgressBar.h"
#include "orvane/platform/ui/views/Label.h"

namespace orvane::progress {
namespace {

using namespace ov;

struct BarOptions {
    double progress = 0;
    YLProgressBarType type = YLProgressBarTypeRounded;
    YLProgressBarBehavior behavior = YLProgressBarBehaviorDefault;
    YLProgressBarIndicatorTextDisplayMode text = YLProgressBarIndicatorTextDisplayModeNone;
    std::optional<std::string> label;
    double scale = 2;
    std::string output;
};

// The index of `value` among `names`, or none.
template <size_t N>
std::optional<unsigned> choice(std::string_view value, const std::string_view (&names)[N]) {
    for (unsigned i = 0; i < N; ++i) {
        if (names[i] == value) return i;
    }
    return std::nullopt;
}

constexpr std::string_view kTypes[] = {"rounded", "flat"};
constexpr std::string_view kBehaviors[] = {"default", "indeterminate", "waiting"};
constexpr std::string_view kTexts[] = {"none", "track", "progress", "fixed"};

// Takes one flag and its value; false for an unknown flag or a bad value.
bool takeFlag(BarOptions& options, std::string_view flag, const char* value) {
    std::optional<unsigned> picked;
    if (flag == "--type" && (picked = choice(value, kTypes))) {
        options.type = *picked;
    } else if (flag == "--behavior" && (picked = choice(value, kBehaviors))) {
        options.behavior = *picked;
    } else if (flag == "--text" && (picked = choice(value, kTexts))) {
        options.text = *picked;
    } else if (flag == "--label") {
        options.label = value;
    } else if (flag == "--scale") {
        const auto scale = cli::numberArgument(value, 0.1, 16);
        if (!scale) return false;
        options.scale = *scale;
    } else if (flag == "-o") {
        options.output = value;
    } else {
        return false;
    }
    return true;
}

std::optional<BarOptions> parse(cli::Arguments arguments) {
    if (arguments.size() % 2 == 0) return std::nullopt;
    BarOptions options;
    const auto progress = cli::numberArgument(arguments[0], 0, 1);
    if (!progress) return std::nullopt;
    options.progress = *progress;
    for (size_t i = 1; i + 1 < arguments.size(); i += 2) {
        if (!takeFlag(options, arguments[i], arguments[i + 1])) return std::nullopt;
    }
    if (options.output.empty()) return std::nullopt;
    return options;
}

std::shared_ptr<YLProgressBar> makeBar(const BarOptions& options, const ui::Rect& frame) {
    auto bar = std::make_shared<YLProgressBar>(frame);
    bar->setProgressTintColor(ui::Color::colorWithRed(0.2, 0.6, 0.95, 1));
    bar->setProgress(options.progress);
    bar->setType(options.type);
    bar->setBehavior(options.behavior);
    bar->setIndicatorTextDisplayMode(options.text);
    if (options.label) bar->indicatorTextLabel().setText(String(options.label->c_str()));
    return bar;
}

std::shared_ptr<ui::Label> caption(const std::string& text, double y) {
    auto label = std::make_shared<ui::Label>(ui::Rect{12, y, 296, 14});
    label->setFont(ui::Font::systemFontOfSize(11));
    label->setTextColor(ui::Color::darkGrayColor());
    label->setText(String(text.c_str()));
    return label;
}

}  // namespace

std::optional<int> renderProgress(cli::Arguments arguments) {
    const auto options = parse(arguments);
    if (!options) return std::nullopt;
    auto bar = makeBar(*options, {0, 0, 280, 24});
    return cli::writePictureFile(*bar, options->scale, options->output);
}

std::shared_ptr<ui::View> barsPicture(gallery::Motion motion) {
    struct Row {
        BarOptions options;
        const char* title;
    };
    const std::vector<Row> rows{
        {{0.45, YLProgressBarTypeRounded, YLProgressBarBehaviorDefault, 0, {}, 2, {}},
         "rounded, default"},
        {{0.45, YLProgressBarTypeFlat, YLProgressBarBehaviorDefault, 0, {}, 2, {}},
         "flat, default"},
        {{0, YLProgressBarTypeRounded, YLProgressBarBehaviorIndeterminate, 0, {}, 2, {}},
         "rounded, indeterminate"},
        {{0, YLProgressBarTypeFlat, YLProgressBarBehaviorIndeterminate, 0, {}, 2, {}},
         "flat, indeterminate"},
        {{1, YLProgressBarTypeRounded, YLProgressBarBehaviorWaiting, 0, {}, 2, {}},
         "rounded, waiting, full"},
        {{0.6, YLProgressBarTypeFlat, YLProgressBarBehaviorWaiting, 0, {}, 2, {}}, "flat, waiting"},
        {{0.7, YLProgressBarTypeRounded, YLProgressBarBehaviorDefault, 2, {}, 2, {}},
         "rounded, text on the fill"},
        {{0.3, YLProgressBarTypeFlat, YLProgressBarBehaviorDefault, 1, {}, 2, {}},
         "flat, text on the track"},
        {{0.55, YLProgressBarTypeRounded, YLProgressBarBehaviorDefault, 3, "Uploading", 2, {}},
         "rounded, own text over all"},
    };
    auto root = std::make_shared<ui::View>(ui::Rect{0, 0, 320, 0});
    root->setBackgroundColor(ui::Color::colorWithWhite(0.95, 1));
    double y = 10;
    for (const Row& row : rows) {
        root->addSubview(caption(row.title, y));
        auto bar = makeBar(row.options, {12, y + 16, 296, 22});
        // Still stripes: the picture must not depend on how often it was drawn.
        bar->setStripesAnimated(motion == gallery::Motion::Live);
        // The automatic colour follows the fill, which a text over the dark track may not
        // sit on.
        if (row.options.label) bar->indicatorTextLabel().setTextColor(ui::Color::whiteColor());
        root->addSubview(bar);
        y += 48;
    }
    root->setFrame({0, 0, 320, y});
    return root;
}

}  // namespace orvane::progress
