#pragma once
// A set of code points, as the percent encoder uses it to decide what stays literal. ASCII
// members are kept one by one; everything above ASCII is either all in or all out, which is
// all the URL sets and their inverses need.
//
//   ov::CharacterSet allowed = ov::CharacterSet::urlQueryAllowed();
//   allowed.removeCharactersInString("&=+");  // keep parameter separators escaped
//   ov::percentEncoded("a b&c", allowed);     // "a%20b%26c"

#include <bitset>

#include "orvane/platform/String.h"

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

    bool contains(char32_t codePoint) const;
    void addCharactersInString(const String& characters);
    void removeCharactersInString(const String& characters);
    CharacterSet inverted() const;

    friend bool operator==(const CharacterSet&, const CharacterSet&) = default;

  private:
    static CharacterSet unreservedAndSubDelims();
    void setAscii(const String& characters, bool member);

    std::bitset<128> m_ascii;
    bool m_containsNonAscii = false;
};

}  // namespace ov
