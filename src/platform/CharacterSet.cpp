#include "orvane/platform/CharacterSet.h"

namespace ov {

CharacterSet CharacterSet::withCharactersInString(const String& characters) {
    CharacterSet set;
    set.addCharactersInString(characters);
    return set;
}

CharacterSet CharacterSet::unreservedAndSubDelims() {
    return withCharactersInString(
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-._~!$&'()*+,;=");
}

CharacterSet CharacterSet::urlQueryAllowed() {
    CharacterSet set = unreservedAndSubDelims();
    set.addCharactersInString(":@/?");
    return set;
}

CharacterSet CharacterSet::urlFragmentAllowed() {
    return urlQueryAllowed();
}

CharacterSet CharacterSet::urlPathAllowed() {
    CharacterSet set = unreservedAndSubDelims();
    set.removeCharactersInString(";");
    set.addCharactersInString(":@/");
    return set;
}

CharacterSet CharacterSet::urlHostAllowed() {
    CharacterSet set = unreservedAndSubDelims();
    set.addCharactersInString(":[]");
    return set;
}

bool CharacterSet::contains(char32_t codePoint) const {
    return codePoint < m_ascii.size() ? m_ascii.test(codePoint) : m_containsNonAscii;
}

void CharacterSet::addCharactersInString(const String& characters) {
    setAscii(characters, true);
}

void CharacterSet::removeCharactersInString(const String& characters) {
    setAscii(characters, false);
}

CharacterSet CharacterSet::inverted() const {
    CharacterSet set;
    set.m_ascii = ~m_ascii;
    set.m_containsNonAscii = !m_containsNonAscii;
    return set;
}

void CharacterSet::setAscii(const String& characters, bool member) {
    for (char16_t unit : characters.utf16()) {
        if (unit < m_ascii.size()) m_ascii.set(unit, member);
    }
}

}  // namespace ov
