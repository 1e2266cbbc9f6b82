#include "orvane/components/JElasticPullToRefreshLoadingView.h"

namespace ov {

void disableImplicitAnimations(ui::Layer& layer, std::initializer_list<const char*> keys) {
    ui::Layer::Actions actions = layer.actions();
    for (const char* key : keys)
        actions[key] = nullptr;
    layer.setActions(std::move(actions));
}

ui::ShapeLayer& JElasticPullToRefreshLoadingView::maskLayer() {
    if (!m_maskLayer) {
        m_maskLayer = ui::ShapeLayer::layer();
        m_maskLayer->setBackgroundColor(ui::Color::clearColor());
        m_maskLayer->setFillColor(ui::Color::blackColor());
        disableImplicitAnimations(*m_maskLayer, {"path", "position", "bounds"});
        layer().setMask(m_maskLayer);
    }
    return *m_maskLayer;
}

}  // namespace ov
