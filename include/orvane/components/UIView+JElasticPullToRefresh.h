#pragma once
// Where a view's centre shows on screen: the pull-to-refresh control draws its sheet through
// control points that move by animation, so it reads them from the presentation.

#include "orvane/platform/ui/views/View.h"

namespace ov::UIView_JElasticPullToRefresh {

// The presentation layer's position when asked, else the model centre.
ui::Point jElasticPullToRefresh_centerUsePresentationLayerIfPossible(const ui::View& view,
                                                                     bool usePresentationLayer);

}  // namespace ov::UIView_JElasticPullToRefresh
