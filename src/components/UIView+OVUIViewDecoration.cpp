// Shadows, outlines, corners and blur of the view category.
#include "orvane/components/UIView+OVUIViewAnimations.h"
#include "orvane/platform/ui/drawing/GraphicsContext.h"
#include "orvane/platform/ui/layers/ShapeLayer.h"
#include "orvane/platform/ui/views/Accessibility.h"

namespace ov::UIView_OVUIViewAnimations {

void shadowColor(ui::View& view, const std::optional<ui::Color>& color, double offset) {
    ui::Layer& layer = view.layer();
    layer.setShadowColor(color.value_or(ui::Color::blackColor()));
    layer.setShadowOffset({offset, offset});
    layer.setShadowRadius(3);
    layer.setShadowOpacity(1);
    layer.setMasksToBounds(false);
}

void shadowColor(ui::View& view, const ui::Color& color) {
    shadowColor(view, color, 1);
}
void shadow(ui::View& view) {
    shadowColor(view, ui::Color::blackColor());
}
void shadowWhite(ui::View& view) {
    shadowColor(view, ui::Color::whiteColor());
}

void shadow(ui::View& view, bool on) {
    if (on) {
        shadow(view);
    } else {
        view.layer().setShadowColor(ui::Color::clearColor());
    }
}

void stroke(ui::View& view) {
    strokeColor(view, ui::Color::blackColor(), 1);
}

void strokeColor(ui::View& view, const std::optional<ui::Color>& color, double width) {
    view.layer().setBorderColor(color.value_or(ui::Color::blackColor()));
    view.layer().setBorderWidth(width);
}

void strokeDash(ui::View& view) {
    strokeDashColor(view, ui::Color::blackColor(), 1);
}

void strokeDashColor(ui::View& view, const std::optional<ui::Color>& color) {
    strokeDashColor(view, color, 1);
}

void strokeDashColor(ui::View& view, const std::optional<ui::Color>& color, double width) {
    auto outline = ui::ShapeLayer::layer();
    outline->setStrokeColor(color.value_or(ui::Color::blackColor()));
    outline->setFillColor(std::nullopt);
    outline->setLineDashPattern({7, 5});
    outline->setLineWidth(width);
    outline->setPath(ui::Path::bezierPathWithRect(view.bounds()));
    outline->setFrame(view.bounds());
    view.layer().addSublayer(outline);
}

void cornerRadius(ui::View& view) {
    cornerRadius(view, 10);
}

void cornerRadius(ui::View& view, double radius) {
    view.layer().setCornerRadius(radius);
    view.setClipsToBounds(true);
}

void cornerRadiusRound(ui::View& view) {
    cornerRadius(view, height(view) / 2);
}

void roundView(ui::View& view) {
    cornerRadius(view, view.frame().size.width / 2);
}

std::shared_ptr<ui::VisualEffectView> blurAbove(ui::View& view, ui::View* reference) {
    return blurAbove(view, reference, 0, false);
}

std::shared_ptr<ui::VisualEffectView> blurAbove(ui::View& view, ui::View* reference,
                                                bool animated) {
    return blurAbove(view, reference, 0, animated);
}

std::shared_ptr<ui::VisualEffectView> blurAbove(ui::View& view, ui::View* reference,
                                                long UIBlurEffectStyle, bool animated) {
    if (ui::UIAccessibilityIsReduceTransparencyEnabled()) return nullptr;
    auto blur = std::make_shared<ui::VisualEffectView>(
        ui::BlurEffect::effectWithStyle(static_cast<ui::UIBlurEffectStyle>(UIBlurEffectStyle)));
    blur->setFrame(reference ? reference->bounds() : ui::Rect{});
    blur->setAutoresizingMask(ui::UIViewAutoresizingFlexibleWidth |
                              ui::UIViewAutoresizingFlexibleHeight);
    if (animated) {
        blur->setAlpha(0);
        alphaShow(*blur);
    }
    if (reference && reference->superview() == &view) {
        view.insertSubviewAbove(blur, *reference);
    } else {
        view.addSubview(blur);
    }
    blur->setBackgroundColor(ui::Color::clearColor());
    return blur;
}

std::shared_ptr<Image> lineRounded() {
    ui::UIGraphicsBeginImageContextWithOptions({300, 20}, false, 2);
    ui::GraphicsContext* context = ui::UIGraphicsGetCurrentContext();
    if (!context) return nullptr;
    ui::Path line;
    line.moveToPoint({10, 10});
    line.addLineToPoint({290, 10});
    context->setLineWidth(8);
    context->setLineDash(0, {8, 16});
    context->setLineCap(ui::LineCap::Round);
    context->strokePath(line);
    auto image = ui::UIGraphicsGetImageFromCurrentImageContext();
    ui::UIGraphicsEndImageContext();
    return image;
}

}  // namespace ov::UIView_OVUIViewAnimations
