#include "orvane/platform/values/Number.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <string>

#include "orvane/platform/values/String.h"

namespace ov {

namespace {

// 2^63 and 2^64 are exact doubles; every double below them truncates into range.
constexpr double kTwoPow63 = 9223372036854775808.0;
constexpr double kTwoPow64 = 18446744073709551616.0;

int sign(bool less, bool greater) {
    return less ? -1 : (greater ? 1 : 0);
}

long long saturatingLongLong(double value) {
    if (std::isnan(value)) return 0;
    if (value >= kTwoPow63) return LLONG_MAX;
    if (value < -kTwoPow63) return LLONG_MIN;
    return static_cast<long long>(value);
}

unsigned long long saturatingUnsigned(double value) {
    if (std::isnan(value) || value <= 0) return 0;
    if (value >= kTwoPow64) return ULLONG_MAX;
    return static_cast<unsigned long long>(value);
}

int compareDoubleWithSigned(double value, long long integer) {
    if (std::isnan(value)) return -1;
    if (value < -kTwoPow63) return -1;
    if (value >= kTwoPow63) return 1;
    const double whole = std::trunc(value);
    const auto truncated = static_cast<long long>(whole);
    if (truncated != integer) return sign(truncated<integer, truncated> integer);
    return sign(value<whole, value> whole);
}

int compareDoubleWithUnsigned(double value, unsigned long long integer) {
    if (std::isnan(value) || value < 0) return -1;
    if (value >= kTwoPow64) return 1;
    const double whole = std::trunc(value);
    const auto truncated = static_cast<unsigned long long>(whole);
    if (truncated != integer) return sign(truncated<integer, truncated> integer);
    return sign(value<whole, value> whole);
}

int compareDoubles(double left, double right) {
    // NaN sorts below everything and equals itself, so sorting and equality stay consistent.
    if (std::isnan(left) || std::isnan(right)) return sign(!std::isnan(right), !std::isnan(left));
    return sign(left<right, left> right);
}

int compareSignedWithUnsigned(long long left, unsigned long long right) {
    if (left < 0) return -1;
    const auto widened = static_cast<unsigned long long>(left);
    return sign(widened<right, widened> right);
}

// Shortest round-trip digits laid out like "%g": plain notation for decimal exponents from -4
// to 14 (so every integral value below 1e15 prints without a fraction), otherwise "1e+21".
std::string floatingText(std::string_view scientific) {
    if (scientific == "nan" || scientific == "-nan") return "nan";
    if (scientific == "inf" || scientific == "-inf") return std::string(scientific);
    std::string result;
    if (scientific.front() == '-') {
        result = "-";
        scientific.remove_prefix(1);
    }
    const size_t exponentAt = scientific.find('e');
    std::string digits(scientific.substr(0, exponentAt));
    if (digits.size() > 1) digits.erase(1, 1);  // the '.'
    int exponent = 0;
    std::from_chars(scientific.data() + exponentAt + 1 + (scientific[exponentAt + 1] == '+'),
                    scientific.data() + scientific.size(), exponent);
    if (exponent < -4 || exponent >= 15) {
        result += scientific.substr(0, exponentAt);
        result += exponent < 0 ? "e-" : "e+";
        const int magnitude = std::abs(exponent);
        if (magnitude < 10) result += '0';
        return result + std::to_string(magnitude);
    }
    const int pointAt = exponent + 1;
    if (pointAt <= 0) return result + "0." + std::string(-pointAt, '0') + digits;
    if (static_cast<size_t>(pointAt) >= digits.size()) {
        return result + digits + std::string(pointAt - digits.size(), '0');
    }
    return result + digits.substr(0, pointAt) + "." + digits.substr(pointAt);
}

template <class Floating>
std::string shortestText(Floating value) {
    char buffer[64];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific).ptr;
    return floatingText(std::string_view(buffer, end - buffer));
}

}  // namespace

bool Number::isUnsigned() const {
    switch (m_type) {
        case Type::UnsignedChar:
        case Type::UnsignedShort:
        case Type::UnsignedInt:
        case Type::UnsignedLong:
        case Type::UnsignedLongLong:
            return true;
        default:
            return false;
    }
}

int Number::intValue() const {
    const long long value = longLongValue();
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

long long Number::longLongValue() const {
    if (isFloatingPoint()) return saturatingLongLong(m_floating);
    if (isUnsigned()) {
        return m_unsigned > LLONG_MAX ? LLONG_MAX : static_cast<long long>(m_unsigned);
    }
    return m_signed;
}

unsigned long long Number::unsignedLongLongValue() const {
    if (isFloatingPoint()) return saturatingUnsigned(m_floating);
    if (isUnsigned()) return m_unsigned;
    return m_signed < 0 ? 0 : static_cast<unsigned long long>(m_signed);
}

double Number::doubleValue() const {
    if (isFloatingPoint()) return m_floating;
    if (isUnsigned()) return static_cast<double>(m_unsigned);
    return static_cast<double>(m_signed);
}

bool Number::boolValue() const {
    if (isFloatingPoint()) return m_floating != 0;  // NaN is non-zero, as in C
    return isUnsigned() ? m_unsigned != 0 : m_signed != 0;
}

String Number::description() const {
    if (m_type == Type::Float) return String(shortestText(static_cast<float>(m_floating)));
    if (m_type == Type::Double) return String(shortestText(m_floating));
    return String(isUnsigned() ? std::to_string(m_unsigned) : std::to_string(m_signed));
}

int Number::compare(const Number& other) const {
    if (isFloatingPoint()) {
        if (other.isFloatingPoint()) return compareDoubles(m_floating, other.m_floating);
        return other.isUnsigned() ? compareDoubleWithUnsigned(m_floating, other.m_unsigned)
                                  : compareDoubleWithSigned(m_floating, other.m_signed);
    }
    if (other.isFloatingPoint()) return -other.compare(*this);
    if (isUnsigned() && other.isUnsigned()) {
        return sign(m_unsigned<other.m_unsigned, m_unsigned> other.m_unsigned);
    }
    if (isUnsigned()) return -compareSignedWithUnsigned(other.m_signed, m_unsigned);
    if (other.isUnsigned()) return compareSignedWithUnsigned(m_signed, other.m_unsigned);
    return sign(m_signed<other.m_signed, m_signed> other.m_signed);
}

}  // namespace ov
