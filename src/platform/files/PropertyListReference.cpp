#include "platform/files/PropertyListReference.h"

#include "platform/files/PropertyListNumbers.h"

namespace ov::plist {

Value reference(uint64_t index) {
    return Dictionary{{kReferenceKey, integerValue(index)}};
}

std::optional<uint64_t> referencedIndex(const Value& value) {
    const Dictionary* dictionary = value.ifDictionary();
    if (!dictionary || dictionary->count() != 1) return std::nullopt;
    const Number* number = dictionary->objectForKey(kReferenceKey).ifNumber();
    if (!number || number->isFloatingPoint()) return std::nullopt;
    if (number->isUnsigned()) return number->unsignedLongLongValue();
    if (number->longLongValue() < 0) return std::nullopt;
    return static_cast<uint64_t>(number->longLongValue());
}

}  // namespace ov::plist
