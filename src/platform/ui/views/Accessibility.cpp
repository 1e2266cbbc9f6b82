#include "orvane/platform/ui/views/Accessibility.h"

#include <atomic>

namespace ov::ui {

namespace {

std::atomic<bool> reduceTransparency{false};

}  // namespace

bool UIAccessibilityIsReduceTransparencyEnabled() {
    return reduceTransparency.load();
}

void UIAccessibilitySetReduceTransparencyEnabled(bool enabled) {
    reduceTransparency = enabled;
}

}  // namespace ov::ui
