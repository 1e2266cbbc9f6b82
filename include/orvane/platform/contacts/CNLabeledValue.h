#pragma once
// A value of a contact's multi-valued field with its label (the platform's CNLabeledValue):
// a phone number, a web address or an e-mail address, labelled "home", "work" or any text.
//
//   auto work = ov::CNLabeledValue<ov::String>::labeledValueWithLabel(ov::CNLabelWork,
//                                                                       "ada@example.org");

#include <utility>

#include "orvane/platform/values/String.h"

namespace ov {

// The platform's generic labels, in its own coded form.
inline constexpr const char* CNLabelHome = "_$!<Home>!$_";
inline constexpr const char* CNLabelWork = "_$!<Work>!$_";
inline constexpr const char* CNLabelOther = "_$!<Other>!$_";

template <class ValueType>
struct CNLabeledValue {
    // Empty when the value has no label.
    String label;
    ValueType value;

    static CNLabeledValue labeledValueWithLabel(String label, ValueType value) {
        return {std::move(label), std::move(value)};
    }
    friend bool operator==(const CNLabeledValue&, const CNLabeledValue&) = default;
};

}  // namespace ov
