#include "orvane/platform/String.h"

#include <algorithm>

#include "orvane/platform/Utf8.h"

namespace ov {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

void appendUtf16(std::u16string& out, char32_t codePoint) {
    if (codePoint < 0x10000) {
        out.push_back(static_cast<char16_t>(codePoint));
    } else {
        codePoint -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (codePoint >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF)));
    }
}

void appendUtf8(std::string& out, char32_t codePoint) {
    char bytes[4];
    out.append(bytes, encodeUtf8(codePoint, bytes));
}

// Lossy unless `strict`, in which case a malformed sequence gives none.
std::optional<std::u16string> utf8ToUtf16(std::string_view text, bool strict) {
    std::u16string out;
    out.reserve(text.size());
    size_t position = 0;
    while (position < text.size()) {
        const auto byte = static_cast<unsigned char>(text[position]);
        if (byte < 0x80) {  // fast path for ASCII runs
            out.push_back(byte);
            ++position;
            continue;
        }
        const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
        const unsigned char* cursor = bytes + position;
        if (auto codePoint = decodeUtf8Sequence(cursor, bytes + text.size())) {
            appendUtf16(out, *codePoint);
            position = static_cast<size_t>(cursor - bytes);
        } else if (strict) {
            return std::nullopt;
        } else {
            out.push_back(kReplacement);
            ++position;
            while (position < text.size() && isContinuation(text[position]))
                ++position;
        }
    }
    return out;
}

}  // namespace

std::optional<char32_t> decodeUtf8Sequence(const unsigned char*& position,
                                           const unsigned char* end) {
    const unsigned char lead = *position;
    if (lead < 0x80) return *position++;
    int extra;
    char32_t codePoint;
    char32_t minimum;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1, codePoint = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2, codePoint = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3, codePoint = lead & 0x07, minimum = 0x10000;
    } else {
        return std::nullopt;
    }
    if (end - position <= extra) return std::nullopt;
    for (int i = 1; i <= extra; ++i) {
        if (!isContinuation(position[i])) return std::nullopt;
        codePoint = (codePoint << 6) | (position[i] & 0x3F);
    }
    if (codePoint < minimum || codePoint > 0x10FFFF) return std::nullopt;
    if (codePoint >= 0xD800 && codePoint <= 0xDFFF) return std::nullopt;
    position += extra + 1;
    return codePoint;
}

char32_t decodeUtf16Sequence(const char16_t*& position, const char16_t* end) {
    const char16_t unit = *position++;
    if (unit < 0xD800 || unit > 0xDFFF) return unit;
    if (unit <= 0xDBFF && position < end && *position >= 0xDC00 && *position <= 0xDFFF) {
        return 0x10000 + ((unit - 0xD800) << 10) + (*position++ - 0xDC00);
    }
    return kReplacement;
}

char* encodeUtf8(char32_t codePoint, char* out) {
    if (codePoint < 0x80) {
        *out++ = static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        *out++ = static_cast<char>(0xC0 | (codePoint >> 6));
        *out++ = static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        *out++ = static_cast<char>(0xE0 | (codePoint >> 12));
        *out++ = static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        *out++ = static_cast<char>(0xF0 | (codePoint >> 18));
        *out++ = static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        *out++ = static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (codePoint & 0x3F));
    }
    return out;
}

String::String(const char* utf8) : String(std::string_view(utf8 ? utf8 : "")) {}
String::String(const std::string& utf8) : String(std::string_view(utf8)) {}
String::String(std::string_view utf8) : m_units(*utf8ToUtf16(utf8, false)) {}

std::optional<String> String::fromUtf8(std::string_view utf8) {
    auto units = utf8ToUtf16(utf8, true);
    if (!units) return std::nullopt;
    return String(std::move(*units));
}

String String::fromCodePoint(char32_t codePoint) {
    if (codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
        codePoint = kReplacement;
    }
    std::u16string units;
    appendUtf16(units, codePoint);
    return String(std::move(units));
}

std::string String::toUtf8() const {
    std::string out;
    out.reserve(m_units.size());
    const char16_t* position = m_units.data();
    const char16_t* const end = position + m_units.size();
    while (position < end) {
        if (*position < 0x80) {
            out.push_back(static_cast<char>(*position++));
        } else {
            appendUtf8(out, decodeUtf16Sequence(position, end));
        }
    }
    return out;
}

String String::substring(size_t location, size_t length) const {
    if (location >= m_units.size()) return {};
    return String(m_units.substr(location, length));
}

String String::substringFromIndex(size_t index) const {
    return substring(index, std::u16string::npos);
}

String String::substringToIndex(size_t index) const {
    return substring(0, index);
}

bool String::hasPrefix(const String& prefix) const {
    return !prefix.isEmpty() && m_units.starts_with(prefix.m_units);
}

bool String::hasSuffix(const String& suffix) const {
    return !suffix.isEmpty() && m_units.ends_with(suffix.m_units);
}

Range String::rangeOfString(const String& needle) const {
    if (needle.isEmpty()) return {NSNotFound, 0};
    const size_t found = m_units.find(needle.m_units);
    if (found == std::u16string::npos) return {NSNotFound, 0};
    return {found, needle.length()};
}

}  // namespace ov
