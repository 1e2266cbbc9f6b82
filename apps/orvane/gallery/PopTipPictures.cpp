#include "PopTipPictures.h"

#include <functional>
#include <vector>

#include "orvane/components/AMPopTip.h"
#include "orvane/platform/ui/input/TapGestureRecognizer.h"
#include "orvane/platform/ui/views/Label.h"
#include "orvane/platform/values/Clock.h"

namespace orvane::poptip {
namespace {

using namespace ov;

constexpr double kGap = 8;
constexpr double kStageWidth = 148;
constexpr double kStageHeight = 104;
constexpr double kCaptionHeight = 16;

// Shows the tip on the stage, pointing at the target.
using Play = std::function<void(AMPopTip& tip, const std::shared_ptr<ui::View>& stage,
                                const ui::Rect& target)>;

struct Scene {
    const char* caption;
    ui::Rect target;
    Play play;
};

std::shared_ptr<ui::Label> caption(const char* text, const ui::Rect& frame) {
    auto label = std::make_shared<ui::Label>(frame);
    label->setFont(ui::Font::systemFontOfSize(10));
    label->setTextColor(ui::Color::darkGrayColor());
    label->setTextAlignment(ui::NSTextAlignmentCenter);
    label->setText(String(text));
    return label;
}

// A tap on the stage shows the tip again, with its entrance.
void replayOnTap(const std::shared_ptr<AMPopTip>& tip, const std::shared_ptr<ui::View>& stage,
                 const Scene& scene) {
    auto tap = std::make_shared<ui::TapGestureRecognizer>(
        [tip, weakStage = std::weak_ptr(stage), scene](ui::GestureRecognizer&) {
            if (const auto shown = weakStage.lock()) scene.play(*tip, shown, scene.target);
        });
    ui::addGestureRecognizer(*stage, tap);
}

// Two columns of stages, each with a grey target, its tip and a caption.
std::shared_ptr<ui::View> board(const std::vector<Scene>& scenes,
                                gallery::Motion motion = gallery::Motion::Still) {
    auto root = std::make_shared<ui::View>(ui::Rect{0, 0, 2 * kStageWidth + 3 * kGap, 0});
    root->setBackgroundColor(ui::Color::colorWithWhite(0.95, 1));
    double bottom = 0;
    for (size_t i = 0; i < scenes.size(); ++i) {
        const double x = kGap + static_cast<double>(i % 2) * (kStageWidth + kGap);
        const double y = kGap + static_cast<double>(i / 2) * (kStageHeight + kCaptionHeight + kGap);
        auto stage = std::make_shared<ui::View>(ui::Rect{x, y, kStageWidth, kStageHeight});
        stage->setBackgroundColor(ui::Color::whiteColor());
        stage->layer().setCornerRadius(6);
        stage->setClipsToBounds(true);
        auto target = std::make_shared<ui::View>(scenes[i].target);
        target->setBackgroundColor(ui::Color::colorWithWhite(0.75, 1));
        target->layer().setCornerRadius(4);
        stage->addSubview(target);
        root->addSubview(stage);
        auto tip = AMPopTip::popTip();
        if (motion == gallery::Motion::Live) {
            replayOnTap(tip, stage, scenes[i]);
        } else {
            tip->setEntranceAnimation(AMPopTipEntranceAnimationNone);
        }
        scenes[i].play(*tip, stage, scenes[i].target);
        root->addSubview(
            caption(scenes[i].caption, {x, y + kStageHeight + 1, kStageWidth, kCaptionHeight - 2}));
        bottom = y + kStageHeight + kCaptionHeight;
    }
    root->setFrame({0, 0, root->bounds().size.width, bottom + kGap});
    return root;
}

Play text(const char* words, AMPopTipDirection direction, double maxWidth = 120) {
    return [words, direction, maxWidth](AMPopTip& tip, const std::shared_ptr<ui::View>& stage,
                                        const ui::Rect& target) {
        tip.showText(String(words), direction, maxWidth, stage, target);
    };
}

// Changes the tip, then plays the scene.
Play with(std::function<void(AMPopTip&)> change, Play play) {
    return [change = std::move(change), play = std::move(play)](
               AMPopTip& tip, const std::shared_ptr<ui::View>& stage, const ui::Rect& target) {
        change(tip);
        play(tip, stage, target);
    };
}

std::shared_ptr<ui::View> swatches() {
    auto view = std::make_shared<ui::View>(ui::Rect{0, 0, 66, 24});
    const ui::Color colors[] = {ui::Color::yellowColor(), ui::Color::greenColor(),
                                ui::Color::cyanColor()};
    for (int i = 0; i < 3; ++i) {
        auto dot = std::make_shared<ui::View>(ui::Rect{i * 22.0 + 2, 2, 20, 20});
        dot->setBackgroundColor(colors[i]);
        dot->layer().setCornerRadius(10);
        view->addSubview(dot);
    }
    return view;
}

// Installs a clock that moves only when told for as long as it lives, so each moment is the
// same whenever the gallery is drawn; the system clock is back afterwards.
class StillClock {
  public:
    StillClock() : m_clock(std::make_shared<ManualClock>(Clock::current().now())) {
        Clock::setCurrent(m_clock);
    }
    ~StillClock() { Clock::setCurrent(nullptr); }
    StillClock(const StillClock&) = delete;
    StillClock& operator=(const StillClock&) = delete;

