#include "orvane/components/JElasticPullToRefreshLoadingViewCircle.h"

#include <algorithm>
#include <numbers>
#include <variant>

#include "orvane/platform/ui/layers/Animation.h"

namespace ov {

namespace {

constexpr double kStrokeWidth = 1.0;
constexpr double kMaximumStrokeEnd = 0.9;
// Degrees turned per unit of pull beyond the threshold.
constexpr double kRotationPerProgress = 200.0;
constexpr double kSpinDuration = 1.0;

double radians(double degrees) {
    return degrees * std::numbers::pi / 180.0;
}

}  // namespace

JElasticPullToRefreshLoadingViewCircle::JElasticPullToRefreshLoadingViewCircle()
    : m_shapeLayer(ui::ShapeLayer::layer()) {
    m_shapeLayer->setLineWidth(kStrokeWidth);
    m_shapeLayer->setFillColor(ui::Color::clearColor());
    m_shapeLayer->setStrokeColor(tintColor());
    disableImplicitAnimations(*m_shapeLayer, {"strokeEnd", "transform"});
    m_shapeLayer->setAnchorPoint({0.5, 0.5});
    layer().addSublayer(m_shapeLayer);

    ui::Transform3D perspective;
    perspective.m34 = -1.0 / 500.0;
    m_identityTransform = perspective.rotate(-std::numbers::pi / 2, 0, 0, 1);
}

void JElasticPullToRefreshLoadingViewCircle::setPullProgress(double progress) {
    m_shapeLayer->setStrokeEnd(std::min(kMaximumStrokeEnd * progress, kMaximumStrokeEnd));
    if (progress <= 1.0) {
        m_shapeLayer->setTransform(m_identityTransform);
        return;
    }
    const double degrees = (progress - 1.0) * kRotationPerProgress;
    m_shapeLayer->setTransform(m_identityTransform.rotate(radians(degrees), 0, 0, 1));
}

void JElasticPullToRefreshLoadingViewCircle::startAnimating() {
    if (m_shapeLayer->animationForKey(kRotationAnimationKey)) return;
    auto spin = ui::BasicAnimation::animationWithKeyPath("transform.rotation.z");
    spin->setToValue(currentDegree() + 2 * std::numbers::pi);
    spin->setDuration(kSpinDuration);
    spin->setRepeatCount(ui::MediaTiming::kRepeatForever);
    spin->setRemovedOnCompletion(false);
    spin->setFillMode(ui::FillMode::Forwards);
    m_shapeLayer->addAnimation(*spin, kRotationAnimationKey);
}

void JElasticPullToRefreshLoadingViewCircle::stopLoading() {
    m_shapeLayer->removeAnimationForKey(kRotationAnimationKey);
}

double JElasticPullToRefreshLoadingViewCircle::currentDegree() const {
    const auto value = m_shapeLayer->valueForKeyPath("transform.rotation.z");
    const double* angle = value ? std::get_if<double>(&*value) : nullptr;
    return angle ? *angle : 0;
}

void JElasticPullToRefreshLoadingViewCircle::layoutSubviews() {
    JElasticPullToRefreshLoadingView::layoutSubviews();
    m_shapeLayer->setFrame(bounds());
    const double inset = m_shapeLayer->lineWidth() / 2;
    m_shapeLayer->setPath(
        ui::Path::bezierPathWithOvalInRect(m_shapeLayer->bounds().insetBy(inset, inset)));
}

void JElasticPullToRefreshLoadingViewCircle::tintColorDidChange() {
    JElasticPullToRefreshLoadingView::tintColorDidChange();
    m_shapeLayer->setStrokeColor(tintColor());
}

}  // namespace ov
