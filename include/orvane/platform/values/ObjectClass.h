#pragma once
// The stand-in for the platform runtime's class object where code needs reflection: a class
// name and the properties the class declares itself (not those of its superclasses), each with
// its name, its attribute text (as the runtime gives it: "T" and the type encoding first, e.g.
// "T@\"NSString\",&,N,V_name", "Tq,N,V_count", "Td,N,V_ratio") and key-value accessors that
// wrap scalars as numbers and unwrap them again.
//
//   class Cat : public ov::Object, public ov::Introspectable {
//     public:
//       const ov::ObjectClass& objectClass() const override {
//           static const ov::ObjectClass kClass("Cat", {
//               ov::ObjectClass::property("name", "T@\"NSString\",&,N,V_name", &Cat::m_name),
//               ov::ObjectClass::property("lives", "Ti,N,V_lives", &Cat::m_lives),
//           });
//           return kClass;
//       }
//       ov::String m_name;
//       int m_lives = 9;
//   };
//
// A member-bound accessor reaches the storage even for a read-only property, as key-value
// access does. Setting the absent value or the null marker gives a scalar 0, a text "" and an
// object none; a value of another kind leaves the member as it is.

#include <cmath>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <type_traits>
#include <vector>

#include "orvane/platform/values/Value.h"

namespace ov {

class ObjectClass;

// Implemented by objects that describe their class, most derived first.
class Introspectable {
  public:
    virtual ~Introspectable() = default;
    virtual const ObjectClass& objectClass() const = 0;
};

struct PropertyDescription {
    String name;
    String attributes;
    std::function<Value(const Introspectable&)> get;
    std::function<void(Introspectable&, const Value&)> set;
};

class ObjectClass {
  public:
    ObjectClass(String name, std::vector<PropertyDescription> declaredProperties)
        : m_name(std::move(name)), m_properties(std::move(declaredProperties)) {}

    const String& name() const { return m_name; }
    // In declaration order.
    const std::vector<PropertyDescription>& declaredProperties() const { return m_properties; }

    template <class Owner, class Member>
    static PropertyDescription property(String name, String attributes, Member Owner::*member) {
        return {std::move(name), std::move(attributes),
                [member](const Introspectable& object) -> Value {
                    const auto* owner = dynamic_cast<const Owner*>(&object);
                    return owner ? wrap(owner->*member) : Value();
                },
                [member](Introspectable& object, const Value& value) {
                    if (auto* owner = dynamic_cast<Owner*>(&object)) unwrap(value, owner->*member);
                }};
    }

  private:
    template <class T>
    static Value wrap(const T& stored) {
        if constexpr (std::is_arithmetic_v<T> && !std::is_same_v<T, bool>) {
            return Value(Number(stored));
        } else if constexpr (requires { stored.has_value(); }) {
            return stored ? Value(*stored) : Value();
        } else if constexpr (requires { std::shared_ptr<Object>(stored); }) {
            return Value(std::shared_ptr<Object>(stored));
        } else {
            return Value(stored);
        }
    }

    template <class T>
    static void unwrap(const Value& value, T& stored) {
        if constexpr (std::is_same_v<T, bool>) {
            if (value.isAbsentOrNull()) stored = false;
            if (const auto flag = value.ifBool()) stored = *flag;
            if (const Number* number = value.ifNumber()) stored = number->boolValue();
        } else if constexpr (std::is_arithmetic_v<T>) {
            stored = static_cast<T>(scalarOf<T>(value));
        } else if constexpr (std::is_same_v<T, Value>) {
            stored = value;
        } else if constexpr (requires { typename T::element_type; }) {
            stored = value.ifObjectOf<typename T::element_type>();
        } else if constexpr (requires { stored.has_value(); }) {
            unwrapOptional(value, stored);
        } else {
            unwrapPlain(value, stored);
        }
    }

    // Saturating, as Number's own conversions are: a cast out of range would be undefined.
    template <class T>
    static auto scalarOf(const Value& value) {
        Number number(0);
        if (const Number* found = value.ifNumber()) number = *found;
        if (const auto flag = value.ifBool()) number = Number(*flag ? 1 : 0);
        if constexpr (std::is_floating_point_v<T>) {
            const double wide = number.doubleValue();
            const double high = static_cast<double>(std::numeric_limits<T>::max());
            if (std::isfinite(wide) && std::fabs(wide) > high)
                return wide > 0 ? std::numeric_limits<T>::infinity()
                                : -std::numeric_limits<T>::infinity();
            return static_cast<T>(wide);
        } else {
            const long long wide = number.longLongValue();
            const long long low = static_cast<long long>(std::numeric_limits<T>::min());
            const long long high = std::is_unsigned_v<T> && sizeof(T) >= sizeof(long long)
                                       ? std::numeric_limits<long long>::max()
                                       : static_cast<long long>(std::numeric_limits<T>::max());
            return wide < low ? low : wide > high ? high : wide;
        }
    }

    template <class T>
    static void unwrapOptional(const Value& value, std::optional<T>& stored) {
        if (value.isAbsentOrNull()) {
            stored.reset();
            return;
        }
        T inner{};
        unwrapPlain(value, inner);
        stored = std::move(inner);
    }

    template <class T>
    static void unwrapPlain(const Value& value, T& stored) {
        if (value.isAbsentOrNull()) {
            stored = T{};
        } else if constexpr (std::is_same_v<T, String>) {
            if (const String* text = value.ifString()) stored = *text;
        } else if constexpr (std::is_same_v<T, Dictionary>) {
            if (const Dictionary* dictionary = value.ifDictionary()) stored = *dictionary;
        } else if constexpr (std::is_same_v<T, Array>) {
            if (const Array* array = value.ifArray()) stored = *array;
        } else if constexpr (std::is_same_v<T, Data>) {
            if (const Data* data = value.ifData()) stored = *data;
        } else if constexpr (std::is_same_v<T, Date>) {
            if (const Date* date = value.ifDate()) stored = *date;
        } else {
            static_assert(sizeof(T) == 0, "no key-value conversion for this member type");
        }
    }

    String m_name;
    std::vector<PropertyDescription> m_properties;
};

}  // namespace ov
