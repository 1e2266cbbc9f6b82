#pragma once
// The horizontal scroll view a swipeable row rides on. Its pan only starts on a drag that is
// at least as wide as it is tall, and it lets the table's pan run beside it only while the
// table is not moving vertically. It keeps its touches: taps are the row's recognisers' job,
// not the table's.

#include "orvane/platform/ui/containers/ScrollView.h"

namespace ov {

class SWCellScrollView : public ui::ScrollView {
  public:
    using ui::ScrollView::ScrollView;

    bool gestureRecognizerShouldBegin(ui::GestureRecognizer& recognizer) override;
    std::optional<bool> gestureRecognizerShouldRecognizeSimultaneouslyWith(
        ui::GestureRecognizer& recognizer, ui::GestureRecognizer& other) override;

    void touchesBegan(const ui::TouchSet&, const ui::Event&) override {}
    void touchesMoved(const ui::TouchSet&, const ui::Event&) override {}
    void touchesEnded(const ui::TouchSet&, const ui::Event&) override {}
    void touchesCancelled(const ui::TouchSet&, const ui::Event&) override {}
};

}  // namespace ov
