#pragma once
// Replacing all the segments of a segmented control at once.
//
//   ov::UISegmentedControl_UISegmentedControl::setSegments(*filter, {"All", "Unread"});

#include <vector>

#include "orvane/platform/ui/views/SegmentedControl.h"

namespace ov::UISegmentedControl_UISegmentedControl {

// One titled segment per entry, in order, replacing the old ones.
void setSegments(ui::SegmentedControl& control, const std::vector<String>& segments);

}  // namespace ov::UISegmentedControl_UISegmentedControl
