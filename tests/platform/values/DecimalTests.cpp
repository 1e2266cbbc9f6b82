#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "orvane/platform/values/Decimal.h"
#include "orvane/platform/values/String.h"

namespace ov {
namespace {

std::string canonical(std::string_view text) {
    const auto decimal = Decimal::fromString(text);
    return decimal ? decimal->toString() : "none";
}

Decimal parsed(std::string_view text) {
    return Decimal::fromString(text).value();
}

TEST(DecimalTest, ReadsLiteralsIntoCanonicalText) {
    const std::pair<std::string, const char*> cases[] = {
        {"0", "0"},           {"-0", "0"},
        {"0e5", "0"},         {"-0.000", "0"},
        {"1e3", "1000"},      {"1E+2", "100"},
        {"1.50", "1.5"},      {"-12.50", "-12.5"},
        {"-0.001", "-0.001"}, {"2.5e-3", "0.0025"},
        {"007", "7"},         {"123.456", "123.456"},
        {"1200", "1200"},     {"1" + std::string(200, '0') + "e-200", "1"},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(canonical(text), expected) << text;
    }
}

TEST(DecimalTest, RejectsTextOutsideTheLiteralGrammar) {
    for (const char* text : {"", "-", "+1", ".5", "-.5", "1.", "1e", "1e+", "1e-", " 1", "1 ", "1x",
                             "--1", "0x10", "1.2.3", "e5", "1e5.0", "nan", "inf"}) {
        EXPECT_FALSE(Decimal::fromString(text)) << '"' << text << '"';
    }
}

TEST(DecimalTest, NormalisesTrailingZerosAndNegativeZero) {
    const Decimal value = parsed("2.500e-3");
    EXPECT_EQ(value.exponent(), -4);
    EXPECT_FALSE(parsed("-0.0e7").isNegative());
    EXPECT_TRUE(parsed("-0.0e7").isZero());
}

TEST(DecimalTest, KeepsThirtyEightDigitsAndRoundsTheRestHalfUp) {
    const std::string digits38 = "12345678901234567890123456789012345678";
    EXPECT_EQ(canonical(digits38), digits38);
    EXPECT_EQ(canonical("-0.000" + digits38), "-0.000" + digits38);  // leading zeros are free
    EXPECT_EQ(canonical(digits38 + "5"), "123456789012345678901234567890123456790");
    EXPECT_EQ(canonical(digits38 + "49999"), digits38 + "00000");
    EXPECT_EQ(canonical("0." + digits38 + "5"), "0.12345678901234567890123456789012345679");
    // The carry runs through every nine and out into the exponent.
    EXPECT_EQ(canonical(std::string(38, '9') + "5"), "1" + std::string(39, '0'));
    EXPECT_EQ(canonical("-" + std::string(38, '9') + ".5"), "-1" + std::string(38, '0'));
    // Past 64 bits: zeros inside the low nineteen digits, and zeros stripped across 2^64.
    EXPECT_EQ(canonical("100000000000000000001.5"), "100000000000000000001.5");
    EXPECT_EQ(canonical("18446744073709551620e-1"), "1844674407370955162");
}

TEST(DecimalTest, ExponentLimits) {
    EXPECT_EQ(canonical("1e-128"), "0." + std::string(127, '0') + "1");
    EXPECT_EQ(canonical("1e-129"), "none");  // tiny values do not flush to zero
    EXPECT_EQ(canonical("1e127"), "1" + std::string(127, '0'));
    // Trailing zeros move back into the mantissa while it has room.
    EXPECT_EQ(canonical("1e128"), "1" + std::string(128, '0'));
    EXPECT_EQ(canonical("12e163"), "12" + std::string(163, '0'));
    EXPECT_EQ(canonical("1e164"), "1" + std::string(164, '0'));
    EXPECT_EQ(canonical("1e165"), "none");
    EXPECT_EQ(canonical(std::string(100000, '1')), "none");
    // Exponent text far beyond any integer type.
    EXPECT_EQ(canonical("1e999999999999999999999999"), "none");
    EXPECT_EQ(canonical("1e-999999999999999999999999"), "none");
    EXPECT_EQ(canonical("0e999999999999999999999999"), "0");
}

TEST(DecimalTest, CompareIsExactAcrossExponents) {
    EXPECT_EQ(parsed("1.5"), parsed("1.50"));
    EXPECT_EQ(parsed("-0"), Decimal());
    EXPECT_EQ(parsed("9.99").compare(parsed("10")), -1);
    EXPECT_EQ(parsed("-2").compare(parsed("-1")), -1);
    EXPECT_EQ(parsed("0.1").compare(parsed("0.1000000000000000000000000000000000001")), -1);
    EXPECT_EQ(parsed("1e127").compare(parsed(std::string(38, '9'))), 1);
    EXPECT_EQ(parsed("1e164").compare(parsed("1e163")), 1);
}

TEST(DecimalTest, DoubleValueIsCorrectlyRounded) {
    EXPECT_EQ(parsed("0.1").doubleValue(), 0.1);
    EXPECT_EQ(parsed("-2.5e-3").doubleValue(), -0.0025);
    EXPECT_EQ(parsed("9007199254740993").doubleValue(), 9007199254740992.0);
    EXPECT_EQ(parsed("1.7976931348623157e127").doubleValue(), 1.7976931348623157e127);
    EXPECT_EQ(parsed("1e-128").doubleValue(), 1e-128);
}

TEST(DecimalTest, FromIntegerCoversTheWholeRange) {
    EXPECT_EQ(Decimal::fromInteger(LLONG_MIN).toString(), "-9223372036854775808");
    EXPECT_EQ(Decimal::fromInteger(-1200).exponent(), 2);
    EXPECT_EQ(Decimal::fromInteger(-1200), parsed("-1.2e3"));
    EXPECT_EQ(parsed("-12.50").description(), String("-12.5"));
}

// Readers build numbers from their digits: the result must match reading the same literal.
TEST(DecimalTest, FromDigitsMatchesTheLiteral) {
    const auto fromDigits = [](uint64_t digits, int exponent, bool negative) {
        const auto decimal = Decimal::fromDigits(digits, exponent, negative);
        return decimal ? decimal->toString() : "none";
    };
    EXPECT_EQ(fromDigits(1'250'000, -4, true), canonical("-125.0000"));
    EXPECT_EQ(fromDigits(UINT64_MAX, -19, false), canonical("1.8446744073709551615"));
    EXPECT_EQ(fromDigits(0, -3, true), "0");
    EXPECT_EQ(Decimal::fromDigits(1'000, -3, false)->exponent(), 0);
    // Stripped zeros that leave the exponent out of range still follow the limits.
    EXPECT_EQ(fromDigits(1'000, 125, false), canonical("1e128"));
    EXPECT_EQ(fromDigits(10, -129, false), canonical("1e-128"));
    EXPECT_EQ(fromDigits(1, -129, false), "none");
}

}  // namespace
}  // namespace ov
