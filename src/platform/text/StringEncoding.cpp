#include "orvane/platform/text/StringEncoding.h"

#include <unicode/ucnv.h>
#include <unicode/utf16.h>

#include <array>
#include <memory>

namespace ov {
namespace {

// NeXTSTEP's upper half, 0x80...0xFD (0xFE and 0xFF are unassigned); the lower half is ASCII.
constexpr std::array<char16_t, 126> kNextStepUpperHalf = {
    0x00A0, 0x00C0, 0x00C1, 0x00C2, 0x00C3, 0x00C4, 0x00C5, 0x00C7, 0x00C8, 0x00C9, 0x00CA, 0x00CB,
    0x00CC, 0x00CD, 0x00CE, 0x00CF, 0x00D0, 0x00D1, 0x00D2, 0x00D3, 0x00D4, 0x00D5, 0x00D6, 0x00D9,
    0x00DA, 0x00DB, 0x00DC, 0x00DD, 0x00DE, 0x00B5, 0x00D7, 0x00F7, 0x00A9, 0x00A1, 0x00A2, 0x00A3,
    0x2044, 0x00A5, 0x0192, 0x00A7, 0x00A4, 0x2019, 0x201C, 0x00AB, 0x2039, 0x203A, 0xFB01, 0xFB02,
    0x00AE, 0x2013, 0x2020, 0x2021, 0x00B7, 0x00A6, 0x00B6, 0x2022, 0x201A, 0x201E, 0x201D, 0x00BB,
    0x2026, 0x2030, 0x00AC, 0x00BF, 0x00B9, 0x02CB, 0x00B4, 0x02C6, 0x02DC, 0x00AF, 0x02D8, 0x02D9,
    0x00A8, 0x00B2, 0x02DA, 0x00B8, 0x00B3, 0x02DD, 0x02DB, 0x02C7, 0x2014, 0x00B1, 0x00BC, 0x00BD,
    0x00BE, 0x00E0, 0x00E1, 0x00E2, 0x00E3, 0x00E4, 0x00E5, 0x00E7, 0x00E8, 0x00E9, 0x00EA, 0x00EB,
    0x00EC, 0x00C6, 0x00ED, 0x00AA, 0x00EE, 0x00EF, 0x00F0, 0x00F1, 0x0141, 0x00D8, 0x0152, 0x00BA,
    0x00F2, 0x00F3, 0x00F4, 0x00F5, 0x00F6, 0x00E6, 0x00F9, 0x00FA, 0x00FB, 0x0131, 0x00FC, 0x00FD,
    0x0142, 0x00F8, 0x0153, 0x00DF, 0x00FE, 0x00FF};

std::optional<char> nextStepByte(char32_t codePoint) {
    if (codePoint < 0x80) return static_cast<char>(codePoint);
    for (size_t index = 0; index < kNextStepUpperHalf.size(); ++index) {
        if (kNextStepUpperHalf[index] == codePoint) return static_cast<char>(0x80 + index);
    }
    return std::nullopt;
}

std::optional<std::string> nextStepBytes(const String& text) {
    const std::u16string_view units = text.utf16();
    std::string out;
    const auto length = static_cast<int32_t>(units.size());
    for (int32_t index = 0; index < length;) {
        UChar32 codePoint;
        U16_NEXT(units.data(), index, length, codePoint);
        const std::optional<char> byte = nextStepByte(static_cast<char32_t>(codePoint));
        if (!byte) return std::nullopt;
        out += *byte;
    }
    return out;
}

const char* icuConverterName(StringEncoding encoding) {
    switch (encoding) {
        case NSASCIIStringEncoding:
            return "US-ASCII";
        case NSISOLatin1StringEncoding:
            return "ISO-8859-1";
        case NSWindowsCP1252StringEncoding:
            return "windows-1252";
        case NSMacOSRomanStringEncoding:
            return "macintosh";
        default:
            return nullptr;
    }
}

// Strict: a character without a mapping fails the conversion instead of becoming "?".
std::optional<std::string> icuBytes(const String& text, const char* converterName) {
    UErrorCode status = U_ZERO_ERROR;
    const std::unique_ptr<UConverter, decltype(&ucnv_close)> converter(
        ucnv_open(converterName, &status), &ucnv_close);
    if (U_FAILURE(status)) return std::nullopt;
    ucnv_setFromUCallBack(converter.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr,
                          &status);
    const auto& units = text.utf16();
    std::string out(units.size() * static_cast<size_t>(ucnv_getMaxCharSize(converter.get())) + 1,
                    '\0');
    const int32_t written =
        ucnv_fromUChars(converter.get(), out.data(), static_cast<int32_t>(out.size()), units.data(),
                        static_cast<int32_t>(units.size()), &status);
    if (U_FAILURE(status)) return std::nullopt;
    out.resize(static_cast<size_t>(written));
    return out;
}

void appendEscaped(std::u16string& out, uint8_t byte) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    out += u'%';
    out += char16_t(kHex[byte >> 4]);
    out += char16_t(kHex[byte & 0xF]);
}

}  // namespace

std::optional<std::string> bytesInEncoding(const String& text, StringEncoding encoding) {
    if (encoding == NSUTF8StringEncoding) return text.toUtf8();
    if (encoding == NSNEXTSTEPStringEncoding) return nextStepBytes(text);
    const char* converterName = icuConverterName(encoding);
    if (!converterName) return std::nullopt;
    return icuBytes(text, converterName);
}

std::optional<String> percentEncoded(const String& text, const CharacterSet& allowed,
                                     StringEncoding encoding) {
    const bool known = encoding == NSUTF8StringEncoding || encoding == NSNEXTSTEPStringEncoding ||
                       icuConverterName(encoding);
    if (!known) return std::nullopt;
    const std::u16string_view units = text.utf16();
    const auto length = static_cast<int32_t>(units.size());
    std::u16string out;
    out.reserve(units.size());
    for (int32_t index = 0; index < length;) {
        const int32_t start = index;
        UChar32 codePoint;
        U16_NEXT(units.data(), index, length, codePoint);
        const String character(
            units.substr(static_cast<size_t>(start), static_cast<size_t>(index - start)));
        if (allowed.contains(static_cast<char32_t>(codePoint))) {
            out += character.utf16();
            continue;
        }
        const std::optional<std::string> bytes = bytesInEncoding(character, encoding);
        if (!bytes) return std::nullopt;
        for (char byte : *bytes)
            appendEscaped(out, static_cast<uint8_t>(byte));
    }
    return String(std::move(out));
}

}  // namespace ov
