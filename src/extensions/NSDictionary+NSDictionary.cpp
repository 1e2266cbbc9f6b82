#include "NullBlanks.h"
#include "orvane/extensions/NSDictionary+NSDictionary.h"

namespace ov::NSDictionary_NSDictionary {

Dictionary replaceNullsWithBlanks(const Dictionary& receiver) {
    Value result(receiver);
    null_blanks::replaceNullsWithBlanks(result);
    return result.asDictionary();
}

Dictionary stripNulls(const Dictionary&, const Dictionary& dictionary) {
    Dictionary result = dictionary;
    for (size_t position = 0; position < result.count(); ++position) {
        Value& value = result.valueAt(position);
        if (value.isNull()) value = String();
    }
    return result;
}

int32_t emptyValues(const Dictionary& receiver) {
    int32_t count = 0;
    for (const auto& [key, value] : receiver) {
        const String* text = value.ifString();
        if (text && text->isEmpty()) ++count;
    }
    return count;
}

}  // namespace ov::NSDictionary_NSDictionary
