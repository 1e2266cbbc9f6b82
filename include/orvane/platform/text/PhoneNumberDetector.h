#pragma once
// The platform's phone-number data detector (backed by libphonenumber): finds the phone numbers
// written in a text, read as numbers of a region (the current locale's country by default).
// Numbers valid there are found, and so are numbers of a possible length written as people
// write phone numbers: at least seven digits, and international, with a trunk 0 or in groups
// ("054-1234567" under "US", "+44 7946 0958"). Plain digit runs, dates and decimals are not.
//
//   ov::PhoneNumberDetector detector("IL");
//   detector.matchesInString("call 054-123-4567 now");  // {{5, 12}}

#include <string>
#include <vector>

#include "orvane/platform/values/String.h"

namespace ov {

class PhoneNumberDetector {
  public:
    // Two-letter region such as "IL"; an empty region means currentRegion().
    explicit PhoneNumberDetector(std::string region = {});

    // The country of the current locale (LC_ALL, then LANG), or "US" when it names none.
    static std::string currentRegion();

    // Ranges of the numbers found, in UTF-16 code units, in text order.
    std::vector<Range> matchesInString(const String& text) const;

  private:
    std::string m_region;
};

}  // namespace ov
