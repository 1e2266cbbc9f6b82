// NSString(NSString) apart from the phone-number operations.
#include <gtest/gtest.h>

#include <cmath>

#include "orvane/extensions/NSString+NSString.h"
#include "orvane/platform/time/DurationFormatter.h"
#include "orvane/platform/values/SystemLog.h"

namespace ov {
namespace {

using namespace NSString_NSString;
using Lines = std::vector<std::string>;
const Text kNull;

TEST(NSStringNSString, IsNilOrEmptyAcceptsOnlyNonEmptyText) {
    for (const Value& empty : {Value(), Value::null(), Value(42), Value(""), Value(Array{})}) {
        EXPECT_TRUE(isNilOrEmpty(empty)) << empty.description().toUtf8();
    }
    EXPECT_FALSE(isNilOrEmpty(" "));
}

TEST(NSStringNSString, CharacterLanguageTestsTraceAndAnswerFalse) {
    SystemLogCapture capture;
    EXPECT_FALSE(isHebrewLanguage('a'));
    EXPECT_FALSE(isArabicLanguage(static_cast<char>(-1)));
    EXPECT_FALSE(isFromRTLLanguage('\0'));
    EXPECT_EQ(
        capture.entries(),
        (Lines{"c = 000061", "c = 61", "nn = 97", "nn.charValue=97", "c = ffffffff", "c = FFFFFFFF",
               "nn = -1", "nn.charValue=-1", "c = 000000", "c = 0", "nn = 0", "nn.charValue=0"}));
}

TEST(NSStringNSString, RightToLeftScriptDetection) {
    SystemLogCapture capture;
    EXPECT_FALSE(RegularExpression_LanguageAlignment(kNull));
    EXPECT_FALSE(RegularExpression_LanguageAlignment(String("")));
    EXPECT_FALSE(RegularExpression_LanguageAlignment(String("hello")));
    EXPECT_TRUE(RegularExpression_LanguageAlignment(String("hi שלום")));
    EXPECT_EQ(
        capture.entries(),
        (Lines{"RegularExpression_LanguageAlignment (null)", "RegularExpression_LanguageAlignment ",
               "RegularExpression_LanguageAlignment hello", "numberofmatches 0",
               "RegularExpression_LanguageAlignment hi שלום", "numberofmatches 4"}));
    capture.clear();
    EXPECT_TRUE(detach_Hebrew("abc א"));
    EXPECT_FALSE(detach_Hebrew("مرحبا"));
    EXPECT_TRUE(detach_Arabic("مرحبا"));
    EXPECT_FALSE(detach_Arabic("😀 abc"));
    EXPECT_TRUE(capture.entries().empty());
}

TEST(NSStringNSString, EmailNeedsTheWholeTextToMatch) {
    EXPECT_FALSE(isEmail(kNull));
    EXPECT_FALSE(isEmail(String("")));
    EXPECT_TRUE(isEmail(String("first.last+tag@mail.example.com")));
    EXPECT_FALSE(isEmail(String("to: a@b.com")));
    EXPECT_FALSE(validateEmailWithString("a@b.c"));
    EXPECT_FALSE(validateEmailWithString("a@b.museum"));
    EXPECT_FALSE(validateEmailWithString(""));
}

TEST(NSStringNSString, MD5IsLowerCaseHexOfTheTextUpToAZeroByte) {
    EXPECT_EQ(md5(String("")), "d41d8cd98f00b204e9800998ecf8427e");
    EXPECT_EQ(md5(String("abc")), "900150983cd24fb0d6963f7d28e17f72");
    EXPECT_EQ(md5(String(std::u16string(u"ab\0c", 4))), md5(String("ab")));
    EXPECT_EQ(md5(String("é")), "66ddcd97cfdeabb2f6fb8a999b4bc76f");
    EXPECT_EQ(md5(kNull), std::nullopt);
}

TEST(NSStringNSString, RemovingSymbols) {
    EXPECT_EQ(removeStringSymbols("a/b:c.d@e-f_g?h!i#j$k%l^m&n*o(p)q{r}s[t]u|v<w>x~y`z±§+1 ,="),
              "abcdefghijklmnopqrstuvwxyz1 ,=");
    EXPECT_EQ(removeStringSymbols(kNull, "972"), "");
    EXPECT_EQ(removeStringSymbols(String(""), "972"), "");
    // "-" is punctuation, not a symbol, so it survives the trim.
    EXPECT_EQ(removeStringSymbols(String("+972-54972+"), "972"), "-54");
    EXPECT_EQ(removeStringSymbols(String("$a$"), ""), "a");
}

TEST(NSStringNSString, ComparisonsOnNullAndEmptyArguments) {
    EXPECT_TRUE(compareTo(String("é"), "é"));
    EXPECT_FALSE(compareTo(kNull, ""));
    EXPECT_TRUE(contain(String("abc"), "bc"));
    EXPECT_FALSE(contain(String("abc"), ""));
    EXPECT_FALSE(contain(kNull, "a"));
    EXPECT_EQ(indexOfSymbol(String("a😀b"), "b"), 3u);
    EXPECT_EQ(indexOfSymbol(String("abc"), "x"), NSNotFound);
    EXPECT_EQ(indexOfSymbol(kNull, "x"), 0u);
    EXPECT_TRUE(endWithArobase(String("http://a/")));
    EXPECT_FALSE(endWithArobase(String("")));
    EXPECT_FALSE(endWithArobase(kNull));
}

TEST(NSStringNSString, CutStringFromIndexLogsAndRefusesRangesOutsideTheText) {
    SystemLogCapture capture;
    EXPECT_EQ(cutStringFromIndex(2, 3, "abcdefg"), "cde");
    EXPECT_EQ(cutStringFromIndex(7, 0, "abcdefg"), "");
    EXPECT_EQ(capture.entries(), (Lines{"string to cut abcdefg", "CuttedString cde",
                                        "string to cut abcdefg", "CuttedString "}));
    capture.clear();
    EXPECT_EQ(cutStringFromIndex(5, 3, "abcdefg"), "");
    EXPECT_EQ(cutStringFromIndex(8, 0, "abcdefg"), "");
    EXPECT_EQ(cutStringFromIndex(1, UINT64_MAX, "abcdefg"), "");
    EXPECT_EQ(capture.entries().size(), 3u);
}

TEST(NSStringNSString, CutStringTillChar) {
    SystemLogCapture capture;
    EXPECT_EQ(cutStringTillChar(String("key=value=x"), "="), "key");
    EXPECT_EQ(cutStringTillChar(String("plain"), "="), "plain");
    EXPECT_EQ(cutStringTillChar(kNull, "="), std::nullopt);
    EXPECT_EQ(capture.entries(),
              (Lines{"cutString key=value=x TillChar =", "range.location 3", "range.length 1",
                     "cuttedString: key", "cutString plain TillChar =",
                     "range.location 9223372036854775807", "range.length 0"}));
}

TEST(NSStringNSString, FixWebViewString) {
    SystemLogCapture capture;
    EXPECT_EQ(fixWebViewString("www.example.com"), "http://www.example.com");
    EXPECT_EQ(fixWebViewString("https://example.com"), "https://example.com");
    EXPECT_EQ(fixWebViewString("ab"), "http://ab");
    EXPECT_EQ(capture.entries(),
              (Lines{"strURL www.example.com", "CuttedString www.", "CuttedString2 www.exam",
                     "strURL https://example.com", "CuttedString http", "CuttedString2 https://",
                     "strURL ab", "CuttedString ab", "CuttedString2 ab"}));
}

TEST(NSStringNSString, ZerosSpacesAndEnds) {
    EXPECT_EQ(removeFirstZero("007"), "07");
    EXPECT_EQ(removeFirstZero(""), "");
    EXPECT_EQ(removeLeadingZeros("007"), "7");
    EXPECT_EQ(removeLeadingZeros("700"), "700");
    EXPECT_EQ(removeLeadingZeros("000"), "");
    EXPECT_EQ(removeSpaces("a b\tc\u00A0d\u2003e\nf"), "abcde\nf");
    EXPECT_EQ(removeLastChar("ab"), "a");
    EXPECT_EQ(removeLastChar(""), "");
    EXPECT_EQ(lastChar(String("ab")), "b");
    EXPECT_EQ(firstChar(String("ab")), "a");
    EXPECT_EQ(firstChar(String("")), "");
    EXPECT_EQ(lastChar(kNull), std::nullopt);
}

TEST(NSStringNSString, StartsWith) {
    EXPECT_TRUE(startsWith(String("abc"), ""));
    EXPECT_TRUE(startsWith(String("abc"), "a"));
    EXPECT_TRUE(startsWith(String("abc"), "abc"));
    EXPECT_FALSE(startsWith(String("abc"), "abcd"));
    EXPECT_FALSE(startsWith(String("abc"), "b"));
    EXPECT_FALSE(startsWith(String(""), ""));
    EXPECT_FALSE(startsWith(kNull, "a"));
}

TEST(NSStringNSString, RandomNumberIsFourDigitsAndLogged) {
    SystemLogCapture capture;
    for (int draw = 0; draw < 200; ++draw) {
        const String code = randomNumber();
        ASSERT_EQ(code.length(), 4u);
        for (char16_t unit : code.utf16())
            ASSERT_TRUE(unit >= u'0' && unit <= u'9');
        ASSERT_EQ(capture.entries().back(), "randomNumber " + code.toUtf8());
    }
}

TEST(NSStringNSString, FormattedStringFromSeconds) {
    EXPECT_EQ(formattedStringFromSeconds(std::nan("")), std::nullopt);
    // The wording follows the current locale; the style and the dropped zero unit do not.
    const DurationFormatter abbreviated(DurationFormatter::UnitsStyle::Abbreviated);
    EXPECT_EQ(formattedStringFromSeconds(3900), abbreviated.stringFromTimeInterval(3900));
    EXPECT_FALSE(formattedStringFromSeconds(3600)->containsString("0"));
}

TEST(NSStringNSString, CapitalizedFirstLetterLowersTheRest) {
    EXPECT_EQ(capitalizedFirstLetter(String("hELLO wORLD")), "Hello world");
    EXPECT_EQ(capitalizedFirstLetter(String("élan")), "Élan");
    EXPECT_EQ(capitalizedFirstLetter(String("1ABC")), "1abc");
    EXPECT_EQ(capitalizedFirstLetter(String("")), "");
    EXPECT_EQ(capitalizedFirstLetter(kNull), std::nullopt);
}

TEST(NSStringNSString, WordsSplitAtEverySingleSpace) {
    EXPECT_EQ(wordCount(String("a  b")), 3u);
    EXPECT_EQ(words(String("a  b")), (std::vector<String>{"a", "", "b"}));
    EXPECT_EQ(characters(String("a  b")), 2u);
    EXPECT_EQ(wordCount(String("")), 1u);
    EXPECT_EQ(characters(String("")), 0u);
    EXPECT_EQ(wordCount(String("a\tb")), 1u);
    EXPECT_EQ(wordCount(kNull), 0u);
    EXPECT_EQ(words(kNull), std::nullopt);
}

TEST(NSStringNSString, ContainOnlyWhitespaces) {
    EXPECT_TRUE(containOnlyWhitespaces(String(" \t\u00A0")));
    EXPECT_TRUE(containOnlyWhitespaces(String("")));
    EXPECT_FALSE(containOnlyWhitespaces(String(" \n ")));
    EXPECT_FALSE(containOnlyWhitespaces(String(" x ")));
    EXPECT_FALSE(containOnlyWhitespaces(kNull));
}

}  // namespace
}  // namespace ov
