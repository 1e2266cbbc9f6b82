#include <gtest/gtest.h>

#include <algorithm>

#include "orvane/extensions/CallingCodes.h"

namespace ov {
namespace {

using namespace CallingCodes;

TEST(CallingCodes, TableIsSortedByCountryWithItsOwnRows) {
    EXPECT_TRUE(std::ranges::is_sorted(kTable, std::less<>{}, &Entry::countryCode));
    EXPECT_EQ(std::ranges::adjacent_find(kTable, {}, &Entry::countryCode), kTable.end());
    for (const Entry& entry : kTable) {
        EXPECT_FALSE(entry.callingCode.empty()) << entry.countryCode;
        EXPECT_TRUE(
            std::ranges::all_of(entry.callingCode, [](char c) { return c >= '0' && c <= '9'; }));
    }
    EXPECT_EQ(std::ranges::count(kTable, "1", &Entry::callingCode), 23);
    EXPECT_EQ(callingCodeForCountryCode("KZ"), "77");
    EXPECT_EQ(callingCodeForCountryCode("VA"), "379");
    EXPECT_EQ(callingCodeForCountryCode("PN"), "872");
    EXPECT_EQ(callingCodeForCountryCode("GY"), "595");
    EXPECT_EQ(callingCodeForCountryCode("ZW"), "263");
}

TEST(CallingCodes, LookUpsInBothDirections) {
    EXPECT_EQ(callingCodeForCountryCode("IL"), "972");
    EXPECT_EQ(callingCodeForCountryCode("il"), std::nullopt);
    EXPECT_EQ(countryCodeForCallingCode("972"), "IL");
    EXPECT_EQ(countryCodeForCallingCode("1"), "AG");
    EXPECT_EQ(countryCodeForCallingCode("999"), std::nullopt);
    EXPECT_TRUE(containsCallingCode("590"));
    EXPECT_FALSE(containsCallingCode("+972"));
}

TEST(CallingCodes, LeadingCallingCodeIsTheLongestThatFits) {
    EXPECT_EQ(leadingCallingCode("972541234567"), "972");
    EXPECT_EQ(leadingCallingCode("77012345678"), "77");
    EXPECT_EQ(leadingCallingCode("7912"), "7");
    EXPECT_EQ(leadingCallingCode("3531"), "353");
    EXPECT_EQ(leadingCallingCode("0541234567"), std::nullopt);
    EXPECT_EQ(leadingCallingCode(""), std::nullopt);
}

}  // namespace
}  // namespace ov
