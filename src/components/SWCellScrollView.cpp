#include "orvane/components/SWCellScrollView.h"

#include <cmath>

#include "orvane/platform/ui/input/PanGestureRecognizer.h"

namespace ov {

namespace {

// Points per second under which the table counts as still vertically.
constexpr double kStillVerticalVelocity = 0.25;

}  // namespace

bool SWCellScrollView::gestureRecognizerShouldBegin(ui::GestureRecognizer& recognizer) {
    if (&recognizer != &panGestureRecognizer()) {
        return ui::ScrollView::gestureRecognizerShouldBegin(recognizer);
    }
    const ui::Point t = panGestureRecognizer().translationInView(superview());
    return std::abs(t.x) >= std::abs(t.y);
}

std::optional<bool> SWCellScrollView::gestureRecognizerShouldRecognizeSimultaneouslyWith(
    ui::GestureRecognizer&, ui::GestureRecognizer& other) {
    if (auto* pan = dynamic_cast<ui::PanGestureRecognizer*>(&other)) {
        return std::abs(pan->velocityInView(nullptr).y) <= kStillVerticalVelocity;
    }
    return true;
}

}  // namespace ov
