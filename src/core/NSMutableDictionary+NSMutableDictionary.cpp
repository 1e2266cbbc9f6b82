#include "orvane/core/NSMutableDictionary+NSMutableDictionary.h"

namespace ov::NSMutableDictionary_NSMutableDictionary {
namespace {

Value emptyString() {
    return String();
}

Array cleanedArray(const Array& array) {
    Array cleaned = array;
    for (Value& element : cleaned) {
        if (const Dictionary* dictionary = element.ifDictionary()) {
            element = recursiveNullRemove(*dictionary);
        } else if (element.isNull()) {
            element = emptyString();
        }
    }
    return cleaned;
}

}  // namespace

Dictionary recursiveNullRemove(const Dictionary& dictionary) {
    Dictionary cleaned = dictionary;
    for (size_t position = 0; position < cleaned.count(); ++position) {
        Value& value = cleaned.valueAt(position);
        if (const Dictionary* nested = value.ifDictionary()) {
            value = recursiveNullRemove(*nested);
        } else if (const Array* array = value.ifArray()) {
            value = cleanedArray(*array);
        } else if (value.isNull()) {
            value = emptyString();
        }
    }
    return cleaned;
}

}  // namespace ov::NSMutableDictionary_NSMutableDictionary
