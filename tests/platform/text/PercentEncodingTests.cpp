#include <gtest/gtest.h>

#include <string>

#include "orvane/platform/text/CharacterSet.h"
#include "orvane/platform/text/PercentEncoding.h"

namespace ov {
namespace {

std::string asciiMembers(const CharacterSet& set) {
    std::string members;
    for (char32_t c = 0; c < 128; ++c) {
        if (set.contains(c)) members += static_cast<char>(c);
    }
    return members;
}

TEST(CharacterSet, URLSetsHoldExactlyTheirCharacters) {
    const std::string alnum = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ_abcdefghijklmnopqrstuvwxyz~";
    EXPECT_EQ(asciiMembers(CharacterSet::urlQueryAllowed()),
              "!$&'()*+,-./" + alnum.substr(0, 10) + ":;=?@" + alnum.substr(10));
    EXPECT_EQ(asciiMembers(CharacterSet::urlFragmentAllowed()),
              asciiMembers(CharacterSet::urlQueryAllowed()));
    EXPECT_EQ(asciiMembers(CharacterSet::urlPathAllowed()),
              "!$&'()*+,-./" + alnum.substr(0, 10) + ":=@" + alnum.substr(10));
    EXPECT_EQ(asciiMembers(CharacterSet::urlHostAllowed()), "!$&'()*+,-." + alnum.substr(0, 10) +
                                                                ":;=" + alnum.substr(10, 26) +
                                                                "[]" + alnum.substr(36));
    EXPECT_FALSE(CharacterSet::urlQueryAllowed().contains(U'é'));
}

TEST(CharacterSet, EditsAndInverts) {
    CharacterSet set = CharacterSet::urlQueryAllowed();
    set.removeCharactersInString("&=+");
    EXPECT_FALSE(set.contains('&'));
    EXPECT_TRUE(set.contains('?'));
    set.addCharactersInString(" ");
    EXPECT_TRUE(set.contains(' '));

    const CharacterSet digits = CharacterSet::withCharactersInString("0123456789é");
    EXPECT_EQ(asciiMembers(digits), "0123456789");
    const CharacterSet notDigits = digits.inverted();
    EXPECT_FALSE(notDigits.contains('5'));
    EXPECT_TRUE(notDigits.contains('a'));
    EXPECT_TRUE(notDigits.contains(U'😀'));
    EXPECT_EQ(notDigits.inverted(), digits);
}

TEST(PercentEncoding, EncodesOutsideCharactersAsUppercaseUTF8Escapes) {
    const CharacterSet query = CharacterSet::urlQueryAllowed();
    EXPECT_EQ(percentEncoded("a b&c=d/?", query), "a%20b&c=d/?");
    EXPECT_EQ(percentEncoded("100%", query), "100%25");
    EXPECT_EQ(percentEncoded("café", query), "caf%C3%A9");
    EXPECT_EQ(percentEncoded("😀", query), "%F0%9F%98%80");
    EXPECT_EQ(percentEncoded("\n\x7f", query), "%0A%7F");
    EXPECT_EQ(percentEncoded(String(std::u16string(u"a\xD800z")), query), "a%EF%BF%BDz");
    EXPECT_EQ(percentEncoded("", query), "");
    EXPECT_EQ(percentEncoded("é%", CharacterSet().inverted()), "é%");
}

TEST(PercentEncoding, DecodesOnlyWellFormedEscapesOfUTF8) {
    EXPECT_EQ(percentDecoded("caf%C3%a9%20x+y"), "café x+y");
    EXPECT_EQ(percentDecoded("%F0%9F%98%80"), "😀");
    EXPECT_EQ(percentDecoded("plain é"), "plain é");
    EXPECT_EQ(percentDecoded("%2525"), "%25");
    for (const char* bad : {"%", "%4", "abc%", "%G1", "%1G", "%FF", "%C3", "%C3%28", "%ED%A0%80"}) {
        EXPECT_FALSE(percentDecoded(bad).has_value()) << bad;
    }
}

TEST(PercentEncoding, DecodingUndoesEncoding) {
    const String text = "a b/c?d=é&f=😀%25\t";
    for (const CharacterSet& set : {CharacterSet::urlQueryAllowed(), CharacterSet::urlPathAllowed(),
                                    CharacterSet::urlHostAllowed(), CharacterSet()}) {
        EXPECT_EQ(percentDecoded(percentEncoded(text, set)), text);
    }
}

}  // namespace
}  // namespace ov
