#include <algorithm>
#include <cmath>
#include <limits>

#include "orvane/platform/ui/geometry/Geometry.h"

namespace ov::ui {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kHuge = std::numeric_limits<double>::max();

}  // namespace

Rect Rect::null() {
    return {kInfinity, kInfinity, 0, 0};
}

Rect Rect::infinite() {
    return {-kHuge / 2, -kHuge / 2, kHuge, kHuge};
}

double Rect::minX() const {
    return std::min(origin.x, origin.x + size.width);
}

double Rect::midX() const {
    return origin.x + size.width / 2;
}

double Rect::maxX() const {
    return std::max(origin.x, origin.x + size.width);
}

double Rect::minY() const {
    return std::min(origin.y, origin.y + size.height);
}

double Rect::midY() const {
    return origin.y + size.height / 2;
}

double Rect::maxY() const {
    return std::max(origin.y, origin.y + size.height);
}

bool Rect::isNull() const {
    return std::isinf(origin.x) || std::isinf(origin.y);
}

bool Rect::isInfinite() const {
    return *this == infinite();
}

bool Rect::isEmpty() const {
    return isNull() || size.width == 0 || size.height == 0;
}

Rect Rect::standardized() const {
    if (isNull()) return *this;
    return {minX(), minY(), width(), height()};
}

Rect Rect::offsetBy(double dx, double dy) const {
    if (isNull()) return *this;
    const Rect standard = standardized();
    return {standard.origin.x + dx, standard.origin.y + dy, standard.size.width,
            standard.size.height};
}

Rect Rect::insetBy(double dx, double dy) const {
    if (isNull()) return *this;
    const Rect standard = standardized();
    const double width = standard.size.width - 2 * dx;
    const double height = standard.size.height - 2 * dy;
    if (width < 0 || height < 0) return null();
    return {standard.origin.x + dx, standard.origin.y + dy, width, height};
}

Rect Rect::inset(const EdgeInsets& insets) const {
    return {origin.x + insets.left, origin.y + insets.top,
            size.width - (insets.left + insets.right), size.height - (insets.top + insets.bottom)};
}

Rect Rect::unionWith(const Rect& other) const {
    if (isNull()) return other.standardized();
    if (other.isNull()) return standardized();
    const double left = std::min(minX(), other.minX());
    const double top = std::min(minY(), other.minY());
    return {left, top, std::max(maxX(), other.maxX()) - left, std::max(maxY(), other.maxY()) - top};
}

Rect Rect::intersection(const Rect& other) const {
    if (isNull() || other.isNull()) return null();
    const double left = std::max(minX(), other.minX());
    const double top = std::max(minY(), other.minY());
    const double right = std::min(maxX(), other.maxX());
    const double bottom = std::min(maxY(), other.maxY());
    if (right < left || bottom < top) return null();
    return {left, top, right - left, bottom - top};
}

Rect Rect::integral() const {
    if (isNull()) return *this;
    const double left = std::floor(minX());
    const double top = std::floor(minY());
    return {left, top, std::ceil(maxX()) - left, std::ceil(maxY()) - top};
}

bool Rect::contains(const Point& point) const {
    if (isNull()) return false;
    return point.x >= minX() && point.x < maxX() && point.y >= minY() && point.y < maxY();
}

bool Rect::contains(const Rect& other) const {
    if (isNull() || other.isNull()) return false;
    return other.minX() >= minX() && other.maxX() <= maxX() && other.minY() >= minY() &&
           other.maxY() <= maxY();
}

bool Rect::intersects(const Rect& other) const {
    return !intersection(other).isNull();
}

bool Rect::equalTo(const Rect& other) const {
    if (isNull() || other.isNull()) return isNull() == other.isNull();
    return standardized() == other.standardized();
}

}  // namespace ov::ui
