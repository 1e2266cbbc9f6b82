#pragma once
// A time zone (the platform's NSTimeZone), backed by ICU's zone data.
//
//   auto zone = ov::TimeZone::timeZoneWithName("Asia/Jerusalem");
//   zone->secondsFromGMTForDate(ov::Date::now());       // 7200 or 10800
//   ov::TimeZone::defaultTimeZone().name();              // the host's zone unless set
//
// The default zone is the one the host set with setDefaultTimeZone, else the system zone (TZ
// when set, else the machine's), read afresh on every call so a change of TZ is followed.

#include <memory>
#include <optional>

#include "orvane/platform/values/Date.h"
#include "orvane/platform/values/String.h"

namespace ov {

class TimeZone {
  public:
    static TimeZone systemTimeZone();
    static TimeZone defaultTimeZone();
    // None goes back to the system zone. Thread-safe.
    static void setDefaultTimeZone(const std::optional<TimeZone>& zone);

    // An Olson name ("Europe/Paris", "UTC"); none for a name no zone has.
    static std::optional<TimeZone> timeZoneWithName(const String& name);
    // "UTC", "GMT", "EST", "PST", ...: the platform's abbreviation table; none when unknown.
    static std::optional<TimeZone> timeZoneWithAbbreviation(const String& abbreviation);
    // A fixed offset, named like "GMT+0200"; none beyond 18 hours either way.
    static std::optional<TimeZone> timeZoneForSecondsFromGMT(long seconds);
    static TimeZone utc();

    const String& name() const { return m_name; }
    long secondsFromGMTForDate(const Date& date) const;
    long secondsFromGMT() const { return secondsFromGMTForDate(Date::now()); }
    bool isDaylightSavingTimeForDate(const Date& date) const;
    // "GMT+2", "CET", ... as the zone's short generic name for the date, in English.
    String abbreviationForDate(const Date& date) const;
    // "Asia/Jerusalem (GMT+3) offset 10800 (Daylight)", as the platform describes a zone.
    String description() const;

    friend bool operator==(const TimeZone& a, const TimeZone& b) { return a.m_name == b.m_name; }

    // The zone data behind this one (ICU's), for the platform layer's own use.
    struct Data;
    const Data& data() const { return *m_data; }
    TimeZone(String name, std::shared_ptr<const Data> data);

  private:
    String m_name;
    std::shared_ptr<const Data> m_data;
};

}  // namespace ov
