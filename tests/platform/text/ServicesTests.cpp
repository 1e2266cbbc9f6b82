// The random source, the duration formatter and the phone-number detector.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>

#include "orvane/platform/text/PhoneNumberDetector.h"
#include "orvane/platform/time/DurationFormatter.h"
#include "orvane/platform/values/Random.h"
#include "support/EnvironmentVariableScope.h"

namespace ov {
namespace {

TEST(Random, UniformStaysInRangeAndCoversIt) {
    std::array<int, 6> seen{};
    for (int draw = 0; draw < 6000; ++draw) {
        const uint32_t value = arc4random_uniform(6);
        ASSERT_LT(value, 6u);
        ++seen[value];
    }
    for (int count : seen)
        EXPECT_GT(count, 800);
    EXPECT_EQ(arc4random_uniform(0), 0u);
    EXPECT_EQ(arc4random_uniform(1), 0u);
    EXPECT_LT(arc4random_uniform(0x80000001u), 0x80000001u);
}

TEST(DurationFormatter, DropsEveryZeroUnit) {
    const DurationFormatter formatter(DurationFormatter::UnitsStyle::Abbreviated, "en");
    EXPECT_EQ(formatter.stringFromTimeInterval(3900), "1h 5m");
    EXPECT_EQ(formatter.stringFromTimeInterval(3601), "1h 1s");
    EXPECT_EQ(formatter.stringFromTimeInterval(59.6), "1m");
    EXPECT_EQ(formatter.stringFromTimeInterval(90061), "25h 1m 1s");
    EXPECT_EQ(formatter.stringFromTimeInterval(0), "0s");
    EXPECT_EQ(formatter.stringFromTimeInterval(-65), "-1m 5s");
    EXPECT_FALSE(formatter.stringFromTimeInterval(std::nan("")).has_value());
    EXPECT_FALSE(formatter.stringFromTimeInterval(1e300).has_value());
}

TEST(PhoneNumberDetector, RangesAreInUtf16UnitsForTheRegion) {
    const PhoneNumberDetector israel("IL");
    EXPECT_EQ(israel.matchesInString("call 054-123-4567 now"), (std::vector<Range>{{5, 12}}));
    EXPECT_EQ(israel.matchesInString("😀é 03-123-4567"), (std::vector<Range>{{4, 11}}));
    EXPECT_TRUE(israel.matchesInString("no numbers here").empty());
    EXPECT_TRUE(israel.matchesInString("").empty());
}

std::vector<std::string> numbersIn(const PhoneNumberDetector& detector, const char* text) {
    std::vector<std::string> numbers;
    for (const Range range : detector.matchesInString(text))
        numbers.push_back(String(text).substring(range.location, range.length).toUtf8());
    return numbers;
}

TEST(PhoneNumberDetector, FindsNumbersAPersonWouldCallLeniently) {
    using Numbers = std::vector<std::string>;
    const PhoneNumberDetector america("US");
    EXPECT_EQ(numbersIn(america, "call 054-1234567 or 0541234567 now"),
              (Numbers{"054-1234567", "0541234567"}));
    EXPECT_EQ(numbersIn(america, "abroad +44 7946 0958, home +1 650-253-0000"),
              (Numbers{"+44 7946 0958", "+1 650-253-0000"}));
    EXPECT_EQ(numbersIn(america, "555-1234 (office)"), Numbers{"555-1234"});
    for (const char* region : {"US", "IL", "GB"}) {
        const PhoneNumberDetector detector(region);
        for (const char* text :
             {"order 1234567", "on 2024-03-05 at 10:30", "05-03-2024", "pi is 3.14159265",
              "year 2024", "price 12345", "12345678", "version 1.2.3456789"}) {
            EXPECT_TRUE(detector.matchesInString(text).empty()) << region << ": " << text;
        }
    }
}

TEST(PhoneNumberDetector, RegionComesFromTheLocaleEnvironment) {
    const test::EnvironmentVariableScope locale("LC_ALL", "he_IL.UTF-8");
    EXPECT_EQ(PhoneNumberDetector::currentRegion(), "IL");
    locale.set("C");
    EXPECT_EQ(PhoneNumberDetector::currentRegion(), "US");
}

}  // namespace
}  // namespace ov
