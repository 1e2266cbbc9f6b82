#pragma once
// Points, sizes, rectangles, edge insets and transforms (the platform's CGPoint, CGSize, CGRect,
// UIEdgeInsets, CGAffineTransform and CATransform3D), in points as doubles. The origin is the
// top left and y grows downwards.
//
//   ov::ui::Rect frame{10, 20, 100, 50};
//   frame.maxX();                                  // 110
//   frame.insetBy(5, 5);                           // {15, 25, 90, 40}
//   frame.intersection({0, 0, 50, 50});            // {10, 20, 40, 30}
//   frame.contains(ov::ui::Point{10, 20});         // true (the far edges are outside)
//
//   auto t = ov::ui::AffineTransform::makeTranslation(10, 0).rotate(M_PI / 2);
//   t.apply(ov::ui::Point{1, 0});                  // rotated first, then moved: {10, 1}
//
// A rectangle may have a negative width or height; the edges (minX, maxX, ...) and the
// operations that return a rectangle work on its standardised form, as the platform's do. The
// null rectangle (Rect::null(), an infinite origin) is what an empty intersection gives; it is
// absorbed by union and passes through the other operations unchanged.
//
// Transforms compose like the platform's: a.concat(b) applies a first, then b, and the
// builders t.translate/scale/rotate put the new step before t (t.translate(x, y) =
// makeTranslation(x, y).concat(t)). A positive angle turns x towards y, which is clockwise on
// screen since y grows downwards.

#include <array>
#include <cmath>

namespace ov::ui {

struct Point {
    double x = 0;
    double y = 0;

    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    double width = 0;
    double height = 0;

    friend bool operator==(const Size&, const Size&) = default;
};

struct EdgeInsets {
    double top = 0;
    double left = 0;
    double bottom = 0;
    double right = 0;

    friend bool operator==(const EdgeInsets&, const EdgeInsets&) = default;
};

struct Rect {
    Point origin;
    Size size;

    constexpr Rect() = default;
    constexpr Rect(Point origin, Size size) : origin(origin), size(size) {}
    constexpr Rect(double x, double y, double width, double height)
        : origin{x, y}, size{width, height} {}

    // The rectangle with an infinite origin and no size: "no rectangle".
    static Rect null();
    // The rectangle that covers the whole plane.
    static Rect infinite();

    // Edges of the standardised rectangle (NaN-free; for null they are infinite).
    double minX() const;
    double midX() const;
    double maxX() const;
    double minY() const;
    double midY() const;
    double maxY() const;
    // Never negative.
    double width() const { return std::abs(size.width); }
    double height() const { return std::abs(size.height); }

    bool isNull() const;
    bool isInfinite() const;
    // Null, or no area.
    bool isEmpty() const;

    // The same rectangle with a width and height that are not negative.
    Rect standardized() const;
    // Moved by (dx, dy).
    Rect offsetBy(double dx, double dy) const;
    // Shrunk by dx on the left and right and dy on the top and bottom (grown for negative
    // values); null when that leaves a negative width or height.
    Rect insetBy(double dx, double dy) const;
    // Shrunk by each inset on its own side, with no standardising and no check (the
    // platform's UIEdgeInsetsInsetRect): too large insets leave a negative size.
    Rect inset(const EdgeInsets& insets) const;
    // The smallest rectangle holding both; a null rectangle is ignored.
    Rect unionWith(const Rect& other) const;
    // The common part, null when there is none. Rectangles that only touch give a rectangle
    // of zero width or height.
    Rect intersection(const Rect& other) const;
    // The smallest rectangle of whole numbers that holds this one.
    Rect integral() const;

    // Half-open: the minimum edges are inside, the maximum edges outside.
    bool contains(const Point& point) const;
    // Every point of `other` is in this rectangle; nothing contains or is contained in null.
    bool contains(const Rect& other) const;
    // The intersection is not null.
    bool intersects(const Rect& other) const;

    // Exact comparison of the stored fields.
    friend bool operator==(const Rect&, const Rect&) = default;
    // The same area: both null, or equal once standardised.
    bool equalTo(const Rect& other) const;
};

inline Rect edgeInsetsInsetRect(const Rect& rect, const EdgeInsets& insets) {
    return rect.inset(insets);
}

// A 2-D affine map: x' = a x + c y + tx, y' = b x + d y + ty.
struct AffineTransform {
    double a = 1, b = 0, c = 0, d = 1, tx = 0, ty = 0;

    static constexpr AffineTransform identity() { return {}; }
    static AffineTransform makeTranslation(double tx, double ty);
    static AffineTransform makeScale(double sx, double sy);
    // Radians.
    static AffineTransform makeRotation(double angle);

    bool isIdentity() const { return *this == identity(); }
    // Applies this first, then `then`.
    AffineTransform concat(const AffineTransform& then) const;
    // The steps are applied before this transform.
    AffineTransform translate(double dx, double dy) const;
    AffineTransform scale(double sx, double sy) const;
    AffineTransform rotate(double angle) const;
    bool isInvertible() const;
    // The inverse; this transform unchanged when it has none, as the platform answers.
    AffineTransform inverted() const;

    Point apply(const Point& point) const;
    // The linear part only (sizes do not move); the result may be negative.
    Size apply(const Size& size) const;
    // The bounding box of the transformed corners; null stays null.
    Rect apply(const Rect& rect) const;

    friend bool operator==(const AffineTransform&, const AffineTransform&) = default;
};

// A 4x4 homogeneous transform for layers, acting on row vectors: [x y z 1] * M. m34 = -1/d
// gives a perspective seen from distance d.
struct Transform3D {
    double m11 = 1, m12 = 0, m13 = 0, m14 = 0;
    double m21 = 0, m22 = 1, m23 = 0, m24 = 0;
    double m31 = 0, m32 = 0, m33 = 1, m34 = 0;
    double m41 = 0, m42 = 0, m43 = 0, m44 = 1;

    static constexpr Transform3D identity() { return {}; }
    static Transform3D makeTranslation(double tx, double ty, double tz);
    static Transform3D makeScale(double sx, double sy, double sz);
    // Radians about the axis (x, y, z); a zero axis gives the identity. About (0, 0, 1) it
    // matches AffineTransform::makeRotation.
    static Transform3D makeRotation(double angle, double x, double y, double z);
    // The affine transform in the x-y plane (z untouched).
    static Transform3D makeAffine(const AffineTransform& transform);

    bool isIdentity() const { return *this == identity(); }
    // Only the x-y affine terms are used, so the transform can be an AffineTransform.
    bool isAffine() const;
    // The x-y affine terms, whatever the others hold.
    AffineTransform affineTransform() const;

    // Applies this first, then `then`.
    Transform3D concat(const Transform3D& then) const;
    // The steps are applied before this transform.
    Transform3D translate(double tx, double ty, double tz) const;
    Transform3D scale(double sx, double sy, double sz) const;
    Transform3D rotate(double angle, double x, double y, double z) const;
    bool isInvertible() const;
    // The inverse; this transform unchanged when it has none.
    Transform3D inverted() const;

    // The point (x, y, 0) mapped and divided by w; a w of zero leaves x and y undivided.
    Point apply(const Point& point) const;
    // (x, y, z) mapped and divided by w.
    std::array<double, 3> apply(double x, double y, double z) const;

    friend bool operator==(const Transform3D&, const Transform3D&) = default;
};

}  // namespace ov::ui
