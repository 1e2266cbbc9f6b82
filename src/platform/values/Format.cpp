#include "orvane/platform/values/Format.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace ov {

namespace {

// Widths and precisions are clamped so that a hostile format cannot ask for gigabytes.
constexpr int kMaxField = 1024;

using Wide = __int128;

enum class Length { Default, Char, Short, Wide };

struct Conversion {
    std::string flags;
    int width = 0;
    int precision = -1;  // none
    Length length = Length::Default;
    char letter = 0;

    bool has(char flag) const { return flags.find(flag) != std::string::npos; }
};

std::string utf8Of(const String& text) {
    return text.toUtf8();
}

Wide integerOfDouble(double value) {
    const Number number(value);
    return value >= 0 ? Wide(number.unsignedLongLongValue()) : Wide(number.longLongValue());
}

Wide integerOfValue(const Value& value) {
    if (const Number* number = value.ifNumber()) {
        if (number->isFloatingPoint()) return integerOfDouble(number->doubleValue());
        if (number->isUnsigned()) return number->unsignedLongLongValue();
        return number->longLongValue();
    }
    if (const Decimal* decimal = value.ifDecimal()) return integerOfDouble(decimal->doubleValue());
    if (auto boolean = value.ifBool()) return *boolean ? 1 : 0;
    return 0;
}

// A missing argument reads as 0 for numbers and as "(null)" for text.
Wide integerOf(const FormatArgument* argument) {
    if (!argument) return 0;
    return std::visit(
        [](const auto& value) -> Wide {
            using T = std::decay_t<decltype(value)>;
            if constexpr (std::is_same_v<T, double>) {
                return integerOfDouble(value);
            } else if constexpr (std::is_same_v<T, Value>) {
                return integerOfValue(value);
            } else {
                return value;
            }
        },
        *argument);
}

double doubleOf(const FormatArgument* argument) {
    if (!argument) return 0;
    return std::visit(
        [](const auto& value) -> double {
            using T = std::decay_t<decltype(value)>;
            if constexpr (std::is_same_v<T, Value>) {
                if (const Number* number = value.ifNumber()) return number->doubleValue();
                if (const Decimal* decimal = value.ifDecimal()) return decimal->doubleValue();
                return static_cast<double>(integerOfValue(value));
            } else {
                return static_cast<double>(value);
            }
        },
        *argument);
}

std::string textOf(const FormatArgument* argument) {
    if (!argument) return "(null)";
    return std::visit(
        [](const auto& value) -> std::string {
            using T = std::decay_t<decltype(value)>;
            if constexpr (std::is_same_v<T, Value>) {
                return utf8Of(value.description());
            } else if constexpr (std::is_same_v<T, double>) {
                return utf8Of(Number(value).description());
            } else {
                return std::to_string(value);
            }
        },
        *argument);
}

// Without a length modifier C reads an int; a value too wide for one is printed whole rather
// than cut, since the platform would have read garbage there anyway.
long long signedFor(Wide value, Length length) {
    switch (length) {
        case Length::Char:
            return static_cast<signed char>(value);
        case Length::Short:
            return static_cast<short>(value);
        case Length::Default:
            if (value >= INT_MIN && value <= INT_MAX) return static_cast<int>(value);
            return static_cast<long long>(value);
        case Length::Wide:
            break;
    }
    return static_cast<long long>(value);
}

// -1 under "%x" is ffffffff, as in C.
unsigned long long unsignedFor(Wide value, Length length) {
    switch (length) {
        case Length::Char:
            return static_cast<unsigned char>(value);
        case Length::Short:
            return static_cast<unsigned short>(value);
        case Length::Default:
            if (value >= INT_MIN && value <= UINT_MAX) return static_cast<unsigned>(value);
            return static_cast<unsigned long long>(value);
        case Length::Wide:
            break;
    }
    return static_cast<unsigned long long>(value);
}

size_t codePointCount(std::string_view utf8) {
    size_t count = 0;
    for (char byte : utf8)
        count += (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
    return count;
}

// Byte length of the first `count` code points.
size_t prefixLength(std::string_view utf8, size_t count) {
    size_t at = 0;
    for (size_t seen = 0; at < utf8.size(); ++at) {
        if ((static_cast<unsigned char>(utf8[at]) & 0xC0) != 0x80 && seen++ == count) break;
    }
    return at;
}

// Precision and width of text conversions count code points, not bytes.
std::string padded(std::string text, const Conversion& conversion, bool usePrecision) {
    if (usePrecision && conversion.precision >= 0) {
        text.resize(prefixLength(text, conversion.precision));
    }
    const size_t length = codePointCount(text);
    if (length >= static_cast<size_t>(conversion.width)) return text;
    const std::string fill(conversion.width - length, ' ');
    return conversion.has('-') ? text + fill : fill + text;
}

// The C format is rebuilt from parsed parts, keeping only flags that C defines for the letter,
// and the argument type is ours: nothing from the format reaches snprintf unchecked.
template <class T>
std::string printed(const Conversion& conversion, std::string_view allowedFlags,
                    std::string_view lengthText, T value) {
    std::string cFormat = "%";
    for (char flag : allowedFlags) {
        if (conversion.has(flag)) cFormat += flag;
    }
    if (conversion.width > 0) cFormat += std::to_string(conversion.width);
    if (conversion.precision >= 0) cFormat += "." + std::to_string(conversion.precision);
    cFormat += lengthText;
    cFormat += conversion.letter == 'i' ? 'd' : conversion.letter;
    const int size = std::snprintf(nullptr, 0, cFormat.c_str(), value);
    if (size <= 0) return {};
    std::string result(static_cast<size_t>(size) + 1, '\0');
    std::snprintf(result.data(), result.size(), cFormat.c_str(), value);
    result.resize(static_cast<size_t>(size));
    return result;
}

std::string hexPointer(unsigned long long value) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string digits;
    do {
        digits.insert(digits.begin(), kDigits[value & 0xF]);
        value >>= 4;
    } while (value != 0);
    return "0x" + digits;
}

class Formatter {
  public:
    Formatter(std::string_view format, std::initializer_list<FormatArgument> arguments)
        : m_format(format), m_arguments(arguments) {}

