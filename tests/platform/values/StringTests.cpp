#include <gtest/gtest.h>

#include <stdexcept>
#include <thread>
#include <vector>

#include "orvane/platform/values/String.h"

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
    // Each sequence length at the edges of what it may encode, and cut short.
    const std::string edges[] = {"\xC1\xBF",         "\xE0\x9F\xBF",     "\xED\xBF\xBF",
                                 "\xF0\x8F\xBF\xBF", "\xF5\x80\x80\x80", "\xE2\x82",
                                 "\xF0\x9F\x98",     "\xE2\x28\xA1"};
    for (const auto& bytes : edges) {
        EXPECT_FALSE(String::fromUtf8(bytes).has_value()) << bytes.size();
    }
    EXPECT_EQ(String::fromUtf8("\xC2\x80\xE0\xA0\x80\xEE\x80\x80\xF0\x90\x80\x80\xF4\x8F\xBF\xBF")
                  ->utf16(),
              std::u16string({0x80, 0x800, 0xE000, 0xD800, 0xDC00, 0xDBFF, 0xDFFF}));
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

// Texts of 10 units live in the object, longer ones in a shared block: both sides of the
// boundary, and every way a copy could end up sharing what another changes.
TEST(String, CopiesStayIndependentAcrossTheInlineBoundary) {
    for (const char* sample : {"ten units!", "eleven unit", "a much longer text than that"}) {
        const String original = sample;
        String appended = original;
        appended += "!";
        String moved = String(original);
        const String fromMove = std::move(moved);
        EXPECT_EQ(original, String(sample));
        EXPECT_EQ(appended.toUtf8(), std::string(sample) + "!");
        EXPECT_EQ(fromMove, original);
        EXPECT_TRUE(moved.isEmpty());  // NOLINT(bugprone-use-after-move): moved-from is empty
    }
}

TEST(String, AppendingGrowsAndMayAppendItself) {
    String text = "ab";
    text += text;
    EXPECT_EQ(text, String("abab"));
    String growing;
    for (int i = 0; i < 100; ++i)
        growing += String::fromCodePoint(static_cast<char32_t>('a' + i % 26));
    EXPECT_EQ(growing.length(), 100u);
    EXPECT_EQ(growing.characterAtIndex(27), u'b');
    growing += growing;
    EXPECT_EQ(growing.substring(100, 3), String("abc"));
    EXPECT_THROW((void)growing.characterAtIndex(200), std::out_of_range);
}

// A block grown with room to spare is appended to in place only while nothing shares it.
TEST(String, AppendingInPlaceLeavesCopiesAlone) {
    String grown = "ten units!";
    grown += "+";  // leaves the object for a block with room to spare
    const String before = grown;
    grown += "more";
    EXPECT_EQ(before, String("ten units!+"));
    EXPECT_EQ(grown, String("ten units!+more"));
    const String shared = grown;
    grown += "!";
    grown += grown;
    EXPECT_EQ(shared, String("ten units!+more"));
    EXPECT_EQ(grown, String("ten units!+more!ten units!+more!"));
}

TEST(String, BuildKeepsOnlyWhatWasWritten) {
    const String built = String::build(40, [](char16_t* room) {
        room[0] = u'h';
        room[1] = u'i';
        return 2;
    });
    EXPECT_EQ(built, String("hi"));
    const String japanese = "日本語のテキスト";  // 24 bytes, 8 units
    EXPECT_EQ(japanese.length(), 8u);
    EXPECT_EQ(japanese.toUtf8(), "日本語のテキスト");
}

TEST(StringThreaded, SharedTextOutlivesCopiesOnOtherThreads) {
    const String shared = "a text long enough to live in a shared block";
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([shared] {
            for (int i = 0; i < 10000; ++i) {
                String copy = shared;
                copy += "x";
                ASSERT_EQ(copy.length(), shared.length() + 1);
            }
        });
    }
    for (auto& thread : threads)
        thread.join();
    EXPECT_EQ(shared, String("a text long enough to live in a shared block"));
}

}  // namespace ov
