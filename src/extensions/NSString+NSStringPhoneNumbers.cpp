// The phone-number operations of NSString(NSString): clean-up, grouping and the mobile/home
// tests of the "972" numbering plan (trunk prefix "0").
#include <algorithm>
#include <climits>

#include "extensions/TextValue.h"
#include "orvane/extensions/CallingCodes.h"
#include "orvane/extensions/NSString+NSString.h"
#include "orvane/platform/values/SystemLog.h"

namespace ov::NSString_NSString {
namespace {

constexpr const char* kHomeCallingCode = "972";

// The character's low byte, as the grouping has always read it (digits are unchanged).
String asEightBitCharacter(char16_t unit) {
    return String::fromCodePoint(static_cast<unsigned char>(unit));
}

}  // namespace

String removePhoneNumberString(const Text& text) {
    if (!text) {
        systemLog("ALERT! removePhoneNumberString is nil !");
        return String();
    }
    return removeSpaces(removeFirstZero(removeStringSymbols(*text)));
}

String formatPhoneNumber(const String& text, int32_t codeLength, int32_t segmentLength) {
    String head;
    String tail;
    for (size_t index = 0; index < text.length(); ++index) {
        const String character = asEightBitCharacter(text.characterAtIndex(index));
        const auto position = static_cast<int64_t>(index);
        if (position < codeLength) {
            head += character;
            continue;
        }
        tail += character;
        // A segment length of 0 leaves the tail ungrouped instead of dividing by zero.
        const int64_t k = position - codeLength + 1;
        if (segmentLength != 0 && k % segmentLength == 0) tail += "-";
    }
    return stringWithFormat("%@-%@", head, tail);
}

String formatePhoneNumber(const String& number, const String& countryAreaCode) {
    const String full = countryAreaCode + removeFirstZero(number);
    const auto codeLength =
        static_cast<int32_t>(std::min<size_t>(countryAreaCode.length(), INT32_MAX));
    systemLog("formattedNumber %@", formatPhoneNumber(full, codeLength, 2));
    return full;
}

String fullPhoneNumber(const String& number, const String& countryAreaCode) {
    return countryAreaCode + removeFirstZero(number);
}

bool isHomeNumber(const Text& receiver) {
    if (!receiver) return false;
    return receiver->length() == 8 || (receiver->hasPrefix("0") && receiver->length() == 9);
}

bool isMobileNumber(const Text& receiver, const String& number) {
    if (!receiver) return false;
    const String cleaned = removePhoneNumberString(number);
    const String mobile = getMobilePhoneNumber(cleaned);
    if (mobile.hasPrefix("0")) return cleaned.length() == 10;
    return mobile.length() == 9;
}

Text getMobileCountryAreaCode(const Text& text) {
    if (!text || text->hasPrefix("0") || text->hasPrefix("(")) return std::nullopt;
    if (text->length() == 9) return text->hasPrefix("1") ? Text("1") : std::nullopt;
    const Text code = cutCountryAreaCode(*text);
    systemLog("countryAreaCode %@", textValue(code));
    return code;
}

Text cutCountryAreaCode(const String& number) {
    const auto code = CallingCodes::leadingCallingCode(number.toUtf8());
    if (!code) return std::nullopt;
    return String(*code);
}

String getMobilePhoneNumber(const Text& text) {
    systemLog("mobile %@", textValue(text));
    const String cleaned = removePhoneNumberString(text);
    if (isHomeNumber(cleaned)) {
        systemLog("isHomeNumber %@", cleaned);
        return cleaned;
    }
    const Text code = getMobileCountryAreaCode(cleaned);
    const uint64_t codeLength = code ? code->length() : 0;
    systemLog("areaCode %@", textValue(code));
    systemLog("areaCode.length %lu", codeLength);
    String rest = cleaned.substringFromIndex(codeLength);
    systemLog("getMobilePhoneNumber %@", rest);
    systemLog("strtoCut %@", rest);
    if (!code && cleaned.hasPrefix(kHomeCallingCode)) {
        rest = removeStringSymbols(cleaned, kHomeCallingCode);
    }
    systemLog("strtoCut %@", rest);
    return rest;
}

}  // namespace ov::NSString_NSString
