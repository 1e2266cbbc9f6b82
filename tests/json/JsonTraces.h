#pragma once
// The error trace as one line, oldest first: "3 Unrecognised leading character / 3 Expected
// value while parsing array"; empty when the trace is absent.

#include <string>

#include "orvane/json/SBJsonBase.h"

namespace ov::test {

inline std::string traceText(const SBJsonBase& json) {
    std::string text;
    for (const Error& error : json.errorTrace().value_or(ErrorTrace{})) {
        if (!text.empty()) text += " / ";
        text += std::to_string(error.code()) + " " + error.localizedDescription().toUtf8();
    }
    return text;
}

// `depth` arrays inside one another, as text: "[[...]]".
inline std::string nestedArrays(size_t depth) {
    return std::string(depth, '[') + std::string(depth, ']');
}

}  // namespace ov::test
