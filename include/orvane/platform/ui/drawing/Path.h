#pragma once
// A 2-D outline of lines and cubic curves (the platform's CGPath and UIBezierPath), in points.
// A plain value: copies are independent.
//
//   auto pill = ov::ui::Path::bezierPathWithRoundedRect({0, 0, 60, 20}, 10);
//   ov::ui::Path arc;
//   arc.addArc({50, 50}, 20, -M_PI / 2, M_PI, ov::ui::Path::Clockwise);
//   context.fillPath(pill, ov::ui::FillRule::NonZero);
//
// Arcs, quadratic curves, ovals and rounded corners are turned into cubic curves as they are
// added. "Clockwise" is as seen on screen (y down): angles grow, 0 pointing right and pi/2
// down, as with UIBezierPath.

#include <vector>

#include "orvane/platform/ui/geometry/Geometry.h"

namespace ov::ui {

enum class FillRule { NonZero, EvenOdd };

// Corners of a rectangle, a bit set (the platform's UIRectCorner).
using UIRectCorner = unsigned long;
inline constexpr UIRectCorner UIRectCornerTopLeft = 1 << 0;
inline constexpr UIRectCorner UIRectCornerTopRight = 1 << 1;
inline constexpr UIRectCorner UIRectCornerBottomLeft = 1 << 2;
inline constexpr UIRectCorner UIRectCornerBottomRight = 1 << 3;
inline constexpr UIRectCorner UIRectCornerAllCorners = ~0UL;

class Path {
  public:
    enum class ElementType { MoveTo, LineTo, CurveTo, Close };
    struct Element {
        ElementType type;
        // MoveTo and LineTo use points[0]; CurveTo uses two control points and the end.
        Point points[3];
    };
    enum Direction : bool { CounterClockwise = false, Clockwise = true };

    static Path bezierPath() { return {}; }
    static Path bezierPathWithRect(const Rect& rect);
    static Path bezierPathWithOvalInRect(const Rect& rect);
    // The radius is limited to half the shorter side.
    static Path bezierPathWithRoundedRect(const Rect& rect, double cornerRadius);
    static Path bezierPathWithRoundedRect(const Rect& rect, UIRectCorner corners, Size cornerRadii);
    static Path bezierPathWithArcCenter(Point center, double radius, double startAngle,
                                        double endAngle, Direction direction);

    void moveToPoint(Point point);
    // Without a current point these start a subpath at the point instead.
    void addLineToPoint(Point point);
    void addCurveToPoint(Point end, Point control1, Point control2);
    void addQuadCurveToPoint(Point end, Point control);
    // Joins the current point (if any) to the arc's start with a line.
    void addArc(Point center, double radius, double startAngle, double endAngle,
                Direction direction);
    void addRect(const Rect& rect);
    void addEllipseInRect(const Rect& rect);
    void closePath();
    void appendPath(const Path& other);
    void removeAllPoints() { m_elements.clear(); }

    // Applies to every point; the path is changed in place.
    void applyTransform(const AffineTransform& transform);

    bool isEmpty() const { return m_elements.empty(); }
    // The last point added, or the start of the subpath after a close; {0, 0} when empty.
    Point currentPoint() const;
    // The smallest rectangle holding every point, control points included; null when empty.
    Rect bounds() const;
    // Whether the point is inside the filled area.
    bool containsPoint(Point point, FillRule rule = FillRule::NonZero) const;

    const std::vector<Element>& elements() const { return m_elements; }

  private:
    bool hasCurrentPoint() const { return !m_elements.empty(); }

    std::vector<Element> m_elements;
};

}  // namespace ov::ui
