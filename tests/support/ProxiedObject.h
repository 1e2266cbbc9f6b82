#pragma once
// A host object that stands in JSON as whatever value it is given, for the JSON writers' tests.

#include <memory>

#include "orvane/platform/values/Value.h"

namespace ov::test {

class Proxied final : public Object {
  public:
    explicit Proxied(Value proxy) : m_proxy(std::move(proxy)) {}
    String className() const override { return "Proxied"; }
    Value proxyForJson() const override { return m_proxy; }

  private:
    Value m_proxy;
};

inline Value proxied(Value proxy) {
    return Value(std::make_shared<Proxied>(std::move(proxy)));
}

}  // namespace ov::test
