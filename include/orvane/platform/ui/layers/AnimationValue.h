#pragma once
// The values a layer property can animate between: a number, a point, a size, a rectangle, a
// colour or a 3-D transform. Animations interpolate them, key paths read and write their parts.
//
//   ov::ui::AnimationValue from = ov::ui::Point{0, 0};
//   ov::ui::AnimationValue to = ov::ui::Point{100, 50};
//   ov::ui::interpolate(from, to, 0.5);                       // Point{50, 25}
//   ov::ui::componentOf(to, "y");                             // 50
//   ov::ui::componentOf(ov::ui::Transform3D::makeScale(2, 3, 1), "scale.y");  // 3
//
// Components are the ones the platform's key paths name: "x"/"y" of points, "width"/"height"
// of sizes, "origin", "size" and their parts of rectangles, and "scale", "scale.x",
// "translation.x", "rotation.z" (radians) ... of transforms. A transform's parts are read from
// its x-y terms; writing one replaces just that part, keeping the others (and any
// perspective).

#include <optional>
#include <string_view>
#include <variant>

#include "orvane/platform/ui/geometry/Color.h"
#include "orvane/platform/ui/geometry/Geometry.h"

namespace ov::ui {

using AnimationValue = std::variant<double, Point, Size, Rect, Color, Transform3D>;

// The value a fraction of the way from `from` to `to` (0 gives `from`, 1 gives `to`; values
// outside stretch the line, as springs overshoot). Colours blend their red, green, blue and
// alpha. Transforms in the x-y plane blend their translation, scale, rotation and shear, so a
// half-way rotation is a rotation; other transforms blend term by term. Values of different
// kinds jump to `to` at 1 and stay `from` before.
AnimationValue interpolate(const AnimationValue& from, const AnimationValue& to, double fraction);
// Part by part sum (`by` values, additive animations); transforms concatenate. Different kinds
// give `left`.
AnimationValue add(const AnimationValue& left, const AnimationValue& right);
// `left` less `right`, the inverse of add.
AnimationValue subtract(const AnimationValue& left, const AnimationValue& right);

// The named part (an empty path is the whole value); nullopt when the value has no such part.
std::optional<AnimationValue> componentOf(const AnimationValue& value, std::string_view path);
// The value with the named part replaced; nullopt when the value has no such part or the part
// is of another kind.
std::optional<AnimationValue> withComponent(const AnimationValue& value, std::string_view path,
                                            const AnimationValue& part);

}  // namespace ov::ui
