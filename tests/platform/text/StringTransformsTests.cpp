#include <gtest/gtest.h>

#include "orvane/platform/text/CharacterSet.h"
#include "orvane/platform/text/StringTransforms.h"

namespace ov {
namespace {

using Pieces = std::vector<String>;

TEST(CharacterSetCategories, MembershipFollowsTheGeneralCategory) {
    const CharacterSet whitespace = CharacterSet::whitespaceCharacterSet();
    for (char32_t member : {U' ', U'\t', U'\u00A0', U'\u2003', U'\u3000'}) {
        EXPECT_TRUE(whitespace.contains(member)) << int(member);
    }
    for (char32_t other : {U'\n', U'\r', U'\u2028', U'a'})
        EXPECT_FALSE(whitespace.contains(other));

    const CharacterSet digits = CharacterSet::decimalDigitCharacterSet();
    EXPECT_TRUE(digits.contains(U'7'));
    EXPECT_TRUE(digits.contains(U'\u0663'));   // Arabic-Indic three
    EXPECT_FALSE(digits.contains(U'\u00B2'));  // superscript two is No, not Nd
    EXPECT_FALSE(digits.inverted().contains(U'\u0663'));
    EXPECT_TRUE(digits.inverted().contains(U'x'));

    const CharacterSet symbols = CharacterSet::symbolCharacterSet();
    for (char32_t member : {U'+', U'$', U'^', U'\u00B1', U'\u20AA', U'\U0001F600'}) {
        EXPECT_TRUE(symbols.contains(member)) << int(member);
    }
    for (char32_t other : {U'-', U'@', U'9', U'\u05D0'})
        EXPECT_FALSE(symbols.contains(other));
}

TEST(StringTransforms, CaseMappingIsLocaleIndependentAndMayChangeLength) {
    EXPECT_EQ(uppercaseString("straße i"), "STRASSE I");
    EXPECT_EQ(lowercaseString("ÀB İ"), "àb i̇");
    EXPECT_EQ(capitalizedString("hELLO wORLD\tagain\nnow"), "Hello World\tAgain\nNow");
    EXPECT_EQ(capitalizedString("123abc o'neil"), "123abc O'neil");
    EXPECT_EQ(capitalizedString("ǆemal"), "ǅemal");
    EXPECT_EQ(capitalizedString("שלום world"), "שלום World");
}

TEST(StringTransforms, CaseFoldingMakesEveryCaseOfAWordAlike) {
    // Lowercasing keeps the final sigma apart; folding does not.
    EXPECT_NE(lowercaseString("ΚΟΣ"), lowercaseString("κοσ"));
    for (const char* variant : {"ΚΟΣΜΟΣ", "κοσμος", "κοσμοσ", "ΚοσμοΣ"})
        EXPECT_EQ(caseFoldedString(variant), "κοσμοσ") << variant;
    EXPECT_EQ(caseFoldedString("Straße"), "strasse");
    EXPECT_EQ(caseFoldedString("ǅ İ"), "ǆ i̇");
}

TEST(StringTransforms, TrimsSplitsAndRemovesByCodePoint) {
    const CharacterSet symbols = CharacterSet::symbolCharacterSet();
    EXPECT_EQ(stringByTrimmingCharactersInSet("😀+a+b$😀", symbols), "a+b");
    EXPECT_EQ(stringByTrimmingCharactersInSet("+$", symbols), "");
    EXPECT_EQ(
        componentsSeparatedByCharactersInSet(" a\u00A0b ", CharacterSet::whitespaceCharacterSet()),
        (Pieces{"", "a", "b", ""}));
    EXPECT_EQ(stringByRemovingCharactersInSet("1😀2", symbols), "12");
}

TEST(StringTransforms, SplitsAndReplacesStrings) {
    EXPECT_EQ(componentsSeparatedByString("a  b", " "), (Pieces{"a", "", "b"}));
    EXPECT_EQ(componentsSeparatedByString("", " "), (Pieces{""}));
    EXPECT_EQ(componentsSeparatedByString("abc", ""), (Pieces{"abc"}));
    EXPECT_EQ(stringByReplacingOccurrencesOfString("aaa", "aa", "b"), "ba");
    EXPECT_EQ(stringByReplacingOccurrencesOfString("abc", "", "x"), "abc");
}

}  // namespace
}  // namespace ov
