#pragma once
// Turns dates into text with a date pattern ("yyyy-MM-dd HH:mm:ss.SSS"), in a locale and a time
// zone (the platform's NSDateFormatter).
//
//   ov::DateFormatter formatter;
//   formatter.setDateFormat("yyyy-MM-dd HH:mm:ss.SSS");
//   formatter.setTimeZone("Asia/Jerusalem");
//   formatter.stringFromDate(ov::Date::now());  // "2016-05-01 13:00:00.123"
//
// Without a locale or a zone of its own, a formatter uses the process's current ones: the locale
// taken from the environment (LC_ALL, LC_MESSAGES, LANG) and the default zone (TimeZone.h). It
// follows a change of TZ, of the default zone or of the process locale from the next string on.
//
// A formatter keeps its prepared state between calls; use one formatter from one thread at a
// time.

#include <memory>
#include <optional>

#include "orvane/platform/values/Date.h"
#include "orvane/platform/values/String.h"

namespace ov {

// The platform's fixed styles, from none to the full text ("Tuesday, 5 March 2024").
enum DateFormatterStyle {
    DateFormatterNoStyle = 0,
    DateFormatterShortStyle = 1,
    DateFormatterMediumStyle = 2,
    DateFormatterLongStyle = 3,
    DateFormatterFullStyle = 4,
};

class DateFormatter {
  public:
    DateFormatter();
    ~DateFormatter();
    DateFormatter(DateFormatter&&) noexcept;
    DateFormatter& operator=(DateFormatter&&) noexcept;
    DateFormatter(const DateFormatter&) = delete;
    DateFormatter& operator=(const DateFormatter&) = delete;

    // The text of `date` in the two styles, current locale and default zone.
    static String localizedStringFromDate(const Date& date, DateFormatterStyle dateStyle,
                                          DateFormatterStyle timeStyle);

    // The pattern letters of the platform (CLDR): y M d H h m s S a E z Z ..., text in quotes.
    // A pattern replaces the styles, and a style replaces the pattern.
    void setDateFormat(const String& pattern);
    void setDateStyle(DateFormatterStyle style);
    void setTimeStyle(DateFormatterStyle style);
    // A locale identifier such as "en_US_POSIX" or "he_IL"; absent means the current locale.
    void setLocale(const std::optional<String>& identifier);
    // A zone identifier such as "UTC" or "Asia/Jerusalem"; absent, or a name no zone has, means
    // the current zone.
    void setTimeZone(const std::optional<String>& identifier);

    // Empty for a date that is not a finite moment, a pattern that does not parse, or neither a
    // pattern nor a style.
    String stringFromDate(const Date& date) const;

  private:
    struct Prepared;
    String m_dateFormat;
    DateFormatterStyle m_dateStyle = DateFormatterNoStyle;
    DateFormatterStyle m_timeStyle = DateFormatterNoStyle;
    std::optional<String> m_locale;
    std::optional<String> m_timeZone;
    mutable std::unique_ptr<Prepared> m_prepared;
};

}  // namespace ov
