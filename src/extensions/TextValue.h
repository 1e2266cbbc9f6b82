#pragma once
// Internal: an optional text as the Value a "%@" log line prints ("(null)" when none).

#include <optional>

#include "orvane/platform/values/Value.h"

namespace ov {

inline Value textValue(const std::optional<String>& text) {
    return text ? Value(*text) : Value();
}

}  // namespace ov
