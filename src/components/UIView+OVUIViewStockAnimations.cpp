// The view category's stock animations, each under its own key on the view's layer.
#include <numbers>

#include "orvane/components/UIView+OVUIViewAnimations.h"
#include "orvane/platform/ui/layers/Animation.h"
#include "orvane/platform/ui/layers/GradientLayer.h"

namespace ov::UIView_OVUIViewAnimations {

namespace {

constexpr const char* kShakeKey = "shake";
constexpr const char* kPulseKey = "OVPulse";
constexpr const char* kOpacityKey = "animateOpacity";
constexpr const char* kSlideKey = "OVSlideToUnlockAnimation";
constexpr int kSlideToUnlockTag = 1414;

std::shared_ptr<ui::BasicAnimation> foreverBackAndForth(const char* keyPath, double from, double to,
                                                        double duration) {
    auto animation = ui::BasicAnimation::animationWithKeyPath(keyPath);
    animation->setFromValue(from);
    animation->setToValue(to);
    animation->setDuration(duration);
    animation->setRepeatCount(ui::MediaTiming::kRepeatForever);
    animation->setAutoreverses(true);
    return animation;
}

void addSlideHighlight(ui::View& view, const std::optional<ui::Color>& color, double duration,
                       double repeatCount) {
    double red = 0, green = 0, blue = 0, alpha = 0;
    color.value_or(ui::Color::whiteColor()).getRed(red, green, blue, alpha);
    const ui::Rect bounds = view.bounds();

    auto gradient = ui::GradientLayer::layer();
    gradient->setStartPoint({0, 0});
    gradient->setEndPoint({1, 0});
    gradient->setFrame({0, 0, 3 * bounds.size.width, bounds.size.height});
    std::vector<ui::Color> colors;
    for (double edgeAlpha : {0.78f, 0.78f, 1.0f, 1.0f, 1.0f, 0.78f, 0.78f})
        colors.push_back(ui::Color::colorWithRed(red, green, blue, edgeAlpha));
    gradient->setColors(std::move(colors));
    gradient->setLocations({0, 0.4, 0.45, 0.5, 0.55, 0.6, 1.0});

    auto slide = ui::BasicAnimation::animationWithKeyPath("transform.translation.x");
    slide->setFromValue(-2 * view.frame().size.width);
    slide->setToValue(0.0);
    slide->setDuration(duration == 0 ? 2.0 : duration);
    slide->setRepeatCount(repeatCount);
    slide->setRemovedOnCompletion(false);
    slide->setFillMode(ui::FillMode::Forwards);
    if (repeatCount != ui::MediaTiming::kRepeatForever) {
        slide->setCompletion([weak = view.weak_from_this()](bool) {
            if (auto shown = weak.lock()) removeSlideToUnlockAnimation(*shown);
            if (auto shown = weak.lock()) shown->layer().setMask(nullptr);
        });
    }
    gradient->addAnimation(*slide, kSlideKey);
    view.layer().setMask(gradient);
}

}  // namespace

void shake(ui::View& view) {
    shakeValue(view, 20);
}

void shakeValue(ui::View& view, int distance) {
    const int d = distance;
    auto shake = ui::KeyframeAnimation::animationWithKeyPath("transform.translation.x");
    shake->setTimingFunction(
        ui::MediaTimingFunction::functionWithName(ui::MediaTimingFunction::Name::Linear));
    shake->setDuration(0.6);
    std::vector<ui::AnimationValue> values;
    for (int value : {-d, d, -d, d, -d / 2, d / 2, -d / 4, d / 4, 0})
        values.emplace_back(static_cast<double>(value));
    shake->setValues(std::move(values));
    view.layer().addAnimation(*shake, kShakeKey);
}

void Shine(ui::View& view) {
    ShineCount(view, 1000);
}

void ShineCount(ui::View& view, int count) {
    ShineCount(view, count, 0.7);
}

void ShineCount(ui::View& view, int count, double duration) {
    const double repeatCount = count == 0 ? 0 : count * duration;
    ui::View::animateWithDuration(
        0.7f, 0,
        ui::UIViewAnimationOptionAllowUserInteraction | ui::UIViewAnimationOptionRepeat |
            ui::UIViewAnimationOptionAutoreverse,
        [&view, repeatCount] {
            ui::View::setAnimationRepeatCount(repeatCount);
            view.setTransform(ui::AffineTransform::makeScale(1.3f, 1.3f));
        },
        [weak = view.weak_from_this(), repeatCount, duration](bool) {
            ui::View::setAnimationRepeatCount(repeatCount);
            auto shone = weak.lock();
            if (!shone) return;
            ui::View::beginAnimations();
            ui::View::setAnimationDuration(duration);
            shone->setTransform(ui::AffineTransform::makeScale(1.0, 1.0));
            ui::View::commitAnimations();
        });
}

void rotate(ui::View& view) {
    rotate(view, 0);
}

void rotate(ui::View& view, int code) {
    if (code < 0 || code > 3) return;
    const double angle = code == 0 ? std::numbers::pi / 2 : std::numbers::pi / 4;
    view.setTransform(ui::AffineTransform::makeRotation(angle));
}

void setRotation(ui::View& view, float degrees, bool animated) {
    const ui::AffineTransform transform =
        degrees == 0 ? ui::AffineTransform::identity()
                     : ui::AffineTransform::makeRotation(degrees / 180.0 * std::numbers::pi);
    if (!animated) {
        view.setTransform(transform);
        return;
    }
    ui::View::beginAnimations();
    ui::View::setAnimationDuration(0.3);
    ui::View::setAnimationCurve(ui::UIViewAnimationCurveEaseOut);
    ui::View::setAnimationBeginsFromCurrentState(true);
    view.setTransform(transform);
    ui::View::commitAnimations();
}

void pulse(ui::View& view) {
    pulseDuration(view, 0.5, 1.2, 0.8);
}

void pulseDuration(ui::View& view, double duration, double fromValue, double toValue) {
    const double seconds = duration == 0 ? 0.5 : duration;
    view.layer().addAnimation(*foreverBackAndForth("transform.scale", fromValue, toValue, seconds),
                              kPulseKey);
}

void stopPulse(ui::View& view) {
    view.layer().removeAnimationForKey(kPulseKey);
}

void startAnimateOpacity(ui::View& view) {
    view.layer().addAnimation(*foreverBackAndForth("opacity", 1.0, 0.0, 1.0), kOpacityKey);
}

void stopAnimateOpacity(ui::View& view) {
    view.layer().removeAnimationForKey(kOpacityKey);
}

void slideToUnlockAnimation(ui::View& view) {
    slideToUnlockAnimationColor(view, ui::Color::whiteColor(), 2.0);
}

void slideToUnlockAnimationColor(ui::View& view, const std::optional<ui::Color>& color) {
    slideToUnlockAnimationColor(view, color, 3.0);
}

void slideToUnlockAnimationColor(ui::View& view, const std::optional<ui::Color>& color,
                                 double duration) {
    addSlideHighlight(view, color, duration, ui::MediaTiming::kRepeatForever);
}

void slideToUnlockAnimationOnce(ui::View& view) {
    addSlideHighlight(view, ui::Color::whiteColor(), 2.0, 1);
}

void removeSlideToUnlockAnimation(ui::View& view) {
    if (const auto& mask = view.layer().mask()) mask->removeAnimationForKey(kSlideKey);
    view.layer().removeAnimationForKey(kSlideKey);
    // Copied: removals change the list.
    const auto subviews = view.subviews();
    for (const auto& subview : subviews) {
        if (subview->tag() == kSlideToUnlockTag) {
            subview->removeFromSuperview();
        } else {
            removeSlideToUnlockAnimation(*subview);
        }
    }
}

}  // namespace ov::UIView_OVUIViewAnimations
