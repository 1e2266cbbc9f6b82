#include "orvane/platform/ui/input/Touch.h"

#include "orvane/platform/ui/views/View.h"

namespace ov::ui {

Touch::Touch(const std::shared_ptr<View>& root, Point location, double timestamp)
    : m_root(root), m_location(location), m_previousLocation(location), m_timestamp(timestamp) {}

void Touch::update(UITouchPhase phase, Point location, double timestamp) {
    m_phase = phase;
    m_previousLocation = m_location;
    m_location = location;
    m_timestamp = timestamp;
}

Point Touch::convert(Point rootPoint, const View* view) const {
    const auto root = m_root.lock();
    if (!view || !root || view == root.get()) return rootPoint;
    return view->convertPoint_fromView(rootPoint, root.get());
}

Point Touch::locationInView(const View* view) const {
    return convert(m_location, view);
}

Point Touch::previousLocationInView(const View* view) const {
    return convert(m_previousLocation, view);
}

}  // namespace ov::ui
