#pragma once
// The press that highlights a swipeable row: a long press that gives up the moment the finger
// moves, so any drag belongs to the swipe or to the table.

#include "orvane/platform/ui/input/LongPressGestureRecognizer.h"

namespace ov {

class SWLongPressGestureRecognizer : public ui::LongPressGestureRecognizer {
  public:
    using ui::LongPressGestureRecognizer::LongPressGestureRecognizer;

    void touchesMoved(const ui::TouchSet& touches, const ui::Event& event) override;
};

}  // namespace ov
