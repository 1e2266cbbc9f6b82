#include <array>
#include <cmath>
#include <optional>
#include <utility>

#include "orvane/platform/ui/geometry/Geometry.h"

namespace ov::ui {

namespace {

using Matrix = std::array<std::array<double, 4>, 4>;

Matrix toMatrix(const Transform3D& t) {
    return {{{t.m11, t.m12, t.m13, t.m14},
             {t.m21, t.m22, t.m23, t.m24},
             {t.m31, t.m32, t.m33, t.m34},
             {t.m41, t.m42, t.m43, t.m44}}};
}

Transform3D fromMatrix(const Matrix& m) {
    return {m[0][0], m[0][1], m[0][2], m[0][3], m[1][0], m[1][1], m[1][2], m[1][3],
            m[2][0], m[2][1], m[2][2], m[2][3], m[3][0], m[3][1], m[3][2], m[3][3]};
}

Matrix multiply(const Matrix& left, const Matrix& right) {
    Matrix product{};
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            for (int k = 0; k < 4; ++k)
                product[row][column] += left[row][k] * right[k][column];
        }
    }
    return product;
}

// Gauss-Jordan with partial pivoting; nullopt for a singular matrix.
std::optional<Matrix> invert(Matrix m) {
    Matrix inverse = toMatrix(Transform3D::identity());
    for (int column = 0; column < 4; ++column) {
        int pivot = column;
        for (int row = column + 1; row < 4; ++row) {
            if (std::abs(m[row][column]) > std::abs(m[pivot][column])) pivot = row;
        }
        const double pivotValue = m[pivot][column];
        if (pivotValue == 0 || !std::isfinite(pivotValue)) return std::nullopt;
        std::swap(m[pivot], m[column]);
        std::swap(inverse[pivot], inverse[column]);
        for (int k = 0; k < 4; ++k) {
            m[column][k] /= pivotValue;
            inverse[column][k] /= pivotValue;
        }
        for (int row = 0; row < 4; ++row) {
            if (row == column) continue;
            const double factor = m[row][column];
            for (int k = 0; k < 4; ++k) {
                m[row][k] -= factor * m[column][k];
                inverse[row][k] -= factor * inverse[column][k];
            }
        }
    }
    return inverse;
}

}  // namespace

Transform3D Transform3D::makeTranslation(double tx, double ty, double tz) {
    Transform3D t;
    t.m41 = tx;
    t.m42 = ty;
    t.m43 = tz;
    return t;
}

Transform3D Transform3D::makeScale(double sx, double sy, double sz) {
    Transform3D t;
    t.m11 = sx;
    t.m22 = sy;
    t.m33 = sz;
    return t;
}

Transform3D Transform3D::makeRotation(double angle, double x, double y, double z) {
    const double length = std::sqrt(x * x + y * y + z * z);
    if (length == 0 || !std::isfinite(length)) return identity();
    x /= length;
    y /= length;
    z /= length;
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    const double t = 1 - c;
    Transform3D r;
    r.m11 = t * x * x + c;
    r.m12 = t * x * y + s * z;
    r.m13 = t * x * z - s * y;
    r.m21 = t * x * y - s * z;
    r.m22 = t * y * y + c;
    r.m23 = t * y * z + s * x;
    r.m31 = t * x * z + s * y;
    r.m32 = t * y * z - s * x;
    r.m33 = t * z * z + c;
    return r;
}

Transform3D Transform3D::makeAffine(const AffineTransform& transform) {
    Transform3D t;
    t.m11 = transform.a;
    t.m12 = transform.b;
    t.m21 = transform.c;
    t.m22 = transform.d;
    t.m41 = transform.tx;
    t.m42 = transform.ty;
    return t;
}

bool Transform3D::isAffine() const {
    return m13 == 0 && m14 == 0 && m23 == 0 && m24 == 0 && m31 == 0 && m32 == 0 && m33 == 1 &&
           m34 == 0 && m43 == 0 && m44 == 1;
}

AffineTransform Transform3D::affineTransform() const {
    return {m11, m12, m21, m22, m41, m42};
}

Transform3D Transform3D::concat(const Transform3D& then) const {
    return fromMatrix(multiply(toMatrix(*this), toMatrix(then)));
}

Transform3D Transform3D::translate(double tx, double ty, double tz) const {
    return makeTranslation(tx, ty, tz).concat(*this);
}

Transform3D Transform3D::scale(double sx, double sy, double sz) const {
    return makeScale(sx, sy, sz).concat(*this);
}

Transform3D Transform3D::rotate(double angle, double x, double y, double z) const {
    return makeRotation(angle, x, y, z).concat(*this);
}

bool Transform3D::isInvertible() const {
    return invert(toMatrix(*this)).has_value();
}

Transform3D Transform3D::inverted() const {
    const auto inverse = invert(toMatrix(*this));
    return inverse ? fromMatrix(*inverse) : *this;
}

std::array<double, 3> Transform3D::apply(double x, double y, double z) const {
    const double mappedX = x * m11 + y * m21 + z * m31 + m41;
    const double mappedY = x * m12 + y * m22 + z * m32 + m42;
    const double mappedZ = x * m13 + y * m23 + z * m33 + m43;
    const double w = x * m14 + y * m24 + z * m34 + m44;
    if (w == 0) return {mappedX, mappedY, mappedZ};
    return {mappedX / w, mappedY / w, mappedZ / w};
}

Point Transform3D::apply(const Point& point) const {
    const auto mapped = apply(point.x, point.y, 0);
    return {mapped[0], mapped[1]};
}

}  // namespace ov::ui
