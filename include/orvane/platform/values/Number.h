#pragma once
// A number that remembers the C type it was made from (the platform's NSNumber). Booleans are
// not numbers here: Value keeps them as their own kind.

#include <cstdint>

namespace ov {

class String;

class Number {
  public:
    enum class Type {
        Char,
        Short,
        Int,
        Long,
        LongLong,
        UnsignedChar,
        UnsignedShort,
        UnsignedInt,
        UnsignedLong,
        UnsignedLongLong,
        Float,
        Double
    };

    Number() : Number(0) {}
    Number(char value) : m_type(Type::Char), m_signed(value) {}    // NOLINT: natural literals
    Number(short value) : m_type(Type::Short), m_signed(value) {}  // NOLINT
    Number(int value) : m_type(Type::Int), m_signed(value) {}      // NOLINT
    Number(long value) : m_type(Type::Long), m_signed(value) {}    // NOLINT
    Number(long long value) : m_type(Type::LongLong), m_signed(value) {}              // NOLINT
    Number(unsigned char value) : m_type(Type::UnsignedChar), m_unsigned(value) {}    // NOLINT
    Number(unsigned short value) : m_type(Type::UnsignedShort), m_unsigned(value) {}  // NOLINT
    Number(unsigned int value) : m_type(Type::UnsignedInt), m_unsigned(value) {}      // NOLINT
    Number(unsigned long value) : m_type(Type::UnsignedLong), m_unsigned(value) {}    // NOLINT
    Number(unsigned long long value)                                                  // NOLINT
        : m_type(Type::UnsignedLongLong), m_unsigned(value) {}
    Number(float value) : m_type(Type::Float), m_floating(value) {}    // NOLINT
    Number(double value) : m_type(Type::Double), m_floating(value) {}  // NOLINT

    Type type() const { return m_type; }
    bool isFloatingPoint() const { return m_type == Type::Float || m_type == Type::Double; }
    bool isUnsigned() const;

    // Conversions truncate toward zero and saturate, as C casts on the platform would not
    // (an out-of-range cast is undefined behaviour in C++).
    int intValue() const;
    long long longLongValue() const;
    unsigned long long unsignedLongLongValue() const;
    double doubleValue() const;
    bool boolValue() const;

    // Integers in decimal; floating point in the shortest text that reads back the same.
    String description() const;

    // -1, 0 or 1, comparing the values exactly across types (1 equals 1.0). NaN sorts below
    // every other number and equals NaN, so sorting and equality stay consistent.
    int compare(const Number& other) const;
    friend bool operator==(const Number& left, const Number& right) {
        return left.compare(right) == 0;
    }

  private:
    Type m_type;
    union {
        long long m_signed;
        unsigned long long m_unsigned;
        double m_floating;
    };
};

}  // namespace ov
