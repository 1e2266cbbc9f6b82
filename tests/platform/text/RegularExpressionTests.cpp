#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "orvane/platform/text/RegularExpression.h"

namespace ov {
namespace {

RegularExpression compiled(const char* pattern,
                           RegularExpression::Options options = RegularExpression::Options::None) {
    auto expression = RegularExpression::cached(pattern, options);
    EXPECT_TRUE(expression.ok()) << pattern;
    return expression.value();
}

TEST(RegularExpression, WholeTextMatchDiffersFromFinding) {
    const RegularExpression digits = compiled("[0-9]+");
    EXPECT_TRUE(digits.matchesWholeText("2024"));
    EXPECT_FALSE(digits.matchesWholeText("a2024"));
    EXPECT_FALSE(digits.matchesWholeText(""));
    EXPECT_EQ(digits.numberOfMatches("a1b22c333"), 3u);
    EXPECT_EQ(digits.rangeOfFirstMatch("ab22c"), (Range{2, 2}));
    EXPECT_EQ(digits.rangeOfFirstMatch("abc"), (Range{NSNotFound, 0}));
}

TEST(RegularExpression, CountsAndRangesAreInUtf16Units) {
    const RegularExpression hebrew = compiled("[\\u0590-\\u05FF]");
    EXPECT_EQ(hebrew.numberOfMatches("😀 שלום"), 4u);
    EXPECT_EQ(hebrew.rangeOfFirstMatch("😀 שלום"), (Range{3, 1}));
    // Empty matches are counted once per position, never looping.
    EXPECT_EQ(compiled("x*").numberOfMatches("ab"), 3u);
}

TEST(RegularExpression, CaseInsensitiveAndReplacement) {
    EXPECT_TRUE(
        compiled("abc", RegularExpression::Options::CaseInsensitive).matchesWholeText("AbC"));
    EXPECT_FALSE(compiled("abc").matchesWholeText("AbC"));
    EXPECT_EQ(compiled("^0*").stringByReplacingMatches("0070", ""), "70");
    EXPECT_EQ(compiled("(a)(b)").stringByReplacingMatches("xaby", "$2$1"), "xbay");
}

TEST(RegularExpression, InvalidPatternIsAFailureValue) {
    for (const char* pattern : {"(", "[a-", "*", "a{2,1}"}) {
        const auto expression = RegularExpression::cached(pattern);
        ASSERT_FALSE(expression.ok()) << pattern;
        EXPECT_EQ(expression.error().domain(), "NSCocoaErrorDomain");
    }
}

TEST(RegularExpression, CatastrophicBacktrackingGivesUpInsteadOfHanging) {
    const RegularExpression nested = compiled("(a*)*b");
    EXPECT_FALSE(nested.matchesWholeText(String(std::string(5000, 'a'))));
}

TEST(RegularExpression, CachedPatternsAreSharedAcrossThreads) {
    std::vector<std::thread> threads;
    std::vector<uint64_t> counts(8);
    for (size_t index = 0; index < counts.size(); ++index) {
        threads.emplace_back([&counts, index] {
            for (int round = 0; round < 200; ++round) {
                counts[index] = compiled("[a-z]+").numberOfMatches("ab cd ef");
            }
        });
    }
    for (auto& thread : threads)
        thread.join();
    for (uint64_t count : counts)
        EXPECT_EQ(count, 3u);
}

}  // namespace
}  // namespace ov
