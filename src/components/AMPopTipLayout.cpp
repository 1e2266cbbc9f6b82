// The pop tip's layout: the content's size, the bubble's size and place beside the rectangle,
// the shift along the arrow's side, and the arrow's tip with the anchor the animations grow
// from.

#include <algorithm>
#include <cmath>
#include <limits>

#include "AMPopTipCallbacks.h"
#include "orvane/components/AMPopTip.h"

namespace ov {

namespace {

bool isVertical(AMPopTipDirection direction) {
    return direction == AMPopTipDirectionUp || direction == AMPopTipDirectionDown;
}

// The side directions may not grow past the room beside the rectangle. A width of 0 or less
// sets no limit of its own; with no room at all the text still wraps at every word.
double limitedByRoom(double maxWidth, double room) {
    const double limited = maxWidth > 0 ? std::min(maxWidth, room) : room;
    return std::max(limited, 1.0);
}

// |k| compared as the single-precision magnitude the shift is taken as.
double magnitude(double k) {
    return std::fabs(static_cast<float>(k));
}

// The bubble along the axis of its side: where it starts, how long it is, where the arrow
// meets it, and the container's extent on that axis.
struct Axis {
    double start;
    double extent;
    double arrow;
    double containerStart;
    double containerExtent;
};

// Keeps the shift `k` from carrying the arrow off the bubble or the bubble out of the
// container.
double limitedShift(double k, AMPopTipDirection direction, const Axis& axis, ui::Size arrowSize,
                    double edgeMargin) {
    const double a = axis.arrow;
    if (k > 0 && k > a) {
        k = a - arrowSize.width;
    } else if (isVertical(direction)) {
        if (k < 0 && magnitude(k) > axis.extent)
            k = -(a - arrowSize.width);
        else if (k < 0 && magnitude(k) > axis.start - a)
            k = -(arrowSize.width + edgeMargin);
    } else if (k < 0 && magnitude(k) > axis.extent) {
        k = -(a - arrowSize.height);
    }
    const double before = axis.start - axis.containerStart;
    const double after = axis.containerExtent - before - axis.extent;
    if (k < 0 && magnitude(k) > before)
        k = -before + edgeMargin;
    else if (k > 0 && k > after)
        k = after - edgeMargin;
    return k;
}

}  // namespace

void AMPopTip::setup() {
    const auto container = containerView();
    if (!container) return;
    const double p = m_padding;
    const ui::EdgeInsets insets = m_edgeInsets;
    const ui::Size arrow = m_arrowSize;
    const ui::Rect c = container->bounds();
    const ui::Rect f = m_fromFrame;
    const double across = 2 * p + insets.left + insets.right;
    const double down = 2 * p + insets.top + insets.bottom;

    if (m_direction == AMPopTipDirectionLeft)
        m_maxWidth = limitedByRoom(m_maxWidth, f.origin.x - across - arrow.width);
    else if (m_direction == AMPopTipDirectionRight)
        m_maxWidth = limitedByRoom(m_maxWidth, c.size.width - f.maxX() - across - arrow.width);

    ui::Size content;
    const ui::Size box{m_maxWidth, std::numeric_limits<double>::max()};
    if (m_text) {
        const ui::AttributedString measured(*m_text, {{ui::NSFontAttributeName, m_font.toValue()}});
        content =
            measured.boundingRectWithSize(box, ui::NSStringDrawingUsesLineFragmentOrigin).size;
    } else if (m_attributedText) {
        content =
            m_attributedText->boundingRectWithSize(box, ui::NSStringDrawingUsesLineFragmentOrigin)
                .size;
    } else if (m_customView) {
        content = m_customView->frame().size;
    }
    m_textBounds = {{p + insets.left, p + insets.top}, content};

    const bool pushedAway =
        m_direction == AMPopTipDirectionDown || m_direction == AMPopTipDirectionRight;
    const double signedOffset = pushedAway ? m_offset : -m_offset;

    double x = 0, y = 0, width = content.width + across, height = content.height + down;
    switch (m_direction) {
        case AMPopTipDirectionUp:
        case AMPopTipDirectionDown:
            height += arrow.height;
            x = f.origin.x + f.size.width / 2 - width / 2;
            if (x < 0) x = m_edgeMargin;
            if (x + width > c.size.width) x = c.size.width - width - m_edgeMargin;
            y = (m_direction == AMPopTipDirectionUp ? f.origin.y - height : f.maxY()) +
                signedOffset;
            break;
        case AMPopTipDirectionLeft:
        case AMPopTipDirectionRight:
            width += arrow.height;
            x = (m_direction == AMPopTipDirectionLeft ? f.origin.x - width : f.maxX()) +
                signedOffset;
            y = f.origin.y + f.size.height / 2 - height / 2;
            if (y < 0) y = m_edgeMargin;
            if (y + height > c.size.height) y = c.size.height - height - m_edgeMargin;
            break;
        case AMPopTipDirectionNone:
            x = f.midX() - width / 2;
            y = f.midY() - height / 2 + signedOffset;
            break;
    }

    if (m_direction != AMPopTipDirectionNone) {
        // The container's own coordinates are the bubble's, so its bounds (not its frame)
        // say where the room ends.
        const bool vertical = isVertical(m_direction);
        const Axis axis = vertical ? Axis{x, width, f.midX() - x, c.origin.x, c.size.width}
                                   : Axis{y, height, f.midY() - y, c.origin.y, c.size.height};
        m_bubbleOffset = limitedShift(m_bubbleOffset, m_direction, axis, arrow, m_edgeMargin);
        (vertical ? x : y) += m_bubbleOffset;
    }

    width += 2 * m_borderWidth;
    height += 2 * m_borderWidth;

    ui::Point anchor{0.5, 0.5};
    switch (m_direction) {
        case AMPopTipDirectionUp:
            m_arrowPosition = {f.midX() - x, height};
            anchor = {m_arrowPosition.x / width, 1};
            break;
        case AMPopTipDirectionDown:
            m_arrowPosition = {f.midX() - x, f.maxY() - y + signedOffset};
            m_textBounds.origin.y += arrow.height;
            anchor = {m_arrowPosition.x / width, 0};
            break;
        case AMPopTipDirectionLeft:
            m_arrowPosition = {f.origin.x - x + signedOffset, f.midY() - y};
            anchor = {1, m_arrowPosition.y / height};
            break;
        case AMPopTipDirectionRight:
            m_arrowPosition = {f.maxX() - x + signedOffset, f.midY() - y};
            m_textBounds.origin.x += arrow.height;
            anchor = {0, m_arrowPosition.y / height};
            break;
        case AMPopTipDirectionNone:
            break;
    }

    setBackgroundColor(ui::Color::clearColor());
    // Placed through bounds and centre, which a transform left by an action animation does
    // not bend; scale animations grow from the arrow's tip.
    layer().setAnchorPoint(anchor);
    setBounds({0, 0, width, height});
    setCenter({x + anchor.x * width, y + anchor.y * height});
    if (m_customView) m_customView->setFrame(m_textBounds);
    if (!m_gestureRecognizer) {
        // One recogniser for the bubble's whole life, however often it is laid out.
        m_gestureRecognizer = std::make_shared<ui::TapGestureRecognizer>(poptip::whileAlive(
            *this, [](AMPopTip& tip, ui::GestureRecognizer& tap) { tip.handleTap(tap); }));
        m_gestureRecognizer->setCancelsTouchesInView(false);
        ui::addGestureRecognizer(*this, m_gestureRecognizer);
    }
    setNeedsDisplay();
}

}  // namespace ov
