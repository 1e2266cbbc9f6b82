#pragma once
// Sorting, filtering by a key, removing repeats and replacing null markers in arrays of Value.
// A key reads an element's field by name: for a dictionary, its entry under that key; other
// elements have no fields. Elements compare as the platform's compare: does: texts code unit
// by code unit, numbers and decimals by value, dates by time; values of different kinds by
// kind, so a mixed array still sorts.
//
//   namespace Arrays = ov::NSArray_NSArray;
//   Arrays::sortArray(people, ov::String("age"), false);            // oldest first (logged)
//   Arrays::filterArray(people, "AN", "name");                     // Dana, Ann, ...
//   Arrays::arrayByReplacingNullsWithBlanks(reply);                // <null> -> "" at any depth

#include <optional>

#include "orvane/platform/values/Value.h"

namespace ov::NSArray_NSArray {

// Both sorts by a key write every element of the input, then of the result, to the system log.
Array sortArray(const Array& array);
Array sortArray(const Array& array, const std::optional<String>& byKey);
Array sortArray(const Array& array, const std::optional<String>& byKey, bool ascending);
// The elements themselves, nothing logged. (`ascending` is named apart so that a literal key
// cannot silently convert to it.)
Array sortArray_ascending(const Array& array, bool ascending);
// Takes no array; answers the absent value.
Value sortKey(const String& key, bool ascending);

// The elements whose text field under the key contains `forstring`, ignoring case, in input
// order. Logs "sTemp %@" and "substring %@" for every element.
Array filterArray(const Array& array, const String& forstring, const String& forKey);
// Each element at its first position only.
Array removeDuplicateStrings(const Array& array);
// Null markers become "" at any depth, inside nested arrays and dictionaries.
Array arrayByReplacingNullsWithBlanks(const Array& receiver);

// Negative, zero or positive, as compare: answers.
int compareValues(const Value& left, const Value& right);

}  // namespace ov::NSArray_NSArray
