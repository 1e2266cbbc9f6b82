#include "orvane/platform/contacts/CNContact.h"

#include <cstdio>

#include "orvane/platform/values/Random.h"

namespace ov {

String newContactIdentifier() {
    uint32_t words[4];
    for (uint32_t& word : words)
        word = arc4random();
    // Version 4, variant 10xx.
    words[1] = (words[1] & 0xFFFF0FFFu) | 0x00004000u;
    words[2] = (words[2] & 0x3FFFFFFFu) | 0x80000000u;
    char text[48];
    std::snprintf(text, sizeof text, "%08X-%04X-%04X-%04X-%04X%08X:ABPerson", words[0],
                  words[1] >> 16, words[1] & 0xFFFFu, words[2] >> 16, words[2] & 0xFFFFu, words[3]);
    return String(text);
}

CNMutableContact::CNMutableContact() : CNContact(newContactIdentifier()) {}

CNMutableContact CNContact::mutableCopy() const {
    CNMutableContact copy(identifier());
    static_cast<CNContact&>(copy) = *this;
    return copy;
}

}  // namespace ov
