#include "orvane/platform/DateFormatter.h"

#include <unicode/locid.h>
#include <unicode/smpdtfmt.h>
#include <unicode/timezone.h>

#include <cmath>
#include <cstdlib>
#include <mutex>
#include <string>

namespace ov {

namespace {

icu::UnicodeString toIcu(const String& text) {
    return icu::UnicodeString(text.utf16().data(), static_cast<int32_t>(text.length()));
}

// What the current zone and locale are derived from; a change means rebuilding.
struct Environment {
    std::optional<std::string> tz;
    std::string locale;
    friend bool operator==(const Environment&, const Environment&) = default;
};

Environment currentEnvironment() {
    const char* tz = std::getenv("TZ");
    return {tz ? std::optional<std::string>(tz) : std::nullopt,
            icu::Locale::getDefault().getName()};
}

icu::TimeZone* createTimeZone(const std::optional<String>& identifier) {
    if (identifier) {
        std::unique_ptr<icu::TimeZone> zone(icu::TimeZone::createTimeZone(toIcu(*identifier)));
        if (zone && *zone != icu::TimeZone::getUnknown()) return zone.release();
    }
    // Not the cached ICU default: that one never sees a later change of TZ. Host detection
    // shares unguarded buffers with ICU's own one-time default set-up, so that set-up is done
    // first and every later detection is serialised.
    static const bool defaultReady = (delete icu::TimeZone::createDefault(), true);
    static std::mutex detection;
    (void)defaultReady;
    std::lock_guard lock(detection);
    return icu::TimeZone::detectHostTimeZone();
}

icu::Locale makeLocale(const std::optional<String>& identifier) {
    if (!identifier) return icu::Locale::getDefault();
    icu::Locale locale = icu::Locale::createFromName(identifier->toUtf8().c_str());
    return locale.isBogus() ? icu::Locale::getDefault() : locale;
}

// ICU takes milliseconds since 1970. Rounding to the microsecond first absorbs the binary error
// of a date given to the millisecond, so x.123 does not print as x.122.
UDate toUDate(const Date& date) {
    const double milliseconds = date.timeIntervalSince1970() * 1000.0;
    return std::round(milliseconds * 1000.0) / 1000.0;
}

}  // namespace

struct DateFormatter::Prepared {
    Environment environment;
    std::unique_ptr<icu::SimpleDateFormat> format;  // null when the pattern does not parse
};

DateFormatter::DateFormatter() = default;
DateFormatter::~DateFormatter() = default;
DateFormatter::DateFormatter(DateFormatter&&) noexcept = default;
DateFormatter& DateFormatter::operator=(DateFormatter&&) noexcept = default;

void DateFormatter::setDateFormat(const String& pattern) {
    if (pattern == m_dateFormat) return;
    m_dateFormat = pattern;
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
    const double milliseconds = toUDate(date);
    if (!std::isfinite(milliseconds)) return {};

    Environment environment = currentEnvironment();
    if (m_prepared && m_prepared->environment != environment) m_prepared.reset();
    if (!m_prepared) {
        m_prepared = std::make_unique<Prepared>();
        m_prepared->environment = std::move(environment);
        UErrorCode status = U_ZERO_ERROR;
        auto format = std::make_unique<icu::SimpleDateFormat>(toIcu(m_dateFormat),
                                                              makeLocale(m_locale), status);
        if (U_SUCCESS(status)) {
            format->adoptTimeZone(createTimeZone(m_timeZone));
            m_prepared->format = std::move(format);
        }
    }
    if (!m_prepared->format) return {};

    icu::UnicodeString text;
    m_prepared->format->format(milliseconds, text);
    return String(std::u16string(text.getBuffer(), static_cast<size_t>(text.length())));
}

}  // namespace ov
