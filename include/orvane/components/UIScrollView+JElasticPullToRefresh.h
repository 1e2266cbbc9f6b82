#pragma once
// How a scroll view gets and drops the elastic pull-to-refresh control, and a guard around its
// key-value observers that makes removing one that is not registered harmless.
//
//   namespace refresh = ov::UIScrollView_JElasticPullToRefresh;
//   refresh::addJElasticPullToRefreshViewWithActionHandler(*scroll, reload, circle);
//   refresh::stopLoading(*scroll);                 // when the reload is done
//   refresh::removeJElasticPullToRefreshView(*scroll);
//
// The control and the observer keys are kept on the scroll view (associated objects) and go
// with it.

#include <memory>
#include <set>

#include "orvane/components/JElasticPullToRefreshView.h"
#include "orvane/platform/ui/containers/ScrollView.h"
#include "orvane/platform/ui/layers/Observation.h"
#include "orvane/platform/values/String.h"

namespace ov::UIScrollView_JElasticPullToRefresh {

// One touch at a time; the control (replacing one already there) is added on top of the
// content and starts observing.
void addJElasticPullToRefreshViewWithActionHandler(
    ui::ScrollView& scrollView, JElasticPullToRefreshView::ActionHandler actionHandler,
    std::shared_ptr<JElasticPullToRefreshLoadingView> LoadingView);
// Stops the control's display link and observation and takes it away.
void removeJElasticPullToRefreshView(ui::ScrollView& scrollView);
void setJElasticPullToRefreshBackgroundColor(ui::ScrollView& scrollView, const ui::Color& color);
void setJElasticPullToRefreshFillColor(ui::ScrollView& scrollView, const ui::Color& color);
void stopLoading(ui::ScrollView& scrollView);
// Null without one.
std::shared_ptr<JElasticPullToRefreshView> jElasticPullToRefreshView(
    const ui::ScrollView& scrollView);

// Observers registered through the guard, as "<observer hash><key path>".
std::set<String> observers(const ui::ScrollView& scrollView);
// `observer` identifies the registration (its address is its hash).
void addObserver(ui::ScrollView& scrollView, const void* observer, const String& forKeyPath,
                 ui::NSKeyValueObservingOptions options, ui::Observable::Observer callback);
// Does nothing unless that observer was added for that key path.
void removeObserver(ui::ScrollView& scrollView, const void* observer, const String& forKeyPath);

}  // namespace ov::UIScrollView_JElasticPullToRefresh
