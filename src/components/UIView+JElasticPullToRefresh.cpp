#include "orvane/components/UIView+JElasticPullToRefresh.h"

namespace ov::UIView_JElasticPullToRefresh {

ui::Point jElasticPullToRefresh_centerUsePresentationLayerIfPossible(const ui::View& view,
                                                                     bool usePresentationLayer) {
    if (usePresentationLayer) {
        if (const auto presentation = view.layer().presentationLayer()) {
            return presentation->position();
        }
    }
    return view.center();
}

}  // namespace ov::UIView_JElasticPullToRefresh
