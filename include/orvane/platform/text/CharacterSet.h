#pragma once
// A set of code points, as the percent encoder and the text utilities use it. ASCII members
// are kept one by one; above ASCII a code point is a member when its Unicode general category
// is (all or none for the URL sets, a few categories for white space, digits and symbols).
//
//   ov::CharacterSet allowed = ov::CharacterSet::urlQueryAllowed();
//   allowed.removeCharactersInString("&=+");  // keep parameter separators escaped
//   ov::percentEncoded("a b&c", allowed);     // "a%20b%26c"

#include <bitset>
#include <cstdint>

#include "orvane/platform/values/String.h"

namespace ov {

class CharacterSet {
  public:
    CharacterSet() = default;
    // ASCII characters of `characters` only; others are ignored.
    static CharacterSet withCharactersInString(const String& characters);

    // Unreserved (ALPHA DIGIT - . _ ~), sub-delims (! $ & ' ( ) * + , ; =) and : @ / ?
    static CharacterSet urlQueryAllowed();
    // Same as the query set; a fragment allows the same characters.
    static CharacterSet urlFragmentAllowed();
    // Unreserved, sub-delims without ';', and : @ /
    static CharacterSet urlPathAllowed();
    // Unreserved, sub-delims, and : [ ] for ports and IPv6 literals.
    static CharacterSet urlHostAllowed();

    // Space separators (Zs) and tab; not line breaks.
    static CharacterSet whitespaceCharacterSet();
    // Decimal digits of every script (Nd).
    static CharacterSet decimalDigitCharacterSet();
    // Math, currency, modifier and other symbols (Sm Sc Sk So).
    static CharacterSet symbolCharacterSet();

    bool contains(char32_t codePoint) const;
    void addCharactersInString(const String& characters);
    void removeCharactersInString(const String& characters);
    CharacterSet inverted() const;

    friend bool operator==(const CharacterSet&, const CharacterSet&) = default;

  private:
    static CharacterSet unreservedAndSubDelims();
    static CharacterSet withGeneralCategories(uint32_t categoryMask);
    void setAscii(const String& characters, bool member);

    std::bitset<128> m_ascii;
    // ICU general-category mask (U_MASK of UCharCategory) deciding non-ASCII membership.
    uint32_t m_nonAsciiCategories = 0;
};

}  // namespace ov
