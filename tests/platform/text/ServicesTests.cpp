// The random source, the duration formatter and the phone-number detector.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <string>

#include "orvane/platform/text/PhoneNumberDetector.h"
#include "orvane/platform/time/DurationFormatter.h"
#include "orvane/platform/values/Random.h"

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

TEST(PhoneNumberDetector, RegionComesFromTheLocaleEnvironment) {
    const char* saved = std::getenv("LC_ALL");
    const std::string previous = saved ? saved : "";
    setenv("LC_ALL", "he_IL.UTF-8", 1);
    EXPECT_EQ(PhoneNumberDetector::currentRegion(), "IL");
    setenv("LC_ALL", "C", 1);
    EXPECT_EQ(PhoneNumberDetector::currentRegion(), "US");
    if (saved) {
        setenv("LC_ALL", previous.c_str(), 1);
    } else {
        unsetenv("LC_ALL");
    }
}

}  // namespace
}  // namespace ov
