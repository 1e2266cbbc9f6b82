#pragma once
// Membership, shuffles, removal by a key's value and insertion at the front, on arrays changed
// in place. Shuffles draw from the platform's strong random source; every order is possible.
//
//   namespace Arrays = ov::NSMutableArray_NSMutableArray;
//   Arrays::shuffle(deck);
//   Arrays::addObjectsToBeginning(list, ov::Array{"x", "y"});   // x, y, then the old elements

#include "orvane/platform/values/Value.h"

namespace ov::NSMutableArray_NSMutableArray {

bool objectExist(const Array& receiver, const Value& object);
// Swaps each position i with a random one at or after it; answers the same array.
Array& shuffleArray(Array& array);
void shuffle(Array& receiver);
// Removes the first element whose text field under the key equals `text`; later ones stay.
Array& removeObjectBy(const String& text, const String& forKey, Array& array);
void addObjectsToBeginning(Array& receiver, const Array& objects);

}  // namespace ov::NSMutableArray_NSMutableArray
