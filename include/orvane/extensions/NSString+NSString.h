#pragma once
// Small stateless text operations: emptiness and equality tests, cutting and trimming,
// validation, phone-number clean-up and grouping for one national numbering plan (calling code
// "972", trunk prefix "0"), digests, a short random code and right-to-left script tests.
// Lengths, indexes and ranges count UTF-16 code units. Many operations write trace lines to the
// system log; those lines are part of their behaviour.
//
// Instance operations take their receiver first; a null receiver does nothing and answers
// false, zero or none.
//
//   using namespace ov::NSString_NSString;
//   removePhoneNumberString(String("054-123 4567"));       // "541234567"
//   getMobilePhoneNumber(String("+972 54-123-4567"));      // "541234567"
//   cutStringFromIndex(2, 3, "abcdefg");                   // "cde"

#include <cstdint>
#include <optional>
#include <vector>

#include "orvane/platform/values/String.h"
#include "orvane/platform/values/Value.h"

namespace ov::NSString_NSString {

using Text = std::optional<String>;

// True for the absent value, the null marker, any value that is not a string, and "".
bool isNilOrEmpty(const Value& value);

// Trace the character four ways and answer false; kept for callers that still use them.
bool isHebrewLanguage(char character);
bool isArabicLanguage(char character);
bool isFromRTLLanguage(char character);

// True when the text holds at least one Hebrew or Arabic letter.
bool RegularExpression_LanguageAlignment(const Text& text);
bool detach_Hebrew(const String& text);
bool detach_Arabic(const String& text);

bool isEmail(const Text& text);
bool validateEmailWithString(const String& text);
// Logs how many phone numbers the data detector finds; always answers false.
bool validatePhoneWithString(const String& text);

// Lower-case hexadecimal MD5 of the UTF-8 bytes up to the first zero byte.
Text md5(const Text& receiver);

String removeStringSymbols(const String& text);
// "" for a null or empty text; else every `symbol` removed and symbol characters trimmed.
String removeStringSymbols(const Text& text, const String& symbol);

bool compareTo(const Text& receiver, const String& other);
bool contain(const Text& receiver, const String& needle);
// NSNotFound when absent (0 for a null receiver).
uint64_t indexOfSymbol(const Text& receiver, const String& needle);
bool endWithArobase(const Text& receiver);

// The `steps` units from `index`; a range outside the text gives "".
String cutStringFromIndex(uint64_t index, uint64_t steps, const String& text);
// The part before the first `separator`, or the whole text when it does not occur.
Text cutStringTillChar(const Text& receiver, const String& separator);
// Prefixes "http://" unless the text starts with "http".
String fixWebViewString(const String& text);

String removeFirstZero(const String& text);
String removeLeadingZeros(const String& text);
String removeSpaces(const String& text);
String removeLastChar(const String& text);
Text lastChar(const Text& receiver);
Text firstChar(const Text& receiver);
bool startsWith(const Text& receiver, const String& prefix);

// Phone numbers.
String removePhoneNumberString(const Text& text);
String formatPhoneNumber(const String& text, int32_t codeLength, int32_t segmentLength);
// Logs the grouped form; returns callingCode + number without its trunk zero.
String formatePhoneNumber(const String& number, const String& countryAreaCode);
String fullPhoneNumber(const String& number, const String& countryAreaCode);
bool isHomeNumber(const Text& receiver);
bool isMobileNumber(const Text& receiver, const String& number);
Text getMobileCountryAreaCode(const Text& text);
String getMobilePhoneNumber(const Text& text);
// The longest calling code of the calling-code table that begins the number, or none.
Text cutCountryAreaCode(const String& number);
bool isPhoneNumber(const Text& receiver);

// Four random digits (they may start with "0").
String randomNumber();
// "1h 5m" style in the current locale, zero units dropped; none for a non-finite time.
Text formattedStringFromSeconds(double seconds);
Text capitalizedFirstLetter(const Text& receiver);

// Pieces between single spaces: "a  b" has three words, one of them empty.
uint64_t wordCount(const Text& receiver);
std::optional<std::vector<String>> words(const Text& receiver);
uint64_t characters(const Text& receiver);
bool containOnlyWhitespaces(const Text& receiver);

}  // namespace ov::NSString_NSString
