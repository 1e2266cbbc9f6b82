#include "platform/files/PropertyListNumbers.h"

#include <limits>

namespace ov::plist {
namespace {

constexpr uint64_t kLargestSigned = std::numeric_limits<long long>::max();

}  // namespace

Value integerValue(uint64_t value) {
    if (value > kLargestSigned) return Value(static_cast<unsigned long long>(value));
    return Value(static_cast<long long>(value));
}

std::optional<uint64_t> unsignedBeyondSigned(const Number& number) {
    if (!number.isUnsigned() || number.unsignedLongLongValue() <= kLargestSigned)
        return std::nullopt;
    return number.unsignedLongLongValue();
}

}  // namespace ov::plist
