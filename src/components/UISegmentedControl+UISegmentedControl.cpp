#include "orvane/components/UISegmentedControl+UISegmentedControl.h"

namespace ov::UISegmentedControl_UISegmentedControl {

void setSegments(ui::SegmentedControl& control, const std::vector<String>& segments) {
    control.removeAllSegments();
    for (const String& title : segments)
        control.insertSegmentWithTitle(title, control.numberOfSegments(), false);
}

}  // namespace ov::UISegmentedControl_UISegmentedControl
