#include "orvane/platform/values/Decimal.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>

#include "orvane/platform/values/String.h"

namespace ov {

namespace {

using Mantissa = unsigned __int128;

constexpr Mantissa powerOfTen(int exponent) {
    Mantissa result = 1;
    for (int i = 0; i < exponent; ++i)
        result *= 10;
    return result;
}

constexpr auto kPowersOfTen = [] {
    std::array<uint64_t, 20> powers{};
    for (size_t i = 0; i < powers.size(); ++i)
        powers[i] = static_cast<uint64_t>(powerOfTen(static_cast<int>(i)));
    return powers;
}();
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

char* writeTwoDigitsBefore(char* end, unsigned value) {
    static constexpr char kPairs[] =
        "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
        "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
        "8081828384858687888990919293949596979899";
    end -= 2;
    std::memcpy(end, kPairs + 2 * value, 2);
    return end;
}

// Writes the digits so that they end at `end`; gives where they start. Only the top part of a
// mantissa above 64 bits needs a 128-bit division.
char* writeDigitsBefore(char* end, Mantissa value) {
    auto low = static_cast<uint64_t>(value);
    if (value > UINT64_MAX) {
        constexpr uint64_t kChunk = 10'000'000'000'000'000'000ULL;  // 10^19
        low = static_cast<uint64_t>(value % kChunk);
        for (int i = 0; i < 19; ++i, low /= 10)
            *--end = static_cast<char>('0' + low % 10);
        low = static_cast<uint64_t>(value / kChunk);  // below 10^19, as the mantissa is below 10^38
    }
    for (; low >= 100; low /= 100)
        end = writeTwoDigitsBefore(end, static_cast<unsigned>(low % 100));
    if (low >= 10) return writeTwoDigitsBefore(end, static_cast<unsigned>(low));
    *--end = static_cast<char>('0' + low);
    return end;
}

// Moves trailing zeros into the exponent; in 64-bit arithmetic when the value allows, as
// 128-bit division is a library call.
void stripTrailingZeros(Mantissa& mantissa, long long& exponent) {
    if (mantissa > UINT64_MAX) {
        while (mantissa % 10 == 0) {
            mantissa /= 10;
            ++exponent;
        }
        if (mantissa > UINT64_MAX) return;
    }
    auto small = static_cast<uint64_t>(mantissa);
    while (small % 10 == 0) {
        small /= 10;
        ++exponent;
    }
    mantissa = small;
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
// half-up rounding. Digits are gathered nineteen at a time in 64-bit arithmetic.
void accumulate(Accumulated& state, std::string_view digits) {
    constexpr size_t kChunkDigits = 19;
    size_t at = 0;
    if (state.kept == 0) {
        while (at < digits.size() && digits[at] == '0')
            ++at;
    }
    while (at < digits.size() && state.kept < Decimal::kMaxDigits) {
        const size_t take = std::min({digits.size() - at, kChunkDigits,
                                      static_cast<size_t>(Decimal::kMaxDigits - state.kept)});
        uint64_t chunk = 0;
        for (const char c : digits.substr(at, take))
            chunk = chunk * 10 + static_cast<unsigned>(c - '0');
        state.mantissa = state.mantissa * kPowersOfTen[take] + chunk;
        state.kept += static_cast<int>(take);
        at += take;
    }
    if (at == digits.size()) return;
    if (state.droppedDigits == 0) state.roundUp = digits[at] >= '5';
    state.droppedDigits += static_cast<long long>(digits.size() - at);
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
    stripTrailingZeros(mantissa, exponent);
    // Above the largest exponent, trailing zeros can move back into the mantissa while it has
    // room: 1e128 is held as 10 x 10^127.
    while (exponent > kMaxExponent && mantissa < kMantissaLimit / 10) {
        mantissa *= 10;
        --exponent;
    }
    if (exponent < kMinExponent || exponent > kMaxExponent) return std::nullopt;
    Decimal result;
    result.m_high = static_cast<uint64_t>(mantissa >> 64);
    result.m_low = static_cast<uint64_t>(mantissa);
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

// Readers make every number here: a mantissa that fits 64 bits skips make's 128-bit steps.
std::optional<Decimal> Decimal::fromDigits(uint64_t digits, int exponent, bool negative) {
    if (digits == 0) return Decimal();
    long long scaled = exponent;
    for (; digits % 10 == 0; digits /= 10)
        ++scaled;
    if (scaled < kMinExponent || scaled > kMaxExponent) return make(digits, scaled, negative);
    Decimal result;
    result.m_low = digits;
    result.m_exponent = static_cast<int>(scaled);
    result.m_negative = negative;
    return result;
}

double Decimal::doubleValue() const {
    // The text is never out of double's range, and from_chars rounds correctly.
    char text[kMaxDigits + 8];
    char* const digitsEnd = text + kMaxDigits;
    char* const first = writeDigitsBefore(digitsEnd, mantissa());
    char* end = digitsEnd;
    *end++ = 'e';
    end = std::to_chars(end, text + sizeof text, m_exponent).ptr;
    double value = 0;
    std::from_chars(first, end, value);
    return m_negative ? -value : value;
}

std::string Decimal::toString() const {
    char text[kMaxTextLength];
    return std::string(text, toChars(text));
}

char* Decimal::toChars(char* out) const {
    char digits[kMaxDigits];
    char* const digitsEnd = digits + kMaxDigits;
    char* const first = writeDigitsBefore(digitsEnd, mantissa());
    if (m_negative) *out++ = '-';
    if (m_exponent >= 0) {
        out = std::fill_n(std::copy(first, digitsEnd, out), m_exponent, '0');
    } else if (const std::ptrdiff_t pointAt = (digitsEnd - first) + m_exponent; pointAt > 0) {
        out = std::copy(first, first + pointAt, out);
        *out++ = '.';
        out = std::copy(first + pointAt, digitsEnd, out);
    } else {
        *out++ = '0';
        *out++ = '.';
        out = std::copy(first, digitsEnd, std::fill_n(out, -pointAt, '0'));
    }
    return out;
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
    Mantissa left = mantissa();
    Mantissa right = other.mantissa();
    const int leftMagnitude = digitCount(left) + m_exponent;
    const int rightMagnitude = digitCount(right) + other.m_exponent;
    if (leftMagnitude != rightMagnitude) {
        magnitude = leftMagnitude < rightMagnitude ? -1 : 1;
    } else {
        // Same leading-digit position: scaling the one with the larger exponent up to the
        // other's exponent keeps it below 10^38.
        if (m_exponent > other.m_exponent) left *= powerOfTen(m_exponent - other.m_exponent);
        if (other.m_exponent > m_exponent) right *= powerOfTen(other.m_exponent - m_exponent);
        magnitude = left < right ? -1 : (left > right ? 1 : 0);
    }
    return leftSign * magnitude;
}

}  // namespace ov
