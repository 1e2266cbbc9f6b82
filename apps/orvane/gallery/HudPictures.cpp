#include "HudPictures.h"

#include <array>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "PictureFile.h"
#include "orvane/components/MBBarProgressView.h"
#include "orvane/components/MBProgressHUD.h"
#include "orvane/components/MBRoundProgressView.h"
#include "orvane/platform/threads/RunLoop.h"
#include "orvane/platform/threads/Timer.h"
#include "orvane/platform/ui/drawing/GraphicsContext.h"
#include "orvane/platform/ui/views/ActivityIndicatorView.h"
#include "orvane/platform/ui/views/Label.h"

namespace orvane::hud {

namespace {

using namespace ov;

constexpr double kSide = 200;
constexpr std::array<std::string_view, 6> kModeNames{"indeterminate", "determinate", "bar",
                                                     "annular",       "custom",      "text"};

struct Options {
    MBProgressHUDMode mode = MBProgressHUDModeIndeterminate;
    float progress = 0.25f;
    std::optional<std::string> title;
    std::optional<std::string> details;
    double scale = 2;
    std::string output;
};

std::optional<MBProgressHUDMode> parseMode(std::string_view name) {
    for (size_t i = 0; i < kModeNames.size(); ++i) {
        if (kModeNames[i] == name) return static_cast<MBProgressHUDMode>(i);
    }
    return std::nullopt;
}

bool apply(Options& options, std::string_view flag, const char* value) {
    if (flag == "--mode") {
        const auto mode = parseMode(value);
        if (mode) options.mode = *mode;
        return mode.has_value();
    }
    if (flag == "--progress" || flag == "--scale") {
        const auto number = flag == "--progress" ? cli::numberArgument(value, 0, 1)
                                                 : cli::numberArgument(value, 0.01, 64);
        if (!number) return false;
        if (flag == "--progress") options.progress = static_cast<float>(*number);
        if (flag == "--scale") options.scale = *number;
        return true;
    }
    if (flag == "--title")
        options.title = value;
    else if (flag == "--details")
        options.details = value;
    else if (flag == "-o")
        options.output = value;
    else
        return false;
    return true;
}

std::optional<Options> parse(cli::Arguments arguments) {
    if (arguments.size() % 2 != 0) return std::nullopt;
    Options options;
    for (size_t i = 0; i < arguments.size(); i += 2) {
        if (!apply(options, arguments[i], arguments[i + 1])) return std::nullopt;
    }
    if (options.output.empty()) return std::nullopt;
    return options;
}

// A check mark for the custom-view mode.
class CheckMark : public ui::View {
  public:
    CheckMark() : ui::View(ui::Rect{0, 0, 37, 37}) { setBackgroundColor(ui::Color::clearColor()); }
    ui::Size intrinsicContentSize() const override { return {37, 37}; }
    void drawRect(ui::GraphicsContext& context, const ui::Rect&) override {
        ui::Path mark;
        mark.moveToPoint({6, 19});
        mark.addLineToPoint({15, 28});
        mark.addLineToPoint({31, 9});
        context.setStrokeColor(tintColor());
        context.setLineWidth(4);
        context.setLineCap(ui::LineCap::Round);
        context.setLineJoin(ui::LineJoin::Round);
        context.strokePath(mark);
    }
};

std::optional<String> text(const std::optional<std::string>& value) {
    if (!value) return std::nullopt;
    return String(*value);
}

// Fills the HUD's progress again and again until the HUD is gone.
void keepProgressing(const std::shared_ptr<MBProgressHUD>& hud) {
    constexpr double kStep = 0.02;
    auto timer = Timer::create(kStep, true, [weak = std::weak_ptr(hud)](Timer& timer) {
        const auto shown = weak.lock();
        if (!shown) {
            timer.invalidate();
            return;
        }
        const float next = shown->progress() + static_cast<float>(kStep / 3);
        shown->setProgress(next > 1 ? 0 : next);
    });
    RunLoop::main().addTimer(timer);
}

// A light screen with a HUD shown at once over it.
std::shared_ptr<ui::View> screenWithHud(const Options& options,
                                        gallery::Motion motion = gallery::Motion::Still) {
    auto screen = std::make_shared<ui::View>(ui::Rect{0, 0, kSide, kSide});
    screen->setBackgroundColor(ui::Color::colorWithWhite(0.97, 1));
    auto hud = MBProgressHUD::initWithView(screen.get());
    screen->addSubview(hud);
    if (options.mode == MBProgressHUDModeCustomView)
        hud->setCustomView(std::make_shared<CheckMark>());
    hud->setMode(options.mode);
    hud->setProgress(options.progress);
    hud->label().setText(text(options.title));
    hud->detailsLabel().setText(text(options.details));
    if (motion == gallery::Motion::Live) {
        keepProgressing(hud);
    } else if (auto* spinner = dynamic_cast<ui::ActivityIndicatorView*>(hud->indicator())) {
        spinner->setHidesWhenStopped(false);
        spinner->stopAnimating();  // still, so the picture does not depend on the clock
    }
    hud->showAnimated(false);
    screen->layoutIfNeeded();
    return screen;
}

}  // namespace

std::optional<int> renderHud(cli::Arguments arguments) {
    const auto options = parse(arguments);
    if (!options) return std::nullopt;
    return cli::writePictureFile(*screenWithHud(*options), options->scale, options->output);
}

std::shared_ptr<ui::View> modesPicture(gallery::Motion motion) {
    constexpr double gap = 8;
    auto board =
        std::make_shared<ui::View>(ui::Rect{0, 0, 3 * kSide + 4 * gap, 2 * kSide + 3 * gap});
    board->setBackgroundColor(ui::Color::colorWithWhite(0.9, 1));
    const std::array<const char*, 6> titles{"Loading", "Pie", "Bar", "Ring", "Done", "Saved"};
    for (size_t i = 0; i < kModeNames.size(); ++i) {
        Options options;
        options.mode = static_cast<MBProgressHUDMode>(i);
        options.title = titles[i];
        if (options.mode == MBProgressHUDModeText) options.details = "3 files";
        auto screen = screenWithHud(options, motion);
        screen->setFrame({gap + static_cast<double>(i % 3) * (kSide + gap),
                          gap + static_cast<double>(i / 3) * (kSide + gap), kSide, kSide});
        board->addSubview(screen);
    }
    board->layoutIfNeeded();
    return board;
}

std::shared_ptr<ui::View> indicatorsPicture() {
    auto board = std::make_shared<ui::View>(ui::Rect{0, 0, 320, 120});
    board->setBackgroundColor(ui::Color::colorWithWhite(0.3, 1));
    auto pie = std::make_shared<MBRoundProgressView>(ui::Rect{16, 16, 74, 74});
    pie->setProgress(0.25f);
    auto ring = std::make_shared<MBRoundProgressView>(ui::Rect{106, 16, 74, 74});
    ring->setAnnular(true);
    ring->setProgress(0.6f);
    board->addSubview(pie);
    board->addSubview(ring);
    const std::array<float, 4> values{0.0f, 0.04f, 0.5f, 0.97f};
    for (size_t i = 0; i < values.size(); ++i) {
        auto bar = std::make_shared<MBBarProgressView>(
            ui::Rect{196, 12 + static_cast<double>(i) * 24, 112, 20});
        bar->setProgress(values[i]);
        board->addSubview(bar);
    }
    return board;
}

}  // namespace orvane::hud
