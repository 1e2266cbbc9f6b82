#include <cstdint>
#include <map>
#include <vector>

#include "orvane/components/UIScrollView+JElasticPullToRefresh.h"
#include "orvane/platform/ui/input/PanGestureRecognizer.h"
#include "orvane/platform/values/Format.h"

namespace ov::UIScrollView_JElasticPullToRefresh {

namespace {

const char kPullToRefreshViewKey = 0;
const char kObserversKey = 0;

// The "observers" set, with the registrations each key stands for.
struct Observers {
    std::map<String, std::vector<ui::ObservationToken>> registrations;
};

String observerKey(const void* observer, const String& keyPath) {
    return stringWithFormat(
        "%lu%@", static_cast<unsigned long>(reinterpret_cast<uintptr_t>(observer)), keyPath);
}

Observers* existingObservers(const ui::ScrollView& scrollView) {
    return static_cast<Observers*>(scrollView.associatedObject(&kObserversKey).get());
}

}  // namespace

void addJElasticPullToRefreshViewWithActionHandler(
    ui::ScrollView& scrollView, JElasticPullToRefreshView::ActionHandler actionHandler,
    std::shared_ptr<JElasticPullToRefreshLoadingView> LoadingView) {
    // One control per scroll view: a second would fight the first over the inset.
    removeJElasticPullToRefreshView(scrollView);
    scrollView.setMultipleTouchEnabled(false);
    scrollView.panGestureRecognizer().setMaximumNumberOfTouches(1);
    auto control = std::make_shared<JElasticPullToRefreshView>();
    scrollView.setAssociatedObject(&kPullToRefreshViewKey, control);
    control->setActionHandler(std::move(actionHandler));
    control->setLoadingView(std::move(LoadingView));
    scrollView.addSubview(control);
    control->setObserving(true);
}

void removeJElasticPullToRefreshView(ui::ScrollView& scrollView) {
    const auto control = jElasticPullToRefreshView(scrollView);
    if (!control) return;
    control->disassociateDisplayLink();
    control->setObserving(false);
    control->removeFromSuperview();
    // Dropped too, so later calls on the scroll view no longer reach a control that is gone.
    scrollView.setAssociatedObject(&kPullToRefreshViewKey, nullptr);
}

void setJElasticPullToRefreshBackgroundColor(ui::ScrollView& scrollView, const ui::Color& color) {
    if (const auto control = jElasticPullToRefreshView(scrollView)) {
        control->setBackgroundColor(color);
    }
}

void setJElasticPullToRefreshFillColor(ui::ScrollView& scrollView, const ui::Color& color) {
    if (const auto control = jElasticPullToRefreshView(scrollView)) control->setFillColor(color);
}

void stopLoading(ui::ScrollView& scrollView) {
    if (const auto control = jElasticPullToRefreshView(scrollView)) control->stopLoading();
}

std::shared_ptr<JElasticPullToRefreshView> jElasticPullToRefreshView(
    const ui::ScrollView& scrollView) {
    return std::static_pointer_cast<JElasticPullToRefreshView>(
        scrollView.associatedObject(&kPullToRefreshViewKey));
}

std::set<String> observers(const ui::ScrollView& scrollView) {
    std::set<String> keys;
    if (const Observers* existing = existingObservers(scrollView)) {
        for (const auto& [key, tokens] : existing->registrations)
            keys.insert(key);
    }
    return keys;
}

void addObserver(ui::ScrollView& scrollView, const void* observer, const String& forKeyPath,
                 ui::NSKeyValueObservingOptions options, ui::Observable::Observer callback) {
    Observers* existing = existingObservers(scrollView);
    if (!existing) {
        auto made = std::make_shared<Observers>();
        existing = made.get();
        scrollView.setAssociatedObject(&kObserversKey, std::move(made));
    }
    existing->registrations[observerKey(observer, forKeyPath)].push_back(
        scrollView.addObserver(forKeyPath.toUtf8(), options, std::move(callback)));
}

void removeObserver(ui::ScrollView& scrollView, const void* observer, const String& forKeyPath) {
    Observers* existing = existingObservers(scrollView);
    if (!existing) return;
    // Every registration under the key goes with it, so none is left calling a gone observer.
    existing->registrations.erase(observerKey(observer, forKeyPath));
}

}  // namespace ov::UIScrollView_JElasticPullToRefresh
