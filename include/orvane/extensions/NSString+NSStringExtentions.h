#pragma once
// Web-address and digit checks on text, plus six operations shared with NSString(NSString)
// (one implementation serves both names).
//
//   using namespace ov::NSString_NSStringExtentions;
//   validateUrl(ov::String("https://example.com/a"));  // true
//   validateShortUrl("mailto:");                       // true: a scheme suffices
//   cleanStringFromSymbols(ov::String("+972-54"));     // "97254"

#include <cstdint>
#include <optional>

#include "orvane/platform/values/String.h"

namespace ov::NSString_NSStringExtentions {

using Text = std::optional<String>;

String cutStringFromIndex(uint64_t index, uint64_t steps, const String& text);
bool validateEmailWithString(const String& text);
String removeFirstZero(const String& text);
String removeStringSymbols(const Text& text, const String& symbol);
uint64_t indexOfSymbol(const Text& receiver, const String& needle);
Text md5(const Text& receiver);

// A strict http(s) address pattern, falling back to a liberal web-address pattern.
bool validateUrl(const Text& receiver);
// Parses as an address with a scheme or a host.
bool validateShortUrl(const String& text);
// Parses as an address with both a scheme and a host.
bool validateCandidate(const String& text);
// Only the decimal digits; a null or empty text comes back unchanged.
Text cleanStringFromSymbols(const Text& text);
// Every character a decimal digit; "" answers true.
bool isNumeric(const Text& receiver);
bool isSpaces(const Text& receiver);
// Drops every "http://" when the text starts with one.
String removeHTTP(const String& text);
// Prefixes "http://" unless the text starts with "http".
String addHTTP(const String& text);

}  // namespace ov::NSString_NSStringExtentions
