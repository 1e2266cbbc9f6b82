#include "orvane/platform/text/CharacterSet.h"

#include <unicode/uchar.h>

namespace ov {
namespace {

constexpr uint32_t kAllCategories = (1u << U_CHAR_CATEGORY_COUNT) - 1;

}  // namespace

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

CharacterSet CharacterSet::withGeneralCategories(uint32_t categoryMask) {
    CharacterSet set;
    set.m_nonAsciiCategories = categoryMask;
    for (char32_t codePoint = 0; codePoint < set.m_ascii.size(); ++codePoint) {
        set.m_ascii.set(codePoint, (U_GET_GC_MASK(codePoint) & categoryMask) != 0);
    }
    return set;
}

CharacterSet CharacterSet::whitespaceCharacterSet() {
    CharacterSet set = withGeneralCategories(U_GC_ZS_MASK);
    set.addCharactersInString("\t");
    return set;
}

CharacterSet CharacterSet::decimalDigitCharacterSet() {
    return withGeneralCategories(U_GC_ND_MASK);
}

CharacterSet CharacterSet::symbolCharacterSet() {
    return withGeneralCategories(U_GC_S_MASK);
}

bool CharacterSet::contains(char32_t codePoint) const {
    if (codePoint < m_ascii.size()) return m_ascii.test(codePoint);
    if (m_nonAsciiCategories == 0 || m_nonAsciiCategories == kAllCategories) {
        return m_nonAsciiCategories != 0;
    }
    return (U_GET_GC_MASK(codePoint) & m_nonAsciiCategories) != 0;
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
    set.m_nonAsciiCategories = ~m_nonAsciiCategories & kAllCategories;
    return set;
}

void CharacterSet::setAscii(const String& characters, bool member) {
    for (char16_t unit : characters.utf16()) {
        if (unit < m_ascii.size()) m_ascii.set(unit, member);
    }
}

}  // namespace ov
