#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "orvane/platform/network/DataDetector.h"

namespace ov {
namespace {

struct Found {
    Range range;
    std::string target;  // the address or the phone number
    friend bool operator==(const Found&, const Found&) = default;
};

std::vector<Found> detect(NSTextCheckingTypes types, const String& text) {
    std::vector<Found> found;
    for (const TextCheckingResult& result :
         DataDetector::dataDetectorWithTypes(types)->matchesInString(text)) {
        found.push_back({result.range(), result.URL() ? result.URL()->absoluteString().toUtf8()
                                                      : result.phoneNumber()->toUtf8()});
    }
    return found;
}

TEST(DataDetector, FindsWebAddressesWithAndWithoutASchemeAndMailAddresses) {
    EXPECT_EQ(detect(NSTextCheckingTypeLink,
                     "See https://example.com/a?b=1, www.test.org or example.net/path. "
                     "Mail me@mail.example.com!"),
              (std::vector<Found>{{{4, 25}, "https://example.com/a?b=1"},
                                  {{31, 12}, "http://www.test.org"},
                                  {{47, 16}, "http://example.net/path"},
                                  {{70, 19}, "mailto:me@mail.example.com"}}));
    // Bracketed links keep their own brackets only.
    EXPECT_EQ(detect(NSTextCheckingTypeLink, "(see http://a.io/x_(y))"),
              (std::vector<Found>{{{5, 17}, "http://a.io/x_(y)"}}));
}

TEST(DataDetector, IgnoresWordsThatOnlyLookLikeNames) {
    EXPECT_TRUE(detect(NSTextCheckingTypeLink, "e.g. version 1.2.3, file.txt, a.b").empty());
    // Not the middle of a longer word.
    EXPECT_TRUE(detect(NSTextCheckingTypeLink, "user_example.com").empty());
}

TEST(DataDetector, FindsPhoneNumbersAndLetsLinksWin) {
    const String text("Call +1 650-253-0000 or see http://x.com/6502530000");
    EXPECT_EQ(
        detect(NSTextCheckingTypePhoneNumber | NSTextCheckingTypeLink, text),
        (std::vector<Found>{{{5, 15}, "+1 650-253-0000"}, {{28, 23}, "http://x.com/6502530000"}}));
    // Alone, phone detection also finds the digits inside the address.
    EXPECT_EQ(detect(NSTextCheckingTypePhoneNumber, text).size(), 2u);
}

TEST(DataDetector, SearchesWithinARangeAndRefusesKindsItCannotFind) {
    const auto detector = DataDetector::dataDetectorWithTypes(NSTextCheckingTypeLink);
    const String text("www.a.com and www.b.com");
    const auto found = detector->matchesInString(text, {10, 13});
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].range(), (Range{14, 9}));
    EXPECT_TRUE(detector->matchesInString(text, {40, 3}).empty());

    std::shared_ptr<Error> error;
    EXPECT_EQ(DataDetector::dataDetectorWithTypes(NSTextCheckingTypeDate, &error), nullptr);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->domain(), String(NSCocoaErrorDomain));
}

}  // namespace
}  // namespace ov
