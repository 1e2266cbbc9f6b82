#include "orvane/platform/values/Object.h"

#include <cstdio>

#include "orvane/platform/values/Value.h"

namespace ov {

String Object::description() const {
    char address[32];
    std::snprintf(address, sizeof address, ": %p>", static_cast<const void*>(this));
    return "<" + className() + address;
}

Value Object::proxyForJson() const {
    return {};
}

}  // namespace ov
