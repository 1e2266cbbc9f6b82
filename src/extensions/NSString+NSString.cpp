#include <cstring>

#include "extensions/TextValue.h"
#include "orvane/extensions/NSString+NSString.h"
#include "orvane/platform/text/CharacterSet.h"
#include "orvane/platform/text/Digest.h"
#include "orvane/platform/text/PhoneNumberDetector.h"
#include "orvane/platform/text/RegularExpression.h"
#include "orvane/platform/text/StringTransforms.h"
#include "orvane/platform/time/DurationFormatter.h"
#include "orvane/platform/values/Random.h"
#include "orvane/platform/values/SystemLog.h"

namespace ov::NSString_NSString {
namespace {

constexpr const char* kHebrewPattern = "[\\u0590-\\u05FF]";
constexpr const char* kArabicPattern = "[\\u0600-\\u06FF]";
constexpr const char* kHebrewOrArabicPattern = "[\\u0590-\\u05FF]|[\\u0600-\\u06FF]";
constexpr const char* kEmailPattern = "[A-Z0-9a-z._%+-]+@[A-Za-z0-9.-]+\\.[A-Za-z]{2,4}";
// "@" is listed twice, as the set was always written.
constexpr const char16_t* kStringSymbols = u"/:.@-_?!@#$%^&*(){}[]|<>~`\u00B1\u00A7";

uint64_t numberOfCaseInsensitiveMatches(const char* pattern, const String& text) {
    const auto expression =
        RegularExpression::cached(pattern, RegularExpression::Options::CaseInsensitive);
    return expression ? expression.value().numberOfMatches(text) : 0;
}

bool logCharacterAndAnswerFalse(char character) {
    const int promoted = character;
    systemLog("c = %06x", static_cast<unsigned int>(promoted));
    systemLog("c = %X", static_cast<unsigned int>(promoted));
    systemLog("nn = %@", Number(character));
    systemLog("nn.charValue=%i", promoted);
    return false;
}

}  // namespace

bool isNilOrEmpty(const Value& value) {
    const String* text = value.ifString();
    return !text || text->isEmpty();
}

bool isHebrewLanguage(char character) {
    return logCharacterAndAnswerFalse(character);
}

bool isArabicLanguage(char character) {
    return logCharacterAndAnswerFalse(character);
}

bool isFromRTLLanguage(char character) {
    return logCharacterAndAnswerFalse(character);
}

bool RegularExpression_LanguageAlignment(const Text& text) {
    systemLog("RegularExpression_LanguageAlignment %@", textValue(text));
    if (!text || text->isEmpty()) return false;
    const uint64_t count = numberOfCaseInsensitiveMatches(kHebrewOrArabicPattern, *text);
    systemLog("numberofmatches %i", count);
    return count > 0;
}

bool detach_Hebrew(const String& text) {
    return numberOfCaseInsensitiveMatches(kHebrewPattern, text) > 0;
}

bool detach_Arabic(const String& text) {
    return numberOfCaseInsensitiveMatches(kArabicPattern, text) > 0;
}

bool isEmail(const Text& text) {
    return text && !text->isEmpty() && validateEmailWithString(*text);
}

bool validateEmailWithString(const String& text) {
    const auto expression = RegularExpression::cached(kEmailPattern);
    return expression && expression.value().matchesWholeText(text);
}

bool validatePhoneWithString(const String& text) {
    const uint64_t count = PhoneNumberDetector().matchesInString(text).size();
    systemLog("numberOfMatches %lu", count);
    return false;
}

Text md5(const Text& receiver) {
    if (!receiver) return std::nullopt;
    std::string bytes = receiver->toUtf8();
    // The digest covers the text as a C string: it ends at the first zero byte.
    bytes.resize(std::strlen(bytes.c_str()));
    const auto digest = Digest::md5(Data::fromString(bytes));
    if (!digest) return std::nullopt;
    String upper;
    for (uint8_t byte : digest.value())
        upper += stringWithFormat("%02X", byte);
    return lowercaseString(upper);
}

String removeStringSymbols(const String& text) {
    const std::u16string_view symbols(kStringSymbols);
    std::u16string kept;
    for (char16_t unit : text.utf16()) {
        if (symbols.find(unit) == std::u16string_view::npos) kept += unit;
    }
    return stringByReplacingOccurrencesOfString(String(std::move(kept)), "+", "");
}

String removeStringSymbols(const Text& text, const String& symbol) {
    if (!text || text->isEmpty()) return String();
    return stringByTrimmingCharactersInSet(stringByReplacingOccurrencesOfString(*text, symbol, ""),
                                           CharacterSet::symbolCharacterSet());
}

bool compareTo(const Text& receiver, const String& other) {
    return receiver && *receiver == other;
}

bool contain(const Text& receiver, const String& needle) {
    return receiver && receiver->rangeOfString(needle).location != NSNotFound;
}

uint64_t indexOfSymbol(const Text& receiver, const String& needle) {
    return receiver ? receiver->rangeOfString(needle).location : 0;
}

bool endWithArobase(const Text& receiver) {
    return receiver && receiver->hasSuffix("/");
}

String cutStringFromIndex(uint64_t index, uint64_t steps, const String& text) {
    systemLog("string to cut %@", text);
    const bool inside = index <= text.length() && steps <= text.length() - index;
    if (!inside) return String();
    const String cut = text.substring(index, steps);
    systemLog("CuttedString %@", cut);
    return cut;
}

Text cutStringTillChar(const Text& receiver, const String& separator) {
    if (!receiver) return std::nullopt;
    systemLog("cutString %@ TillChar %@", *receiver, separator);
    const Range range = receiver->rangeOfString(separator);
    systemLog("range.location %lu", range.location);
    systemLog("range.length %lu", range.length);
    if (range.length == 0) return receiver;
    const String cut = receiver->substringToIndex(range.location);
    systemLog("cuttedString: %@", cut);
    return cut;
}

String fixWebViewString(const String& text) {
    systemLog("strURL %@", text);
    // Shorter texts are clipped rather than refused.
    const String head = text.substringToIndex(4);
    systemLog("CuttedString %@", head);
    systemLog("CuttedString2 %@", text.substringToIndex(8));
    return head == "http" ? text : "http://" + text;
}

String removeFirstZero(const String& text) {
    return text.hasPrefix("0") ? text.substringFromIndex(1) : text;
}

String removeLeadingZeros(const String& text) {
    const auto expression = RegularExpression::cached("^0*");
    if (!expression) return text;
    const Range range = expression.value().rangeOfFirstMatch(text);
    if (range.location == NSNotFound) return text;
    return text.substringToIndex(range.location) +
           text.substringFromIndex(range.location + range.length);
}

String removeSpaces(const String& text) {
    return stringByRemovingCharactersInSet(text, CharacterSet::whitespaceCharacterSet());
}

String removeLastChar(const String& text) {
    return text.isEmpty() ? text : text.substringToIndex(text.length() - 1);
}

Text lastChar(const Text& receiver) {
    if (!receiver || receiver->isEmpty()) return receiver;
    return receiver->substringFromIndex(receiver->length() - 1);
}

Text firstChar(const Text& receiver) {
    if (!receiver || receiver->isEmpty()) return receiver;
    return receiver->substringToIndex(1);
}

bool startsWith(const Text& receiver, const String& prefix) {
    if (!receiver || receiver->isEmpty()) return false;
    if (prefix.length() == 1) return firstChar(receiver) == prefix;
    return receiver->length() >= prefix.length() &&
           receiver->substringToIndex(prefix.length()) == prefix;
}

bool isPhoneNumber(const Text& receiver) {
    return receiver && !PhoneNumberDetector().matchesInString(*receiver).empty();
}

String randomNumber() {
    const uint32_t random = arc4random();
    const float scaled = static_cast<float>(random) / 4294967296.0f * (999999 - 100000) + 100000;
    const String digits = stringWithFormat("%i", static_cast<int>(scaled)).substringFromIndex(2);
    systemLog("randomNumber %@", digits);
    return digits;
}

Text formattedStringFromSeconds(double seconds) {
    return DurationFormatter(DurationFormatter::UnitsStyle::Abbreviated)
        .stringFromTimeInterval(seconds);
}

Text capitalizedFirstLetter(const Text& receiver) {
    if (!receiver || receiver->isEmpty()) return receiver;
    const String lower = lowercaseString(*receiver);
    return capitalizedString(lower.substringToIndex(1)) + lower.substringFromIndex(1);
}

uint64_t wordCount(const Text& receiver) {
    return receiver ? componentsSeparatedByString(*receiver, " ").size() : 0;
}

std::optional<std::vector<String>> words(const Text& receiver) {
    if (!receiver) return std::nullopt;
    return componentsSeparatedByString(*receiver, " ");
}

uint64_t characters(const Text& receiver) {
    if (!receiver) return 0;
    uint64_t total = 0;
    for (const String& word : componentsSeparatedByString(*receiver, " "))
        total += word.length();
    return total;
}

bool containOnlyWhitespaces(const Text& receiver) {
    return receiver &&
           stringByTrimmingCharactersInSet(*receiver, CharacterSet::whitespaceCharacterSet())
               .isEmpty();
}

}  // namespace ov::NSString_NSString
