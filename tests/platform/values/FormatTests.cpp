#include <gtest/gtest.h>
#include <sys/types.h>

#include <climits>
#include <cstddef>
#include <string>

#include "orvane/platform/values/Format.h"

namespace ov {
namespace {

template <class... Arguments>
std::string format(std::string_view pattern, const Arguments&... arguments) {
    return stringWithFormat(pattern, arguments...).toUtf8();
}

TEST(FormatTest, FormatsTheToolkitUses) {
    EXPECT_EQ(format("%@=%@&", "key", "value"), "key=value&");
    EXPECT_EQ(format("%@=%@", String("a b"), 5), "a b=5");
    EXPECT_EQ(format("&identifier=%@", 42), "&identifier=42");
    EXPECT_EQ(format("OVServer %@", String("\n[OVServer: url]")), "OVServer \n[OVServer: url]");
    EXPECT_EQ(format("%02X", static_cast<unsigned char>(10)), "0A");
    EXPECT_EQ(format("%06x", 0xbeef), "00beef");
    EXPECT_EQ(format("%.2f", 3.14159), "3.14");
    EXPECT_EQ(format("%5d", 42), "   42");
    EXPECT_EQ(format("%-5@|", "ab"), "ab   |");
    EXPECT_EQ(format("100%%"), "100%");
    EXPECT_EQ(format(":%zd", static_cast<ssize_t>(-7)), ":-7");
    EXPECT_EQ(format("%lu %llu", ULONG_MAX, ULLONG_MAX),
              "18446744073709551615 18446744073709551615");
    EXPECT_EQ(format("Code=%lld", LLONG_MIN), "Code=-9223372036854775808");
}

TEST(FormatTest, IntegerConversionsFollowCTypeWidths) {
    EXPECT_EQ(format("%x", -1), "ffffffff");
    EXPECT_EQ(format("%llx", -1), "ffffffffffffffff");
    EXPECT_EQ(format("%hhx|%hd|%hhu", 261, 65537, -1), "5|1|255");
    EXPECT_EQ(format("%u", -1), "4294967295");
    // Too wide for an int: printed whole rather than cut.
    EXPECT_EQ(format("%d", 5000000000LL), "5000000000");
    EXPECT_EQ(format("%+d|% d|%-4d|%04d", 5, 5, 5, -5), "+5| 5|5   |-005");
    EXPECT_EQ(format("%#o|%#x|%o", 8, 255, 8), "010|0xff|10");
    EXPECT_EQ(format("%#d|%+u", 5, 5u), "5|5");  // flags C leaves undefined are dropped
    EXPECT_EQ(format("%p", 255), "0xff");
}

TEST(FormatTest, FloatingConversions) {
    EXPECT_EQ(format("%f|%e|%g|%G", 2.5, 12345.678, 0.0001, 1e-10),
              "2.500000|1.234568e+04|0.0001|1E-10");
    EXPECT_EQ(format("%a|%8.3f|%-8.1f|", 1.0, 3.14159, 2.0), "0x1p+0|   3.142|2.0     |");
    EXPECT_EQ(format("%f", 7), "7.000000");
}

TEST(FormatTest, StarTakesWidthAndPrecisionFromArguments) {
    EXPECT_EQ(format("%*d|%-*d|%.*f", 4, 1, 3, 2, 2, 3.14159), "   1|2  |3.14");
    EXPECT_EQ(format("%*d|", -3, 7), "7  |");        // negative width left-aligns
    EXPECT_EQ(format("%.*f", -1, 1.5), "1.500000");  // negative precision is none
    EXPECT_EQ(format("%.*@", 2, "abcdef"), "ab");
}

TEST(FormatTest, ValuesUnderConversions) {
    EXPECT_EQ(format("%@", 0.1), "0.1");
    EXPECT_EQ(format("%@|%@", 1.0, 1.5f), "1|1.5");
    EXPECT_EQ(format("%@", Value()), "(null)");
    EXPECT_EQ(format("%@", Value::null()), "<null>");
    EXPECT_EQ(format("%@", Decimal::fromString("-1.50e2").value()), "-150");
    EXPECT_EQ(format("%d|%d", Value(Number(3.9)), Value(Number(-7))), "3|-7");
    EXPECT_EQ(format("%d|%d", Value("12"), Value()), "0|0");
    EXPECT_EQ(format("%.1f|%f", Value(2.25), Value("x")), "2.2|0.000000");
    EXPECT_EQ(format("%s|%s", "text", 12), "text|12");
}

TEST(FormatTest, TextAndCharactersCountCodePoints) {
    EXPECT_EQ(format("%5@|", "Zoë"), "  Zoë|");
    EXPECT_EQ(format("%.2@|%.1s|", "Zoë", "ëa"), "Zo|ë|");
    EXPECT_EQ(format("%3@|%-3s|", "😀", "😀"), "  😀|😀  |");
    EXPECT_EQ(format("%05@", "a"), "    a");  // zero padding is for numbers only
    EXPECT_EQ(format("%c%c", 'O', 'K'), "OK");
    EXPECT_EQ(format("%C", 0x05D0), "\u05D0");
    EXPECT_EQ(format("%C", 0xD800), "\uFFFD");  // a lone surrogate cannot be held
}

TEST(FormatTest, MissingExtraAndMalformedPiecesNeverFail) {
    EXPECT_EQ(format("%@ %s %d %f %x"), "(null) (null) 0 0.000000 0");
    EXPECT_EQ(format("%d", 1, 2, 3), "1");
    EXPECT_EQ(format("100%"), "100%");
    EXPECT_EQ(format("%5"), "%5");
    EXPECT_EQ(format("%k|%5%|%y", 1), "%k|%|%y");
    EXPECT_EQ(format("%n%d", 9), "%n9");  // %n never reaches the C library
    EXPECT_EQ(format("%100000d", 1).size(), 1024u);
    EXPECT_EQ(format("%.100000f", 1.0).size(), 1026u);
    EXPECT_EQ(format("a\xff%d", 1), "a\uFFFD1");
}

}  // namespace
}  // namespace ov
