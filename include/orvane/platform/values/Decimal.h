#pragma once
// An exact decimal number (the platform's NSDecimalNumber): up to 38 significant digits and a
// decimal exponent from -128 to 127. Reading text keeps every digit it can hold exactly.
//
//   auto price = ov::Decimal::fromString("-12.50");  // -1250 x 10^-2
//   price->description();                            // "-12.5"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ov {

class String;

class Decimal {
  public:
    static constexpr int kMaxDigits = 38;
    static constexpr int kMinExponent = -128;
    static constexpr int kMaxExponent = 127;

    Decimal() = default;
    // None when the text is not a decimal literal or its value cannot be held (exponent out of
    // range after normalising; tiny values do not flush to zero). A literal is an optional
    // "-", digits (leading zeros allowed), an optional "." with digits and an optional exponent
    // ("e-3", "E+7"); no "+" in front, no spaces. Digits beyond the 38th are rounded half-up;
    // "-0" is zero.
    static std::optional<Decimal> fromString(std::string_view text);
    static Decimal fromInteger(long long value);
    // The value digits x 10^exponent; none when it cannot be held.
    static std::optional<Decimal> fromDigits(uint64_t digits, int exponent, bool negative);

    bool isNegative() const { return m_negative; }
    bool isZero() const { return m_high == 0 && m_low == 0; }
    int exponent() const { return m_exponent; }
    double doubleValue() const;

    // Canonical plain decimal text: no exponent, no trailing fraction zeros ("1200", "-0.05").
    std::string toString() const;
    // The same text into `out`, which has room for kMaxTextLength characters; gives its end.
    static constexpr size_t kMaxTextLength = 2 + kMaxDigits + kMaxExponent;
    char* toChars(char* out) const;
    String description() const;

    int compare(const Decimal& other) const;
    friend bool operator==(const Decimal& left, const Decimal& right) {
        return left.compare(right) == 0;
    }

  private:
    // Strips trailing zeros; none when the exponent cannot be brought into range.
    static std::optional<Decimal> make(unsigned __int128 mantissa, long long exponent,
                                       bool negative);

    unsigned __int128 mantissa() const {
        return (static_cast<unsigned __int128>(m_high) << 64) | m_low;
    }

    // The mantissa, below 10^38, with no trailing zeros unless zero or the exponent is at its
    // maximum. Two words rather than one 128-bit integer, so a Value holding it stays small.
    uint64_t m_high = 0;
    uint64_t m_low = 0;
    int m_exponent = 0;
    bool m_negative = false;
};

}  // namespace ov
