// Frame, visibility and subview operations of the view category.
#include "orvane/components/UIView+OVUIViewAnimations.h"
#include "orvane/platform/values/SystemLog.h"

namespace ov::UIView_OVUIViewAnimations {

namespace {

constexpr double kAnimationDuration = 0.25;
constexpr int kMargin = 5;

// The frame change, in a block animation of `duration` seconds when it is above 0.
template <class Change>
void changeFrame(ui::View& view, double duration, Change change) {
    ui::Rect frame = view.frame();
    change(frame);
    if (duration <= 0) {
        view.setFrame(frame);
        return;
    }
    ui::View::animateWithDuration(duration, [&view, frame] { view.setFrame(frame); });
}

template <class Change>
void changeFrame(ui::View& view, Change change) {
    changeFrame(view, 0, change);
}

double animatedDuration(bool animated) {
    return animated ? kAnimationDuration : 0;
}

struct WholeFrame {
    int x, y, width, height;
};

WholeFrame wholeFrame(const ui::View* view) {
    if (!view) return {0, 0, 0, 0};
    const ui::Rect frame = view->frame();
    return {static_cast<int>(frame.origin.x), static_cast<int>(frame.origin.y),
            static_cast<int>(frame.size.width), static_cast<int>(frame.size.height)};
}

// The origin the placement code asks for, or none for a code without one.
std::optional<ui::Point> placedOrigin(const ui::View& view, int code, const ui::View* reference) {
    const WholeFrame own = wholeFrame(&view);
    const WholeFrame r = wholeFrame(reference);
    ui::Point origin = view.frame().origin;
    switch (code) {
        case 0:
            origin.y = r.y - own.height;
            break;
        case 1:
            origin.y = r.y - own.height - kMargin;
            break;
        case 2:
            origin.y = r.y + r.height;
            break;
        case 3:
            origin.y = r.y + r.height + kMargin;
            break;
        case 4:
            origin.x = r.x - own.width - kMargin;
            break;
        case 5:
            origin.x = r.x - own.width - kMargin;
            origin.y = r.y - r.height / 2;
            break;
        case 6:
            origin.x = r.x + r.width + kMargin;
            break;
        case 7:
            origin.x = r.x + r.width / 2 - own.width;
            break;
        default:
            return std::nullopt;
    }
    return origin;
}

void collectButtons(const ui::View& view, std::vector<ui::Button*>& buttons) {
    for (const auto& subview : view.subviews()) {
        if (auto* button = dynamic_cast<ui::Button*>(subview.get())) {
            buttons.push_back(button);
        } else {
            collectButtons(*subview, buttons);
        }
    }
}

}  // namespace

int width(const ui::View& view) {
    return static_cast<int>(view.frame().size.width);
}
int height(const ui::View& view) {
    return static_cast<int>(view.frame().size.height);
}

ui::Point position(const ui::View& view) {
    return view.frame().origin;
}
void setPosition(ui::View& view, ui::Point position) {
    changeFrame(view, [&](ui::Rect& frame) { frame.origin = position; });
}
void setPositionX(ui::View& view, double x) {
    changeFrame(view, [&](ui::Rect& frame) { frame.origin.x = x; });
}
void setPositionX(ui::View& view, double x, double y) {
    setPosition(view, {x, y});
}
void setPositionY(ui::View& view, double y) {
    setPositionY(view, y, false);
}
void setPositionY(ui::View& view, double y, bool animated) {
    changeFrame(view, animatedDuration(animated), [&](ui::Rect& frame) { frame.origin.y = y; });
}
void setPositionX_duration(ui::View& view, double x, float duration) {
    changeFrame(view, duration, [&](ui::Rect& frame) { frame.origin.x = x; });
}
void setPositionY_duration(ui::View& view, double y, float duration) {
    changeFrame(view, duration, [&](ui::Rect& frame) { frame.origin.y = y; });
}

void setPositionXCenter(ui::View& view, const ui::View* reference, bool animated) {
    const double referenceX = reference ? reference->frame().origin.x : 0;
    const int referenceWidth = reference ? width(*reference) : 0;
    const double x = referenceX + referenceWidth / 2 - width(view) / 2;
    changeFrame(view, animatedDuration(animated), [&](ui::Rect& frame) { frame.origin.x = x; });
}

void alignToCenter(ui::View& view) {
    const double superWidth = view.superview() ? view.superview()->frame().size.width : 0;
    setPositionX(view, superWidth / 2 - view.frame().size.width / 2);
}

void setPosition(ui::View& view, int code, const ui::View* reference, bool animated) {
    const auto origin = placedOrigin(view, code, reference);
    if (!origin) return;
    const ui::Rect frame{*origin, view.frame().size};
    if (!animated) {
        view.setFrame(frame);
        return;
    }
    ui::View::animateWithDuration(0.5, 0, ui::UIViewAnimationOptionCurveEaseOut,
                                  [&view, frame] { view.setFrame(frame); });
}

void addToPosition(ui::View& view, ui::Point amount) {
    changeFrame(view, [&](ui::Rect& frame) {
        frame.origin.x += amount.x;
        frame.origin.y += amount.y;
    });
}
void addToPositionX(ui::View& view, double amount) {
    addToPosition(view, {amount, 0});
}
void addToPositionY(ui::View& view, double amount) {
    addToPosition(view, {0, amount});
}

ui::Size size(const ui::View& view) {
    return view.frame().size;
}
void setSize(ui::View& view, ui::Size size) {
    changeFrame(view, [&](ui::Rect& frame) { frame.size = size; });
}
void setSizeWidth(ui::View& view, double width) {
    changeFrame(view, [&](ui::Rect& frame) { frame.size.width = width; });
}
void setSizeHeight(ui::View& view, double height) {
    setSizeHeight(view, height, false);
}
void setSizeWidth(ui::View& view, double width, double height) {
    setSizeWidth(view, width, height, false);
}
void setSizeWidth(ui::View& view, double width, double height, bool animated) {
    changeFrame(view, animatedDuration(animated), [&](ui::Rect& frame) {
        frame.size = {width, height};
    });
}
void setSizeHeight(ui::View& view, double height, bool animated) {
    changeFrame(view, animatedDuration(animated),
                [&](ui::Rect& frame) { frame.size.height = height; });
}
void setSizeWidth_duration(ui::View& view, double width, float duration) {
    changeFrame(view, duration, [&](ui::Rect& frame) { frame.size.width = width; });
}
void setSizeHeight_duration(ui::View& view, double height, float duration) {
    changeFrame(view, duration, [&](ui::Rect& frame) { frame.size.height = height; });
}
void addToSize(ui::View& view, ui::Size amount) {
    changeFrame(view, [&](ui::Rect& frame) {
        frame.size.width += amount.width;
        frame.size.height += amount.height;
    });
}
void addToSizeWidth(ui::View& view, double amount) {
    addToSize(view, {amount, 0});
}
void addToSizeHeight(ui::View& view, double amount) {
    addToSize(view, {0, amount});
}

void upforKeyboard(ui::View& view) {
    ui::View::beginAnimations();
    ui::View::setAnimationDuration(0.35);
    ui::View::setAnimationBeginsFromCurrentState(true);
    addToPositionY(view, -150);
    ui::View::commitAnimations();
}

void logFrame(const ui::View& view) {
    const ui::Rect frame = view.frame();
    systemLog("self.frame x %f", frame.origin.x);
    systemLog("self.frame y %f", frame.origin.y);
    systemLog("self.frame w %f", frame.size.width);
    systemLog("self.frame h %f", frame.size.height);
}

void alpha_duration(ui::View& view, double alpha, float duration) {
    ui::View::animateWithDuration(duration, [&view, alpha] { view.setAlpha(alpha); });
}

void alpha(ui::View& view, double alpha, bool animated) {
    if (animated) {
        alpha_duration(view, alpha, kAnimationDuration);
    } else {
        view.setAlpha(alpha);
    }
}

void alpha(ui::View& view, double alpha, bool animated, double afterDelay) {
    ui::View::animateWithDuration(animatedDuration(animated), afterDelay, 0,
                                  [&view, alpha] { view.setAlpha(alpha); });
}

void alphaShow(ui::View& view) {
    if (view.alpha() == 1.0) return;
    alpha_duration(view, 1.0, kAnimationDuration);
}

void alphaHide(ui::View& view) {
    alpha_duration(view, 0, kAnimationDuration);
}

void hide(ui::View& view) {
    view.setHidden(true);
}

void show(ui::View& view) {
    view.setHidden(false);
    view.setAlpha(1.0);
}

void setColor(ui::View& view, const std::optional<ui::Color>& color) {
    view.setBackgroundColor(color);
}

void setBackgroundColor(ui::View& view, const std::optional<ui::Color>& color, bool animated) {
    if (!animated) {
        view.setBackgroundColor(color);
        return;
    }
    ui::View::beginAnimations();
    ui::View::setAnimationDuration(0.3f);
    ui::View::setAnimationCurve(ui::UIViewAnimationCurveEaseOut);
    ui::View::setAnimationBeginsFromCurrentState(true);
    view.setBackgroundColor(color);
    ui::View::commitAnimations();
}

void removeAllSubviews(ui::View& view) {
    // Copied: each removal changes the list.
    const auto subviews = view.subviews();
    for (const auto& subview : subviews)
        subview->removeFromSuperview();
}

void disableAllButtons(ui::View& view) {
    for (ui::Button* button : allButtons(view))
        button->setEnabled(false);
}

std::vector<ui::Button*> allButtons(const ui::View& view) {
    std::vector<ui::Button*> buttons;
    collectButtons(view, buttons);
    return buttons;
}

}  // namespace ov::UIView_OVUIViewAnimations
