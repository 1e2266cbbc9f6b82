#include <algorithm>
#include <compare>
#include <vector>

#include "NullBlanks.h"
#include "orvane/extensions/NSArray+NSArray.h"
#include "orvane/platform/text/StringTransforms.h"
#include "orvane/platform/values/SystemLog.h"

namespace ov::NSArray_NSArray {
namespace {

int sign(std::partial_ordering order) {
    return order < 0 ? -1 : order > 0 ? 1 : 0;
}

// Numbers and decimals compare with each other by value.
std::optional<double> numericValue(const Value& value) {
    if (const Number* number = value.ifNumber()) return number->doubleValue();
    if (const Decimal* decimal = value.ifDecimal()) return decimal->doubleValue();
    if (const auto flag = value.ifBool()) return *flag ? 1.0 : 0.0;
    return std::nullopt;
}

const Value& field(const Value& element, const std::optional<String>& key) {
    if (!key) return element;
    const Dictionary* dictionary = element.ifDictionary();
    return dictionary ? dictionary->objectForKey(*key) : Value::absent();
}

void logElements(const Array& array) {
    for (const Value& element : array)
        systemLog("%@", element);
}

Array sorted(const Array& array, const std::optional<String>& key, bool ascending) {
    std::vector<Value> items(array.begin(), array.end());
    std::ranges::stable_sort(items, [&key, ascending](const Value& left, const Value& right) {
        const int order = compareValues(field(left, key), field(right, key));
        return ascending ? order < 0 : order > 0;
    });
    return Array(std::move(items));
}

}  // namespace

int compareValues(const Value& left, const Value& right) {
    const auto leftNumber = numericValue(left);
    const auto rightNumber = numericValue(right);
    if (leftNumber && rightNumber) {
        const Number* leftExact = left.ifNumber();
        const Number* rightExact = right.ifNumber();
        if (leftExact && rightExact) return leftExact->compare(*rightExact);
        return sign(*leftNumber <=> *rightNumber);
    }
    if (left.kind() != right.kind()) return sign(left.kind() <=> right.kind());
    if (const String* text = left.ifString()) return sign(*text <=> right.asString());
    if (const Date* date = left.ifDate()) return sign(*date <=> *right.ifDate());
    return 0;
}

Array sortArray(const Array& array) {
    return sortArray(array, std::nullopt, true);
}

Array sortArray(const Array& array, const std::optional<String>& byKey) {
    return sortArray(array, byKey, true);
}

Array sortArray(const Array& array, const std::optional<String>& byKey, bool ascending) {
    logElements(array);
    Array result = sorted(array, byKey, ascending);
    logElements(result);
    return result;
}

Array sortArray_ascending(const Array& array, bool ascending) {
    return sorted(array, std::nullopt, ascending);
}

Value sortKey(const String&, bool) {
    return Value();
}

Array filterArray(const Array& array, const String& forstring, const String& forKey) {
    // Folded, not lowercased: a final sigma lowercases apart from a middle one.
    const String needle = caseFoldedString(forstring);
    Array result;
    for (const Value& element : array) {
        const Value& value = field(element, forKey);
        systemLog("sTemp %@", value);
        systemLog("substring %@", forstring);
        const String* text = value.ifString();
        if (text && caseFoldedString(*text).containsString(needle)) result.addObject(element);
    }
    return result;
}

Array removeDuplicateStrings(const Array& array) {
    Array result;
    for (const Value& element : array) {
        if (std::ranges::find(result, element) == result.end()) result.addObject(element);
    }
    return result;
}

Array arrayByReplacingNullsWithBlanks(const Array& receiver) {
    Value result(receiver);
    null_blanks::replaceNullsWithBlanks(result);
    return result.asArray();
}

}  // namespace ov::NSArray_NSArray
