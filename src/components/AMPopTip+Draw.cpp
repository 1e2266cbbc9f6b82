// The bubble's outline and its drawing.

#include <algorithm>
#include <cmath>

#include "orvane/components/AMPopTip.h"
#include "orvane/platform/ui/drawing/GraphicsContext.h"

namespace ov {

namespace {

// Corners and edges clockwise on screen, from the top left: edge i runs from corner i to
// corner i + 1, and the arc at corner i turns from pi + i * pi / 2 through a quarter.
enum Edge { kTop, kRight, kBottom, kLeft };

Edge arrowEdge(AMPopTipDirection direction) {
    switch (direction) {
        case AMPopTipDirectionUp:
            return kBottom;
        case AMPopTipDirectionDown:
            return kTop;
        case AMPopTipDirectionLeft:
            return kRight;
        default:
            return kLeft;
    }
}

ui::Point cornerCentre(const ui::Rect& body, int corner, double radius) {
    const double left = body.minX() + radius, right = body.maxX() - radius;
    const double top = body.minY() + radius, bottom = body.maxY() - radius;
    switch (corner % 4) {
        case 0:
            return {left, top};
        case 1:
            return {right, top};
        case 2:
            return {right, bottom};
        default:
            return {left, bottom};
    }
}

void addCorner(ui::Path& path, const ui::Rect& body, int corner, double radius) {
    const double start = M_PI + (corner % 4) * M_PI / 2;
    path.addArc(cornerCentre(body, corner, radius), radius, start, start + M_PI / 2,
                ui::Path::Clockwise);
}

// The point `along` the edge's own axis, on the edge.
ui::Point onEdge(const ui::Rect& body, Edge edge, double along) {
    switch (edge) {
        case kTop:
            return {along, body.minY()};
        case kBottom:
            return {along, body.maxY()};
        case kRight:
            return {body.maxX(), along};
        case kLeft:
            return {body.minX(), along};
    }
    return {};
}

}  // namespace

ui::Path AMPopTip::pathWithRect(const ui::Rect& rect, AMPopTipDirection direction) const {
    const double inset = m_borderWidth;
    ui::Rect body{rect.origin.x + inset, rect.origin.y + inset, rect.size.width - 2 * inset,
                  rect.size.height - 2 * inset};
    const double depth = m_arrowSize.height;
    const bool hasArrow = direction >= AMPopTipDirectionUp && direction < AMPopTipDirectionNone;
    const Edge edge = arrowEdge(direction);
    if (hasArrow) {
        if (edge == kTop) body.origin.y += depth;
        if (edge == kLeft) body.origin.x += depth;
        if (edge == kTop || edge == kBottom)
            body.size.height -= depth;
        else
            body.size.width -= depth;
    }
    body.size.width = std::max(body.size.width, 0.0);
    body.size.height = std::max(body.size.height, 0.0);
    const double radius =
        std::clamp(m_radius, 0.0, std::min(body.size.width, body.size.height) / 2);

    ui::Path path;
    if (!hasArrow) {
        path.moveToPoint({body.minX(), body.minY() + radius});
        for (int corner = 0; corner < 4; ++corner)
            addCorner(path, body, corner, radius);
        path.closePath();
        return path;
    }

    // The base stays on the straight part of the edge, between the corners' arcs.
    const bool horizontal = edge == kTop || edge == kBottom;
    const double low = (horizontal ? body.minX() : body.minY()) + radius;
    const double high = (horizontal ? body.maxX() : body.maxY()) - radius;
    const double half = m_arrowSize.width / 2;
    const double along =
        horizontal ? rect.origin.x + m_arrowPosition.x : rect.origin.y + m_arrowPosition.y;
    const double centre =
        low + half <= high - half ? std::clamp(along, low + half, high - half) : (low + high) / 2;
    ui::Point tip = onEdge(body, edge, along);
    (horizontal ? tip.y : tip.x) += (edge == kTop || edge == kLeft) ? -depth : depth;
    // Clockwise the top and right edges run towards growing coordinates.
    const double ahead = (edge == kTop || edge == kRight) ? half : -half;

    path.moveToPoint(tip);
    path.addLineToPoint(onEdge(body, edge, centre + ahead));
    for (int step = 1; step <= 4; ++step)
        addCorner(path, body, edge + step, radius);
    path.addLineToPoint(onEdge(body, edge, centre - ahead));
    path.closePath();
    return path;
}

void AMPopTip::drawRect(ui::GraphicsContext& context, const ui::Rect&) {
    // The bounds: an action animation's scale must not change the corners.
    const ui::Size size = bounds().size;
    if (m_rounded) {
        const bool sideways =
            m_direction == AMPopTipDirectionLeft || m_direction == AMPopTipDirectionRight;
        m_radius = sideways ? size.height / 2 : (size.height - m_arrowSize.height) / 2;
    }
    const ui::Path outline = pathWithRect(bounds(), m_direction);
    context.setFillColor(m_popoverColor);
    context.fillPath(outline);
    if (m_borderWidth > 0) {
        context.setStrokeColor(m_borderColor);
        context.setLineWidth(m_borderWidth);
        context.strokePath(outline);
    }

    if (m_text) {
        m_paragraphStyle.alignment = m_textAlignment;
        const ui::AttributedString text(
            *m_text, {{ui::NSParagraphStyleAttributeName, m_paragraphStyle.toValue()},
                      {ui::NSFontAttributeName, m_font.toValue()},
                      {ui::NSForegroundColorAttributeName, m_textColor.toValue()}});
        context.drawText(text, m_textBounds);
    } else if (m_attributedText) {
        context.drawText(*m_attributedText, m_textBounds);
    }
}

}  // namespace ov
