#pragma once
// The base of the pull-to-refresh control's loading indicators: a view masked to the wave's
// shape, told how far the pull has come and when loading starts and stops. The base shows
// nothing and ignores all three; subclasses draw.
//
//   class Dots : public ov::JElasticPullToRefreshLoadingView {
//       void setPullProgress(double progress) override { ... }   // 1 at the threshold
//   };

#include <initializer_list>
#include <memory>

#include "orvane/platform/ui/layers/ShapeLayer.h"
#include "orvane/platform/ui/views/View.h"

namespace ov {

class JElasticPullToRefreshLoadingView : public ui::View {
  public:
    JElasticPullToRefreshLoadingView() : ui::View(ui::Rect{}) {}

    // How far the pull has come: 1.0 at the refresh threshold, more beyond it.
    virtual void setPullProgress(double progress) { (void)progress; }
    virtual void startAnimating() {}
    virtual void stopLoading() {}

    // Made on first read and installed as this view's layer mask: black fill on clear, with
    // no implicit animation of its path, position or bounds.
    ui::ShapeLayer& maskLayer();

  private:
    std::shared_ptr<ui::ShapeLayer> m_maskLayer;
};

// No implicit animations for `keys` on a stand-alone layer.
void disableImplicitAnimations(ui::Layer& layer, std::initializer_list<const char*> keys);

}  // namespace ov
