#pragma once
// Formats a time interval as hours, minutes and seconds, dropping every zero unit (leading,
// middle and trailing), in a locale's unit style (ICU measure formats).
//
//   ov::DurationFormatter formatter(ov::DurationFormatter::UnitsStyle::Abbreviated, "en");
//   formatter.stringFromTimeInterval(3900);   // "1h 5m"
//   formatter.stringFromTimeInterval(3601);   // "1h 1s"

#include <optional>
#include <string>

#include "orvane/platform/values/String.h"

namespace ov {

class DurationFormatter {
  public:
    enum class UnitsStyle { Abbreviated, Short, Full };

    // An empty locale identifier means the current locale.
    explicit DurationFormatter(UnitsStyle style, std::string localeIdentifier = {});

    // Rounded to whole seconds; zero gives "0s" (in the style). None for a non-finite or
    // unrepresentably large interval.
    std::optional<String> stringFromTimeInterval(double seconds) const;

  private:
    UnitsStyle m_style;
    std::string m_localeIdentifier;
};

}  // namespace ov
