#include "NullBlanks.h"

#include <vector>

namespace ov::null_blanks {

// A container is detached (copied on write) before pointers to its elements are taken, and is
// not resized afterwards, so those pointers stay valid.
void replaceNullsWithBlanks(Value& root) {
    std::vector<Value*> pending{&root};
    while (!pending.empty()) {
        Value& value = *pending.back();
        pending.pop_back();
        if (value.isNull()) {
            value = String();
        } else if (value.isDictionary()) {
            Dictionary& dictionary = value.mutableDictionary();
            for (size_t position = 0; position < dictionary.count(); ++position)
                pending.push_back(&dictionary.valueAt(position));
        } else if (value.isArray()) {
            for (Value& element : value.mutableArray())
                pending.push_back(&element);
        }
    }
}

}  // namespace ov::null_blanks
