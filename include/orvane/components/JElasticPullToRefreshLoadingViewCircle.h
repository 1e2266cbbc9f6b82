#pragma once
// The stock loading indicator of the pull-to-refresh control: a thin circle in the tint colour
// that draws itself up to 90 % of the way round as the pull reaches the threshold, turns on
// past it, and spins once a second while loading.

#include <memory>

#include "orvane/components/JElasticPullToRefreshLoadingView.h"
#include "orvane/platform/ui/geometry/Geometry.h"
#include "orvane/platform/ui/layers/ShapeLayer.h"

namespace ov {

class JElasticPullToRefreshLoadingViewCircle : public JElasticPullToRefreshLoadingView {
  public:
    static constexpr const char* kRotationAnimationKey = "RotationAnimation";

    JElasticPullToRefreshLoadingViewCircle();

    ui::ShapeLayer& shapeLayer() const { return *m_shapeLayer; }
    // Identity with a slight perspective, turned a quarter back so the stroke starts at the top.
    const ui::Transform3D& identityTransform() const { return m_identityTransform; }

    void setPullProgress(double progress) override;
    void startAnimating() override;
    void stopLoading() override;
    // The shape layer's "transform.rotation.z", in radians.
    double currentDegree() const;

    void layoutSubviews() override;
    void tintColorDidChange() override;

  private:
    std::shared_ptr<ui::ShapeLayer> m_shapeLayer;
    ui::Transform3D m_identityTransform;
};

}  // namespace ov
