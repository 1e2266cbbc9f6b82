#pragma once
// Anything a Value holds by shared handle rather than by value: errors, images, host objects.
// Subclasses give their class name and description; a host object that can stand in JSON
// gives a proxy value.

#include <memory>

namespace ov {

class String;
class Value;

class Object {
  public:
    virtual ~Object() = default;
    virtual String className() const = 0;
    // "<ClassName: 0x...>" unless a subclass says more.
    virtual String description() const;
    // The value to write in this object's place in JSON; absent when it has none.
    virtual Value proxyForJson() const;
    // Identity unless a subclass compares contents.
    virtual bool isEqual(const Object& other) const { return this == &other; }
};

}  // namespace ov
