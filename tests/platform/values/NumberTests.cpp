#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

#include "orvane/platform/values/Number.h"
#include "orvane/platform/values/String.h"

namespace ov {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kTwoPow63 = 9223372036854775808.0;

std::string text(const Number& number) {
    return number.description().toUtf8();
}

TEST(NumberTest, ConversionsTruncateAndSaturate) {
    EXPECT_EQ(Number(-2.7).longLongValue(), -2);
    EXPECT_EQ(Number(1e300).intValue(), INT_MAX);
    EXPECT_EQ(Number(LLONG_MAX).intValue(), INT_MAX);
    EXPECT_EQ(Number(kTwoPow63).longLongValue(), LLONG_MAX);
    EXPECT_EQ(Number(kInfinity).unsignedLongLongValue(), ULLONG_MAX);
    EXPECT_EQ(Number(kNaN).longLongValue(), 0);
    EXPECT_EQ(Number(-1).unsignedLongLongValue(), 0u);
    EXPECT_EQ(Number(ULLONG_MAX).longLongValue(), LLONG_MAX);
    // The largest double below 2^63 still converts exactly.
    EXPECT_EQ(Number(std::nextafter(kTwoPow63, 0.0)).longLongValue(), 9223372036854774784LL);
    // boolValue is "non-zero", so NaN is true as in C.
    EXPECT_FALSE(Number(0.0).boolValue());
    EXPECT_FALSE(Number(0u).boolValue());
    EXPECT_TRUE(Number(0.1).boolValue());
    EXPECT_TRUE(Number(kNaN).boolValue());
    EXPECT_TRUE(Number(-1).boolValue());
}

TEST(NumberTest, IntegersDescribeInDecimal) {
    EXPECT_EQ(text(Number(LLONG_MIN)), "-9223372036854775808");
    EXPECT_EQ(text(Number(ULLONG_MAX)), "18446744073709551615");
    EXPECT_EQ(text(Number('A')), "65");
}

TEST(NumberTest, FloatingPointDescribesInShortestRoundTripText) {
    const std::pair<double, const char*> cases[] = {
        {0.1, "0.1"},
        {1.0, "1"},
        {-0.0, "-0"},
        {0.1 + 0.2, "0.30000000000000004"},
        {999999999999999.0, "999999999999999"},
        {1e15, "1e+15"},
        {1e21, "1e+21"},
        {0.0001, "0.0001"},
        {-0.00001, "-1e-05"},
        {kNaN, "nan"},
        {-kInfinity, "-inf"},
    };
    for (const auto& [value, expected] : cases) {
        EXPECT_EQ(text(Number(value)), expected);
    }
    // A float prints at float precision; the same value widened to double shows its error.
    EXPECT_EQ(text(Number(0.1f)), "0.1");
    EXPECT_EQ(text(Number(16777216.0f)), "16777216");
    EXPECT_EQ(text(Number(static_cast<double>(0.1f))), "0.10000000149011612");
}

TEST(NumberTest, CompareIsExactAcrossTypes) {
    EXPECT_EQ(Number(1), Number(1.0));
    EXPECT_EQ(Number(-0.0), Number(0));
    EXPECT_EQ(Number(-1).compare(Number(0u)), -1);
    EXPECT_EQ(Number(ULLONG_MAX).compare(Number(LLONG_MAX)), 1);
    EXPECT_EQ(Number(LLONG_MIN).compare(Number(ULLONG_MAX)), -1);
    // Converting the integer to double would call these equal.
    EXPECT_EQ(Number(LLONG_MAX).compare(Number(kTwoPow63)), -1);
    EXPECT_EQ(Number(ULLONG_MAX).compare(Number(18446744073709551616.0)), -1);
    EXPECT_EQ(Number((1LL << 53) + 1).compare(Number(9007199254740992.0)), 1);
    // Fractions between neighbouring integers.
    EXPECT_EQ(Number(-0.5).compare(Number(-1)), 1);
    EXPECT_EQ(Number(-0.5).compare(Number(0u)), -1);
    EXPECT_EQ(Number(2.5).compare(Number(3u)), -1);
    EXPECT_EQ(Number(kNaN), Number(kNaN));
    EXPECT_EQ(Number(kNaN).compare(Number(-kInfinity)), -1);
    EXPECT_EQ(Number(-kInfinity).compare(Number(kNaN)), 1);
    EXPECT_EQ(Number(0u).compare(Number(kNaN)), 1);
}

}  // namespace
}  // namespace ov
