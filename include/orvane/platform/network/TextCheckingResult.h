#pragma once
// Something found in a text, or marked in it, with the range it covers (the platform's
// NSTextCheckingResult): a link, an address, a phone number, a date or transit information.
//
//   auto link = ov::TextCheckingResult::linkCheckingResultWithRange(
//       {6, 11}, *ov::URL::withString("http://example.com"));
//   link.resultType();   // NSTextCheckingTypeLink
//   link.URL();          // the address
//
// A plain value: copies are independent.

#include <cstdint>
#include <optional>

#include "orvane/platform/network/URL.h"
#include "orvane/platform/time/TimeZone.h"
#include "orvane/platform/values/Date.h"
#include "orvane/platform/values/Value.h"

namespace ov {

// Kinds of results, a bit set; the platform's values.
using NSTextCheckingTypes = uint64_t;
inline constexpr NSTextCheckingTypes NSTextCheckingTypeDate = 1ULL << 3;
inline constexpr NSTextCheckingTypes NSTextCheckingTypeAddress = 1ULL << 4;
inline constexpr NSTextCheckingTypes NSTextCheckingTypeLink = 1ULL << 5;
inline constexpr NSTextCheckingTypes NSTextCheckingTypePhoneNumber = 1ULL << 11;
inline constexpr NSTextCheckingTypes NSTextCheckingTypeTransitInformation = 1ULL << 12;

class TextCheckingResult {
  public:
    static TextCheckingResult linkCheckingResultWithRange(Range range, const ov::URL& url);
    // Components such as "Street", "City", "ZIP".
    static TextCheckingResult addressCheckingResultWithRange(Range range,
                                                             const Dictionary& components);
    static TextCheckingResult phoneNumberCheckingResultWithRange(Range range,
                                                                 const String& phoneNumber);
    static TextCheckingResult dateCheckingResultWithRange(Range range, const Date& date);
    // Seconds of duration.
    static TextCheckingResult dateCheckingResultWithRange(Range range, const Date& date,
                                                          const TimeZone& timeZone,
                                                          double duration);
    // Components such as "Airline", "Flight".
    static TextCheckingResult transitInformationCheckingResultWithRange(
        Range range, const Dictionary& components);

    NSTextCheckingTypes resultType() const { return m_type; }
    Range range() const { return m_range; }
    // Each is set for its own kind only.
    const std::optional<ov::URL>& URL() const { return m_url; }
    const std::optional<String>& phoneNumber() const { return m_phoneNumber; }
    const std::optional<Date>& date() const { return m_date; }
    const std::optional<TimeZone>& timeZone() const { return m_timeZone; }
    double duration() const { return m_duration; }
    // Address and transit components; empty for the other kinds.
    const Dictionary& components() const { return m_components; }

    // The same result with its range moved by `offset` code units.
    TextCheckingResult resultByAdjustingRangesWithOffset(int64_t offset) const;

    friend bool operator==(const TextCheckingResult&, const TextCheckingResult&) = default;

  private:
    TextCheckingResult(NSTextCheckingTypes type, Range range) : m_type(type), m_range(range) {}

    NSTextCheckingTypes m_type;
    Range m_range;
    std::optional<ov::URL> m_url;
    std::optional<String> m_phoneNumber;
    std::optional<Date> m_date;
    std::optional<TimeZone> m_timeZone;
    double m_duration = 0;
    Dictionary m_components;
};

}  // namespace ov
