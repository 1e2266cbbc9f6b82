#include <algorithm>
#include <cmath>

#include "orvane/platform/ui/geometry/Geometry.h"

namespace ov::ui {

AffineTransform AffineTransform::makeTranslation(double tx, double ty) {
    return {1, 0, 0, 1, tx, ty};
}

AffineTransform AffineTransform::makeScale(double sx, double sy) {
    return {sx, 0, 0, sy, 0, 0};
}

AffineTransform AffineTransform::makeRotation(double angle) {
    const double cosine = std::cos(angle);
    const double sine = std::sin(angle);
    return {cosine, sine, -sine, cosine, 0, 0};
}

AffineTransform AffineTransform::concat(const AffineTransform& then) const {
    return {a * then.a + b * then.c,
            a * then.b + b * then.d,
            c * then.a + d * then.c,
            c * then.b + d * then.d,
            tx * then.a + ty * then.c + then.tx,
            tx * then.b + ty * then.d + then.ty};
}

AffineTransform AffineTransform::translate(double dx, double dy) const {
    return makeTranslation(dx, dy).concat(*this);
}

AffineTransform AffineTransform::scale(double sx, double sy) const {
    return makeScale(sx, sy).concat(*this);
}

AffineTransform AffineTransform::rotate(double angle) const {
    return makeRotation(angle).concat(*this);
}

bool AffineTransform::isInvertible() const {
    const double determinant = a * d - b * c;
    return determinant != 0 && std::isfinite(determinant);
}

AffineTransform AffineTransform::inverted() const {
    if (!isInvertible()) return *this;
    const double determinant = a * d - b * c;
    const double ia = d / determinant;
    const double ib = -b / determinant;
    const double ic = -c / determinant;
    const double id = a / determinant;
    return {ia, ib, ic, id, -(tx * ia + ty * ic), -(tx * ib + ty * id)};
}

Point AffineTransform::apply(const Point& point) const {
    return {a * point.x + c * point.y + tx, b * point.x + d * point.y + ty};
}

Size AffineTransform::apply(const Size& size) const {
    return {a * size.width + c * size.height, b * size.width + d * size.height};
}

Rect AffineTransform::apply(const Rect& rect) const {
    if (rect.isNull()) return rect;
    const Point corners[] = {
        apply(Point{rect.minX(), rect.minY()}), apply(Point{rect.maxX(), rect.minY()}),
        apply(Point{rect.minX(), rect.maxY()}), apply(Point{rect.maxX(), rect.maxY()})};
    Rect bounds{corners[0], {}};
    for (const Point& corner : corners)
        bounds = bounds.unionWith(Rect{corner, {}});
    return bounds;
}

}  // namespace ov::ui
