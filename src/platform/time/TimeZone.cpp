#include "orvane/platform/time/TimeZone.h"

#include <unicode/locid.h>
#include <unicode/timezone.h>

#include <array>
#include <atomic>
#include <mutex>
#include <utility>

#include "orvane/platform/values/Format.h"
#include "platform/time/IcuSupport.h"

namespace ov {

namespace icu_support {

std::unique_ptr<icu::TimeZone> createHostTimeZone() {
    // Host detection shares unguarded buffers with ICU's own one-time default set-up, so that
    // set-up is done first and every later detection is serialised.
    static const bool defaultReady = (delete icu::TimeZone::createDefault(), true);
    static std::mutex detection;
    (void)defaultReady;
    std::lock_guard lock(detection);
    return std::unique_ptr<icu::TimeZone>(icu::TimeZone::detectHostTimeZone());
}

}  // namespace icu_support

namespace {

std::mutex defaultLock;
std::atomic<unsigned> defaultGeneration{0};
std::optional<TimeZone>& hostDefault() {
    static std::optional<TimeZone> zone;
    return zone;
}

struct Abbreviation {
    const char* abbreviation;
    const char* name;
};

// The abbreviations the platform knows, each with the zone it stands for.
constexpr std::array kAbbreviations{
    Abbreviation{"UTC", "UTC"},
    Abbreviation{"GMT", "GMT"},
    Abbreviation{"BST", "Europe/London"},
    Abbreviation{"CET", "Europe/Paris"},
    Abbreviation{"CEST", "Europe/Paris"},
    Abbreviation{"EET", "Europe/Istanbul"},
    Abbreviation{"MSK", "Europe/Moscow"},
    Abbreviation{"IST", "Asia/Kolkata"},
    Abbreviation{"JST", "Asia/Tokyo"},
    Abbreviation{"KST", "Asia/Seoul"},
    Abbreviation{"HKT", "Asia/Hong_Kong"},
    Abbreviation{"SGT", "Asia/Singapore"},
    Abbreviation{"EST", "America/New_York"},
    Abbreviation{"EDT", "America/New_York"},
    Abbreviation{"CST", "America/Chicago"},
    Abbreviation{"CDT", "America/Chicago"},
    Abbreviation{"MST", "America/Denver"},
    Abbreviation{"MDT", "America/Denver"},
    Abbreviation{"PST", "America/Los_Angeles"},
    Abbreviation{"PDT", "America/Los_Angeles"},
    Abbreviation{"AKST", "America/Anchorage"},
    Abbreviation{"HST", "Pacific/Honolulu"},
};

}  // namespace

TimeZone::TimeZone(String name, std::shared_ptr<const Data> data)
    : m_name(std::move(name)), m_data(std::move(data)) {}

TimeZone icu_support::makeTimeZone(std::unique_ptr<icu::TimeZone> zone) {
    icu::UnicodeString id;
    zone->getID(id);
    return TimeZone(fromIcu(id),
                    std::make_shared<const TimeZone::Data>(TimeZone::Data{std::move(zone)}));
}

TimeZone TimeZone::systemTimeZone() {
    return icu_support::makeTimeZone(icu_support::createHostTimeZone());
}

TimeZone TimeZone::defaultTimeZone() {
    {
        std::lock_guard lock(defaultLock);
        if (hostDefault()) return *hostDefault();
    }
    return systemTimeZone();
}

void TimeZone::setDefaultTimeZone(const std::optional<TimeZone>& zone) {
    std::lock_guard lock(defaultLock);
    hostDefault() = zone;
    ++defaultGeneration;
}

std::unique_ptr<icu::TimeZone> icu_support::createDefaultTimeZone() {
    {
        std::lock_guard lock(defaultLock);
        if (hostDefault()) return std::unique_ptr<icu::TimeZone>(icuZone(*hostDefault()).clone());
    }
    return createHostTimeZone();
}

unsigned icu_support::defaultTimeZoneGeneration() {
    return defaultGeneration.load();
}

std::optional<TimeZone> TimeZone::timeZoneWithName(const String& name) {
    if (name.length() == 0) return std::nullopt;
    std::unique_ptr<icu::TimeZone> zone(icu::TimeZone::createTimeZone(icu_support::toIcu(name)));
    if (!zone || *zone == icu::TimeZone::getUnknown()) return std::nullopt;
    return icu_support::makeTimeZone(std::move(zone));
}

std::optional<TimeZone> TimeZone::timeZoneWithAbbreviation(const String& abbreviation) {
    const std::string wanted = abbreviation.toUtf8();
    for (const auto& entry : kAbbreviations) {
        if (wanted == entry.abbreviation) return timeZoneWithName(String(entry.name));
    }
    return std::nullopt;
}

std::optional<TimeZone> TimeZone::timeZoneForSecondsFromGMT(long seconds) {
    constexpr long kLimit = 18 * 3600;
    if (seconds < -kLimit || seconds > kLimit) return std::nullopt;
    const long magnitude = seconds < 0 ? -seconds : seconds;
    const String name = stringWithFormat("GMT%@%02ld%02ld", String(seconds < 0 ? "-" : "+"),
                                         magnitude / 3600, magnitude / 60 % 60);
    auto zone = std::unique_ptr<icu::TimeZone>(icu::TimeZone::getGMT()->clone());
    zone->setRawOffset(static_cast<int32_t>(seconds * 1000));
    zone->setID(icu_support::toIcu(name));
    return icu_support::makeTimeZone(std::move(zone));
}

TimeZone TimeZone::utc() {
    static const TimeZone zone = *timeZoneWithName(String("UTC"));
    return zone;
}

long TimeZone::secondsFromGMTForDate(const Date& date) const {
    int32_t raw = 0;
    int32_t dst = 0;
    UErrorCode status = U_ZERO_ERROR;
    m_data->zone->getOffset(icu_support::toUDate(date), false, raw, dst, status);
    return U_SUCCESS(status) ? (raw + dst) / 1000 : 0;
}

bool TimeZone::isDaylightSavingTimeForDate(const Date& date) const {
    int32_t raw = 0;
    int32_t dst = 0;
    UErrorCode status = U_ZERO_ERROR;
    m_data->zone->getOffset(icu_support::toUDate(date), false, raw, dst, status);
    return U_SUCCESS(status) && dst != 0;
}

String TimeZone::abbreviationForDate(const Date& date) const {
    const bool daylight = isDaylightSavingTimeForDate(date);
    icu::UnicodeString text;
    m_data->zone->getDisplayName(daylight, icu::TimeZone::SHORT, icu::Locale::getUS(), text);
    return icu_support::fromIcu(text);
}

String TimeZone::description() const {
    const Date now = Date::now();
    return stringWithFormat("%@ (%@) offset %ld%@", m_name, abbreviationForDate(now),
                            secondsFromGMTForDate(now),
                            String(isDaylightSavingTimeForDate(now) ? " (Daylight)" : ""));
}

}  // namespace ov