    std::string run() {
        while (m_at < m_format.size()) {
            const size_t percent = m_format.find('%', m_at);
            m_output += m_format.substr(m_at, percent - m_at);
            if (percent == std::string_view::npos) break;
            m_at = percent + 1;
            convert(percent);
        }
        return std::move(m_output);
    }

  private:
    const FormatArgument* nextArgument() {
        if (m_nextArgument >= m_arguments.size()) {
            m_nextArgument = m_arguments.size();
            return nullptr;
        }
        return m_arguments.begin() + m_nextArgument++;
    }

    bool atAny(std::string_view characters) const {
        return m_at < m_format.size() && characters.find(m_format[m_at]) != std::string::npos;
    }

    int readNumber() {
        int value = 0;
        while (atAny("0123456789")) {
            value = std::min(value * 10 + (m_format[m_at++] - '0'), kMaxField);
        }
        return value;
    }

    int readStarArgument() {
        const Wide value = integerOf(nextArgument());
        if (value < -kMaxField) return -kMaxField;
        return static_cast<int>(std::min<Wide>(value, kMaxField));
    }

    void readFieldSizes(Conversion& conversion) {
        if (atAny("*")) {
            ++m_at;
            const int width = readStarArgument();
            if (width < 0) conversion.flags += '-';  // as C: a negative width left-aligns
            conversion.width = std::abs(width);
        } else {
            conversion.width = readNumber();
        }
        if (!atAny(".")) return;
        ++m_at;
        if (atAny("*")) {
            ++m_at;
            const int precision = readStarArgument();
            conversion.precision = precision < 0 ? -1 : precision;
        } else {
            conversion.precision = readNumber();
        }
    }

    void readLength(Conversion& conversion) {
        if (atAny("h")) {
            ++m_at;
            conversion.length = Length::Short;
            if (atAny("h")) {
                ++m_at;
                conversion.length = Length::Char;
            }
        } else if (atAny("l")) {
            ++m_at;
            conversion.length = Length::Wide;
            if (atAny("l")) ++m_at;
        } else if (atAny("qztjL")) {
            ++m_at;
            conversion.length = Length::Wide;
        }
    }

    void convert(size_t percent) {
        Conversion conversion;
        while (atAny("-+ 0#"))
            conversion.flags += m_format[m_at++];
        readFieldSizes(conversion);
        readLength(conversion);
        if (m_at >= m_format.size()) {
            m_output += m_format.substr(percent);  // an unfinished conversion stays as written
            return;
        }
        conversion.letter = m_format[m_at++];
        if (!append(conversion)) m_output += m_format.substr(percent, m_at - percent);
    }

    bool append(const Conversion& conversion) {
        switch (conversion.letter) {
            case '%':
                m_output += '%';
                return true;
            case '@':
            case 's':
            case 'S':
                m_output += padded(textOf(nextArgument()), conversion, true);
                return true;
            case 'c':
                m_output += padded(characterText(static_cast<unsigned char>(nextInteger())),
                                   conversion, false);
                return true;
            case 'C':
                m_output +=
                    padded(characterText(static_cast<char16_t>(nextInteger())), conversion, false);
                return true;
            case 'p':
                m_output += padded(hexPointer(static_cast<unsigned long long>(nextInteger())),
                                   conversion, false);
                return true;
            case 'd':
            case 'i':
                m_output +=
                    printed(conversion, "-+ 0", "ll", signedFor(nextInteger(), conversion.length));
                return true;
            case 'u':
            case 'o':
            case 'x':
            case 'X':
                m_output += printed(conversion, conversion.letter == 'u' ? "-0" : "-0#", "ll",
                                    unsignedFor(nextInteger(), conversion.length));
                return true;
            case 'f':
            case 'F':
            case 'e':
            case 'E':
            case 'g':
            case 'G':
            case 'a':
            case 'A':
                m_output += printed(conversion, "-+ 0#", "", doubleOf(nextArgument()));
                return true;
            default:
                return false;
        }
    }

    Wide nextInteger() { return integerOf(nextArgument()); }

    // An unpaired surrogate under %C becomes U+FFFD when the text is converted.
    static std::string characterText(char32_t codePoint) {
        return utf8Of(String::fromCodePoint(codePoint));
    }

    std::string_view m_format;
    std::initializer_list<FormatArgument> m_arguments;
    size_t m_at = 0;
    size_t m_nextArgument = 0;
    std::string m_output;
};

}  // namespace

String stringWithFormatArguments(std::string_view format,
                                 std::initializer_list<FormatArgument> arguments) {
    return String(Formatter(format, arguments).run());
}

}  // namespace ov
