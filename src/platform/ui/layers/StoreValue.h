#pragma once
// Stores an animation value into a typed layer field when the kinds match.

#include <optional>

#include "orvane/platform/ui/layers/AnimationValue.h"

namespace ov::ui {

template <class T>
bool storeAs(const AnimationValue& value, T& field) {
    const auto* typed = std::get_if<T>(&value);
    if (!typed) return false;
    field = *typed;
    return true;
}

// An optional colour field: an animated value always stores a colour.
inline bool storeAs(const AnimationValue& value, std::optional<Color>& field) {
    const auto* typed = std::get_if<Color>(&value);
    if (!typed) return false;
    field = *typed;
    return true;
}

}  // namespace ov::ui
