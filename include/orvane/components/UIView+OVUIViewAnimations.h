#pragma once
// One-call placing, sizing, fading, decorating and stock animations for any view.
//
//   namespace anim = ov::UIView_OVUIViewAnimations;
//   anim::setPosition(*hint, 3, field.get(), true);   // 5 points under the field, animated
//   anim::cornerRadiusRound(*avatar);
//   anim::shake(*field);                              // "shake" on the layer, 0.6 s
//   anim::pulse(*button);                              // until stopPulse
//
// "Animated" means a block animation of 0.25 s unless said otherwise; "duration" forms take
// the seconds in single precision. width() and height() answer whole points, and the relative
// placement computes in whole points. Main thread only.
//
// Names: where two operations would take the same arguments, the one with a duration carries
// it in its name (setPositionY_duration beside setPositionY(view, y, animated)).

#include <memory>
#include <optional>
#include <vector>

#include "orvane/platform/files/Image.h"
#include "orvane/platform/ui/geometry/Color.h"
#include "orvane/platform/ui/views/Button.h"
#include "orvane/platform/ui/views/View.h"
#include "orvane/platform/ui/views/VisualEffectView.h"

namespace ov::UIView_OVUIViewAnimations {

// Frame.
int width(const ui::View& view);
int height(const ui::View& view);
ui::Point position(const ui::View& view);
void setPosition(ui::View& view, ui::Point position);
void setPositionX(ui::View& view, double x);
void setPositionX(ui::View& view, double x, double y);
void setPositionY(ui::View& view, double y);
void setPositionY(ui::View& view, double y, bool animated);
void setPositionX_duration(ui::View& view, double x, float duration);
void setPositionY_duration(ui::View& view, double y, float duration);
// Centres the view's x on the reference's, in whole points.
void setPositionXCenter(ui::View& view, const ui::View* reference, bool animated);
void alignToCenter(ui::View& view);
// Places the view against the reference (absent: a zero frame), 5 points apart where the
// code says; codes without a placement change nothing.
//   0 just above, 1 above, 2 just below, 3 below, 4 left of, 5 left of and raised by half the
//   reference's height, 6 right of, 7 with its right edge at the reference's middle.
void setPosition(ui::View& view, int code, const ui::View* reference, bool animated);
void addToPosition(ui::View& view, ui::Point amount);
void addToPositionX(ui::View& view, double amount);
void addToPositionY(ui::View& view, double amount);
ui::Size size(const ui::View& view);
void setSize(ui::View& view, ui::Size size);
void setSizeWidth(ui::View& view, double width);
void setSizeHeight(ui::View& view, double height);
void setSizeWidth(ui::View& view, double width, double height);
void setSizeWidth(ui::View& view, double width, double height, bool animated);
void setSizeHeight(ui::View& view, double height, bool animated);
void setSizeWidth_duration(ui::View& view, double width, float duration);
void setSizeHeight_duration(ui::View& view, double height, float duration);
void addToSize(ui::View& view, ui::Size amount);
void addToSizeWidth(ui::View& view, double amount);
void addToSizeHeight(ui::View& view, double amount);
// Moves the view 150 points up over 0.35 s, from where it shows now.
void upforKeyboard(ui::View& view);
void logFrame(const ui::View& view);

// Visibility and colour.
void alpha_duration(ui::View& view, double alpha, float duration);
void alpha(ui::View& view, double alpha, bool animated);
void alpha(ui::View& view, double alpha, bool animated, double afterDelay);
void alphaShow(ui::View& view);
void alphaHide(ui::View& view);
void hide(ui::View& view);
void show(ui::View& view);
void setColor(ui::View& view, const std::optional<ui::Color>& color);
void setBackgroundColor(ui::View& view, const std::optional<ui::Color>& color, bool animated);

// Decoration, on the view's layer.
void shadow(ui::View& view);
void shadowWhite(ui::View& view);
void shadow(ui::View& view, bool on);
void shadowColor(ui::View& view, const ui::Color& color);
void shadowColor(ui::View& view, const std::optional<ui::Color>& color, double offset);
void stroke(ui::View& view);
void strokeColor(ui::View& view, const std::optional<ui::Color>& color, double width);
// A dashed outline (7 on, 5 off) in a shape layer added over the bounds.
void strokeDash(ui::View& view);
void strokeDashColor(ui::View& view, const std::optional<ui::Color>& color);
void strokeDashColor(ui::View& view, const std::optional<ui::Color>& color, double width);
void cornerRadius(ui::View& view);
void cornerRadius(ui::View& view, double radius);
void cornerRadiusRound(ui::View& view);
void roundView(ui::View& view);
// A blur view over the reference's bounds, inserted above it; none while the reduce-
// transparency setting is on.
std::shared_ptr<ui::VisualEffectView> blurAbove(ui::View& view, ui::View* reference);
std::shared_ptr<ui::VisualEffectView> blurAbove(ui::View& view, ui::View* reference, bool animated);
std::shared_ptr<ui::VisualEffectView> blurAbove(ui::View& view, ui::View* reference,
                                                long UIBlurEffectStyle, bool animated);
// A 280-point dashed line with round caps, in a 300 x 20 image at scale 2.
std::shared_ptr<Image> lineRounded();

// Stock animations.
void shake(ui::View& view);
void shakeValue(ui::View& view, int distance);
void Shine(ui::View& view);
void ShineCount(ui::View& view, int count);
void ShineCount(ui::View& view, int count, double duration);
void rotate(ui::View& view);
void rotate(ui::View& view, int code);
void setRotation(ui::View& view, float degrees, bool animated);
void pulse(ui::View& view);
void pulseDuration(ui::View& view, double duration, double fromValue, double toValue);
void stopPulse(ui::View& view);
void startAnimateOpacity(ui::View& view);
void stopAnimateOpacity(ui::View& view);
void slideToUnlockAnimation(ui::View& view);
void slideToUnlockAnimationColor(ui::View& view, const std::optional<ui::Color>& color);
void slideToUnlockAnimationColor(ui::View& view, const std::optional<ui::Color>& color,
                                 double duration);
// One pass of the highlight, which then goes away.
void slideToUnlockAnimationOnce(ui::View& view);
void removeSlideToUnlockAnimation(ui::View& view);

// Subviews.
void removeAllSubviews(ui::View& view);
void disableAllButtons(ui::View& view);
std::vector<ui::Button*> allButtons(const ui::View& view);

}  // namespace ov::UIView_OVUIViewAnimations
