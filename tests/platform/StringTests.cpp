#include <gtest/gtest.h>

#include "orvane/platform/String.h"

namespace ov {
namespace {

TEST(String, CountsUtf16CodeUnits) {
    EXPECT_EQ(String("abc").length(), 3u);
    EXPECT_EQ(String("Zoë").length(), 3u);
    EXPECT_EQ(String("😀").length(), 2u);  // one code point outside the basic plane
    EXPECT_EQ(String("😀").characterAtIndex(0), 0xD83D);
}

TEST(String, RoundTripsWellFormedUtf8) {
    const std::string samples[] = {
        "", "plain", "Zoë", "שלום", "日本語", "😀👍🏽", std::string("a\0b", 3)};
    for (const auto& sample : samples) {
        const auto text = String::fromUtf8(sample);
        ASSERT_TRUE(text.has_value()) << sample;
        EXPECT_EQ(text->toUtf8(), sample);
    }
}

TEST(String, RejectsOrReplacesMalformedUtf8) {
    const std::string malformed[] = {"\xC3", "\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80",
                                     "\xFF", "a\x80z"};
    for (const auto& bytes : malformed) {
        EXPECT_FALSE(String::fromUtf8(bytes).has_value());
    }
    EXPECT_EQ(String(std::string_view("a\x80z")).toUtf8(), "a\xEF\xBF\xBDz");
    EXPECT_EQ(String(std::string_view("a\xE2\x82")).toUtf8(), "a\xEF\xBF\xBD");
}

TEST(String, UnpairedSurrogateBecomesReplacementCharacter) {
    const String lone(std::u16string{u'a', 0xD800, u'b'});
    EXPECT_EQ(lone.toUtf8(),
              "a\xEF\xBF\xBD"
              "b");
    EXPECT_EQ(String::fromCodePoint(0xDC00).toUtf8(), "\xEF\xBF\xBD");
    EXPECT_EQ(String::fromCodePoint(0x1F600).toUtf8(), "😀");
}

TEST(String, SubstringsClipInsteadOfFailing) {
    const String text = "hello";
    EXPECT_EQ(text.substring(1, 3), String("ell"));
    EXPECT_EQ(text.substring(3, 100), String("lo"));
    EXPECT_EQ(text.substring(9, 1), String());
    EXPECT_EQ(text.substringToIndex(99), text);
    EXPECT_EQ(text.substringFromIndex(5), String());
}

TEST(String, SearchesLikeThePlatform) {
    const String text = "list.php?q=1";
    EXPECT_EQ(text.rangeOfString("?"), (Range{8, 1}));
    EXPECT_EQ(text.rangeOfString("x").location, NSNotFound);
    EXPECT_EQ(text.rangeOfString("").location, NSNotFound);
    EXPECT_TRUE(text.hasPrefix("list"));
    EXPECT_FALSE(text.hasPrefix(""));  // the platform answers NO for an empty prefix
    EXPECT_TRUE(text.hasSuffix("=1"));
}

}  // namespace
}  // namespace ov