    // Lets `seconds` pass, then holds the tip as it shows then.
    void holdAt(AMPopTip& tip, double seconds) {
        m_clock->advance(seconds);
        const auto shown = tip.layer().presentationLayer();
        tip.layer().removeAllAnimations();
        tip.layer().setTransform(shown->transform());
        tip.layer().setOpacity(shown->opacity());
    }

  private:
    std::shared_ptr<ManualClock> m_clock;
};

}  // namespace

std::shared_ptr<ui::View> placesPicture(gallery::Motion motion) {
    const auto board = [motion](const std::vector<Scene>& scenes) {
        return poptip::board(scenes, motion);
    };
    ui::MutableAttributedString styled("Bold and gold");
    styled.addAttribute(ui::NSFontAttributeName, ui::Font::boldSystemFontOfSize(13).toValue(),
                        {0, 13});
    styled.addAttribute(ui::NSForegroundColorAttributeName, ui::Color::whiteColor().toValue(),
                        {0, 13});
    styled.addAttribute(ui::NSForegroundColorAttributeName,
                        ui::Color::colorWithRed(1, 0.84, 0, 1).toValue(), {9, 4});
    return board({
        {"up", {54, 72, 40, 24}, text("Above", AMPopTipDirectionUp)},
        {"down", {54, 8, 40, 24}, text("Below", AMPopTipDirectionDown)},
        {"left", {104, 40, 36, 24}, text("Left", AMPopTipDirectionLeft)},
        {"right", {8, 40, 36, 24}, text("Right", AMPopTipDirectionRight)},
        {"none, rounded",
         {24, 30, 100, 44},
         with([](AMPopTip& tip) { tip.setRounded(true); }, text("Centred", AMPopTipDirectionNone))},
        {"wrapped at 80 points",
         {54, 76, 40, 20},
         text("A longer hint that wraps", AMPopTipDirectionUp, 80)},
        {"left edge, margin 6",
         {0, 72, 28, 24},
         with([](AMPopTip& tip) { tip.setEdgeMargin(6); },
              text("Kept inside", AMPopTipDirectionUp))},
        {"right edge, bubble offset -30",
         {120, 8, 28, 24},
         with(
             [](AMPopTip& tip) {
                 tip.setEdgeMargin(6);
                 tip.setBubbleOffset(-30);
             },
             text("Shifted left", AMPopTipDirectionDown))},
        {"styled text, border",
         {54, 72, 40, 24},
         with(
             [](AMPopTip& tip) {
                 tip.setPopoverColor(ui::Color::colorWithRed(0.1, 0.25, 0.5, 1));
                 tip.setBorderWidth(2);
                 tip.setBorderColor(ui::Color::whiteColor());
             },
             [styled](AMPopTip& tip, const std::shared_ptr<ui::View>& stage,
                      const ui::Rect& target) {
                 tip.showAttributedText(styled, AMPopTipDirectionUp, 130, stage, target);
             })},
        {"custom view",
         {54, 8, 40, 24},
         [](AMPopTip& tip, const std::shared_ptr<ui::View>& stage, const ui::Rect& target) {
             tip.setPopoverColor(ui::Color::darkGrayColor());
             tip.showCustomView(swatches(), AMPopTipDirectionDown, stage, target);
         }},
    });
}

std::shared_ptr<ui::View> animationsPicture() {
    StillClock clock;
    // Shows the tip with an animation and holds it `seconds` into it.
    const auto moment = [&clock](std::function<void(AMPopTip&)> change, double seconds,
                                 bool exit = false) -> Play {
        return [&clock, change, seconds, exit](
                   AMPopTip& tip, const std::shared_ptr<ui::View>& stage, const ui::Rect& target) {
            change(tip);
            tip.showText("Look here", AMPopTipDirectionUp, 120, stage, target);
            if (exit) tip.hide();
            clock.holdAt(tip, seconds);
        };
    };
    const ui::Rect target{54, 64, 40, 24};
    return board({
        {"scale in, 0.05 s", target,
         moment([](AMPopTip& tip) { tip.setEntranceAnimation(AMPopTipEntranceAnimationScale); },
                0.05)},
        {"transition in, 0.1 s", target,
         moment(
             [](AMPopTip& tip) { tip.setEntranceAnimation(AMPopTipEntranceAnimationTransition); },
             0.1)},
        {"fade in, 0.15 s", target,
         moment([](AMPopTip& tip) { tip.setEntranceAnimation(AMPopTipEntranceAnimationFadeIn); },
                0.15)},
        {"scale out, 0.1 s", target, moment([](AMPopTip&) {}, 0.1, true)},
        {"fade out, 0.1 s", target,
         moment([](AMPopTip& tip) { tip.setExitAnimation(AMPopTipExitAnimationFadeOut); }, 0.1,
                true)},
        {"bounce, 0.12 s", target,
         moment([](AMPopTip& tip) { tip.setActionAnimation(AMPopTipActionAnimationBounce); },
                0.12)},
        {"float, 0.6 s", target,
         moment([](AMPopTip& tip) { tip.setActionAnimation(AMPopTipActionAnimationFloat); }, 0.6)},
        {"pulse, 0.6 s", target,
         moment([](AMPopTip& tip) { tip.setActionAnimation(AMPopTipActionAnimationPulse); }, 0.6)},
    });
}

}  // namespace orvane::poptip
