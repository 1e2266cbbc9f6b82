#pragma once
// Case mapping, trimming, splitting and replacing on platform strings. Case mapping is
// locale-independent (ICU root), as the platform's plain case properties are. Character sets
// are applied per code point, so a surrogate pair is one character.
//
//   ov::capitalizedString("hELLO wORLD");   // "Hello World"
//   ov::stringByTrimmingCharactersInSet(" a b\t", ov::CharacterSet::whitespaceCharacterSet());
//                                          // "a b"
//   ov::componentsSeparatedByString("a  b", " ");   // {"a", "", "b"}

#include <vector>

#include "orvane/platform/text/CharacterSet.h"
#include "orvane/platform/values/String.h"

namespace ov {

String uppercaseString(const String& text);
String lowercaseString(const String& text);
// Full case folding, for comparing without regard to case: "ΚΟΣΜΟΣ", "κοσμος" and "κοσμοσ"
// fold alike, as do "Straße" and "STRASSE". Not for display.
String caseFoldedString(const String& text);
// Words are runs between white space or line breaks; each word's first character is
// title-cased and the rest lower-cased ("123abc" stays "123abc", "o'neil" gives "O'neil").
String capitalizedString(const String& text);

String stringByTrimmingCharactersInSet(const String& text, const CharacterSet& set);
// Every member of `set` removed.
String stringByRemovingCharactersInSet(const String& text, const CharacterSet& set);
// The pieces between members of `set`; n separators always give n + 1 pieces.
std::vector<String> componentsSeparatedByCharactersInSet(const String& text,
                                                         const CharacterSet& set);
// An empty separator gives the whole text as the one piece.
std::vector<String> componentsSeparatedByString(const String& text, const String& separator);
// An empty target leaves the text unchanged.
String stringByReplacingOccurrencesOfString(const String& text, const String& target,
                                            const String& replacement);

}  // namespace ov
