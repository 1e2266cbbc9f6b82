#include "orvane/platform/ui/layers/AnimationValue.h"

#include <cmath>
#include <numbers>

namespace ov::ui {

namespace {

double lerp(double from, double to, double fraction) {
    return from + (to - from) * fraction;
}

// The x-y part of a transform as scale, shear, rotation (radians) and translation.
struct PlaneParts {
    double scaleX = 1, scaleY = 1, shear = 0, angle = 0;
};

PlaneParts decompose(const Transform3D& t) {
    PlaneParts parts;
    double a = t.m11, b = t.m12, c = t.m21, d = t.m22;
    parts.scaleX = std::hypot(a, b);
    if (parts.scaleX != 0) {
        a /= parts.scaleX;
        b /= parts.scaleX;
    }
    parts.shear = a * c + b * d;
    c -= a * parts.shear;
    d -= b * parts.shear;
    parts.scaleY = std::hypot(c, d);
    if (parts.scaleY != 0) parts.shear /= parts.scaleY;
    // A mirrored transform keeps its flip in the x scale.
    if (a * d - b * c < 0) {
        parts.scaleX = -parts.scaleX;
        a = -a;
        b = -b;
        parts.shear = -parts.shear;
    }
    parts.angle = std::atan2(b, a);
    return parts;
}

Transform3D recompose(Transform3D t, const PlaneParts& parts) {
    const double cosine = std::cos(parts.angle), sine = std::sin(parts.angle);
    t.m11 = parts.scaleX * cosine;
    t.m12 = parts.scaleX * sine;
    t.m21 = parts.scaleY * (-sine + parts.shear * cosine);
    t.m22 = parts.scaleY * (cosine + parts.shear * sine);
    return t;
}

bool isPlanar(const Transform3D& t) {
    return t.m13 == 0 && t.m23 == 0 && t.m31 == 0 && t.m32 == 0 && t.m33 == 1 && t.m14 == 0 &&
           t.m24 == 0 && t.m34 == 0 && t.m43 == 0 && t.m44 == 1;
}

Transform3D interpolateTransforms(const Transform3D& from, const Transform3D& to, double f) {
    if (isPlanar(from) && isPlanar(to)) {
        const PlaneParts a = decompose(from), b = decompose(to);
        double angleFrom = a.angle;
        // The shorter way round.
        if (b.angle - angleFrom > std::numbers::pi) angleFrom += 2 * std::numbers::pi;
        if (angleFrom - b.angle > std::numbers::pi) angleFrom -= 2 * std::numbers::pi;
        Transform3D result =
            Transform3D::makeTranslation(lerp(from.m41, to.m41, f), lerp(from.m42, to.m42, f), 0);
        return recompose(result, {lerp(a.scaleX, b.scaleX, f), lerp(a.scaleY, b.scaleY, f),
                                  lerp(a.shear, b.shear, f), lerp(angleFrom, b.angle, f)});
    }
    const double* first = &from.m11;
    const double* second = &to.m11;
    Transform3D result;
    double* out = &result.m11;
    for (int i = 0; i < 16; ++i)
        out[i] = lerp(first[i], second[i], f);
    return result;
}

Color interpolateColors(const Color& from, const Color& to, double f) {
    double r0, g0, b0, a0, r1, g1, b1, a1;
    from.getRed(r0, g0, b0, a0);
    to.getRed(r1, g1, b1, a1);
    return Color::colorWithRed(lerp(r0, r1, f), lerp(g0, g1, f), lerp(b0, b1, f), lerp(a0, a1, f));
}

// Applies `op` to matching number parts of two values of the same kind.
template <class Op>
std::optional<AnimationValue> combine(const AnimationValue& left, const AnimationValue& right,
                                      Op op) {
    if (left.index() != right.index()) return std::nullopt;
    return std::visit(
        [&](const auto& l) -> std::optional<AnimationValue> {
            using T = std::decay_t<decltype(l)>;
            const T& r = std::get<T>(right);
            if constexpr (std::is_same_v<T, double>) {
                return op(l, r);
            } else if constexpr (std::is_same_v<T, Point>) {
                return Point{op(l.x, r.x), op(l.y, r.y)};
            } else if constexpr (std::is_same_v<T, Size>) {
                return Size{op(l.width, r.width), op(l.height, r.height)};
            } else if constexpr (std::is_same_v<T, Rect>) {
                return Rect{op(l.origin.x, r.origin.x), op(l.origin.y, r.origin.y),
                            op(l.size.width, r.size.width), op(l.size.height, r.size.height)};
            } else if constexpr (std::is_same_v<T, Color>) {
                double r0, g0, b0, a0, r1, g1, b1, a1;
                l.getRed(r0, g0, b0, a0);
                r.getRed(r1, g1, b1, a1);
                return Color::colorWithRed(op(r0, r1), op(g0, g1), op(b0, b1), op(a0, a1));
            } else {
                return std::nullopt;
            }
        },
        left);
}

std::pair<std::string_view, std::string_view> splitFirst(std::string_view path) {
    const auto dot = path.find('.');
    if (dot == std::string_view::npos) return {path, {}};
    return {path.substr(0, dot), path.substr(dot + 1)};
}

std::optional<double> transformPart(const Transform3D& t, std::string_view path) {
    const PlaneParts parts = decompose(t);
    if (path == "scale") return (parts.scaleX + parts.scaleY) / 2;
    if (path == "scale.x") return parts.scaleX;
    if (path == "scale.y") return parts.scaleY;
    if (path == "scale.z") return std::sqrt(t.m31 * t.m31 + t.m32 * t.m32 + t.m33 * t.m33);
    if (path == "rotation" || path == "rotation.z") return parts.angle;
    if (path == "translation.x") return t.m41;
    if (path == "translation.y") return t.m42;
    if (path == "translation.z") return t.m43;
    return std::nullopt;
}

std::optional<Transform3D> withTransformPart(Transform3D t, std::string_view path, double v) {
    PlaneParts parts = decompose(t);
    if (path == "scale") {
        parts.scaleX = parts.scaleY = v;
    } else if (path == "scale.x") {
        parts.scaleX = v;
    } else if (path == "scale.y") {
        parts.scaleY = v;
    } else if (path == "rotation" || path == "rotation.z") {
        parts.angle = v;
    } else if (path == "translation.x") {
        t.m41 = v;
        return t;
    } else if (path == "translation.y") {
        t.m42 = v;
        return t;
    } else if (path == "translation.z") {
        t.m43 = v;
        return t;
    } else if (path == "scale.z") {
        t.m33 = v;
        return t;
    } else {
        return std::nullopt;
    }
    return recompose(t, parts);
}

}  // namespace

AnimationValue interpolate(const AnimationValue& from, const AnimationValue& to, double fraction) {
    if (fraction == 0) return from;
    if (fraction == 1) return to;
    if (from.index() != to.index()) return fraction < 1 ? from : to;
    if (const auto* t = std::get_if<Transform3D>(&from))
        return interpolateTransforms(*t, std::get<Transform3D>(to), fraction);
    if (const auto* c = std::get_if<Color>(&from))
        return interpolateColors(*c, std::get<Color>(to), fraction);
    return *combine(from, to, [fraction](double a, double b) { return lerp(a, b, fraction); });
}

AnimationValue add(const AnimationValue& left, const AnimationValue& right) {
    if (const auto* t = std::get_if<Transform3D>(&left)) {
        if (const auto* r = std::get_if<Transform3D>(&right)) return r->concat(*t);
        return left;
    }
    return combine(left, right, [](double a, double b) { return a + b; }).value_or(left);
}

AnimationValue subtract(const AnimationValue& left, const AnimationValue& right) {
    if (const auto* t = std::get_if<Transform3D>(&left)) {
        if (const auto* r = std::get_if<Transform3D>(&right)) return r->inverted().concat(*t);
        return left;
    }
    return combine(left, right, [](double a, double b) { return a - b; }).value_or(left);
}

std::optional<AnimationValue> componentOf(const AnimationValue& value, std::string_view path) {
    if (path.empty()) return value;
    if (const auto* t = std::get_if<Transform3D>(&value)) {
        if (path == "translation") return Size{t->m41, t->m42};
        if (auto part = transformPart(*t, path)) return *part;
        return std::nullopt;
    }
    const auto [head, rest] = splitFirst(path);
    std::optional<AnimationValue> part;
    if (const auto* p = std::get_if<Point>(&value)) {
        if (head == "x") part = p->x;
        if (head == "y") part = p->y;
    } else if (const auto* s = std::get_if<Size>(&value)) {
        if (head == "width") part = s->width;
        if (head == "height") part = s->height;
    } else if (const auto* r = std::get_if<Rect>(&value)) {
        if (head == "origin") part = r->origin;
        if (head == "size") part = r->size;
    }
    if (!part) return std::nullopt;
    return componentOf(*part, rest);
}

std::optional<AnimationValue> withComponent(const AnimationValue& value, std::string_view path,
                                            const AnimationValue& part) {
    if (path.empty()) {
        if (part.index() != value.index()) return std::nullopt;
        return part;
    }
    if (const auto* t = std::get_if<Transform3D>(&value)) {
        if (path == "translation") {
            const auto* size = std::get_if<Size>(&part);
            if (!size) return std::nullopt;
            Transform3D moved = *t;
            moved.m41 = size->width;
            moved.m42 = size->height;
            return moved;
        }
        const auto* number = std::get_if<double>(&part);
        if (!number) return std::nullopt;
        if (auto changed = withTransformPart(*t, path, *number)) return *changed;
        return std::nullopt;
    }
    const auto [head, rest] = splitFirst(path);
    // Structured bindings cannot be captured by every compiler we build with.
    const auto remainder = rest;
    auto replaceIn = [&](const AnimationValue& inner) {
        return withComponent(inner, remainder, part);
    };
    if (const auto* p = std::get_if<Point>(&value)) {
        if (head != "x" && head != "y") return std::nullopt;
        const auto changed = replaceIn(head == "x" ? p->x : p->y);
        if (!changed) return std::nullopt;
        const double number = std::get<double>(*changed);
        return head == "x" ? Point{number, p->y} : Point{p->x, number};
    }
    if (const auto* s = std::get_if<Size>(&value)) {
        if (head != "width" && head != "height") return std::nullopt;
        const auto changed = replaceIn(head == "width" ? s->width : s->height);
        if (!changed) return std::nullopt;
        const double number = std::get<double>(*changed);
        return head == "width" ? Size{number, s->height} : Size{s->width, number};
    }
    if (const auto* r = std::get_if<Rect>(&value)) {
        if (head == "origin") {
            const auto changed = replaceIn(r->origin);
            if (!changed) return std::nullopt;
            return Rect{std::get<Point>(*changed), r->size};
        }
        if (head == "size") {
            const auto changed = replaceIn(r->size);
            if (!changed) return std::nullopt;
            return Rect{r->origin, std::get<Size>(*changed)};
        }
    }
    return std::nullopt;
}

}  // namespace ov::ui
