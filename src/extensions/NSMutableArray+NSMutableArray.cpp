#include <algorithm>
#include <utility>

#include "orvane/extensions/NSMutableArray+NSMutableArray.h"
#include "orvane/platform/values/Random.h"

namespace ov::NSMutableArray_NSMutableArray {

bool objectExist(const Array& receiver, const Value& object) {
    return std::ranges::find(receiver, object) != receiver.end();
}

Array& shuffleArray(Array& array) {
    const size_t count = array.count();
    for (size_t i = 0; i < count; ++i) {
        const size_t j = i + arc4random() % (count - i);
        std::swap(array.at(i), array.at(j));
    }
    return array;
}

void shuffle(Array& receiver) {
    const size_t count = receiver.count();
    for (size_t i = 0; i + 1 < count; ++i) {
        const size_t j = i + arc4random_uniform(static_cast<uint32_t>(count - i));
        std::swap(receiver.at(i), receiver.at(j));
    }
}

Array& removeObjectBy(const String& text, const String& forKey, Array& array) {
    for (size_t index = 0; index < array.count(); ++index) {
        const Dictionary* dictionary = array[index].ifDictionary();
        const String* field = dictionary ? dictionary->objectForKey(forKey).ifString() : nullptr;
        if (field && *field == text) {
            array.removeObjectAtIndex(index);
            break;
        }
    }
    return array;
}

void addObjectsToBeginning(Array& receiver, const Array& objects) {
    // A copy, so that adding an array to itself reads the elements it had.
    const Array added = objects;
    size_t index = 0;
    for (const Value& object : added)
        receiver.insertObject(object, index++);
}

}  // namespace ov::NSMutableArray_NSMutableArray
