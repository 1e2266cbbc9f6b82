#include "orvane/platform/time/DateFormatter.h"

#include <unicode/locid.h>
#include <unicode/smpdtfmt.h>
#include <unicode/timezone.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "platform/time/IcuSupport.h"

namespace ov {

namespace {

using icu_support::toIcu;

// What the current zone and locale are derived from; a change means rebuilding.
struct Environment {
    std::optional<std::string> tz;
    unsigned defaultZone = 0;
    std::string locale;
    friend bool operator==(const Environment&, const Environment&) = default;
};

Environment currentEnvironment() {
    const char* tz = std::getenv("TZ");
    return {tz ? std::optional<std::string>(tz) : std::nullopt,
            icu_support::defaultTimeZoneGeneration(), icu::Locale::getDefault().getName()};
}

std::unique_ptr<icu::TimeZone> createTimeZone(const std::optional<String>& identifier) {
    if (identifier) {
        std::unique_ptr<icu::TimeZone> zone(icu::TimeZone::createTimeZone(toIcu(*identifier)));
        if (zone && *zone != icu::TimeZone::getUnknown()) return zone;
    }
    return icu_support::createDefaultTimeZone();
}

icu::Locale makeLocale(const std::optional<String>& identifier) {
    if (!identifier) return icu::Locale::getDefault();
    icu::Locale locale = icu::Locale::createFromName(identifier->toUtf8().c_str());
    return locale.isBogus() ? icu::Locale::getDefault() : locale;
}

icu::DateFormat::EStyle icuStyle(DateFormatterStyle style) {
    switch (style) {
        case DateFormatterShortStyle:
            return icu::DateFormat::kShort;
        case DateFormatterMediumStyle:
            return icu::DateFormat::kMedium;
        case DateFormatterLongStyle:
            return icu::DateFormat::kLong;
        case DateFormatterFullStyle:
            return icu::DateFormat::kFull;
        default:
            return icu::DateFormat::kNone;
    }
}

}  // namespace

struct DateFormatter::Prepared {
    Environment environment;
    std::unique_ptr<icu::DateFormat> format;  // null when there is nothing to format with
};

DateFormatter::DateFormatter() = default;
DateFormatter::~DateFormatter() = default;
DateFormatter::DateFormatter(DateFormatter&&) noexcept = default;
DateFormatter& DateFormatter::operator=(DateFormatter&&) noexcept = default;

String DateFormatter::localizedStringFromDate(const Date& date, DateFormatterStyle dateStyle,
                                              DateFormatterStyle timeStyle) {
    DateFormatter formatter;
    formatter.setDateStyle(dateStyle);
    formatter.setTimeStyle(timeStyle);
    return formatter.stringFromDate(date);
}

void DateFormatter::setDateFormat(const String& pattern) {
    m_dateFormat = pattern;
    m_dateStyle = m_timeStyle = DateFormatterNoStyle;
    m_prepared.reset();
}

void DateFormatter::setDateStyle(DateFormatterStyle style) {
    m_dateStyle = style;
    m_dateFormat = String();
    m_prepared.reset();
}

void DateFormatter::setTimeStyle(DateFormatterStyle style) {
    m_timeStyle = style;
    m_dateFormat = String();
    m_prepared.reset();
}

void DateFormatter::setLocale(const std::optional<String>& identifier) {
    if (identifier == m_locale) return;
    m_locale = identifier;
    m_prepared.reset();
}

void DateFormatter::setTimeZone(const std::optional<String>& identifier) {
    if (identifier == m_timeZone) return;
    m_timeZone = identifier;
    m_prepared.reset();
}

String DateFormatter::stringFromDate(const Date& date) const {
    const double milliseconds = icu_support::toUDate(date);
    if (!std::isfinite(milliseconds)) return {};

    Environment environment = currentEnvironment();
    if (m_prepared && m_prepared->environment != environment) m_prepared.reset();
    if (!m_prepared) {
        m_prepared = std::make_unique<Prepared>();
        m_prepared->environment = std::move(environment);
        const icu::Locale locale = makeLocale(m_locale);
        std::unique_ptr<icu::DateFormat> format;
        if (m_dateFormat.length() > 0) {
            UErrorCode status = U_ZERO_ERROR;
            format = std::make_unique<icu::SimpleDateFormat>(toIcu(m_dateFormat), locale, status);
            if (U_FAILURE(status)) format.reset();
        } else if (m_dateStyle != DateFormatterNoStyle || m_timeStyle != DateFormatterNoStyle) {
            format.reset(icu::DateFormat::createDateTimeInstance(icuStyle(m_dateStyle),
                                                                 icuStyle(m_timeStyle), locale));
        }
        if (format) format->adoptTimeZone(createTimeZone(m_timeZone).release());
        m_prepared->format = std::move(format);
    }
    if (!m_prepared->format) return {};

    icu::UnicodeString text;
    m_prepared->format->format(milliseconds, text);
    return icu_support::fromIcu(text);
}

}  // namespace ov
