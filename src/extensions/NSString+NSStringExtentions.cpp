#include "orvane/extensions/NSString+NSString.h"
#include "orvane/extensions/NSString+NSStringExtentions.h"
#include "orvane/platform/network/URL.h"
#include "orvane/platform/text/CharacterSet.h"
#include "orvane/platform/text/RegularExpression.h"
#include "orvane/platform/text/StringTransforms.h"
#include "orvane/platform/values/Format.h"

namespace ov::NSString_NSStringExtentions {
namespace {

constexpr const char* kStrictUrlPattern =
    R"((http|https)://((\w)*|([0-9]*)|([-|_])*)+([\.|/]((\w)*|([0-9]*)|([-|_])*))+)";
constexpr const char* kLiberalUrlPattern =
    "(?i)\\b((?:[a-z][\\w-]+:(?:/{1,3}|[a-z0-9%])|www\\d{0,3}[.]|[a-z0-9.\\-]+[.][a-z]{2,4}/?)"
    "(?:[^\\s()<>]+|\\(([^\\s()<>]+|(\\([^\\s()<>]+\\)))*\\))*"
    "(?:\\(([^\\s()<>]+|(\\([^\\s()<>]+\\)))*\\)|"
    "[^\\s`!()\\[\\]{};:'\".,<>?\u00AB\u00BB\u201C\u201D\u2018\u2019])*)";

bool matchesWholeText(const char* pattern, const String& text) {
    const auto expression = RegularExpression::cached(pattern);
    return expression && expression.value().matchesWholeText(text);
}

}  // namespace

String cutStringFromIndex(uint64_t index, uint64_t steps, const String& text) {
    return NSString_NSString::cutStringFromIndex(index, steps, text);
}

bool validateEmailWithString(const String& text) {
    return NSString_NSString::validateEmailWithString(text);
}

String removeFirstZero(const String& text) {
    return NSString_NSString::removeFirstZero(text);
}

String removeStringSymbols(const Text& text, const String& symbol) {
    return NSString_NSString::removeStringSymbols(text, symbol);
}

uint64_t indexOfSymbol(const Text& receiver, const String& needle) {
    return NSString_NSString::indexOfSymbol(receiver, needle);
}

Text md5(const Text& receiver) {
    return NSString_NSString::md5(receiver);
}

bool validateUrl(const Text& receiver) {
    if (!receiver) return false;
    return matchesWholeText(kStrictUrlPattern, *receiver) ||
           matchesWholeText(kLiberalUrlPattern, *receiver);
}

bool validateShortUrl(const String& text) {
    const auto url = URL::withString(text);
    return url && (url->scheme() || url->host());
}

bool validateCandidate(const String& text) {
    const auto url = URL::withString(text);
    return url && url->scheme() && url->host();
}

Text cleanStringFromSymbols(const Text& text) {
    if (!text || text->isEmpty()) return text;
    return stringByRemovingCharactersInSet(*text,
                                           CharacterSet::decimalDigitCharacterSet().inverted());
}

bool isNumeric(const Text& receiver) {
    return receiver &&
           stringByRemovingCharactersInSet(*receiver, CharacterSet::decimalDigitCharacterSet())
               .isEmpty();
}

bool isSpaces(const Text& receiver) {
    return NSString_NSString::containOnlyWhitespaces(receiver);
}

String removeHTTP(const String& text) {
    if (!text.hasPrefix("http://")) return text;
    return stringByReplacingOccurrencesOfString(text, "http://", "");
}

String addHTTP(const String& text) {
    return text.hasPrefix("http") ? text : stringWithFormat("http://%@", text);
}

}  // namespace ov::NSString_NSStringExtentions
