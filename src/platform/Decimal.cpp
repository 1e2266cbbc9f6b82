#include "orvane/platform/Decimal.h"

#include <charconv>

#include "orvane/platform/String.h"

namespace ov {

namespace {

using Mantissa = unsigned __int128;

constexpr Mantissa powerOfTen(int exponent) {
    Mantissa result = 1;
    for (int i = 0; i < exponent; ++i)
        result *= 10;
    return result;
}

constexpr Mantissa kMantissaLimit = powerOfTen(Decimal::kMaxDigits);
// Far beyond any exponent that can be held, small enough that sums of a few never overflow.
constexpr long long kExponentClamp = 1'000'000'000'000LL;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

size_t skipDigits(std::string_view text, size_t at) {
    while (at < text.size() && isDigit(text[at]))
        ++at;
    return at;
}

int digitCount(Mantissa value) {
    int count = 1;
    while (value >= 10) {
        value /= 10;
        ++count;
    }
    return count;
}

std::string mantissaDigits(Mantissa value) {
    std::string digits;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(value % 10)));
        value /= 10;
    } while (value != 0);
    return digits;
}

// Reads the digits after 'e' without overflowing, however many there are.
long long clampedExponent(std::string_view digits, bool negative) {
    long long value = 0;
    for (char c : digits) {
        value = value * 10 + (c - '0');
        if (value > kExponentClamp) {
            value = kExponentClamp;
            break;
        }
    }
    return negative ? -value : value;
}

struct Accumulated {
    Mantissa mantissa = 0;
    long long droppedDigits = 0;
    int kept = 0;
    bool roundUp = false;
};

// Keeps the first kMaxDigits significant digits; only the first dropped digit decides the
// half-up rounding.
void accumulate(Accumulated& state, std::string_view digits) {
    for (char c : digits) {
        if (state.kept == 0 && c == '0') continue;
        if (state.kept < Decimal::kMaxDigits) {
            state.mantissa = state.mantissa * 10 + static_cast<unsigned>(c - '0');
            ++state.kept;
        } else {
            if (state.droppedDigits == 0) state.roundUp = c >= '5';
            ++state.droppedDigits;
        }
    }
}

}  // namespace

std::optional<Decimal> Decimal::fromString(std::string_view text) {
    size_t at = 0;
    const bool negative = at < text.size() && text[at] == '-';
    if (negative) ++at;
    const size_t integerEnd = skipDigits(text, at);
    if (integerEnd == at) return std::nullopt;
    const std::string_view integerDigits = text.substr(at, integerEnd - at);
    at = integerEnd;

    std::string_view fractionDigits;
    if (at < text.size() && text[at] == '.') {
        const size_t fractionEnd = skipDigits(text, at + 1);
        if (fractionEnd == at + 1) return std::nullopt;
        fractionDigits = text.substr(at + 1, fractionEnd - at - 1);
        at = fractionEnd;
    }

    long long exponent = 0;
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        ++at;
        const bool negativeExponent = at < text.size() && text[at] == '-';
        if (at < text.size() && (text[at] == '-' || text[at] == '+')) ++at;
        const size_t exponentEnd = skipDigits(text, at);
        if (exponentEnd == at) return std::nullopt;
        exponent = clampedExponent(text.substr(at, exponentEnd - at), negativeExponent);
        at = exponentEnd;
    }
    if (at != text.size()) return std::nullopt;

    Accumulated state;
    accumulate(state, integerDigits);
    accumulate(state, fractionDigits);
    if (state.mantissa == 0) return Decimal();
    exponent += state.droppedDigits - static_cast<long long>(fractionDigits.size());
    if (state.roundUp && ++state.mantissa == kMantissaLimit) {
        state.mantissa /= 10;
        ++exponent;
    }
    return make(state.mantissa, exponent, negative);
}

std::optional<Decimal> Decimal::make(unsigned __int128 mantissa, long long exponent,
                                     bool negative) {
    if (mantissa == 0) return Decimal();
    while (mantissa % 10 == 0) {
        mantissa /= 10;
        ++exponent;
    }
    // Above the largest exponent, trailing zeros can move back into the mantissa while it has
    // room: 1e128 is held as 10 x 10^127.
    while (exponent > kMaxExponent && mantissa < kMantissaLimit / 10) {
        mantissa *= 10;
        --exponent;
    }
    if (exponent < kMinExponent || exponent > kMaxExponent) return std::nullopt;
    Decimal result;
    result.m_mantissa = mantissa;
    result.m_exponent = static_cast<int>(exponent);
    result.m_negative = negative;
    return result;
}

Decimal Decimal::fromInteger(long long value) {
    const bool negative = value < 0;
    // Negating in unsigned arithmetic keeps LLONG_MIN defined.
    const unsigned long long magnitude = negative ? 0ULL - static_cast<unsigned long long>(value)
                                                  : static_cast<unsigned long long>(value);
    return *make(magnitude, 0, negative);
}

double Decimal::doubleValue() const {
    // The text is never out of double's range, and from_chars rounds correctly.
    const std::string text = mantissaDigits(m_mantissa) + "e" + std::to_string(m_exponent);
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return m_negative ? -value : value;
}

std::string Decimal::toString() const {
    std::string digits = mantissaDigits(m_mantissa);
    std::string sign = m_negative ? "-" : "";
    if (m_exponent >= 0) return sign + digits + std::string(m_exponent, '0');
    const long long pointAt = static_cast<long long>(digits.size()) + m_exponent;
    if (pointAt > 0) return sign + digits.insert(pointAt, ".");
    return sign + "0." + std::string(-pointAt, '0') + digits;
}

String Decimal::description() const {
    return String(toString());
}

int Decimal::compare(const Decimal& other) const {
    const int leftSign = isZero() ? 0 : (m_negative ? -1 : 1);
    const int rightSign = other.isZero() ? 0 : (other.m_negative ? -1 : 1);
    if (leftSign != rightSign) return leftSign < rightSign ? -1 : 1;
    if (leftSign == 0) return 0;

    int magnitude = 0;
    const int leftMagnitude = digitCount(m_mantissa) + m_exponent;
    const int rightMagnitude = digitCount(other.m_mantissa) + other.m_exponent;
    if (leftMagnitude != rightMagnitude) {
        magnitude = leftMagnitude < rightMagnitude ? -1 : 1;
    } else {
        // Same leading-digit position: scaling the one with the larger exponent up to the
        // other's exponent keeps it below 10^38.
        Mantissa left = m_mantissa;
        Mantissa right = other.m_mantissa;
        if (m_exponent > other.m_exponent) left *= powerOfTen(m_exponent - other.m_exponent);
        if (other.m_exponent > m_exponent) right *= powerOfTen(other.m_exponent - m_exponent);
        magnitude = left < right ? -1 : (left > right ? 1 : 0);
    }
    return leftSign * magnitude;
}

}  // namespace ov
